#include <gtest/gtest.h>

#include "ItemBytes.h"
#include "fakes/FakeDesktopViews.h"
#include "fakes/FakePlatform.h"
#include "platform/Messages.h"
#include "session/FileCommands.h"
#include "session/Session.h"

using namespace orvex;

namespace {

const std::string kTitleNew = "  ORVEX Timing System : New";
const std::string kQuestionNew = "File modified. Save your changes to 'New' ?";

enum Item { New = 0, Open = 1, Save = 2, SaveAs = 3, Print = 5, Recent1 = 7, Exit = 12 };

class FileCommandsTest : public ::testing::Test {
protected:
    FakePlatform fakes;
    FakeDesktopViews views;
    FileCommands commands{views};
    Session& s = session();

    void SetUp() override {
        s = Session{};
        s.AppPath = "/orvex";
        fakes.files.folders.insert("/data");
    }
    void TearDown() override { s = Session{}; }

    // A session read from /data/Race1.DAT, as Open leaves it.
    void openedRace(items::DataFile file = {}) {
        file.texts[0] = "06/12/2026";
        fakes.files.files["/data/Race1.DAT"] = file.bytes();
        fakes.fileDialogs.answers.push_back("/data/Race1.DAT");
        commands.menuFile_Click(Open);
        ASSERT_EQ(s.FileState, FileState::Saved);
        fakes.messages.shown.clear();
        fakes.fileDialogs.shown.clear();
        views.calls.clear();
    }
    std::vector<std::string> messages() const { return fakes.messages.texts(); }
};

}  // namespace

// ---- New, Open, recent files ----

TEST_F(FileCommandsTest, OpenUsesTheOpenDialogAndACancelledOneChangesNothing) {
    items::DataFile file;
    file.laps = {true, 300, 450, 5000, 2400};
    file.stat = {true, 15, 30, 3000, 2000};
    openedRace(file);
    EXPECT_EQ(views.title, "  ORVEX Timing System : Race1");
    EXPECT_EQ(views.recent(), std::vector<std::string>{"/data/Race1.DAT"});
    EXPECT_EQ(s.LapsWin, (WinState{-1, 300, 450, 5000, 2400}));
    EXPECT_EQ(s.StatWin, (WinState{-1, 15, 30, 3000, 2000}));

    commands.menuFile_Click(Open);  // the dialog is cancelled
    ASSERT_EQ(fakes.fileDialogs.shown.size(), 1u);
    EXPECT_FALSE(fakes.fileDialogs.shown[0].save);
    EXPECT_EQ(s.SessionDate, "06/12/2026");
    EXPECT_EQ(std::count(views.calls.begin(), views.calls.end(), "closeChildWindows"), 0);
    EXPECT_TRUE(messages().empty());
    EXPECT_EQ(pendingError(), 0);
}

TEST_F(FileCommandsTest, RecentFilesOpenByCaptionAndAMissingOneStillMovesToTheTop) {
    views.captions[Recent1] = "/data/Gone.DAT";
    views.visible[Recent1] = true;
    commands.menuFile_Click(Recent1);
    EXPECT_EQ(messages(),
              std::vector<std::string>{"/DATA/GONE.DAT\nErrore : Impossibile trovare il file"});
    EXPECT_EQ(s.FileState, FileState::NoSession);
    EXPECT_EQ(views.recent(), std::vector<std::string>{"/data/Gone.DAT"});

    openedRace();
    commands.menuFile_Click(New);
    s.SessionNote = "x";
    s.FileState = FileState::Saved;
    commands.menuFile_Click(Recent1);
    EXPECT_EQ(s.SessionDate, "06/12/2026");
    EXPECT_EQ(s.SessionNote, "");
}

TEST_F(FileCommandsTest, AfterAFailedOpenSaveAsksForANameAndNeverTouchesTheFileThatFailed) {
    openedRace();
    items::DataFile newer;
    newer.header = "ORVEX:2.0";
    const std::string newerBytes = newer.bytes() + "more";
    fakes.files.files["/data/Newer.DAT"] = newerBytes;
    fakes.fileDialogs.answers.push_back("/data/Newer.DAT");
    commands.menuFile_Click(Open);
    EXPECT_EQ(messages(), std::vector<std::string>{"File not valid Newer.DAT"});
    EXPECT_EQ(s.FileState, FileState::New);
    EXPECT_EQ(views.title, kTitleNew);

    commands.menuFile_Click(Save);  // the dialog is cancelled
    EXPECT_EQ(fakes.fileDialogs.shown.size(), 2u);
    EXPECT_EQ(fakes.files.files["/data/Newer.DAT"], newerBytes);
    EXPECT_FALSE(fakes.files.fileExists("/orvex/New.DAT"));
}

