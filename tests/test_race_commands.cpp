#include <gtest/gtest.h>

#include <QAction>
#include <QTableView>
#include <QTest>
#include <functional>

#include "commands/RaceCommands.h"
#include "fakes/MainWindowFixture.h"
#include "ui/names/frmDrivers.h"
#include "ui/results/DriverLapsModel.h"
#include "ui/results/ResultsModel.h"
#include "ui/results/frmResults.h"

using namespace orvex;

namespace {

// A saved session of driver 2's laps; the rule joins lap 2 (3.00 s).
class RaceCommandsTest : public ::testing::Test {
protected:
    Session s;
    RaceCommands commands{s};
    std::vector<RaceChange> told;

    void SetUp() override {
        s.LapTimes.assign(kLapSlots + 1, 0);
        s.LapTimes[lapSlot(2, 1)] = 5000;
        s.LapTimes[lapSlot(2, 2)] = 300;
        s.LapTimes[lapSlot(2, 3)] = 9000;
        s.Corrections.minLap = 1000;
        s.FileState = FileState::Saved;
        QObject::connect(&commands, &RaceCommands::changed,
                         [this](RaceChange c) { told.push_back(c); });
    }

    // `step` makes one step; it, its undo and its redo each mark the session
    // modified and announce `change` once, and undo and redo restore exactly.
    void expectOneStep(const std::function<bool()>& step, RaceChange change) {
        const RaceCorrections corrections = s.Corrections;
        const DriverNameList names = s.DriverNames;
        const int steps = commands.stack().count();
        told.clear();
        std::vector<RaceChange> expected;
        for (const auto& act : std::initializer_list<std::function<void()>>{
                 [&] { ASSERT_TRUE(step()); }, [&] { commands.stack().undo(); },
                 [&] { commands.stack().redo(); }}) {
            s.FileState = FileState::Saved;
            act();
            expected.push_back(change);
            EXPECT_EQ(s.FileState, FileState::Modified);
            EXPECT_EQ(told, expected);
            if (expected.size() == 2) {
                EXPECT_EQ(s.Corrections, corrections);
                EXPECT_EQ(s.DriverNames, names);
            }
        }
        EXPECT_EQ(commands.stack().count(), steps + 1);
    }
};

}  // namespace

TEST_F(RaceCommandsTest, EveryStepMarksModifiedAnnouncesOnceAndUndoesExactly) {
    const RaceCorrections first = s.Corrections;
    const int lap3 = lapSlot(2, 3), lap2 = lapSlot(2, 2);
    const auto Corr = RaceChange::Corrections;
    expectOneStep([&] { return commands.markLap(2, 3, LapCorrection::Void); }, Corr);
    expectOneStep([&] { return commands.markLap(2, 3, LapCorrection::Join); }, Corr);
    EXPECT_EQ(s.Corrections.marks.at(lap3), (ManualMark{LapCorrection::Join, 9000}));
    // Restore on a lap the rule joins keeps it; its undo leaves no mark behind.
    expectOneStep([&] { return commands.markLap(2, 2, LapCorrection::None); }, Corr);
    EXPECT_EQ(s.Corrections.marks.at(lap2), (ManualMark{LapCorrection::Keep, 300}));
    expectOneStep([&] { return commands.setPenalty(2, {150, "cut", false}); }, Corr);
    expectOneStep([&] { return commands.disqualify(2, true, "pit lane"); }, Corr);
    EXPECT_EQ(s.Corrections.penaltyOf(2), (DriverPenalty{150, "cut", true}));
    EXPECT_EQ(s.Corrections.dsqReasons.at(2), "pit lane");
    expectOneStep([&] { return commands.setPenalty(2, {}); }, Corr);
    expectOneStep([&] { return commands.setRanking(RankMode::Race, 3); }, Corr);
    expectOneStep([&] { return commands.setLapRules(0, 8000, 60, 200); }, Corr);
    DriverNameList names;
    names[2] = "Ann";
    expectOneStep([&] { return commands.setNames(names); }, RaceChange::Names);

    const RaceCorrections last = s.Corrections;
    while (commands.stack().canUndo()) commands.stack().undo();
    EXPECT_EQ(s.Corrections, first);
    EXPECT_EQ(s.DriverNames, DriverNameList{});
    while (commands.stack().canRedo()) commands.stack().redo();
    EXPECT_EQ(s.Corrections, last);
    EXPECT_EQ(s.DriverNames, names);
}

