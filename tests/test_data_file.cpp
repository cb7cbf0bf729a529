#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "ItemBytes.h"
#include "fakes/FakeDesktopViews.h"
#include "fakes/FakePlatform.h"
#include "session/DataFile.h"
#include "session/Session.h"
#include "session/TimeFormat.h"

using namespace orvex;

namespace {

const std::string kRace = "/data/Race1.DAT";

class DataFileTest : public ::testing::Test {
protected:
    FakePlatform fakes;
    Session& s = session();

    void SetUp() override {
        fakes.files.folders.insert("/data");
        s = Session{};
        s.ResetSession();
    }
    void TearDown() override { s = Session{}; }

    // A session with something in every field the file holds.
    void fillSession() {
        s.SessionDate = "06/12/2026";
        s.SessionTime = "14:30";
        s.SessionTrack = "Pista Città";
        s.SessionLength = "1200 m";
        s.SessionVehicle = "Kart 125";
        s.SessionDrivers = "Rossi\r\nBianchi";
        s.SessionNote = "Dry\r\nWarm € day";
        s.LapsWin = WinState{-1, 120, 240, 4000, 3000};
        s.SessionWin = WinState{-1, 15, 30, 6000, 5000};
        s.StatWin = WinState{0, -1, 0, 0, 0};
        for (int i = 1; i <= kLapSlots; ++i) s.LapTimes[i] = i % 7 == 0 ? 0 : 6000 + i * 13;
        s.MakeTotals();
        s.SortTotals();
        s.FileState = FileState::Modified;
    }
    std::string lastMessage() const {
        return fakes.messages.shown.empty() ? "" : fakes.messages.shown.back().text;
    }
    void expectNoLaps() const {
        for (int i = 1; i <= kLapSlots; ++i) ASSERT_EQ(s.LapTimes[i], 0) << i;
    }
    void expectNamesOfTheReset() const {
        EXPECT_EQ(s.DataFileName, "New");
        EXPECT_EQ(s.DataFilePath, "/orvex");
    }
};

}  // namespace

// ---- writing ----

TEST_F(DataFileTest, AKnownSessionIsWrittenAsTheGoldenBytes) {
    fillSession();
    ASSERT_TRUE(File_Write(kRace, nullptr));
    const std::string& written = fakes.files.files[kRace];
    const items::DataFile golden = items::filledFile();
    EXPECT_EQ(written, golden.bytes());

    EXPECT_EQ(written.substr(0, 11), std::string("\x09\x00ORVEX:1.0", 11));
    EXPECT_EQ(written.substr(63, 2 + 10), items::text("06/12/2026"));
    std::size_t texts = 0;
    for (const auto& t : golden.texts) texts += t.size();
    EXPECT_EQ(written.size(), 4590 + texts);

    EXPECT_EQ(s.FileState, FileState::Saved);
    EXPECT_EQ(s.DataFileName, "Race1");
    EXPECT_EQ(s.DataFilePath, "/data");
    EXPECT_EQ(s.SavedLapsWin, s.LapsWin);
    EXPECT_EQ(fakes.pointer.shape, MousePointer::Normal);
    EXPECT_TRUE(fakes.messages.shown.empty());
}

TEST_F(DataFileTest, OpenWindowsRecordTheirPlaceAndTextsBeforeTheyAreWritten) {
    FakeDesktopViews views;
    s.SessionWin.Open = -1;
    views.onRecordPositions = [&] { s.LapsWin = WinState{-1, 1, 2, 3, 4}; };
    views.onCopyTexts = [&] { s.ChangeField(s.SessionNote, "typed"); };
    ASSERT_TRUE(File_Write(kRace, &views));
    items::DataFile f;
    f.laps = {true, 1, 2, 3, 4};
    f.session = {true, 0, 0};
    f.stat = {false, 0, 0, 0, 0};
    f.texts[6] = "typed";
    EXPECT_EQ(fakes.files.files[kRace], f.bytes());
    EXPECT_EQ(s.FileState, FileState::Saved);
}

