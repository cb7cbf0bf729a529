#include <gtest/gtest.h>

#include <algorithm>

#include "fakes/FakePlatform.h"
#include "session/Session.h"
#include "session/TimeFormat.h"

using namespace orvex;
// "x"s, not "x": GCC 12 at -O3 takes assigning a one-letter literal for an
// overlapping copy (-Wrestrict).
using namespace std::string_literals;

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
    void SetUp() override { s.ResetSession(); }
};

}  // namespace

TEST_F(SessionTest, LapListReadsTheDriversOwnSlotsAndRefreshesOnlyAnOpenLapsWindow) {
    s.LapTimes[750] = 100;
    RecordingViews views;
    s.views = &views;
    s.MakeLapList(30);
    EXPECT_EQ(s.LapList[25].Text, "00:00.01.00");
    EXPECT_EQ(views.refreshes, 0);
    s.LapsWin.Open = -1;
    s.MakeLapList(2);
    EXPECT_EQ(views.refreshes, 1);

    // Lists without entries are left alone; with no lap entries every total is 0.
    s.LapList.resize(1);
    s.MakeLapList(1);
    s.MakeLapList(31);
    EXPECT_EQ(s.LapList.size(), 1u);
    s.MakeTotals();
    EXPECT_EQ(s.TotalList[30].Text, "00:00.00.00");
}

TEST_F(SessionTest, TotalsSumEachDriversLapsAndClampInsteadOfWrapping) {
    for (int l = 1; l <= 25; ++l) {
        s.LapTimes[lapSlot(2, l)] = 6000;
        s.LapTimes[lapSlot(4, l)] = 2000000000;
    }
    s.MakeTotals();
    EXPECT_EQ(s.TotalList[2].Text, "00:25.00.00");
    EXPECT_EQ(s.TotalList[4].Text, FormatTime(2147483647));
}

// Reverse order, the worst case of the exchange sort, in pairs of equal
// totals; a total of a hundred hours sorts after 99:59.59.99 by its value.
TEST_F(SessionTest, SortOrdersAllThirtyTotalsByValueKeepingDriverOrderForEqualOnes) {
    auto total = [](int d) { return d == 1 ? 36000000 : d == 2 ? 35999999 : (31 - d) / 2 * 1000; };
    std::vector<int> expected;
    for (int d = 1; d <= 30; ++d) s.LapTimes[lapSlot(d, 1)] = total(expected.emplace_back(d));
    s.MakeTotals();
    s.SortTotals();
    std::stable_sort(expected.begin(), expected.end(),
                     [&](int a, int b) { return total(a) < total(b); });
    for (int i = 1; i <= kDrivers; ++i) EXPECT_EQ(s.SortedTotalList[i].Number, expected[i - 1]);
    EXPECT_EQ(s.SortedTotalList[30], (TimeItem{1, "100:00.00.00"}));
}

TEST(TimeTexts, TimesAreWrittenPaddedAndReadAsTypedOrAsWritten) {
    const std::pair<const char*, std::int32_t> good[] = {{"", 0},
                                                         {"  ", 0},
                                                         {"30", 3000},
                                                         {" 30.5 ", 3050},
                                                         {"30,25", 3025},
                                                         {"00:30.00", 3000},
                                                         {"1:05", 6500},
                                                         {"00:01.05.07", 6507},
                                                         {"1:02:03.45", 372345}};
    for (const auto& [text, value] : good) EXPECT_EQ(parseTime(text), value) << text;
    for (const char* bad : {"abc", "30s", "-5", "1:60", "1::5", "30.123", ".5", "5.", "1.2.3",
                            "99999999999", "1000000:00:00.00"})
        EXPECT_EQ(parseTime(bad), std::nullopt) << bad;
    // Fields zero-padded at their boundaries, hours growing; and read back.
    const std::pair<std::int32_t, const char*> written[] = {{99, "00:00.00.99"},
                                                            {359999, "00:59.59.99"},
                                                            {45296789, "125:49.27.89"},
                                                            {2147483647, "5965:13.56.47"}};
    for (const auto& [t, text] : written) {
        EXPECT_EQ(FormatTime(t), text);
        EXPECT_EQ(parseTime(text), t);
        EXPECT_EQ(parseTime(minutesText(t)), t);
    }
    EXPECT_EQ(minutesText(0), "");
}

TEST(TimeTexts, ResultsClockFormGrowsMinutesAndHoursOnlyWhenNeededAndReadsBack) {
    const std::pair<std::int64_t, const char*> clock[] = {{5, "0.05"},
                                                          {5820, "58.20"},
                                                          {5999, "59.99"},
                                                          {6000, "1:00.00"},
                                                          {8453, "1:24.53"},
                                                          {359999, "59:59.99"},
                                                          {360000, "1:00:00.00"},
                                                          {372453, "1:02:04.53"},
                                                          {2147483647, "5965:13:56.47"}};
    for (const auto& [t, text] : clock) {
        EXPECT_EQ(clockText(t), text);
        EXPECT_EQ(parseTime(text), t) << text;
    }
    EXPECT_EQ(clockText(0), "");
    EXPECT_EQ(gapTimeText(215), "+2.15");
    EXPECT_EQ(gapTimeText(14905), "+2:29.05");
    EXPECT_EQ(gapTimeText(0), "");
}

TEST(TimeTexts, SpeedIsTruncatedToTheShortestHundredthsAndNeverOverflows) {
    FakePlatform fakes;
    fakes.regional.separator = ","s;
    session().SessionLength = "1000";
    EXPECT_EQ(LapSpeed("00:01.23.45"), "43,13");  // 43.1396...
    session().SessionLength.clear();
    EXPECT_EQ(LapSpeed("00:00.07.20", "1", "."), "0.5");
    EXPECT_EQ(LapSpeed(FormatTime(0), "1000", "."), "");
    // 100 km in one hour: the product 100000 x 36000 needs more than 32 bits.
    EXPECT_EQ(LapSpeed("01:00.00.00", "100000", "."), "100");
    // An absurd length is exact while the speed fits 64 bits, and no speed beyond;
    // a lap that reads negative has none either.
    EXPECT_EQ(LapSpeed("00:01.00.00", "1000000000000000", "."), "60000000000000");
    EXPECT_EQ(LapSpeed("00:00.00.01", "1000000000000000", "."), "");
    EXPECT_EQ(LapSpeed(FormatTime(-6000), "1000", "."), "");
    // The track length is the leading number rounded to even.
    const std::pair<const char*, int> lengths[] = {
        {"1234.5 m", 1234}, {"1235.5", 1236}, {" 1 2 0 0", 1200}, {"1,5", 1}, {"m 1000", 0}};
    for (const auto& [text, metres] : lengths) EXPECT_EQ(TrackMetres(text), metres) << text;
}
