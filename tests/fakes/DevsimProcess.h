#pragma once
#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <cstdint>
#include <functional>

namespace orvex {

// The device memory as its record table describes it: per slot 4 bytes
// big-endian, then the low byte of their sum.
QByteArray deviceMemoryImage(const std::function<std::uint32_t(int slot)>& lapOf);

// The device simulator, running for the lifetime of the object, with its
// memory loaded from `memory` and every frame it receives logged.
class DevsimProcess {
public:
    DevsimProcess(const QString& executable, QStringList args, const QByteArray& memory);
    ~DevsimProcess();
    DevsimProcess(const DevsimProcess&) = delete;
    DevsimProcess& operator=(const DevsimProcess&) = delete;

    // The device end of its pseudo-terminal.
    QString path() const { return path_; }
    // Ends it with SIGTERM; true when it ended cleanly.
    bool stop();
    bool exitedByItself(int waitMs) { return process_.waitForFinished(waitMs); }
    QString frameLog() const;

private:
    QTemporaryDir dir_;
    QProcess process_;
    QString path_;
};

}  // namespace orvex
