#pragma once
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdint>
#include <functional>

#include "fakes/ScriptedDevice.h"

namespace orvex {

// The device simulator, running for the lifetime of the object, its memory
// holding per slot the lap `lapOf(slot)`, or without it the race `args` generate.
class DevsimProcess {
public:
    DevsimProcess(QStringList args, const std::function<std::uint32_t(int slot)>& lapOf) {
        if (lapOf) {
            QFile out(dir_.filePath("memory.bin"));
            if (out.open(QIODevice::WriteOnly))
                for (int slot = 1; slot <= 750; ++slot)
                    out.write(reinterpret_cast<const char*>(deviceRecord(lapOf(slot)).data()), 5);
            out.close();
            args << "--memory" << out.fileName();
        }
        process_.start(ORVEX_DEVSIM, args);
        // Its first line names the device end of its pseudo-terminal.
        if (process_.waitForStarted(5000))
            while (!process_.canReadLine() && process_.waitForReadyRead(5000)) {
            }
        path = QString::fromUtf8(process_.readLine()).trimmed();
    }
    ~DevsimProcess() {
        process_.terminate();
        process_.waitForFinished(5000);
    }
    QString path;

private:
    QTemporaryDir dir_;
    QProcess process_;
};

}  // namespace orvex
