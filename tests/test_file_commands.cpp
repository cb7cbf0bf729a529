#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <algorithm>

#include "ItemBytes.h"
#include "fakes/ChildProcess.h"
#include "fakes/FakeDesktopViews.h"
#include "fakes/FakePlatform.h"
#include "platform/Messages.h"
#include "platform/qt/QtFileSystem.h"
#include "session/DataFile.h"
#include "session/FileCommands.h"
#include "session/RecentFiles.h"
#include "session/Session.h"

using namespace orvex;

namespace {

using Texts = std::vector<std::string>;
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
    }
    Texts messages() const { return fakes.messages.texts(); }
    void storeRecent(const std::string& keys) {
        fakes.files.files["/orvex/ORVEX.INI"] = "[File]\r\n" + keys;
        FileRecentiRead(views);
    }
    // The real file system in a folder of its own, for the rest of the test.
    QTemporaryDir dir;
    QtFileSystem disk;
    std::string onDisk(const char* name) {
        Platform real = fakes.interfaces();
        real.files = &disk;
        installPlatform(real);
        return dir.filePath(name).toStdString();
    }
};

}  // namespace

// A recent file that no longer exists says so, leaves the session alone and
// still goes to the top of the list.
TEST_F(FileCommandsTest, OpenRestoresTheStoredWindowsAndAMissingRecentFileStillTopsTheList) {
    storeRecent("File1=/data/Race0.DAT\r\nFile2=/data/Gone.DAT\r\n");
    commands.menuFile_Click(Recent1 + 1);
    EXPECT_EQ(messages(), Texts{"/DATA/GONE.DAT\nErrore : Impossibile trovare il file"});
    EXPECT_EQ(s.FileState, FileState::NoSession);
    EXPECT_EQ(fakes.files.files["/orvex/ORVEX.INI"],
              "[File]\r\nFile1=/data/Gone.DAT\r\nFile2=/data/Race0.DAT\r\n");
    EXPECT_EQ(views.title, "");
    items::DataFile file;
    file.laps = {true, 300, 450, 5000, 2400};
    file.stat = {true, 15, 30, 3000, 2000};
    openedRace(file);
    EXPECT_EQ(views.recent(), (Texts{"/data/Race1.DAT", "/data/Gone.DAT", "/data/Race0.DAT"}));
    EXPECT_EQ(s.LapsWin, (WinState{-1, 300, 450, 5000, 2400}));

    commands.menuFile_Click(Open);  // the dialog is cancelled
    EXPECT_EQ(s.SessionDate, "06/12/2026");
    EXPECT_EQ(s.LapsWin.Open, -1);  // nothing was closed
    EXPECT_TRUE(messages().empty());
}

// A file refused at its header leaves the session, its windows, title and
// recent list as they were; a damaged one's message comes with what it gave,
// as a new session the archive is not told of.
TEST_F(FileCommandsTest, ARefusedOpenChangesNothingADamagedOneGivesANewSession) {
    items::DataFile file;
    file.laps = {true, 300, 450, 5000, 2400};
    openedRace(file);
    s.ChangeField(s.SessionTrack, "typed");
    const std::string ini = fakes.files.files["/orvex/ORVEX.INI"];
    const std::vector<std::int32_t> laps = s.LapTimes;
    views.title = "before";
    views.filesSeen.clear();
    for (const auto& [name, bytes, message, refused] : items::badFiles()) {
        SCOPED_TRACE(name);
        if (!refused) continue;
        fakes.files.files["/data/Race1.DAT"] = bytes;
        fakes.fileDialogs.answers.push_back("/data/Race1.DAT");
        fakes.messages.answers = {MessageBox::No};
        commands.menuFile_Click(Open);
        EXPECT_EQ(messages().back(), message);
        EXPECT_EQ(s.FileState, FileState::Modified);
        EXPECT_EQ(s.DataFileName + s.DataFilePath, "Race1/data");
        EXPECT_EQ(s.SessionTrack + s.SessionDate, "typed06/12/2026");
        EXPECT_EQ(s.LapTimes, laps);
        EXPECT_EQ(s.LapsWin.Open, -1);
        EXPECT_EQ(views.title, "before");
        EXPECT_EQ(fakes.files.files["/orvex/ORVEX.INI"], ini);
    }
    const std::string race = items::filledFile().bytes();
    fakes.files.files["/data/Race1.DAT"] = race.substr(0, race.size() - 6 * 100);
    fakes.fileDialogs.answers.push_back("/data/Race1.DAT");
    fakes.messages.shown.clear();
    fakes.messages.answers = {MessageBox::No};
    commands.menuFile_Click(Open);
    EXPECT_EQ(s.DataFileName + s.DataFilePath, "New/orvex");
    EXPECT_EQ(s.SessionTrack, "Pista Citt\xC3\xA0");
    EXPECT_EQ(s.SavedLapsWin.Left, 120);
    // Closing asks, and Save never aims at the damaged file.
    fakes.messages.answers = {MessageBox::Cancel};
    EXPECT_FALSE(commands.queryClose());
    EXPECT_EQ(messages().back(), "File modified. Save your changes to 'New' ?");
    commands.menuFile_Click(Save);
    EXPECT_EQ(fakes.files.files["/data/Race1.DAT"], race.substr(0, race.size() - 6 * 100));
}

