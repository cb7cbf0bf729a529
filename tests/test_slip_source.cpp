#include <gtest/gtest.h>

#include "session/Session.h"
#include "slips/SlipSource.h"

using namespace orvex;

TEST(SlipSource, SlipsFollowTheResultsWithTheSessionsTextsAndTheDecimalSeparator) {
    Session s;
    s.ResetSession();
    s.SessionTrack = "Pista";
    s.LapTimes[lapSlot(5, 1)] = 6000;
    s.LapTimes[lapSlot(5, 3)] = 5500;  // slot 2 empty
    s.LapTimes[lapSlot(2, 1)] = 5000;
    s.Corrections.mode = RankMode::Race;
    s.Corrections.setPenalty(2, {0, "unsafe", true});
    const std::vector<SlipDriver> slips = slipDrivers(s, ",");
    ASSERT_EQ(slips.size(), 2u);  // drivers without laps get none
    EXPECT_EQ(slips[0].result.driver, 5);
    EXPECT_EQ(slips[0].track, "Pista");
    EXPECT_EQ(slips[0].decimal, ",");
    EXPECT_EQ(slips[0].mode, RankMode::Race);
    EXPECT_EQ(slips[0].fieldSize, 1);
    EXPECT_TRUE(slips[1].result.disqualified);
    EXPECT_EQ(slipsOf(slips, {2, 9}).size(), 1u);
}
