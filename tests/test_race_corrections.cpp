#include <gtest/gtest.h>

#include "session/RaceCorrections.h"

using namespace orvex;

TEST(RaceCorrections, NoneAreEmpty) {
    EXPECT_TRUE(RaceCorrections{}.empty());
}
