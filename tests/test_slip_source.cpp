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
    EXPECT_TRUE(slips[0].gap.empty());
    EXPECT_EQ(slips[1].driver, 5);
    EXPECT_EQ(slips[1].pos, 2);
    EXPECT_EQ(slips[1].fieldSize, 2);
    EXPECT_EQ(slips[1].gap, "+5.00");
    EXPECT_EQ(slips[1].bestSpeed, "");  // no track length
    EXPECT_EQ(slips[1].track, "Pista");
    ASSERT_EQ(slips[1].laps.size(), 2u);
    EXPECT_EQ(slips[1].laps[1].lap, 3);
    EXPECT_EQ(slips[1].laps[1].mark, LapMark::Best);
    EXPECT_EQ(slips[1].laps[0].mark, LapMark::Normal);

    s.SessionLength = "1000";
    EXPECT_EQ(SlipDrivers(s, ",")[0].bestSpeed, "72");
    EXPECT_EQ(SlipsOf(slips, {5, 9}).size(), 1u);

    // The corrections and the ranking of the Results window hold on the slips too.
    s.Corrections.mode = RankMode::Race;
    s.Corrections.setMark(lapSlot(5, 1), 6000, LapCorrection::Void);
    s.Corrections.setPenalty(5, {1000, "jump start", false});
    s.Corrections.setPenalty(2, {0, "unsafe", true});
    const std::vector<SlipDriver> race = SlipDrivers(s, ".");
    EXPECT_EQ(race[0].driver, 5);
    EXPECT_EQ(race[0].rankingMode, "Race");
    EXPECT_EQ(race[0].fieldSize, 1);
    EXPECT_EQ(race[0].laps[0].mark, LapMark::Void);
    EXPECT_EQ(race[0].laps[1].mark, LapMark::Best);
    EXPECT_EQ(race[0].penaltySeconds, 10);
    EXPECT_EQ(race[0].penaltyReason, "jump start");
    EXPECT_TRUE(race[1].dsq);
    EXPECT_EQ(race[1].dsqReason, "unsafe");
    EXPECT_EQ(race[1].pos, 0);
}
