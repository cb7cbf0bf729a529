// Rebuilds the Results window's table and chart for a full session (30
// drivers, 750 laps, five drivers charted) and prints the median time.

#include <QElapsedTimer>
#include <QItemSelectionModel>
#include <QMdiArea>
#include <QImage>
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

    std::vector<double> table, chart;
    QElapsedTimer timer;
    for (int r = 0; r < rounds; ++r) {
        timer.restart();
        windows.refreshLists(ListChange::Download);
        table.push_back(timer.nsecsElapsed() / 1e6);
        timer.restart();
        QImage drawn(f->chart()->size(), QImage::Format_ARGB32_Premultiplied);
        f->chart()->render(&drawn);  // the chart painted once
        chart.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::sort(table.begin(), table.end());
    std::sort(chart.begin(), chart.end());
    std::printf(
        "results rebuild, %d rows, %zu drivers charted: table and series median %.3f ms, "
        "chart painted median %.3f ms\n",
        f->proxy()->rowCount(), f->chart()->series().size(), table[table.size() / 2],
        chart[chart.size() / 2]);
    return 0;
}