// A saved file with names and corrections, cut at every length: each cut
// opens whole (where a file may end), or gives one message and what it held
// as a new session that the archive never takes; or, refused at its header,
// changes nothing.
TEST_F(FileCommandsTest, AFileCutAnywhereOpensWholeOrAsANewSessionWithOneMessage) {
    openedRace(items::filledFile());
    s.DriverNames[7] = "Anna";
    s.Corrections.minLap = 3000;
    s.Corrections.setPenalty(7, {500, "jump start", true});
    const auto names = s.DriverNames;
    const RaceCorrections corrections = s.Corrections;
    const std::vector<std::int32_t> laps = s.LapTimes;
    commands.menuFile_Click(Save);
    const std::string full = fakes.files.files["/data/Race1.DAT"];
    const std::size_t lapsAt = full.find("Tempi") + 5 + 6, texts = lapsAt - 6 - 7;
    const std::size_t lapsEnd = lapsAt + 6 * 750;
    ASSERT_GT(full.size(), lapsEnd + 100);
    for (std::size_t cut = 0; cut <= full.size(); ++cut) {
        SCOPED_TRACE(cut);
        s = Session{};
        views.title.clear();
        views.filesSeen.clear();
        fakes.messages.shown.clear();
        fakes.files.files["/data/Cut.DAT"] = full.substr(0, cut);
        fakes.fileDialogs.answers.push_back("/data/Cut.DAT");
        commands.menuFile_Click(Open);
        Session loaded;
        loaded.ResetSession();
        const bool indexed = Data_FileLoad("/data/Cut.DAT", loaded).ok();
        if (cut == full.size() || cut == texts || cut == lapsEnd) {
            // Whole. A file may end right after its texts (no laps) or its
            // laps (no names or corrections): such files are written too.
            ASSERT_TRUE(messages().empty());
            ASSERT_EQ(s.FileState, FileState::Saved);
            ASSERT_EQ(views.filesSeen, Texts{"/data/Cut.DAT"});
            ASSERT_EQ(s.LapTimes, cut == texts ? std::vector<std::int32_t>(751) : laps);
            ASSERT_EQ(s.DriverNames, cut != full.size() ? decltype(names){} : names);
            ASSERT_EQ(s.Corrections, cut != full.size() ? RaceCorrections{} : corrections);
            ASSERT_TRUE(indexed);
            continue;
        }
        ASSERT_EQ(messages().size(), 1u);
        ASSERT_TRUE(views.filesSeen.empty());
        ASSERT_FALSE(indexed);
        if (cut < 11) {  // the header
            ASSERT_EQ(s.FileState, FileState::NoSession);
            ASSERT_EQ(views.title, "");
            continue;
        }
        ASSERT_EQ(s.FileState, FileState::Modified);
        ASSERT_EQ(s.DataFileName, "New");
        ASSERT_EQ(views.title, FileCommands::titleFor("New"));
        for (int i = 1; i <= kLapSlots; ++i)
            ASSERT_EQ(s.LapTimes[i], lapsAt + 6 * i <= cut ? laps[i] : 0) << i;
        ASSERT_TRUE(s.DriverNames == names || !s.hasDriverNames());
        ASSERT_TRUE(s.Corrections == corrections || s.Corrections.empty());
    }
}

