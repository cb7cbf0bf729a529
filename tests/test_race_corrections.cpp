#include <gtest/gtest.h>

#include "session/RaceCorrections.h"

using namespace orvex;

TEST(RaceCorrections, LapTimesReadAsTypedOrAsTheProgramWritesThem) {
    const std::pair<const char*, std::int32_t> good[] = {{"", 0},
                                                         {"  ", 0},
                                                         {"30", 3000},
                                                         {" 30.5 ", 3050},
                                                         {"30,25", 3025},
                                                         {"00:30.00", 3000},
                                                         {"1:05", 6500},
                                                         {"00:01.05.07", 6507},
                                                         {"1:02:03.45", 372345},
                                                         {"125:49.27.89", 45296789}};
    for (const auto& [text, value] : good) EXPECT_EQ(ParseLapTime(text), value) << text;
    for (const char* bad : {"abc", "30s", "-5", "1:60", "1::5", "30.123", ".5", "5.", "1.2.3",
                            "99999999999", "1000000:00:00.00"})
        EXPECT_EQ(ParseLapTime(bad), std::nullopt) << bad;
    for (std::int32_t t : {1, 3000, 6507, 359999, 2147483647})
        EXPECT_EQ(ParseLapTime(LapTimeText(t)), t);
    EXPECT_EQ(LapTimeText(0), "");
    EXPECT_TRUE(RaceCorrections{}.empty());
}
