#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QMdiArea>
#include <QSettings>
#include <QSortFilterProxyModel>
#include <QSplitter>
#include <QStandardPaths>
#include <QTableView>
#include <QTimer>
#include <limits>
#include <tuple>

#include "archive/ArchiveEntry.h"
#include "export/ResultsCsv.h"
#include "fakes/MainWindowFixture.h"
#include "results/Results.h"
#include "session/DataFile.h"
#include "session/TimeFormat.h"
#include "ui/lists/ChildWindows.h"
#include "ui/results/LapChart.h"
#include "ui/results/frmResults.h"

using namespace orvex;
using namespace std::string_literals;

namespace {

constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();

std::vector<std::int32_t> laps(std::initializer_list<std::pair<int, std::vector<std::int32_t>>> d) {
    std::vector<std::int32_t> t(kLapSlots + 1, 0);
    for (const auto& [driver, times] : d)
        for (std::size_t l = 0; l < times.size(); ++l) t[lapSlot(driver, int(l) + 1)] = times[l];
    return t;
}

std::vector<int> order(const RaceResults& r) {
    std::vector<int> v;
    for (const DriverResult& d : r.rows) v.push_back(d.driver);
    return v;
}

using Laps = std::vector<CountedLap>;

}  // namespace

TEST(Results, JoinsFalseCrossingsAnywhereAndDropsAJoinedLastLap) {
    RaceCorrections c;
    c.minLap = 1000;  // the rule catches drivers 1, 2 and 4
    const auto t = laps({{1, {5000, 300, 4700, 5100}},
                         {2, {200, 4800, 5200}},
                         {3, {5000, 5000, 250}},
                         {4, {100, 200, 300, 4400, 5000}}});
    c.setMark(lapSlot(3, 3), 250, LapCorrection::Join);  // by hand, as the last lap
    const RaceResults r = makeResults(t, c);
    EXPECT_EQ(r.find(1)->counted, (Laps{{1, 1, 5000}, {2, 3, 5000}, {4, 4, 5100}}));
    EXPECT_EQ(r.find(1)->recorded[1], (RecordedLap{2, 300, LapCorrection::Join, true, false}));
    EXPECT_EQ(r.find(2)->counted, (Laps{{1, 2, 5000}, {3, 3, 5200}}));
    EXPECT_EQ(r.find(3)->counted, (Laps{{1, 1, 5000}, {2, 2, 5000}}));
    EXPECT_EQ(r.find(3)->lapsTime, 10000);  // the dropped lap adds nothing
    EXPECT_FALSE(r.find(3)->recorded[2].byRule);
    EXPECT_EQ(r.find(4)->counted, (Laps{{1, 4, 5000}, {5, 5, 5000}}));
    // Four bests of 50.00, all on lap 1: by number.
    EXPECT_EQ(order(r), (std::vector<int>{1, 2, 3, 4}));
    EXPECT_EQ(r.find(2)->bestLapNo, 1);
    EXPECT_EQ(r.find(2)->gap, 0);
}