TEST_F(RaceCommandsTest, WhatChangesNothingMakesNoStep) {
    EXPECT_FALSE(commands.markLap(2, 1, LapCorrection::None));  // no mark, no rule
    EXPECT_FALSE(commands.markLap(0, 1, LapCorrection::Void));
    EXPECT_FALSE(commands.markLap(2, kLapsPerDriver + 1, LapCorrection::Void));
    EXPECT_FALSE(commands.setPenalty(kDrivers + 1, {100, "", false}));
    EXPECT_FALSE(commands.setPenalty(2, {}));
    EXPECT_FALSE(commands.disqualify(2, false));
    EXPECT_FALSE(commands.setRanking(RankMode::BestLap, 3));
    EXPECT_FALSE(commands.setRanking(RankMode::BestConsecutive, RaceCorrections::kMaxRun + 1));
    EXPECT_FALSE(commands.setLapRules(1000, 0, 70, 150));
    EXPECT_FALSE(commands.setNames(s.DriverNames));
    EXPECT_TRUE(told.empty());
    EXPECT_EQ(commands.stack().count(), 0);
    EXPECT_EQ(s.FileState, FileState::Saved);
    s.FileState = FileState::NoSession;
    s.markModified();
    EXPECT_EQ(s.FileState, FileState::NoSession);
}

TEST_F(RaceCommandsTest, ASpinOfTheRunIsOneStepAndAnotherSessionForgetsTheSteps) {
    commands.setRanking(RankMode::BestConsecutive, 3);
    for (int run : {4, 5, 6}) commands.setRanking(RankMode::BestConsecutive, run);
    EXPECT_EQ(commands.stack().count(), 2);
    commands.stack().undo();
    EXPECT_EQ(s.Corrections.run, 3);
    commands.stack().redo();
    // Spun back to where it started, the spin is no step at all.
    for (int run : {5, 4, 3}) commands.setRanking(RankMode::BestConsecutive, run);
    EXPECT_EQ(commands.stack().count(), 1);
    EXPECT_EQ(s.Corrections.mode, RankMode::BestConsecutive);

    commands.sessionReplaced();
    EXPECT_FALSE(commands.stack().canUndo());
    EXPECT_EQ(s.Corrections.mode, RankMode::BestConsecutive);
}

// The keys of the Results window undo whatever the session's last step was,
// the Drivers dialog's OK too; File > New forgets them.
class ResultsUndoTest : public MainWindowFixture {};

TEST_F(ResultsUndoTest, CtrlZInTheResultsWindowUndoesAVoidAndTheDriversOk) {
    Session& s = session();
    s.ResetSession();
    s.FileState = FileState::Saved;
    s.LapTimes[lapSlot(3, 1)] = 5000;
    s.LapTimes[lapSlot(3, 2)] = 4800;
    load();
    desk->MenuView(3)->trigger();
    frmResults* f = desk->resultsWindow();
    ASSERT_NE(f, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowActive(desk.get()));
    QTableView* laps = f->lapsTable();
    laps->setCurrentIndex(laps->model()->index(1, 0));
    f->lapAction(LapCorrection::Void)->trigger();
    const auto shownMark = [&] { return laps->model()->index(1, 2).data().toString(); };
    EXPECT_EQ(shownMark(), "void");

    frmDrivers drivers(desk->raceCommands(), nullptr);
    drivers.setNameOf(3, "Cy");
    drivers.accept();
    const auto shownName = [&] {
        return f->table()->model()->index(0, ResultsModel::Name).data().toString();
    };
    EXPECT_EQ(shownName(), "Cy");
    EXPECT_EQ(desk->raceCommands().stack().count(), 2);

    laps->setFocus();
    QTest::keyClick(laps, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(shownName(), "");
    EXPECT_EQ(shownMark(), "void");
    QTest::keyClick(laps, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(shownMark(), "");
    EXPECT_TRUE(s.Corrections.marks.empty());
    EXPECT_EQ(s.FileState, FileState::Modified);  // not compared with the file
    QTest::keyClick(laps, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(shownMark(), "void");

    s.FileState = FileState::NoSession;  // so New asks nothing
    desk->menuFile_Click(0);             // File > New
    EXPECT_FALSE(desk->raceCommands().stack().canUndo());
    EXPECT_FALSE(f->undoAction()->isEnabled());
}
