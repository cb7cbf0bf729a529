// Scrolls and refreshes the statistics window offscreen and prints the time
// per refresh and the number of cell widgets before and after.
#include <QElapsedTimer>
#include <QLabel>
#include <QMdiArea>
#include <QScrollBar>
#include <cstdio>

#include "bench/BenchApp.h"
#include "session/Session.h"
#include "ui/lists/ChildWindows.h"
#include "ui/lists/frmStat.h"

using namespace orvex;

namespace {

constexpr int kRounds = 10000;

int cellWidgets(const frmStat* f) { return f->findChildren<QLabel*>("lblList").size() - 1; }

}  // namespace

int main(int argc, char** argv) {
    BenchApp app(argc, argv);

    Session& s = session();
    s.ResetSession();
    s.FileState = FileState::New;
    s.StatWin.Left = -1;
    for (int d = 1; d <= kDrivers; ++d) s.LapTimes[lapSlot(d, 1)] = 6000 + 37 * d;
    s.MakeTotals();
    s.SortTotals();

    QMdiArea area;
    area.resize(1200, 900);
    area.show();
    ChildWindows windows(&area);
    frmStat* f = windows.showStat();
    const int before = cellWidgets(f);
    const int steps = f->scrList->maximum() + 1;

    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < kRounds; ++i) {
        f->scrList->setValue(i % steps);
        f->RefreshData();
    }
    const double ms = static_cast<double>(timer.nsecsElapsed()) / 1e6;

    // The refresh alone, the list standing still: what a download's end or a
    // keystroke in the track length costs.
    timer.restart();
    for (int i = 0; i < kRounds; ++i) f->RefreshData();
    const double refreshMs = static_cast<double>(timer.nsecsElapsed()) / 1e6;
    const int after = cellWidgets(f);

    std::printf("statistics window: %d lines, %d rows shown, scroll bar 0..%d\n", f->Line_Count(),
                f->Lista().Lines, f->scrList->maximum());
    std::printf("%d scroll + refresh rounds: %.1f ms, %.2f us per round\n", kRounds, ms,
                ms * 1000.0 / kRounds);
    std::printf("%d refreshes alone: %.1f ms, %.2f us per refresh\n", kRounds, refreshMs,
                refreshMs * 1000.0 / kRounds);
    std::printf("cell widgets before: %d, after: %d\n", before, after);
    return after == before ? 0 : 1;
}
