// Writes the slips of 30 drivers with 25 laps each to PDF files and prints
// the time of the A4 sheets with four slips each and of the receipts.

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "bench/BenchApp.h"
#include "session/Session.h"
#include "slips/SlipSource.h"
#include "ui/slips/frmSlips.h"

using namespace orvex;

namespace {

// Median of `rounds` PDF files of `paper`, in milliseconds.
double slipsMs(int rounds, SlipPaper paper, const std::string& path) {
    return medianMs(rounds, [&] {
        // The slips are made from the session each time, as the command does.
        std::vector<SlipDriver> slips = slipDrivers(session());
        for (SlipDriver& d : slips)
            d.result.name = "Driver " + std::to_string(d.result.driver) + " Müller-Rossi";
        if (!frmSlips::WritePdf(slips, paper, path).isOk()) std::exit(1);
    });
}

}  // namespace

int main(int argc, char** argv) {
    BenchApp app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
    QTemporaryDir dir;

    Session& s = fullSession();
    s.SessionDate = "07/12/2026";
    s.SessionTime = "14:30";
    const std::string pdf = dir.filePath("slips.pdf").toStdString();

    std::printf("30 slips of 25 laps each to PDF, median of %d\n", rounds);
    std::printf("A4, four drivers per page: %.1f ms (goal 300 ms)\n",
                slipsMs(rounds, SlipPaper::A4Four, pdf));
    std::printf("receipt, 80 mm: %.1f ms (goal 300 ms)\n",
                slipsMs(rounds, SlipPaper::Receipt, pdf));
    return 0;
}