TEST_F(DataFileTest, ANameWithAnotherExtensionFullyReplacesALongerDAT) {
    fakes.files.files[kRace] = std::string(20000, '\x55');
    ASSERT_TRUE(File_Write("/data/Race1.TXT", nullptr));
    EXPECT_EQ(fakes.files.files,
              (std::map<std::string, std::string>{{kRace, items::DataFile{}.bytes()}}));
}

TEST_F(DataFileTest, AFailedWriteLeavesTheOldFileIdenticalAndNothingElse) {
    const std::string old = items::filledFile().bytes();
    for (long long cut : {0LL, 5LL, 100LL, 3000LL}) {
        SCOPED_TRACE(cut);
        fakes.files.files = {{kRace, old}};
        fakes.files.bytesWritten = 0;
        fakes.files.failAfterBytes = cut;
        s.FileState = FileState::Modified;
        EXPECT_FALSE(File_Write(kRace, nullptr));
        EXPECT_EQ(fakes.files.files, (std::map<std::string, std::string>{{kRace, old}}));
        EXPECT_EQ(lastMessage(), "Errore : Disco pieno");
        EXPECT_EQ(s.FileState, FileState::Modified);
        EXPECT_EQ(fakes.pointer.shape, MousePointer::Normal);
    }
}

TEST_F(DataFileTest, AFailedReplaceOrReadOnlyFolderLeavesTheOldFileIdentical) {
    fakes.files.files[kRace] = "old";
    s.FileState = FileState::Modified;
    fakes.files.commitError = 57;
    EXPECT_FALSE(File_Write(kRace, nullptr));
    EXPECT_EQ(lastMessage(), "Errore di I/O periferica");
    fakes.files.commitError = 0;
    fakes.files.readOnlyFolders.insert("/data");
    EXPECT_FALSE(File_Write(kRace, nullptr));
    EXPECT_EQ(lastMessage(), "Errore : Permesso negato");
    EXPECT_EQ(fakes.files.files, (std::map<std::string, std::string>{{kRace, "old"}}));
    EXPECT_EQ(s.FileState, FileState::Modified);
}

TEST_F(DataFileTest, ANoteOver32767CharactersOverflowsAndKeepsTheOldFile) {
    fakes.files.files[kRace] = "old";
    s.SessionNote = std::string(32768, 'n');
    s.FileState = FileState::Modified;
    EXPECT_FALSE(File_Write(kRace, nullptr));
    EXPECT_EQ(lastMessage(), "/DATA/RACE1.DAT\nErrore : Overflow");
    EXPECT_EQ(fakes.files.files, (std::map<std::string, std::string>{{kRace, "old"}}));
    EXPECT_EQ(s.FileState, FileState::Modified);

    s.SessionNote.pop_back();
    EXPECT_TRUE(File_Write(kRace, nullptr));
}

TEST_F(DataFileTest, AMissingFolderIsReportedWithoutAName) {
    s.FileState = FileState::New;
    EXPECT_FALSE(File_Write("/nowhere/Race1.DAT", nullptr));
    EXPECT_EQ(fakes.messages.texts(),
              (std::vector<std::string>{"\nErrore : Impossibile trovare il file"}));
    EXPECT_TRUE(fakes.files.files.empty());
    EXPECT_EQ(s.FileState, FileState::New);
}

// ---- reading ----

TEST_F(DataFileTest, ASessionWrittenAndReadBackIsTheSame) {
    fillSession();
    ASSERT_TRUE(File_Write(kRace, nullptr));
    const Session written = s;
    s.ResetSession();
    s.FileState = FileState::New;
    s.LapCount = 9;
    ASSERT_TRUE(File_Read(kRace));

    EXPECT_EQ(s.FileState, FileState::Saved);
    EXPECT_EQ(s.LapTimes, written.LapTimes);
    for (auto field : {&Session::SessionDate, &Session::SessionTime, &Session::SessionTrack,
                       &Session::SessionLength, &Session::SessionVehicle, &Session::SessionDrivers,
                       &Session::SessionNote})
        EXPECT_EQ(s.*field, written.*field);
    EXPECT_EQ(s.SavedLapsWin, written.SavedLapsWin);
    EXPECT_EQ(s.SavedStatWin, written.SavedStatWin);
    EXPECT_EQ(s.SavedSessionWin, (WinState{-1, 15, 30, 0, 0}));
    // Only the stored records are read; the windows apply them later.
    EXPECT_EQ(s.LapsWin, WinState{});
    EXPECT_EQ(s.LapCount, 9);
    EXPECT_EQ(s.DataFileName, "Race1");
    EXPECT_EQ(s.DataFilePath, "/data");
    EXPECT_EQ(s.LapList[2].Text, FormatTime(written.LapTimes[2]));
    EXPECT_EQ(s.TotalList, written.TotalList);
    EXPECT_EQ(s.SortedTotalList, written.SortedTotalList);
    EXPECT_EQ(fakes.pointer.shape, MousePointer::Normal);
    EXPECT_TRUE(fakes.messages.shown.empty());
}

