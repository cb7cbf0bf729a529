// Rebuilds the Results window's table and chart for a full session (30
// drivers, 750 laps, five drivers charted) and prints the median time.

#include <QElapsedTimer>
#include <QItemSelectionModel>
#include <QMdiArea>
#include <QPixmap>
#include <QSortFilterProxyModel>
#include <QStandardPaths>
#include <QTableView>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "bench/BenchApp.h"
#include "lists/ChildWindows.h"
#include "results/frmResults.h"
#include "results/frmResultsChart.h"
#include "session/Session.h"

using namespace orvex;

int main(int argc, char** argv) {
    BenchApp app(argc, argv);
    QStandardPaths::setTestModeEnabled(true);  // leave the user's settings alone
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 50;

    Session& s = session();
    s.ResetSession();
    for (int i = 1; i <= kLapSlots; ++i) s.LapTimes[i] = 5000 + (i * 7919) % 900;
    s.SessionLength = "1200";

    QMdiArea area;
    area.resize(1000, 700);
    area.show();
    ChildWindows windows(&area);
    frmResults* f = windows.showResults();
    for (int r = 1; r < 5; ++r)
        f->table()->selectionModel()->select(
            f->proxy()->index(r, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);

    std::vector<double> ms;
    QElapsedTimer timer;
    for (int r = 0; r < rounds; ++r) {
        timer.restart();
        windows.refreshLists(ListChange::Download);
        const QPixmap drawn = f->chart()->grab();  // the chart painted once
        ms.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    std::printf(
        "results table + chart rebuild, %zu rows, %zu charted: median %.3f ms, max %.3f ms\n",
        static_cast<std::size_t>(f->proxy()->rowCount()), f->chart()->series().size(),
        ms[ms.size() / 2], ms.back());
    return 0;
}