TEST_F(FileCommandsTest, AFailedSaveAsKeepsTheNameFolderStateAndLayoutAndListsTheName) {
    openedRace();
    s.ChangeField(s.SessionNote, "typed");
    const WinState stored = s.SavedLapsWin;
    views.onRecordPositions = [&] { s.LapsWin.Left = 999; };
    views.title.clear();
    fakes.files.readOnlyFolders.insert("/data");
    fakes.fileDialogs.answers.push_back("/data/Race2");
    commands.menuFile_Click(SaveAs);
    EXPECT_EQ(messages(), Texts{"Errore : Permesso negato"});
    EXPECT_EQ(s.DataFileName + s.DataFileExt + views.title, "Race1DAT");
    EXPECT_EQ(s.FileState, FileState::Modified);
    EXPECT_EQ(s.SavedLapsWin, stored);
    EXPECT_EQ(views.recent(), (Texts{"/data/Race2", "/data/Race1.DAT"}));
}

TEST_F(FileCommandsTest, AMovedOrReopenedWindowOrAnEditedTextAsksAndYesNoCancelAct) {
    const std::vector<std::function<void()>> changes = {
        [&] { s.LapsWin.Height += 15; },
        [&] { s.StatWin.Top += 15; },
        [&] { s.SessionWin.Open = -1; },
        [&] {
            s.SessionWin.Open = s.SavedSessionWin.Open = -1;
            views.onCopyTexts = [&] { s.ChangeField(s.SessionNote, "changed"); };
        },
    };
    for (std::size_t i = 0; i < changes.size(); ++i) {
        SCOPED_TRACE(i);
        openedRace();
        views.onCopyTexts = nullptr;
        changes[i]();
        fakes.messages.answers = {MessageBox::Cancel, MessageBox::No};
        EXPECT_FALSE(commands.SaveQuery());
        EXPECT_TRUE(commands.SaveQuery());
        EXPECT_EQ(s.FileState, FileState::Modified);
        EXPECT_EQ(messages(), Texts(2, "File modified. Save your changes to 'Race1' ?"));
    }
    fakes.messages.answers = {MessageBox::Yes};
    EXPECT_TRUE(commands.SaveQuery());
    EXPECT_EQ(s.FileState, FileState::Saved);

    // The statistics window is compared by place only, not by size.
    views.onRecordPositions = [&] { s.StatWin.Width = 1234; };
    EXPECT_TRUE(commands.SaveQuery());
    EXPECT_EQ(messages().size(), 3u);
}

TEST_F(FileCommandsTest, YesWithAFailedSaveStopsNewOpenAndExit) {
    openedRace();
    const std::string saved = fakes.files.files["/data/Race1.DAT"];
    s.ChangeField(s.SessionNote, "keep me");
    fakes.files.failAfterBytes = 0;
    for (int item : {New, Open, Exit}) {
        fakes.messages.answers = {MessageBox::Yes};
        commands.menuFile_Click(item);
        EXPECT_EQ(messages().back(), "Errore : Disco pieno");
    }
    EXPECT_EQ(s.SessionNote, "keep me");
    EXPECT_FALSE(views.ended);
    EXPECT_EQ(fakes.files.files["/data/Race1.DAT"], saved);
    EXPECT_TRUE(fakes.fileDialogs.shown.empty());
    EXPECT_EQ(pendingError(), 0);
    EXPECT_TRUE(commands.queryClose());  // No
}

