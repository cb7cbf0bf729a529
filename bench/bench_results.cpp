// Rebuilds the Results window's model, table, laps and chart for a full
// session (30 drivers, 750 laps, lap rules, 50 marks, a few penalties, five
// drivers charted) and prints the median time.

#include <QElapsedTimer>
#include <QImage>
#include <QItemSelectionModel>
#include <QMdiArea>
#include <QSortFilterProxyModel>
#include <QStandardPaths>
#include <QTableView>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "bench/BenchApp.h"
#include "commands/RaceCommands.h"
#include "session/Session.h"
#include "ui/lists/ChildWindows.h"
#include "ui/results/LapChart.h"
#include "ui/results/frmResults.h"

using namespace orvex;

int main(int argc, char** argv) {
    BenchApp app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 50;

    Session& s = session();
    s.ResetSession();
    for (int i = 1; i <= kLapSlots; ++i) s.LapTimes[i] = 5000 + (i * 7919) % 900;
    s.SessionLength = "1200";
    // The rules catch some laps; the marks fall on every kind of lap.
    s.Corrections.minLap = 5050;
    s.Corrections.maxLap = 5850;
    for (int m = 0; m < 50; ++m) {
        const int slot = 1 + (m * 151) % kLapSlots;
        s.Corrections.setMark(slot, s.LapTimes[slot],
                              m % 3 == 0   ? LapCorrection::Join
                              : m % 3 == 1 ? LapCorrection::Void
                                           : LapCorrection::None);
    }
    for (int d = 1; d <= kDrivers; d += 7)
        s.Corrections.setPenalty(d, {1000, "jump start", d == 8});
    s.Corrections.mode = RankMode::Race;

    QMdiArea area;
    area.resize(1000, 700);
    area.show();
    ChildWindows windows(&area);
    RaceCommands commands(s);
    frmResults* f = frmResults::Load(&area, commands);
    windows.addView(f, [f] { f->refresh(); });
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
        "results rebuild, %d rows, %zu drivers charted: model, table and series median %.3f ms, "
        "chart painted median %.3f ms\n",
        f->proxy()->rowCount(), f->chart()->series().size(), table[table.size() / 2],
        chart[chart.size() / 2]);
    return 0;
}
