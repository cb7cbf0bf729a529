// Reads the whole device memory (30 blocks) through the real port layer from
// the simulator at 9600 baud, and compares the time with the bare wire time.

#include <QElapsedTimer>
#include <QProcess>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <vector>

#include "bench/BenchApp.h"
#include "bench/SimulatorAt9600.h"
#include "device/DeviceFrames.h"
#include "device/DeviceProtocol.h"
#include "device/SerialLink.h"

using namespace orvex;

int main(int argc, char** argv) {
#ifndef ORVEX_DEVSIM
    (void)argc;
    (void)argv;
    std::fprintf(stderr, "this bench needs the device simulator, which this platform lacks\n");
    return 1;
#else
    BenchApp app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;

    QProcess sim;
    if (!startSimulatorAt9600(sim, ORVEX_DEVSIM)) return 1;

    const double wireSeconds = kDownloadWireSeconds;
    std::printf("download of %d blocks at 9600 baud, wire time %.2f s\n", kBlocks, wireSeconds);
    int status = 0;
    for (int round = 1; round <= rounds; ++round) {
        std::vector<std::int32_t> laps(kMemoryRecords + 1, 0);
        if (Device_Connect() != LinkStatus::Ok) {
            std::fprintf(stderr, "no device\n");
            status = 1;
            break;
        }
        QElapsedTimer timer;
        timer.start();
        const std::clock_t cpuStart = std::clock();
        int read = 0;
        BlockReading stored;
        for (int block = kBlocks; block >= 1; --block)
            read += Block_Read(block, laps, stored) == LinkStatus::Ok ? 1 : 0;
        const double seconds = timer.nsecsElapsed() / 1e9;
        // The waits must sleep, not spin: the windows share the core with them.
        const double cpu = double(std::clock() - cpuStart) / CLOCKS_PER_SEC;
        Port_Close();
        std::printf("round %d: %d blocks in %.3f s, %.3f x wire time, %.2f s CPU\n", round, read,
                    seconds, seconds / wireSeconds, cpu);
        if (read != kBlocks) status = 1;
    }
    sim.terminate();
    sim.waitForFinished(5000);
    return status;
#endif
}
