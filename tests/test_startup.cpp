#include <gtest/gtest.h>

#include "fakes/FakePlatform.h"
#include "shell/frmStart.h"

using namespace orvex;

// Each pass of the wait loop moves the day clock by 10 ms, wrapping at midnight.
TEST(SplashWait, EndsAtTheRoundedThirdSecondEvenAcrossMidnight) {
    const std::pair<double, double> cases[] = {
        {1000.2, 2.8}, {1000.5, 3.5}, {1001.5, 2.5}, {86398.7, 3.3}};  // ties round to even
    for (const auto& [start, waited] : cases) {
        FakePlatform fakes;
        fakes.dayClock.seconds = start;
        fakes.events.hooks.push_back([&] {
            fakes.dayClock.seconds += 0.01;
            if (fakes.dayClock.seconds >= 86400.0) fakes.dayClock.seconds -= 86400.0;
        });
        EXPECT_NEAR(SplashWait(fakes.dayClock, fakes.events), waited, 1e-9) << start;
    }
}
