#include <gtest/gtest.h>

#include "fakes/FakePlatform.h"
#include "shell/frmStart.h"

using namespace orvex;

namespace {

// Each pass of the wait loop moves the day clock by 10 ms, wrapping at midnight.
struct Midnight {
    FakePlatform fakes;
    Midnight(double start) {
        fakes.dayClock.seconds = start;
        fakes.events.hooks.push_back([this] {
            fakes.dayClock.seconds += 0.01;
            if (fakes.dayClock.seconds >= 86400.0) fakes.dayClock.seconds -= 86400.0;
        });
    }
    double run() { return SplashWait(fakes.dayClock, fakes.events); }
};

}  // namespace

TEST(SplashWait, LastsAboutThreeSeconds) {
    Midnight m(1000.2);
    EXPECT_DOUBLE_EQ(m.run(), 1003.0 - 1000.2);
    EXPECT_NEAR(m.fakes.events.calls, 280, 2);
}

TEST(SplashWait, RoundsTheEndToTheEvenSecondOnATie) {
    Midnight up(1000.5);
    EXPECT_DOUBLE_EQ(up.run(), 3.5);  // 1003.5 ends at 1004
    Midnight down(1001.5);
    EXPECT_DOUBLE_EQ(down.run(), 2.5);  // 1004.5 ends at 1004
}

TEST(SplashWait, EndsWhenStartedJustBeforeMidnight) {
    Midnight m(86398.7);
    const double waited = m.run();
    EXPECT_NEAR(waited, 3.3, 1e-9);
    EXPECT_LT(m.fakes.dayClock.seconds, 10.0);  // it went past midnight and stopped
    EXPECT_NEAR(m.fakes.events.calls, 330, 2);
}
