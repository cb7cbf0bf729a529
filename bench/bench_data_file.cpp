// Saves and opens a full session (750 laps, every text filled) as a data
// file through the Qt file layer, and prints the time per save and per open.

#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "bench/BenchApp.h"
#include "session/DataFile.h"
#include "session/Session.h"

using namespace orvex;

int main(int argc, char** argv) {
    BenchApp app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;
    QTemporaryDir dir;
    const std::string name = dir.filePath("Race1.DAT").toStdString();

    Session& s = fullSession();
    s.SessionNote = std::string(2000, 'n');

    QElapsedTimer timer;
    timer.start();
    for (int r = 0; r < rounds; ++r)
        if (!File_Write(name, nullptr)) return 1;
    const double writeMs = timer.nsecsElapsed() / 1e6 / rounds;

    timer.restart();
    for (int r = 0; r < rounds; ++r) {
        s.ResetSession();
        if (File_Read(name, s) != FileRead::Whole) return 1;
    }
    const double readMs = timer.nsecsElapsed() / 1e6 / rounds;

    std::printf("data file of %lld bytes, %d rounds\n",
                static_cast<long long>(QFileInfo(QString::fromStdString(name)).size()), rounds);
    std::printf("save: %.3f ms each (temporary file, flush, replace)\n", writeMs);
    std::printf("open: %.3f ms each (reset and read)\n", readMs);
    return 0;
}