TEST(Results, VoidLapsCountAsLapsButNotForBestAverageOrRuns) {
    RaceCorrections c;
    const auto t = laps({{1, {5000, 400, 4600, 4900}}, {2, {5000, 4000, 300, 4700}}});
    c.setMark(lapSlot(1, 2), 400, LapCorrection::Join);
    c.setMark(lapSlot(1, 3), 4600, LapCorrection::Void);
    c.setMark(lapSlot(2, 2), 4000, LapCorrection::Void);
    c.setMark(lapSlot(2, 3), 300, LapCorrection::Join);
    c.run = 2;
    const RaceResults r = makeResults(t, c);
    const DriverResult& a = *r.find(1);
    EXPECT_EQ(a.counted, (Laps{{1, 1, 5000}, {2, 3, 5000, true}, {4, 4, 4900}}));
    EXPECT_EQ(a.laps, 3);
    EXPECT_EQ(a.lapsTime, 14900);
    EXPECT_EQ(a.bestLapNo, 4);
    EXPECT_EQ(a.average, 4950);
    EXPECT_EQ(a.runFirst, 0);  // the void lap breaks every run of two
    const DriverResult& b = *r.find(2);
    EXPECT_EQ(b.counted, (Laps{{1, 1, 5000}, {2, 2, 4000, true}, {3, 4, 5000}}));
    EXPECT_EQ(b.bestLapNo, 1);
    c.mode = RankMode::BestConsecutive;
    const RaceResults runs = makeResults(t, c);
    EXPECT_EQ(order(runs), (std::vector<int>{1, 2}));  // no run: after the others
    EXPECT_EQ(runs.rows[0].pos, 0);
    EXPECT_EQ(figureText(runs.rows[1], RankMode::BestConsecutive), "");
}

TEST(Results, AManualMarkOverridesTheRulesUntilItIsRestored) {
    RaceCorrections c;
    c.maxLap = 8000;
    c.minLap = 1000;
    const auto t = laps({{5, {9000, 500, 4500}}});
    c.setMark(lapSlot(5, 1), 9000, LapCorrection::None);  // restored over the rule
    c.setMark(lapSlot(5, 2), 500, LapCorrection::Void);   // void, not joined
    RaceResults r = makeResults(t, c);
    EXPECT_EQ(r.rows[0].counted, (Laps{{1, 1, 9000}, {2, 2, 500, true}, {3, 3, 4500}}));
    EXPECT_TRUE(r.rows[0].recorded[0].manual);
    EXPECT_EQ(r.rows[0].recorded[1].mark, LapCorrection::Void);
    EXPECT_FALSE(r.rows[0].recorded[1].byRule);
    c.setMark(lapSlot(5, 2), 500, LapCorrection::None);  // taken back: the rule joins it again
    c.setMark(lapSlot(5, 1), 9000, LapCorrection::Void);
    c.setMark(lapSlot(5, 1), 9000, LapCorrection::None);  // taken back: void by the rule
    r = makeResults(t, c);
    EXPECT_EQ(r.rows[0].counted, (Laps{{1, 1, 9000, true}, {2, 3, 5000}}));
    EXPECT_EQ(r.rows[0].recorded[1].mark, LapCorrection::Join);
    EXPECT_TRUE(r.rows[0].recorded[1].byRule);
    // Restored over the rule again; a later download with another time there is not.
    c.setMark(lapSlot(5, 1), 9000, LapCorrection::None);
    EXPECT_FALSE(makeResults(t, c).rows[0].counted.front().isVoid);
    auto later = t;
    later[lapSlot(5, 1)] = 9100;
    EXPECT_EQ(makeResults(later, c).rows[0].counted.front(), (CountedLap{1, 1, 9100, true}));
}

TEST(Results, RaceRanksByLapsThenTimeWithPenaltiesAndDisqualificationLast) {
    RaceCorrections c;
    c.mode = RankMode::Race;
    const auto t = laps({{1, {5000, 5000, 5000}},
                         {2, {4900, 4900, 4900}},
                         {3, {4000, 4000}},
                         {4, {6000}},
                         {5, {4000, 4000, 4000}},
                         {6, {5000, 5000, 5000}},
                         {9, {300}}});
    c.setPenalty(2, {1000, "jump start", false});  // 147.00 + 10 s: behind driver 1
    c.setPenalty(5, {0, "", true});
    c.setMark(lapSlot(9, 1), 300, LapCorrection::Join);  // no lap left: unranked
    const RaceResults r = makeResults(t, c);
    EXPECT_EQ(order(r), (std::vector<int>{1, 6, 2, 3, 4, 9, 5}));
    EXPECT_EQ(r.find(2)->raceTime, 15700);
    EXPECT_EQ(r.find(6)->gap, 0);  // equal time: by number
    EXPECT_EQ(r.find(2)->gap, 700);
    EXPECT_EQ(r.find(3)->gapLaps, 1);
    EXPECT_EQ(r.find(4)->gapLaps, 2);
    EXPECT_EQ(r.find(4)->pos, 5);
    EXPECT_EQ(r.find(9)->pos, 0);
    EXPECT_EQ(r.find(5)->pos, 0);
    EXPECT_EQ(r.ranked, 5);
    EXPECT_EQ(figureText(*r.find(2), RankMode::Race), "2:37.00");
    // The best-lap ranking ignores the penalty.
    c.mode = RankMode::BestLap;
    EXPECT_EQ(order(makeResults(t, c)), (std::vector<int>{3, 2, 1, 6, 4, 9, 5}));
}