// ---- Save and Save As ----

TEST_F(FileCommandsTest, SaveOfANewSessionAsksForANameOnlyUntilItIsEdited) {
    commands.menuFile_Click(New);
    EXPECT_EQ(views.title, kTitleNew);
    commands.menuFile_Click(Save);  // the dialog is cancelled
    EXPECT_EQ(fakes.fileDialogs.shown.size(), 1u);
    EXPECT_EQ(s.FileState, FileState::New);
    EXPECT_TRUE(messages().empty());
    EXPECT_EQ(pendingError(), 0);

    s.ChangeField(s.SessionTrack, "Monza");
    commands.menuFile_Click(Save);
    EXPECT_EQ(fakes.fileDialogs.shown.size(), 1u);
    ASSERT_TRUE(fakes.files.fileExists("/orvex/New.DAT"));
    EXPECT_EQ(s.FileState, FileState::Saved);
}

TEST_F(FileCommandsTest, SaveAsUsesTheSaveDialogAndNamesTheSessionAfterTheFile) {
    commands.menuFile_Click(New);
    fakes.fileDialogs.answers.push_back("/data/Race1.TXT");
    commands.menuFile_Click(SaveAs);
    EXPECT_TRUE(fakes.fileDialogs.shown.at(0).save);
    EXPECT_TRUE(fakes.files.fileExists("/data/Race1.DAT"));
    EXPECT_EQ(views.title, "  ORVEX Timing System : Race1");
    EXPECT_EQ(views.recent(), std::vector<std::string>{"/data/Race1.TXT"});
    EXPECT_EQ(s.FileState, FileState::Saved);
}

// ---- the save question ----

TEST_F(FileCommandsTest, OnlyANewOrModifiedSessionAsks) {
    EXPECT_TRUE(commands.SaveQuery());
    openedRace();
    // The statistics window is compared by place only, not by size.
    views.onRecordPositions = [&] { s.StatWin.Width = 1234; };
    EXPECT_TRUE(commands.SaveQuery());
    EXPECT_TRUE(messages().empty());

    commands.menuFile_Click(New);
    fakes.messages.answers = {MessageBox::No};
    EXPECT_TRUE(commands.SaveQuery());
    EXPECT_EQ(fakes.messages.shown,
              (std::vector<FakeMessageBox::Shown>{
                  {kQuestionNew, MessageBox::YesNoCancel | MessageBox::Exclamation, "ORVEX"}}));
}

TEST_F(FileCommandsTest, AMovedOrReopenedWindowOrAnEditedTextMarksTheSessionModified) {
    const std::vector<std::function<void()>> changes = {
        [&] { s.LapsWin.Left += 15; },
        [&] { s.LapsWin.Height += 15; },
        [&] { s.StatWin.Top += 15; },
        [&] { s.SessionWin.Open = -1; },
        [&] {
            s.SessionWin.Open = -1;
            s.SavedSessionWin.Open = -1;
            views.onCopyTexts = [&] { s.ChangeField(s.SessionNote, "edited"); };
        },
    };
    for (std::size_t i = 0; i < changes.size(); ++i) {
        SCOPED_TRACE(i);
        openedRace();
        views.onCopyTexts = nullptr;
        changes[i]();
        fakes.messages.answers = {MessageBox::Cancel};
        EXPECT_FALSE(commands.SaveQuery());
        EXPECT_EQ(s.FileState, FileState::Modified);
        EXPECT_EQ(messages(),
                  std::vector<std::string>{"File modified. Save your changes to 'Race1' ?"});
    }
}

TEST_F(FileCommandsTest, YesSavesNoDropsCancelStays) {
    openedRace();
    s.ChangeField(s.SessionNote, "changed");
    fakes.messages.answers = {MessageBox::No};
    EXPECT_TRUE(commands.SaveQuery());
    EXPECT_EQ(s.FileState, FileState::Modified);
    fakes.messages.answers = {MessageBox::Cancel};
    EXPECT_FALSE(commands.SaveQuery());
    fakes.messages.answers = {MessageBox::Yes};
    EXPECT_TRUE(commands.SaveQuery());
    EXPECT_EQ(s.FileState, FileState::Saved);
    items::DataFile saved;
    saved.texts[0] = "06/12/2026";
    saved.texts[6] = "changed";
    EXPECT_EQ(fakes.files.files["/data/Race1.DAT"], saved.bytes());
}

