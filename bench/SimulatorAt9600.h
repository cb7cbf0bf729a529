#pragma once
// Shared by the download benches: the device simulator at 9600 baud as port 1.
#include <QProcess>
#include <QStringList>
#include <cstdio>

#include "device/DeviceFrames.h"

namespace orvex {

// 30 requests of 6 bytes and 30 replies of 130 bytes, 10 bits a byte.
constexpr double kDownloadWireSeconds = kBlocks * (6.0 + kBlockReplyLength) * 10.0 / 9600.0;

// Starts the simulator with a generated race (or what `more` asks for) and
// points ORVEX_PORTS at it.
inline bool startSimulatorAt9600(QProcess& sim, const char* executable,
                                 const QStringList& more = {"--seed", "7"}) {
    sim.start(executable, QStringList{"--baud", "9600"} + more);
    if (!sim.waitForStarted(5000)) {
        std::fprintf(stderr, "cannot start %s\n", executable);
        return false;
    }
    while (!sim.canReadLine() && sim.waitForReadyRead(5000)) {
    }
    qputenv("ORVEX_PORTS", sim.readLine().trimmed());
    return true;
}

}  // namespace orvex