TEST(Results, BestConsecutiveRunsWithTiesShortDriversAndTheLargestTimes) {
    RaceCorrections c;
    c.mode = RankMode::BestConsecutive;
    std::vector<std::int32_t> maxLaps(kLapsPerDriver, kMax);
    auto t = laps({{1, {6000, 5000, 5000, 5000}},
                   {2, {5000, 5000, 5000}},
                   {3, {5000, 5000, 5000, 6000}},
                   {4, {4000, 4000}},
                   {30, maxLaps}});
    const RaceResults r = makeResults(t, c);
    // Equal runs: the earlier start, then the number.
    EXPECT_EQ(order(r), (std::vector<int>{2, 3, 1, 30, 4}));
    EXPECT_EQ(figureText(*r.find(1), c.mode), "2:30.00 (2-4)");
    EXPECT_EQ(r.find(4)->pos, 0);  // fewer laps than the run
    // 64-bit sums: a run of 10, a whole race and a join of the largest laps.
    c.run = 10;
    c.setMark(lapSlot(30, 1), kMax, LapCorrection::Join);
    const RaceResults all = makeResults(t, c);
    const DriverResult& big = *all.find(30);
    EXPECT_EQ(big.runTime, std::int64_t{kMax} * 10);
    EXPECT_EQ(big.lapsTime, std::int64_t{kMax} * 25);
    EXPECT_EQ(big.counted.front().time, std::int64_t{kMax} * 2);
    EXPECT_EQ(big.average, std::int64_t{kMax} * 25 / 24);
    EXPECT_EQ(FormatTime(big.lapsTime), "149130:48.31.75");
}

TEST(Results, TheSessionsBestLapGoesToTheEarlierLapThenTheLowerNumber) {
    RaceCorrections c;
    c.mode = RankMode::Race;  // driver 4 ranks first, with a slower best
    const auto t = laps({{4, {5000, 5000, 5000, 5000}},
                         {3, {4000, 5000}},
                         {2, {5000, 4000}},
                         {1, {5000, 5000, 4000}},
                         {5, {300, 3800}}});
    c.setMark(lapSlot(5, 1), 300, LapCorrection::Join);  // 41.00 joined: no lap of 38.00
    RaceResults r = makeResults(t, c);
    EXPECT_EQ(r.best, 4000);
    EXPECT_EQ(r.bestDriver, 3);  // lap 1, before driver 2's lap 2 and driver 1's lap 3
    EXPECT_EQ(r.bestLapNo, 1);
    c.setMark(lapSlot(3, 1), 4000, LapCorrection::Void);
    r = makeResults(t, c);
    EXPECT_EQ(r.bestDriver, 2);
    // Each driver's own best lap is marked once, and not on a joined lap.
    EXPECT_TRUE(r.find(2)->recorded[1].best);
    EXPECT_FALSE(r.find(2)->recorded[0].best);
    EXPECT_FALSE(r.find(5)->recorded[0].best);
    // The archive keeps what the results say.
    Session s;
    s.LapTimes = t;
    s.Corrections = c;
    s.DriverNames[2] = "Bea";
    bool ok = false;
    const ArchiveEntry e = makeArchiveEntry(s, ok);
    EXPECT_EQ(std::make_tuple(e.best, e.bestNo, e.bestName), std::make_tuple(4000, 2, "Bea"s));
    // Equal laps on the same lap number: the lower number.
    EXPECT_EQ(makeResults(laps({{7, {4500}}, {6, {4500}}}), {}).bestDriver, 6);
}

