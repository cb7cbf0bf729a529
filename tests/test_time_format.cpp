#include <gtest/gtest.h>

#include "fakes/FakePlatform.h"
#include "session/Session.h"
#include "session/TimeFormat.h"

using namespace orvex;
// "x"s, not "x": GCC 12 at -O3 takes assigning a one-letter literal for an
// overlapping copy (-Wrestrict).
using namespace std::string_literals;

TEST(FormatTime, FieldsAreZeroPaddedAtTheirBoundariesHoursGrow) {
    EXPECT_EQ(FormatTime(0), "00:00.00.00");
    EXPECT_EQ(FormatTime(99), "00:00.00.99");
    EXPECT_EQ(FormatTime(100), "00:00.01.00");
    EXPECT_EQ(FormatTime(4567), "00:00.45.67");
    EXPECT_EQ(FormatTime(6000), "00:01.00.00");
    EXPECT_EQ(FormatTime(8345), "00:01.23.45");
    EXPECT_EQ(FormatTime(359999), "00:59.59.99");
    EXPECT_EQ(FormatTime(360000), "01:00.00.00");
    // A hundred hours and more get three hour digits.
    EXPECT_EQ(FormatTime(45296789), "125:49.27.89");
    EXPECT_EQ(FormatTime(2147483647), "5965:13.56.47");
}

TEST(LapSpeed, TruncatesToTheShortestHundredthsWithTheUsersSeparator) {
    EXPECT_EQ(LapSpeed("00:01.23.45", "1000", "."), "43.13");  // 43.1396...
    EXPECT_EQ(LapSpeed("00:01.00.00", "1000", "."), "60");
    EXPECT_EQ(LapSpeed("00:00.10.00", "1", "."), "0.36");
    EXPECT_EQ(LapSpeed("00:01.12.00", "1", "."), "0.05");
    EXPECT_EQ(LapSpeed("00:00.07.20", "1", "."), "0.5");
    EXPECT_EQ(LapSpeed("00:00.36.00", "431", "."), "43.1");
    EXPECT_EQ(LapSpeed("00:01.23.45", "1000", ","), "43,13");
}

TEST(LapSpeed, NoTimeGivesNoSpeedTheLengthIsTheLeadingNumberAndNeverOverflows) {
    EXPECT_EQ(LapSpeed(FormatTime(0), "1000", "."), "");
    EXPECT_EQ(LapSpeed(FormatTime(0), "", "."), "");
    // The track length is the leading number rounded to even.
    EXPECT_EQ(TrackMetres("1000 m"), 1000);
    EXPECT_EQ(TrackMetres("1,5"), 1);
    EXPECT_EQ(TrackMetres("1234.5"), 1234);
    EXPECT_EQ(TrackMetres("1235.5"), 1236);
    EXPECT_EQ(TrackMetres(" 1 2 0 0"), 1200);
    EXPECT_EQ(TrackMetres("m 1000"), 0);
    EXPECT_EQ(TrackMetres(""), 0);
    EXPECT_EQ(LapSpeed("00:01.00.00", "abc", "."), "0");
    // 100 km in one hour: the product 100000 x 36000 needs more than 32 bits.
    EXPECT_EQ(LapSpeed("01:00.00.00", "100000", "."), "100");
}

TEST(LapSpeed, UsesTheSessionsTrackLength) {
    FakePlatform fakes;
    fakes.regional.separator = ","s;
    session().SessionLength = "1000";
    EXPECT_EQ(LapSpeed("00:01.23.45"), "43,13");
    session().SessionLength.clear();
}
