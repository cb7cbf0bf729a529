#include <gtest/gtest.h>

#include "archive/ArchiveEntry.h"
#include "fakes/FakePlatform.h"
#include "session/Session.h"

using namespace orvex;

namespace {

// Driver d's laps: base + d, then slower by a second each lap.
Session race(int drivers, int laps, std::int32_t base = 5000) {
    Session s;
    s.ResetSession();
    for (int d = 1; d <= drivers; ++d)
        for (int l = 1; l <= laps; ++l) s.LapTimes[lapSlot(d, l)] = base + d * 7 + (l - 1) * 100;
    return s;
}

}  // namespace

TEST(ArchiveEntry, TheHashIsTheLapsAloneAndSeesEverySlot) {
    FakePlatform fakes;
    Session a = race(3, 5), b = race(3, 5);
    b.SessionTrack = "Other";
    b.DriverNames[1] = "Anna";
    EXPECT_EQ(lapHash(a.LapTimes), lapHash(b.LapTimes));
    b.LapTimes[kLapSlots] = 1;  // the very last slot
    EXPECT_NE(lapHash(a.LapTimes), lapHash(b.LapTimes));
    b = a;
    std::swap(b.LapTimes[1], b.LapTimes[2]);
    EXPECT_NE(lapHash(a.LapTimes), lapHash(b.LapTimes));
    // A short list is a list of empty slots, not another session.
    EXPECT_EQ(lapHash({0, 0}), lapHash(std::vector<std::int32_t>(kLapSlots + 1, 0)));
}

TEST(ArchiveEntry, TrackKeysIgnoreCaseAndEveryBlank) {
    EXPECT_EQ(trackKey("  Monza\tCircuit "), "monzacircuit");
    EXPECT_EQ(trackKey("MONZA CIRCUIT"), trackKey("monza circuit"));
    EXPECT_EQ(trackKey("\xC3\x89"
                       "TANG\xC2\xA0"
                       "Blanc"),
              "\xC3\xA9"
              "tangblanc");  // É, no-break space
    EXPECT_EQ(trackKey("2\xC3\x97"
                       "3"),
              "2\xC3\x97"
              "3");  // the multiplication sign stays
    EXPECT_EQ(trackKey("   "), "");
}

TEST(ArchiveEntry, OnlyTheHeaderItemMakesADataFile) {
    const char good[] = "\x09\x00ORVEX:1.0\x02\x00";
    EXPECT_TRUE(looksLikeDataFile(good, sizeof good - 1));
    EXPECT_FALSE(looksLikeDataFile(good, 10));                 // cut
    EXPECT_FALSE(looksLikeDataFile("ORVEX:1.0\x00\x00", 11));  // no length
    EXPECT_FALSE(looksLikeDataFile("\x09\x01ORVEX:1.0", 11));  // length 265
    EXPECT_FALSE(looksLikeDataFile("\x09\x00ORVEX:1.1", 11));
}

TEST(ArchiveEntry, FiguresAreTheRankedDriversWithLapsAndTheBestOfThem) {
    FakePlatform fakes;
    Session s = race(4, 3);
    s.LapTimes[lapSlot(3, 2)] = 4000;  // driver 3 has the best lap, on his second
    s.LapTimes[lapSlot(2, 1)] = 0;     // an empty slot between laps
    s.DriverNames[3] = "Cy";
    s.SessionTrack = " Big Ring ";
    bool ok = false;
    const ArchiveEntry e = makeArchiveEntry(s, ok);
    ASSERT_TRUE(ok);
    EXPECT_EQ(e.trackKey, "bigring");
    EXPECT_EQ(e.drivers, 4);
    EXPECT_EQ(e.best, 4000);
    EXPECT_EQ(e.bestNo, 3);
    EXPECT_EQ(e.bestName, "Cy");
    ASSERT_EQ(e.rows.size(), 4u);
    EXPECT_EQ(e.rows[0].number, 3);
    EXPECT_EQ(e.rows[0].rank, 1);
    EXPECT_EQ(e.rows[0].raceTime, 5021 + 4000 + 5221);
    const auto two = std::find_if(e.rows.begin(), e.rows.end(),
                                  [](const ArchiveDriver& d) { return d.number == 2; });
    EXPECT_EQ(two->laps, 2);
    EXPECT_EQ(two->best, 5114);

    Session empty;
    empty.ResetSession();
    makeArchiveEntry(empty, ok);
    EXPECT_FALSE(ok);
}