TEST(Results, SpeedsAreNumbersThatFollowTheTextSpeedToTheLastDigit) {
    // The largest length a track text gives with the shortest laps (beyond 64
    // bits below 36), and a joined best lap beyond 32 bits.
    const std::int64_t largest = TrackMetres("9000000000000000");
    RaceCorrections c;
    c.setMark(lapSlot(3, 1), kMax, LapCorrection::Join);
    const auto t = laps({{1, {1, 35, 36}}, {2, {7200, 4999}}, {3, {kMax, kMax}}});
    for (const std::int64_t metres : {std::int64_t{1}, std::int64_t{1234}, largest}) {
        const std::string length = std::to_string(metres);
        for (const DriverResult& d : makeResults(t, c, metres).rows) {
            EXPECT_EQ(d.bestSpeed ? speedText(*d.bestSpeed, ",") : "",
                      LapSpeed(FormatTime(d.best), length, ","));
            for (const RecordedLap& l : d.recorded)
                EXPECT_EQ(l.speed ? speedText(*l.speed, ".") : "",
                          LapSpeed(FormatTime(l.time), length, "."));
        }
    }
    EXPECT_EQ(makeResults(t, c, largest).find(1)->recorded[2].speed, 9000000000000000000);
    EXPECT_EQ(makeResults(t, c, 0).find(2)->bestSpeed, std::nullopt);  // no track length
}

// Against the median of the laps that are not void: 60.50 for driver 1's
// six; driver 3's three laps have 60.00 and driver 4's even four too.
TEST(Results, SuspectLapsStandAgainstTheDriversMedianAndAJoinClearsTheMark) {
    RaceCorrections c;
    const auto t = laps({{1, {6000, 6200, 1000, 5100, 6100, 12500}},
                         {2, {6000, 1000}},
                         {3, {6000, 6000, 4199}},
                         {4, {6000, 4200, 9000, 6000}}});
    const auto suspects = [&](int driver) {
        std::vector<int> v;
        const RaceResults r = makeResults(t, c);
        for (const CountedLap& l : r.find(driver)->counted)
            if (l.suspect) v.push_back(l.last);
        return v;
    };
    EXPECT_EQ(makeResults(t, c).suspects, 3);
    EXPECT_EQ(suspects(1), (std::vector<int>{3, 6}));
    EXPECT_EQ(suspects(2), std::vector<int>{});  // two laps: no median
    EXPECT_EQ(suspects(3), std::vector<int>{3});
    EXPECT_EQ(suspects(4), std::vector<int>{});  // 70% and 150% themselves are not suspect

    // Joined, 10.00 and 51.00 count as 61.00, and the lap that counts says so.
    c.setMark(lapSlot(1, 3), 1000, LapCorrection::Join);
    EXPECT_EQ(suspects(1), std::vector<int>{6});
    const RecordedLap fourth = makeResults(t, c).find(1)->recorded[3];
    EXPECT_EQ(std::tuple(fourth.countedFirst, fourth.countedTime, fourth.suspect),
              std::tuple(3, 6100, false));
    c.setMark(lapSlot(1, 6), 12500, LapCorrection::Void);
    EXPECT_EQ(suspects(1), std::vector<int>{});
    c.suspectShort = 60;
    c.suspectLong = 200;
    EXPECT_EQ(makeResults(t, c).suspects, 0);
}