TEST_F(FileCommandsTest, YesForANewSessionWithTheSaveDialogCancelledStopsTheCommand) {
    commands.menuFile_Click(New);
    s.SessionNote = "keep me";
    for (int item : {New, Open, Exit}) {
        fakes.messages.answers = {MessageBox::Yes};
        commands.menuFile_Click(item);
        EXPECT_EQ(s.SessionNote, "keep me");
        EXPECT_FALSE(views.ended);
    }
    EXPECT_EQ(fakes.fileDialogs.shown.size(), 3u);
    for (const auto& d : fakes.fileDialogs.shown) EXPECT_TRUE(d.save);
    EXPECT_EQ(pendingError(), 0);
}

TEST_F(FileCommandsTest, YesWithAFailingSaveKeepsTheSession) {
    openedRace();
    const std::string saved = fakes.files.files["/data/Race1.DAT"];
    s.ChangeField(s.SessionNote, "unsaved");
    fakes.files.failAfterBytes = 0;
    fakes.messages.answers = {MessageBox::Yes};
    commands.menuFile_Click(Exit);
    EXPECT_FALSE(views.ended);
    EXPECT_EQ(s.FileState, FileState::Modified);
    EXPECT_EQ(messages().back(), "Errore : Disco pieno");
    EXPECT_EQ(fakes.files.files["/data/Race1.DAT"], saved);
}

// ---- Exit and the close box ----

TEST_F(FileCommandsTest, ExitAndTheCloseBoxAskOnlyWhenThereIsSomethingToSave) {
    EXPECT_TRUE(commands.queryClose());
    openedRace();
    commands.menuFile_Click(Exit);
    EXPECT_TRUE(views.ended);
    EXPECT_TRUE(messages().empty());

    views.ended = false;
    commands.menuFile_Click(New);

    fakes.messages.answers = {MessageBox::Yes};  // and the save dialog is cancelled
    EXPECT_FALSE(commands.queryClose());
    fakes.messages.answers = {MessageBox::No};
    EXPECT_TRUE(commands.queryClose());
    EXPECT_EQ(pendingError(), 0);
}

TEST_F(FileCommandsTest, ClicksAreIgnoredWhileTheBusyPointerShows) {
    fakes.pointer.shape = MousePointer::Hourglass;
    for (int item : {New, Open, Save, SaveAs, Print, Recent1, Exit}) commands.menuFile_Click(item);
    EXPECT_EQ(s.FileState, FileState::NoSession);
    EXPECT_TRUE(views.calls.empty());
    EXPECT_EQ(views.printDialogs, 0);
    EXPECT_TRUE(fakes.fileDialogs.shown.empty());
    fakes.pointer.shape = MousePointer::Normal;
    commands.menuFile_Click(Print);
    EXPECT_EQ(views.printDialogs, 1);
}

// ---- the stored layout ----

TEST_F(FileCommandsTest, TheStoredLapsWindowReopensWithStatisticsWhichAloneStaysClosed) {
    s.ResetSession();
    s.SavedLapsWin = WinState{-1, 100, 200, 300, 400};
    s.SavedStatWin = WinState{0, 10, 20, 30, 40};
    s.SavedSessionWin = WinState{-1, 5, 6, 0, 0};
    s.LapsWin = WinState{-1, 1, 1, 1, 1};
    commands.RestoreLayout();
    EXPECT_EQ(s.LapsWin, (WinState{-1, 100, 200, 300, 400}));
    EXPECT_EQ(s.StatWin, (WinState{-1, 10, 20, 30, 40}));
    EXPECT_EQ(views.calls, (std::vector<std::string>{"closeChildWindows", "openTimesWindows",
                                                     "openSessionWindow"}));

    s.ResetSession();
    views.calls.clear();
    s.SavedStatWin = WinState{-1, 10, 20, 30, 40};
    s.StatWin.Open = -1;
    commands.RestoreLayout();
    EXPECT_EQ(s.StatWin, (WinState{0, 10, 20, 30, 40}));
    EXPECT_EQ(views.calls, std::vector<std::string>{"closeChildWindows"});
}