TEST_F(DataFileTest, ABadFileIsRefusedWithItsMessageAndKeepsFileState) {
    for (const auto& bad : items::badFiles()) {
        SCOPED_TRACE(bad.name);
        fakes.files.files[kRace] = bad.bytes;
        fakes.messages.shown.clear();
        s.ResetSession();
        s.FileState = FileState::Modified;
        EXPECT_FALSE(File_Read("/data/Race1.TXT"));
        EXPECT_EQ(fakes.messages.texts(), std::vector<std::string>{bad.message});
        EXPECT_EQ(s.FileState, FileState::Modified);
        EXPECT_EQ(fakes.pointer.shape, MousePointer::Normal);
        expectNamesOfTheReset();
        if (bad.message == "File not valid Race1.DAT") {  // nothing of it is loaded
            EXPECT_EQ(s.SavedLapsWin.Left, -1);
            EXPECT_EQ(s.SessionNote, "");
            expectNoLaps();
        }
    }
    EXPECT_EQ(s.LapTimes[750], 98);  // the slots of a count of 751 are loaded
}

TEST_F(DataFileTest, WithoutTheMarkerTheTextsAndLayoutLoadWithNoLaps) {
    items::DataFile f = items::filledFile();
    f.withMarker = false;
    items::DataFile otherMarker = items::filledFile();
    otherMarker.marker = "Times";
    for (const auto& file : {f, otherMarker}) {
        fakes.files.files[kRace] = file.bytes();
        s.ResetSession();
        s.FileState = FileState::NoSession;
        ASSERT_TRUE(File_Read(kRace));
        EXPECT_EQ(s.FileState, FileState::Saved);
        EXPECT_EQ(s.SessionTrack, "Pista Città");
        EXPECT_EQ(s.SavedLapsWin, (WinState{-1, 120, 240, 4000, 3000}));
        expectNoLaps();
    }
}

TEST_F(DataFileTest, AFileCutInsideTheLapsLoadsTheLapsUpToTheCut) {
    const std::string full = items::filledFile().bytes();
    const std::size_t lapsStart = full.size() - 750 * 6;
    fakes.files.files[kRace] = full.substr(0, lapsStart + 99 * 6);
    ASSERT_TRUE(File_Read(kRace));
    EXPECT_EQ(s.FileState, FileState::Saved);
    const auto expected = items::filledFile().lapTimes;
    for (int i = 1; i <= kLapSlots; ++i)
        ASSERT_EQ(s.LapTimes[i], i <= 99 ? expected[i - 1] : 0) << i;
}

TEST_F(DataFileTest, AMissingFileIsNotFound) {
    EXPECT_FALSE(File_Read("/data/Gone.DAT"));
    EXPECT_EQ(lastMessage(), "/DATA/GONE.DAT\nErrore : Impossibile trovare il file");
    expectNamesOfTheReset();
}

// The fuzz run starts from the files of these cases; tools/test asks for
// them by naming a folder in ORVEX_SEED_DIR.
TEST_F(DataFileTest, SeedCorpusForTheFuzzRun) {
    const char* dir = std::getenv("ORVEX_SEED_DIR");
    if (!dir) GTEST_SKIP() << "ORVEX_SEED_DIR not set";
    for (const auto& [name, bytes] : items::seedFiles()) {
        std::ofstream out(std::string(dir) + "/" + name, std::ios::binary);
        out << bytes;
        ASSERT_TRUE(out.good()) << name;
    }
}