TEST(Results, TheCsvFollowsTheModeWithPenaltyAndReason) {
    Session s;
    s.LapTimes = laps({{2, {5000, 6001}}, {3, {5000, 4800}}, {4, {360000}}});
    s.SessionLength = "1000";
    s.Corrections.mode = RankMode::Race;
    s.Corrections.setPenalty(3, {150, "cut; chicane", false});
    s.Corrections.setPenalty(4, {0, "", true});
    s.Corrections.dsqReasons[4] = "unsafe re-entry";
    s.LapTimes[lapSlot(4, 1)] = 4700;
    s.DriverNames[3] = "=Ann";
    const std::string csv = ResultsCsv(s, ",");
    // Each time has its twin in seconds; a gap in laps has none.
    EXPECT_EQ(csv,
              "Pos;Driver;Name;Laps;Race time;Race time (s);Gap;Gap (s);Average lap;"
              "Average lap (s);Best speed (km/h);Penalty (s);Reason;DSQ reason;Status\r\n"
              "1;3;'=Ann;2;1:39.50;99,50;;;49.00;49,00;75,00;1,50;\"cut; chicane\";;Provisional\r\n"
              "2;2;;2;1:50.01;110,01;+10.51;10,51;55.01;55,01;72,00;;;;Provisional\r\n"
              "DSQ;4;;1;47.00;47,00;;;47.00;47,00;76,59;;;unsafe re-entry;Provisional\r\n");
}

class ResultsWindowTest : public MainWindowFixture {
protected:
    void SetUp() override {
        QStandardPaths::setTestModeEnabled(true);
        QSettings("ORVEX", "ORVEX").remove("Results");
        MainWindowFixture::SetUp();
        Session& s = session();
        s.ResetSession();
        s.FileState = FileState::Saved;
        s.LapTimes = laps({{2, {5000, 6001}}, {3, {5000, 0, 4800, 0, 4800}}, {7, {0, 0, 0, 4800}}});
        load();
    }
    frmResults* f() { return desk->resultsWindow(); }
    std::vector<int> shown(int column) {
        std::vector<int> v;
        for (int r = 0; r < f()->proxy()->rowCount(); ++r)
            v.push_back(f()->proxy()->index(r, column).data().toInt());
        return v;
    }
    void selectRow(QTableView* t, int row) {
        t->setCurrentIndex(t->model()->index(row, 0));
        t->selectionModel()->select(t->model()->index(row, 0), QItemSelectionModel::ClearAndSelect |
                                                                   QItemSelectionModel::Rows);
    }
};

