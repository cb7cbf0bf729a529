#include "fakes/DevsimProcess.h"

#include <QFile>

namespace orvex {

QByteArray deviceMemoryImage(const std::function<std::uint32_t(int slot)>& lapOf) {
    QByteArray image;
    for (int slot = 1; slot <= 750; ++slot) {
        const std::uint32_t v = lapOf(slot);
        const std::uint8_t b[4] = {std::uint8_t(v >> 24), std::uint8_t(v >> 16),
                                   std::uint8_t(v >> 8), std::uint8_t(v)};
        image.append(reinterpret_cast<const char*>(b), 4);
        image.append(char((b[0] + b[1] + b[2] + b[3]) & 0xFF));
    }
    return image;
}

DevsimProcess::DevsimProcess(const QString& executable, QStringList args,
                             const QByteArray& memory) {
    const QString memoryFile = dir_.filePath("memory.bin");
    QFile out(memoryFile);
    if (out.open(QIODevice::WriteOnly)) out.write(memory);
    out.close();
    args << "--memory" << memoryFile << "--log" << dir_.filePath("frames.log");
    process_.start(executable, args);
    // Its first line names the device end.
    if (process_.waitForStarted(5000))
        while (!process_.canReadLine() && process_.waitForReadyRead(5000)) {
        }
    path_ = QString::fromUtf8(process_.readLine()).trimmed();
}

DevsimProcess::~DevsimProcess() { stop(); }

bool DevsimProcess::stop() {
    if (process_.state() != QProcess::NotRunning) {
        process_.terminate();
        process_.waitForFinished(5000);
    }
    return process_.exitStatus() == QProcess::NormalExit && process_.exitCode() == 0;
}

QString DevsimProcess::frameLog() const {
    QFile in(dir_.filePath("frames.log"));
    return in.open(QIODevice::ReadOnly) ? QString::fromUtf8(in.readAll()) : QString();
}

}  // namespace orvex
