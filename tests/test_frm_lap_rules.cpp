#include <gtest/gtest.h>

#include <QLineEdit>

#include "commands/RaceCommands.h"
#include "fakes/FakePlatform.h"
#include "session/Session.h"
#include "ui/results/frmLapRules.h"

using namespace orvex;

TEST(frmLapRules, OkStoresWhatReadsAsOneStepAndRefusesTheRestWithoutAChange) {
    FakePlatform fakes;
    Session& s = session();
    s = Session{};
    s.FileState = FileState::Saved;
    s.Corrections.maxLap = 9000;
    RaceCommands commands(s);
    frmLapRules dialog(commands);
    EXPECT_EQ(dialog.maximum()->text(), "1:30.00");  // as the results write times
    for (const auto& [lo, hi] : {std::pair{"half a minute", ""}, {"30", "1:75"}, {"90", "60"}}) {
        dialog.minimum()->setText(lo);
        dialog.maximum()->setText(hi);
        EXPECT_FALSE(dialog.apply()) << lo << " " << hi;
    }
    EXPECT_EQ(fakes.messages.shown.size(), 3u);
    EXPECT_EQ(s.Corrections.maxLap, 9000);
    EXPECT_EQ(s.FileState, FileState::Saved);
    EXPECT_EQ(commands.stack().count(), 0);
    dialog.minimum()->setText("1:24.53");
    dialog.maximum()->setText("");
    EXPECT_TRUE(dialog.apply());
    EXPECT_EQ(s.Corrections.minLap, 8453);
    EXPECT_EQ(s.Corrections.maxLap, 0);
    EXPECT_EQ(s.FileState, FileState::Modified);
    // Both boxes are one step, undone together.
    ASSERT_EQ(commands.stack().count(), 1);
    commands.stack().undo();
    EXPECT_EQ(s.Corrections.minLap, 0);
    EXPECT_EQ(s.Corrections.maxLap, 9000);
    s = Session{};
}