TEST_F(ResultsWindowTest, MarksLapsAndPenaltiesReranksAndFollowsADownload) {
    desk->MenuView(3)->trigger();
    ASSERT_NE(f(), nullptr);
    EXPECT_EQ(shown(ResultsModel::Driver), (std::vector<int>{3, 7, 2}));
    EXPECT_EQ(f()->currentDriver(), 3);
    EXPECT_EQ(f()->lapsModel()->rowCount(), 3);  // driver 3's recorded laps
    // Times in the results' form: a tie shows a gap of none.
    const auto text = [&](int row, int column) {
        return f()->proxy()->index(row, column).data().toString();
    };
    EXPECT_EQ(text(1, ResultsModel::Figure), "48.00 (4)");
    EXPECT_EQ(text(1, ResultsModel::Gap), "+0.00");
    EXPECT_EQ(text(2, ResultsModel::Gap), "+2.00");
    EXPECT_EQ(f()->lapsModel()->index(0, 1).data().toString(), "50.00");

    // Void both of driver 3's fast laps: a tie with driver 2 on lap 1, by number.
    for (int row : {1, 2}) {
        selectRow(f()->lapsTable(), row);
        f()->lapAction(LapCorrection::Void)->trigger();
    }
    EXPECT_EQ(shown(ResultsModel::Driver), (std::vector<int>{7, 2, 3}));
    EXPECT_EQ(session().FileState, FileState::Modified);
    EXPECT_EQ(f()->lapsModel()->index(2, 2).data().toString(), "void");
    EXPECT_EQ(f()->currentDriver(), 3);  // the driver stays current as it moves
    ASSERT_EQ(f()->chart()->series().size(), 1u);
    EXPECT_EQ(f()->chart()->series()[0].laps[2].mark, LapCorrection::Void);
    selectRow(f()->lapsTable(), 2);
    f()->lapAction(LapCorrection::None)->trigger();
    EXPECT_EQ(shown(ResultsModel::Driver), (std::vector<int>{7, 3, 2}));  // 48.00 on lap 4, 5
    EXPECT_EQ(session().LapTimes[lapSlot(3, 3)], 4800);

    // Race: most laps first; the mode's column follows.
    f()->findChild<QComboBox*>("cboRank")->setCurrentIndex(1);
    EXPECT_EQ(session().Corrections.mode, RankMode::Race);
    EXPECT_EQ(f()->model()->headerData(ResultsModel::Figure, Qt::Horizontal, Qt::DisplayRole),
              "Race time");
    EXPECT_EQ(shown(ResultsModel::Driver), (std::vector<int>{3, 2, 7}));
    f()->setPenalty(7, {0, "", true});
    EXPECT_EQ(f()->proxy()->index(2, ResultsModel::Pos).data().toString(), "DSQ");

    // A download brings driver 5; corrections, rules and mode hold for it too.
    session().Corrections.minLap = 1000;
    session().LapTimes[lapSlot(5, 1)] = 300;
    session().LapTimes[lapSlot(5, 2)] = 4000;
    desk->refreshListsAfterDownload();
    EXPECT_EQ(shown(ResultsModel::Driver), (std::vector<int>{3, 2, 5, 7}));
    EXPECT_EQ(f()->model()->results().find(5)->counted, (Laps{{1, 2, 4300}}));

    f()->close();
    EXPECT_EQ(desk->resultsWindow(), nullptr);
    EXPECT_FALSE(desk->MenuView(3)->isChecked());
}

// The boxes name the driver; Disqualify asks a reason, which the Penalty
// column shows, and taking it back asks nothing.
TEST_F(ResultsWindowTest, DisqualifyAsksAReasonAndUndisqualifyDoesNot) {
    session().DriverNames[3] = "Anna Rossi";
    desk->MenuView(3)->trigger();
    ASSERT_EQ(f()->currentDriver(), 3);
    QStringList titles;
    const auto answer = [&](const QString& reason) {
        QTimer::singleShot(0, [&titles, reason] {
            auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!d) return;
            titles << d->windowTitle();
            d->findChild<QLineEdit*>("txtReason")->setText(reason);
            d->accept();
        });
    };
    QAction* penalty = f()->table()->actions().at(0);
    QAction* disqualify = f()->table()->actions().at(1);
    answer("");
    penalty->trigger();
    answer("unsafe re-entry");
    disqualify->trigger();
    EXPECT_EQ(session().Corrections.dsqReasons.at(3), "unsafe re-entry");
    EXPECT_EQ(f()->proxy()->index(2, ResultsModel::Penalty).data().toString(),
              "DSQ: unsafe re-entry");
    answer("asked");
    disqualify->trigger();
    QCoreApplication::processEvents();
    EXPECT_EQ(titles, QStringList({"Penalty for No. 3 Anna Rossi", "Disqualify No. 3 Anna Rossi"}));
    EXPECT_FALSE(session().Corrections.penaltyOf(3).disqualified);
    EXPECT_TRUE(session().Corrections.dsqReasons.empty());
}

