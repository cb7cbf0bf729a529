#include <gtest/gtest.h>

#include <QAction>
#include <QItemSelectionModel>
#include <QSortFilterProxyModel>
#include <QStandardPaths>
#include <QTableView>
#include <limits>

#include "fakes/MainWindowFixture.h"
#include "lists/ChildWindows.h"
#include "results/Results.h"
#include "results/frmResults.h"
#include "results/frmResultsChart.h"

using namespace orvex;

namespace {

constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();

std::vector<std::int32_t> craftedLaps() {
    std::vector<std::int32_t> t(kLapSlots + 1, 0);
    t[lapSlot(2, 1)] = 5000;
    t[lapSlot(2, 2)] = 6001;
    t[lapSlot(3, 1)] = 5000;  // empty slot 2, two equal best laps
    t[lapSlot(3, 3)] = 4800;
    t[lapSlot(3, 5)] = 4800;
    t[lapSlot(7, 4)] = 4800;  // one lap, as fast as driver 3
    for (int l = 1; l <= kLapsPerDriver; ++l) t[lapSlot(30, l)] = kMax;
    return t;
}

}  // namespace

TEST(Results, RankByBestLapWithTiesGapsAndTheLargestTimes) {
    const auto rows = MakeResults(craftedLaps(), "1000 m", ",");
    ASSERT_EQ(rows.size(), 4u);  // drivers without laps are not listed
    std::vector<int> drivers;
    for (const auto& r : rows) drivers.push_back(r.driver);
    EXPECT_EQ(drivers, (std::vector<int>{3, 7, 2, 30}));
    EXPECT_EQ(rows[0].pos, 1);
    EXPECT_EQ(rows[0].laps, 3);
    EXPECT_EQ(rows[0].bestText, "00:00.48.00 (3)");
    EXPECT_EQ(rows[0].averageText, "00:00.48.67");  // 14600 / 3, rounded
    EXPECT_EQ(rows[0].gapText, "");
    EXPECT_EQ(rows[0].speedText, "75");
    EXPECT_EQ(rows[1].pos, 2);
    EXPECT_EQ(rows[1].bestText, "00:00.48.00 (4)");
    EXPECT_EQ(rows[1].gapText, "+0.00");
    EXPECT_EQ(rows[2].averageText, "00:00.55.01");  // 5500.5 rounds up
    EXPECT_EQ(rows[2].gapText, "+2.00");
    EXPECT_EQ(rows[2].speedText, "72");
    // 25 laps of the largest value overflow 32 bits; the total does not.
    EXPECT_EQ(rows[3].total, std::int64_t{kMax} * 25);
    EXPECT_EQ(rows[3].totalText, "149130:48.31.75");
    EXPECT_EQ(rows[3].bestLapNo, 1);
    EXPECT_EQ(rows[3].gapText, "+21474788.47");
    EXPECT_EQ(rows[3].speedText, "0");

    EXPECT_EQ(MakeResults(craftedLaps(), "", ".")[0].speedText, "");
    EXPECT_EQ(LapSeries(craftedLaps(), 3),
              (std::vector<LapPoint>{{1, 5000}, {3, 4800}, {5, 4800}}));

    Session s;
    s.LapTimes = craftedLaps();
    s.SessionLength = "1000";
    const std::string csv = ResultsCsv(s, ",");
    EXPECT_EQ(csv.substr(0, csv.find("\r\n")),
              "Pos;Driver;Name;Laps;Best lap;Average lap;Total;Gap;Best speed (km/h)");
    EXPECT_NE(csv.find("\r\n3;2;;2;00:00.50.00 (1);00:00.55.01;00:01.50.01;+2.00;72\r\n"),
              std::string::npos);
}

class ResultsWindowTest : public MainWindowFixture {
protected:
    void SetUp() override {
        QStandardPaths::setTestModeEnabled(true);
        MainWindowFixture::SetUp();
        Session& s = session();
        s.ResetSession();
        s.FileState = FileState::New;
        s.LapTimes = craftedLaps();
        load();
    }
    std::vector<int> shownDrivers(int column) {
        std::vector<int> v;
        frmResults* f = desk->childWindows().results();
        for (int r = 0; r < f->proxy()->rowCount(); ++r)
            v.push_back(f->proxy()->index(r, column).data().toInt());
        return v;
    }
};

TEST_F(ResultsWindowTest, SortsChartsSelectedDriversAndFollowsADownload) {
    desk->MenuView(3)->trigger();
    frmResults* f = desk->childWindows().results();
    ASSERT_NE(f, nullptr);
    EXPECT_TRUE(desk->MenuView(3)->isChecked());
    EXPECT_EQ(shownDrivers(ResultsModel::Driver), (std::vector<int>{3, 7, 2, 30}));
    ASSERT_EQ(f->chart()->series().size(), 1u);  // the first row is selected
    EXPECT_EQ(f->chart()->series()[0].driver, 3);

    // By laps, most first: Pos keeps the best-lap rank.
    f->table()->sortByColumn(ResultsModel::Laps, Qt::DescendingOrder);
    EXPECT_EQ(shownDrivers(ResultsModel::Driver), (std::vector<int>{30, 3, 2, 7}));
    EXPECT_EQ(shownDrivers(ResultsModel::Pos), (std::vector<int>{4, 1, 3, 2}));

    f->table()->selectionModel()->select(f->proxy()->index(2, 0),
                                         QItemSelectionModel::Select | QItemSelectionModel::Rows);
    const auto& series = f->chart()->series();
    ASSERT_EQ(series.size(), 2u);
    EXPECT_EQ(series[0].driver, 2);
    EXPECT_EQ(series[0].laps, (std::vector<LapPoint>{{1, 5000}, {2, 6001}}));
    EXPECT_EQ(series[1].driver, 3);
    EXPECT_EQ(series[1].bestLapNo, 3);

    // A download brings driver 5; the selection stays on its drivers.
    session().LapTimes[lapSlot(5, 1)] = 4000;
    session().LapTimes[lapSlot(2, 3)] = 4900;
    desk->refreshListsAfterDownload();
    EXPECT_EQ(shownDrivers(ResultsModel::Driver), (std::vector<int>{30, 3, 2, 5, 7}));
    ASSERT_EQ(f->chart()->series().size(), 2u);
    EXPECT_EQ(f->chart()->series()[0].laps.size(), 3u);
    EXPECT_EQ(f->model()->rows()[0].driver, 5);

    f->close();
    EXPECT_EQ(desk->childWindows().results(), nullptr);
    EXPECT_FALSE(desk->MenuView(3)->isChecked());
}