// Save of a session without a file of its own writes New.DAT unasked only
// while there is none; another session's New.DAT is replaced on Yes, and No
// goes to the save dialog, whose cancel stops the save and a pending Exit.
TEST_F(FileCommandsTest, SaveOfANewSessionAsksBeforeReplacingAnotherNewDat) {
    const std::string newDat = "/orvex/New.DAT";
    const auto editedNew = [&](const char* note) {
        commands.menuFile_Click(New);
        s.ChangeField(s.SessionNote, note);
        fakes.messages.shown.clear();
    };
    editedNew("heat 1");
    commands.menuFile_Click(Save);
    commands.menuFile_Click(Save);  // its own file now
    EXPECT_TRUE(messages().empty());
    const std::string heat1 = fakes.files.files.at(newDat);

    editedNew("heat 2");
    fakes.messages.answers = {MessageBox::Yes, MessageBox::No};
    commands.menuFile_Click(Exit);
    const std::string replace = "New.DAT already exists. Do you want to replace it ?";
    EXPECT_EQ(
        fakes.messages.shown.back(),
        (FakeMessageBox::Shown{
            replace, MessageBox::YesNo | MessageBox::Exclamation | MessageBox::Default2, "ORVEX"}));
    EXPECT_EQ(fakes.fileDialogs.shown.size(), 1u);  // cancelled
    EXPECT_FALSE(views.ended);
    EXPECT_EQ(fakes.files.files.at(newDat), heat1);

    fakes.fileDialogs.answers.push_back("/data/Heat2.DAT");
    fakes.messages.answers = {MessageBox::No};
    commands.menuFile_Click(Save);
    EXPECT_EQ(views.title, FileCommands::titleFor("Heat2"));
    EXPECT_EQ(fakes.files.files.at(newDat), heat1);

    editedNew("heat 3");
    fakes.messages.answers = {MessageBox::Yes};
    commands.menuFile_Click(Save);
    EXPECT_EQ(messages(), Texts{replace});
    EXPECT_NE(fakes.files.files.at(newDat), heat1);
    EXPECT_EQ(s.FileState, FileState::Saved);
}

TEST_F(FileCommandsTest, ClicksAreIgnoredWhileTheBusyPointerShows) {
    fakes.pointer.shape = MousePointer::Hourglass;
    for (int item : {New, Open, Save, SaveAs, Print, Recent1, Exit}) commands.menuFile_Click(item);
    EXPECT_EQ(s.FileState, FileState::NoSession);
    EXPECT_EQ(views.printDialogs + fakes.fileDialogs.shown.size(), 0u);
}

TEST_F(FileCommandsTest, TheStoredLapsWindowReopensWithStatisticsWhichAloneStaysClosed) {
    s.ResetSession();
    s.SavedLapsWin = WinState{-1, 100, 200, 300, 400};
    s.SavedStatWin = WinState{0, 10, 20, 30, 40};
    commands.RestoreLayout();
    EXPECT_EQ(s.StatWin, (WinState{-1, 10, 20, 30, 40}));
    EXPECT_EQ(s.LapsWin, (WinState{-1, 100, 200, 300, 400}));

    s.ResetSession();
    s.SavedStatWin = WinState{-1, 10, 20, 30, 40};
    s.StatWin.Open = -1;
    commands.RestoreLayout();
    EXPECT_EQ(s.StatWin, (WinState{0, 10, 20, 30, 40}));
}

TEST_F(FileCommandsTest, TwoInstancesWritingTheRecentListLoseNoNameAndDoubleNone) {
    s.AppPath = dir.path().toStdString();
    onDisk("ORVEX.INI");
    const std::vector<int> codes = inChildren(2, [&](int instance) {
        for (int round = 0; round < 20; ++round)
            FileRecentiWrite(views, QString("/%1").arg(instance * 2 + round % 2).toStdString());
        return 0;
    });
    EXPECT_EQ(codes, (std::vector<int>{0, 0}));
    FileRecentiRead(views);
    Texts recent = views.recent();
    std::sort(recent.begin(), recent.end());
    EXPECT_EQ(recent, (Texts{"/0", "/1", "/2", "/3"}));
}

TEST_F(FileCommandsTest, ARecentFilesGapKeepsAStaleValueBelowItAndTheMenuNeverShrinks) {
    storeRecent("File1=/a\r\nFile3=/c\r\n");
    EXPECT_EQ(views.recent(), (Texts{"/a", "/c"}));
    FileRecentiWrite(views, "/A");  // another file: case counts
    EXPECT_EQ(views.recent(), (Texts{"/A", "/a", "/c", "/c"}));
    storeRecent("File1=/z\r\nFile2=\r\n");
    fakes.files.files.clear();
    FileRecentiRead(views);
    EXPECT_EQ(views.recent(), (Texts{"/z", "", "/c", "/c"}));
}