TEST_F(ResultsWindowTest, MarksAndTheRankingComeBackFromTheSavedFile) {
    fakes.files.folders.insert("/data");
    desk->MenuView(3)->trigger();
    for (int row : {1, 2}) {
        selectRow(f()->lapsTable(), row);
        f()->lapAction(LapCorrection::Void)->trigger();
    }
    f()->setPenalty(2, {200, "track limits", false});
    f()->findChild<QComboBox*>("cboRank")->setCurrentIndex(1);
    const std::vector<int> ranks = shown(ResultsModel::Driver);
    EXPECT_EQ(ranks, (std::vector<int>{3, 2, 7}));
    ASSERT_TRUE(File_Write("/data/Race.DAT", nullptr));
    session().ResetSession();
    desk->childWindows().refreshLists(ListChange::NewSession);
    EXPECT_EQ(f()->proxy()->rowCount(), 0);
    ASSERT_EQ(File_Read("/data/Race.DAT", session()), FileRead::Whole);
    desk->childWindows().refreshLists(ListChange::NewSession);
    EXPECT_EQ(shown(ResultsModel::Driver), ranks);
    EXPECT_EQ(f()->model()->headerData(ResultsModel::Figure, Qt::Horizontal, Qt::DisplayRole),
              "Race time");
    EXPECT_EQ(f()->lapsModel()->index(1, 2).data().toString(), "void");
    EXPECT_TRUE(fakes.messages.shown.empty());
}

TEST_F(ResultsWindowTest, OpensWithTwelveRowsAndKeepsItsNormalGeometryWhenMinimised) {
    desk->resize(1024, 1000);  // room for twelve rows and the chart
    desk->MenuView(3)->trigger();
    QTableView* t = f()->table();
    EXPECT_GE(t->viewport()->height(), 12 * t->verticalHeader()->defaultSectionSize());
    f()->resize(720, 760);
    f()->splitter()->setSizes({520, 180});
    const QList<int> sizes = f()->splitter()->sizes();
    f()->showMinimized();
    f()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    desk->MenuView(3)->trigger();
    EXPECT_EQ(f()->size(), QSize(720, 760));
    EXPECT_EQ(f()->splitter()->sizes(), sizes);
}

TEST_F(ResultsWindowTest, AtTheSmallestMainWindowEveryPartIsInReachEvenFromALargerOnesPlace) {
    ASSERT_EQ(desk->size(), QSize(800, 600));
    const QWidget* view = desk->mdiArea()->viewport();
    const auto expectInReach = [&] {
        EXPECT_TRUE(view->rect().contains(f()->geometry()));
        for (QWidget* part :
             std::initializer_list<QWidget*>{f()->table(), f()->lapsTable(), f()->chart()}) {
            EXPECT_TRUE(part->isVisible());
            EXPECT_TRUE(view->rect().contains(QRect(part->mapTo(view, QPoint(0, 0)), part->size())))
                << part->objectName().toStdString();
        }
        QTableView* t = f()->table();
        EXPECT_GE(t->viewport()->height(), 3 * t->verticalHeader()->defaultSectionSize());
        EXPECT_GE(f()->lapsTable()->viewport()->height(),
                  3 * t->verticalHeader()->defaultSectionSize());
        EXPECT_GE(f()->chart()->height(), f()->chart()->minimumHeight());
        t->scrollTo(t->model()->index(0, ResultsModel::Penalty));
        const int x = t->columnViewportPosition(ResultsModel::Penalty);
        EXPECT_GE(x, 0);
        EXPECT_LE(x + t->columnWidth(ResultsModel::Penalty), t->viewport()->width());
    };
    desk->MenuView(3)->trigger();
    expectInReach();

    // Saved under a larger main window: shown inside, and the place is kept
    // for the larger one while nobody moves the window.
    f()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    const QRect large(600, 500, 900, 800);
    QSettings("ORVEX", "ORVEX").setValue("Results/geometry", large);
    desk->MenuView(3)->trigger();
    expectInReach();
    f()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(QSettings("ORVEX", "ORVEX").value("Results/geometry").toRect(), large);
}
