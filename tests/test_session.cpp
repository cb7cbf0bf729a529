#include <gtest/gtest.h>

#include "fakes/FakePlatform.h"
#include "session/Session.h"
#include "session/TimeFormat.h"

using namespace orvex;

namespace {

class RecordingViews : public SessionViews {
public:
    int refreshes = 0;
    void lapListChanged() override { ++refreshes; }
};

class SessionTest : public ::testing::Test {
protected:
    FakePlatform fakes;
    Session s;
    void SetUp() override {
        fakes.folder.folder = "/opt/orvex";
        s.ResetSession();
    }
    std::vector<int> sortedDrivers() const {
        std::vector<int> d;
        for (int i = 1; i <= kDrivers; ++i) d.push_back(s.SortedTotalList[i].Number);
        return d;
    }
};

}  // namespace

TEST_F(SessionTest, ResetGivesAnEmptySessionInDriverOrderAndLeavesFileStateAlone) {
    s.FileState = FileState::Modified;
    s.SessionNote = "old";
    s.LapsWin = WinState{-1, 10, 20, 30, 40};
    s.ResetSession();
    EXPECT_EQ(s.AppPath, "/opt/orvex");
    EXPECT_EQ(s.DataFileName, "New");
    EXPECT_EQ(s.DataFilePath, "/opt/orvex");
    ASSERT_EQ(s.LapTimes.size(), 751u);
    ASSERT_EQ(s.LapList.size(), 26u);
    ASSERT_EQ(s.SortedLapList.size(), 26u);
    ASSERT_EQ(s.TotalList.size(), 31u);
    for (int l = 1; l <= 25; ++l) EXPECT_EQ(s.LapList[l].Text, "00:00.00.00");
    for (int d = 1; d <= 30; ++d) {
        EXPECT_EQ(s.TotalList[d].Text, "00:00.00.00");
        EXPECT_EQ(s.SortedTotalList[d].Number, d);
    }
    EXPECT_EQ(s.LapCount, 0);
    EXPECT_EQ(s.TotalTime, "0:00:00.00");
    EXPECT_EQ(s.AverageLap, "00:00.00");
    EXPECT_EQ(s.FastestLap, "00:00.00");
    EXPECT_EQ(s.SessionNote, "");
    EXPECT_EQ(s.LapsWin, WinState{});
    EXPECT_EQ(s.SavedLapsWin, (WinState{0, -1, 0, 0, 0}));
    EXPECT_EQ(s.SavedSessionWin.Left, -1);
    EXPECT_EQ(s.SavedStatWin.Left, -1);
    EXPECT_EQ(s.FileState, FileState::Modified);
}

TEST_F(SessionTest, LapListReadsTheDriversOwnSlotsAndRefreshesAnOpenLapsWindow) {
    s.LapTimes[lapSlot(1, 1)] = 6000;
    s.LapTimes[lapSlot(30, 1)] = 8345;
    s.LapTimes[750] = 100;
    s.MakeLapList(30);
    EXPECT_EQ(lapSlot(30, 1), 726);
    EXPECT_EQ(s.LapList[1].Text, "00:01.23.45");
    EXPECT_EQ(s.LapList[25].Text, "00:00.01.00");
    s.MakeLapList(1);
    EXPECT_EQ(s.LapList[1].Text, "00:01.00.00");
    EXPECT_EQ(s.LapList[25].Text, "00:00.00.00");

    RecordingViews views;  // the laps window is refreshed only when open
    s.views = &views;
    s.MakeLapList(2);
    EXPECT_EQ(views.refreshes, 0);
    s.LapsWin.Open = -1;
    s.MakeLapList(2);
    EXPECT_EQ(views.refreshes, 1);
}

TEST_F(SessionTest, LapListWithoutLapEntriesIsLeftAlone) {
    s.LapList.resize(1);
    s.LapList[0].Text = "x";
    s.MakeLapList(1);
    s.MakeLapList(31);
    EXPECT_EQ(s.LapList.size(), 1u);
    EXPECT_EQ(s.LapList[0].Text, "x");
    // With no lap entries every total is 0.
    s.LapTimes[1] = 500;
    s.MakeTotals();
    EXPECT_EQ(s.TotalList[1].Text, "00:00.00.00");
}

TEST_F(SessionTest, TotalsSumEachDriversLapsAndClampInsteadOfWrapping) {
    for (int l = 1; l <= 25; ++l) s.LapTimes[lapSlot(2, l)] = 6000;
    s.LapTimes[lapSlot(3, 25)] = 1;
    s.MakeTotals();
    EXPECT_EQ(s.TotalList[1].Text, "00:00.00.00");
    EXPECT_EQ(s.TotalList[2].Text, "00:25.00.00");
    EXPECT_EQ(s.TotalList[3].Text, "00:00.00.01");

    for (int l = 1; l <= 25; ++l) s.LapTimes[lapSlot(4, l)] = 2000000000;
    s.MakeTotals();
    EXPECT_EQ(s.TotalList[4].Text, FormatTime(2147483647));
}

TEST_F(SessionTest, SortKeepsDriverOrderForEqualTotals) {
    s.LapTimes[lapSlot(5, 1)] = 700;
    s.LapTimes[lapSlot(9, 1)] = 500;
    s.LapTimes[lapSlot(3, 1)] = 700;
    s.MakeTotals();
    s.SortTotals();
    std::vector<int> expected;
    for (int d = 1; d <= 30; ++d)
        if (d != 3 && d != 5 && d != 9) expected.push_back(d);  // no laps: first, in order
    expected.insert(expected.end(), {9, 3, 5});
    EXPECT_EQ(sortedDrivers(), expected);
}

TEST_F(SessionTest, SortOrdersThirtyDistinctTotalsCompletely) {
    // Reverse order is the worst case of the exchange sort: the two smallest
    // totals start at the far end and must reach the first two lines.
    for (int d = 1; d <= 30; ++d) s.LapTimes[lapSlot(d, 1)] = (31 - d) * 1000;
    s.MakeTotals();
    s.SortTotals();
    for (int i = 1; i <= 30; ++i) {
        EXPECT_EQ(s.SortedTotalList[i].Number, 31 - i);
        EXPECT_EQ(s.SortedTotalList[i].Text, s.TotalList[31 - i].Text);
    }
    for (int i = 1; i < 30; ++i)
        EXPECT_LT(s.SortedTotalList[i].Text, s.SortedTotalList[i + 1].Text);
}

TEST_F(SessionTest, ChangeFieldMarksOnlyARealChange) {
    s.FileState = FileState::Saved;
    s.SessionTrack = "Monza";
    s.ChangeField(s.SessionTrack, "Monza");
    EXPECT_EQ(s.FileState, FileState::Saved);
    s.ChangeField(s.SessionTrack, "monza");
    EXPECT_EQ(s.FileState, FileState::Modified);
    EXPECT_EQ(s.SessionTrack, "monza");
    s.FileState = FileState::New;
    s.ChangeField(s.SessionTrack, "monza ");
    EXPECT_EQ(s.FileState, FileState::Modified);
}
