#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QCompleter>
#include <QMenu>
#include <QMenuBar>
#include <QTableView>
#include <QTableWidget>

#include "fakes/MainWindowFixture.h"
#include "platform/MessageBox.h"
#include "platform/Roster.h"
#include "ui/lists/ChildWindows.h"
#include "ui/names/frmDrivers.h"
#include "ui/results/frmResults.h"

using namespace orvex;

namespace {

class FakeRoster : public Roster {
public:
    std::vector<std::string> known{"Anna Rossi", "bea", "Carlo"};
    std::vector<std::pair<std::vector<std::string>, std::string>> remembered;
    std::vector<std::string> names() override { return known; }
    Status remember(const std::vector<std::string>& n, const CalendarDate& d) override {
        remembered.push_back({n, std::to_string(d.year) + "-" + std::to_string(d.month)});
        return Status::ok();
    }
};

class DriversTest : public MainWindowFixture {
protected:
    FakeRoster roster;
    void SetUp() override {
        MainWindowFixture::SetUp();
        load(false);
        desk->setRoster(&roster);
        session().ResetSession();
        session().FileState = FileState::Saved;
        session().LapTimes[lapSlot(2, 1)] = 4321;
    }
};

}  // namespace

TEST_F(DriversTest, OkKeepsCleanNamesMarksTheSessionAndTheRosterAndTheResultsShowThem) {
    // Two laps joined into one: the laps the results count.
    session().LapTimes[lapSlot(3, 1)] = 300;
    session().LapTimes[lapSlot(3, 2)] = 4100;
    session().Corrections.setMark(lapSlot(3, 1), 300, LapCorrection::Join);
    frmDrivers dialog(desk->raceCommands(), &roster);
    QTableWidget* t = dialog.table();
    ASSERT_EQ(t->rowCount(), 30);
    // A number without laps looks as editable as it is.
    EXPECT_EQ(t->item(0, frmDrivers::Name)->foreground(),
              t->item(1, frmDrivers::Name)->foreground());
    EXPECT_TRUE(t->item(0, frmDrivers::Name)->flags() & Qt::ItemIsEditable);
    EXPECT_EQ(t->item(1, frmDrivers::Laps)->text(), "1");
    EXPECT_EQ(t->item(2, frmDrivers::Laps)->text(), "1");

    dialog.completer()->setCompletionPrefix("B");
    EXPECT_EQ(dialog.completer()->currentCompletion(), "bea");
    dialog.setNameOf(2, "  Anna\nRossi ");
    dialog.setNameOf(30, "@home");
    dialog.accept();
    EXPECT_EQ(session().DriverNames[2], "AnnaRossi");
    EXPECT_EQ(session().FileState, FileState::Modified);
    ASSERT_EQ(roster.remembered.size(), 1u);
    EXPECT_EQ(roster.remembered[0].first, (std::vector<std::string>{"AnnaRossi", "@home"}));
    EXPECT_EQ(roster.remembered[0].second, "2026-12");

    desk->childWindows().refreshLists(ListChange::Names);
    frmResults* results = desk->showResultsWindow();
    EXPECT_EQ(results->table()->model()->index(0, ResultsModel::Name).data().toString(),
              "AnnaRossi");
}

TEST_F(DriversTest, CancelOrAnUnchangedOkLeavesTheSessionUnmodified) {
    session().DriverNames[4] = "Dora";
    {
        frmDrivers dialog(desk->raceCommands(), &roster);
        dialog.clearNames();  // asked, and No
        EXPECT_EQ(dialog.nameOf(4), "Dora");
        fakes.messages.answers = {MessageBox::Yes};
        dialog.clearNames();
        EXPECT_EQ(dialog.nameOf(4), "");
        dialog.reject();
    }
    frmDrivers dialog(desk->raceCommands(), &roster);
    dialog.accept();
    EXPECT_FALSE(dialog.namesChanged());
    EXPECT_EQ(session().DriverNames[4], "Dora");
    EXPECT_EQ(session().FileState, FileState::Saved);
}

TEST_F(DriversTest, ImportFillsTheTableRemembersTheNamesAndSaysWhatItSkipped) {
    fakes.files.folders.insert("/club");
    fakes.files.files["/club/names.csv"] = "Nr,Name\n3,Cy\n44,Zed\n5,\n";
    fakes.fileDialogs.answers = {"/club/names.csv"};
    frmDrivers dialog(desk->raceCommands(), &roster);
    dialog.importAsked();
    EXPECT_EQ(dialog.nameOf(3), "Cy");
    EXPECT_EQ(fakes.messages.texts(),
              std::vector<std::string>{"Names taken: 1. Rows skipped: 2. The first row skipped "
                                       "is line 3: its number is not between 1 and 30."});
    EXPECT_EQ(fakes.messages.shown[0].flags, MessageBox::OkOnly | MessageBox::Information);
    EXPECT_EQ(roster.remembered.at(0).first, std::vector<std::string>{"Cy"});
    EXPECT_EQ(session().DriverNames[3], "");  // only OK stores them
}

// Ticked with OK, the choice is remembered and File > New keeps the names;
// unticked, New starts without them.
TEST_F(DriversTest, TickedNamesOutliveFileNew) {
    session().DriverNames[4] = "Dora";
    for (bool keep : {true, false}) {
        frmDrivers dialog(desk->raceCommands(), &roster);
        EXPECT_EQ(dialog.keepBox()->isChecked(), !keep);  // as last confirmed
        dialog.keepBox()->setChecked(keep);
        dialog.accept();
        session().FileState = FileState::Saved;
        desk->menuFile_Click(0);
        EXPECT_EQ(session().DriverNames[4], keep ? "Dora" : "");
    }
}

// Championship works without a session, so the menu stays open.
TEST_F(DriversTest, DriversNeedsASessionChampionshipDoesNot) {
    QMenu* race = desk->menuBar()->actions().at(2)->menu();
    const auto item = [&](const QString& text) {
        for (QAction* a : race->actions())
            if (a->text() == text) return a;
        return static_cast<QAction*>(nullptr);
    };
    desk->MenuRefresh();
    EXPECT_TRUE(item("&Drivers...")->isEnabled());
    session().FileState = FileState::NoSession;
    desk->MenuRefresh();
    EXPECT_TRUE(race->menuAction()->isEnabled());
    EXPECT_FALSE(item("&Drivers...")->isEnabled());
    EXPECT_TRUE(item("&Championship...")->isEnabled());
}
