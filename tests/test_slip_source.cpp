#include <gtest/gtest.h>

#include "session/Session.h"
#include "slips/SlipSource.h"

using namespace orvex;

TEST(SlipSource, SlipsFollowTheRankingWithTheBestLapMarkedAndTheLeaderWithoutAGap) {
    Session s;
    s.ResetSession();
    s.SessionTrack = "Pista";
    s.LapTimes[lapSlot(5, 1)] = 6000;
    s.LapTimes[lapSlot(5, 3)] = 5500;  // slot 2 empty
    s.LapTimes[lapSlot(2, 1)] = 5000;
    const std::vector<SlipDriver> slips = SlipDrivers(s, ".");
    ASSERT_EQ(slips.size(), 2u);  // drivers without laps get none
    EXPECT_EQ(slips[0].driver, 2);
    EXPECT_FALSE(slips[0].gap);
    EXPECT_EQ(slips[1].driver, 5);
    EXPECT_EQ(slips[1].pos, 2);
    EXPECT_EQ(slips[1].fieldSize, 2);
    EXPECT_EQ(slips[1].gap, 500);
    EXPECT_EQ(slips[1].bestSpeed, "");  // no track length
    EXPECT_EQ(slips[1].track, "Pista");
    ASSERT_EQ(slips[1].laps.size(), 2u);
    EXPECT_EQ(slips[1].laps[1].lap, 3);
    EXPECT_EQ(slips[1].laps[1].mark, LapMark::Best);
    EXPECT_EQ(slips[1].laps[0].mark, LapMark::Normal);

    s.SessionLength = "1000";
    EXPECT_EQ(SlipDrivers(s, ",")[0].bestSpeed, "72");
    EXPECT_EQ(SlipsOf(slips, {5, 9}).size(), 1u);
}
