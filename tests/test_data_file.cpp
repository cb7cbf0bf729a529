#include <gtest/gtest.h>

#include "ItemBytes.h"
#include "fakes/FakeDesktopViews.h"
#include "fakes/FakePlatform.h"
#include "session/DataFile.h"
#include "session/RWData.h"
#include "session/Session.h"

using namespace orvex;

namespace {

const std::string kRace = "/data/Race1.DAT";
using Files = std::map<std::string, std::string>;

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

    // A failed write reports `message` and leaves the files and the state as they were.
    void expectFailedWrite(const std::string& name, const std::string& message) {
        const Files before = fakes.files.files;
        s.FileState = FileState::Modified;
        fakes.messages.onShow = [&](const auto&) {  // the busy pointer is gone first
            EXPECT_EQ(fakes.pointer.shape, MousePointer::Normal);
        };
        EXPECT_FALSE(File_Write(name, nullptr));
        EXPECT_EQ(fakes.messages.texts().back(), message);
        EXPECT_EQ(fakes.files.files, before);
        EXPECT_EQ(s.FileState, FileState::Modified);
    }
    // A record-file object on `file`, binary mode.
    static void aim(RWData& rw, const std::string& file) {
        rw.FileName(file);
        rw.Mode = 1;
    }
};

}  // namespace

// ---- record-file items ----

TEST_F(DataFileTest, ItemsHaveTheirExactBytesAndReadBackByCode) {
    // The golden file proves the other items; a text beyond Windows-1252 too.
    RWData rw;
    aim(rw, kRace);
    EXPECT_EQ(rw.Data_Write(Variant(std::string("Città 5€ “ok” 日本"))), 0);
    rw.File_Close();
    EXPECT_EQ(fakes.files.files[kRace], items::text("Citt\xE0 5\x80 \x93ok\x94 ??"));

    fakes.files.files[kRace] = items::longInt(123456);
    RWData back;
    aim(back, kRace);
    ASSERT_EQ(back.Data_Read(std::int16_t(0)), 0);  // a 16-bit Dato reads all 32 bits
    EXPECT_EQ(back.Data, Variant(std::int32_t(123456)));
    ASSERT_EQ(back.Data_Read(std::string()), 0);  // past the end a number reads as zero
    EXPECT_EQ(back.Data, Variant(std::string()));
}

TEST_F(DataFileTest, SettingsReadWithoutRegardToCaseOrBlanksAndWritesKeepTheRest) {
    const std::string ini = "/orvex/ORVEX.INI";
    const auto read = [&](const std::string& section, const std::string& key) {
        RWData rw;
        rw.FileName(ini);
        rw.Section = section;
        rw.Index = key;
        const std::int16_t result = rw.Data_Read();
        return std::make_pair(result, toText(rw.Data));
    };
    fakes.files.files[ini] =
        "; recent\r\n[Other]\r\nFile1=wrong\r\n[ file ]\r\n  file1 =  /a b  "
        "\r\nFILE2=\"/q\"\r\nFile4=Not Used\r\n";
    EXPECT_EQ(read("File", "File1"), std::make_pair(std::int16_t(0), std::string("/a b")));
    EXPECT_EQ(read("FILE", "file2").second, "/q");
    EXPECT_EQ(read("File", "File4"), std::make_pair(std::int16_t(1), std::string()));

    fakes.files.files[ini] = "[File]\nFile1=x\n\n[Keep]\nA = 1\n";
    RWData rw;
    rw.FileName(ini);
    rw.Section = "file";
    rw.Index = "FILE2";
    rw.Data = std::int16_t(5);
    EXPECT_EQ(rw.Data_Write(), 0);
    EXPECT_EQ(fakes.files.files[ini], "[File]\r\nFile1=x\r\nFILE2=5\r\n\r\n[Keep]\r\nA = 1\r\n");
}

// ---- writing ----

TEST_F(DataFileTest, TheGoldenFileReadsAndIsWrittenBackByteForByte) {
    fakes.files.files["/data/Golden.DAT"] = items::filledFile().bytes();
    s.LapCount = 9;
    ASSERT_EQ(File_Read("/data/Golden.DAT", s), FileRead::Whole);
    EXPECT_EQ(s.SessionTrack, "Pista Città");
    EXPECT_EQ(s.SessionNote, "Dry\r\nWarm € day");
    EXPECT_EQ(s.LapTimes[2] + s.LapTimes[7] + s.LapTimes[750], 6026 + 0 + 15750);
    EXPECT_EQ(s.SavedSessionWin, (WinState{-1, 15, 30, 0, 0}));
    // Only the stored records are read; the windows apply them later.
    EXPECT_EQ(s.LapsWin, WinState{});

    s.LapsWin = s.SavedLapsWin;
    s.SessionWin = s.SavedSessionWin;
    s.StatWin = s.SavedStatWin;
    s.FileState = FileState::Modified;
    ASSERT_TRUE(File_Write(kRace, nullptr));
    EXPECT_EQ(fakes.files.files[kRace], items::filledFile().bytes());
    EXPECT_EQ(s.FileState, FileState::Saved);
    EXPECT_EQ(s.DataFileName + s.DataFilePath, "Race1/data");
}

TEST_F(DataFileTest, OpenWindowsRecordTheirPlaceAndTextsAndTheWholeFileIsReplaced) {
    FakeDesktopViews views;
    s.SessionWin.Open = -1;
    views.onRecordPositions = [&] { s.LapsWin = WinState{-1, 1, 2, 3, 4}; };
    views.onCopyTexts = [&] { s.ChangeField(s.SessionNote, "typed"); };
    fakes.files.files[kRace] = std::string(20000, '\x55');  // replaced whole, TXT or not
    ASSERT_TRUE(File_Write("/data/Race1.TXT", &views));
    items::DataFile f;
    f.laps = {true, 1, 2, 3, 4};
    f.session = {true, 0, 0};
    f.texts[6] = "typed";
    EXPECT_EQ(fakes.files.files, (Files{{kRace, f.bytes()}}));
}

TEST_F(DataFileTest, AFailedWriteReportsItAndLeavesTheOldFileIdenticalAndNothingElse) {
    fakes.files.files[kRace] = items::filledFile().bytes();
    for (long long cut : {0LL, 5LL, 3000LL}) {
        fakes.files.bytesWritten = 0;
        fakes.files.failAfterBytes = cut;
        expectFailedWrite(kRace, "Errore : Disco pieno");
    }
    fakes.files.failAfterBytes = -1;
    fakes.files.commitError = 57;
    expectFailedWrite(kRace, "Errore di I/O periferica");
    fakes.files.commitError = 0;
    fakes.files.readOnlyFolders.insert("/data");
    expectFailedWrite(kRace, "Errore : Permesso negato");
    fakes.files.readOnlyFolders.clear();
    s.SessionNote = std::string(32768, 'n');
    expectFailedWrite(kRace, "/DATA/RACE1.DAT\nErrore : Overflow");
    EXPECT_EQ(fakes.messages.shown.size(), 6u);  // one box each

    s.SessionNote.pop_back();
    EXPECT_TRUE(File_Write(kRace, nullptr));
}

// ---- reading ----

// A file refused at its header gives nothing; one damaged after it gives what
// was read before the damage, as a new session that is not the file's.
TEST_F(DataFileTest, ABadFileGivesItsOneMessageAndADamagedOneANewSession) {
    auto bad = items::badFiles();
    bad.push_back({"gone", "", "/DATA/RACE1.DAT\nErrore : Impossibile trovare il file", true});
    for (const auto& [name, bytes, message, refused] : bad) {
        SCOPED_TRACE(name);
        fakes.files.files = {{kRace, bytes}};
        if (name == "gone") fakes.files.files.clear();
        fakes.messages.shown.clear();
        Session staged;
        staged.ResetSession();
        const FileRead read = File_Read("/data/Race1.TXT", staged);
        EXPECT_EQ(read, refused ? FileRead::Refused : FileRead::Damaged);
        EXPECT_EQ(fakes.messages.texts(), std::vector<std::string>{message});
        EXPECT_EQ(staged.FileState, refused ? FileState::NoSession : FileState::Modified);
        if (!refused) {
            EXPECT_EQ(staged.DataFileName + staged.DataFilePath, "New/orvex");
        }
        EXPECT_EQ(fakes.pointer.shape, MousePointer::Normal);
        Session loaded;
        loaded.ResetSession();
        EXPECT_FALSE(Data_FileLoad(kRace, loaded).ok());
    }
}

TEST_F(DataFileTest, TextsWithoutMarkerOrLapsLoadACutInTheLapsIsDamage) {
    const std::string full = items::filledFile().bytes();
    const std::string texts = full.substr(0, full.find("Tempi") - 2);
    for (const std::string& bytes : {texts + items::text("Times") + "\xFF\x01", texts,
                                     texts + items::text("Tempi") + items::longInt(0)}) {
        fakes.files.files[kRace] = bytes;
        ASSERT_EQ(File_Read(kRace, s), FileRead::Whole);
        EXPECT_EQ(s.SessionTrack, "Pista Città");
        for (int i = 1; i <= kLapSlots; ++i) ASSERT_EQ(s.LapTimes[i], 0) << i;
    }
    // Any 32-bit value is a lap; one cut short, or a count of laps the file
    // does not hold, is damage.
    items::DataFile f = items::filledFile();
    f.lapTimes[0] = -1;
    f.lapTimes[1] = INT32_MIN;
    const std::string laps = f.bytes();
    fakes.files.files[kRace] = laps;
    ASSERT_EQ(File_Read(kRace, s), FileRead::Whole);
    EXPECT_EQ(s.LapTimes[1] + 1, 0);
    EXPECT_EQ(s.LapTimes[2], INT32_MIN);
    const std::vector<std::pair<std::string, int>> damaged = {
        {laps.substr(0, laps.size() - (750 - 99) * 6), 99},
        {laps.substr(0, laps.size() - 1), 749},
        {texts + items::text("Tempi") + items::longInt(-1), 0}};
    for (const auto& [bytes, read] : damaged) {
        fakes.messages.shown.clear();
        fakes.files.files[kRace] = bytes;
        s.ResetSession();
        ASSERT_EQ(File_Read(kRace, s), FileRead::Damaged);
        EXPECT_EQ(fakes.messages.texts(), std::vector<std::string>{"File not valid or damaged !"});
        for (int i = 1; i <= kLapSlots; ++i)
            ASSERT_EQ(s.LapTimes[i], i <= read ? f.lapTimes[i - 1] : 0) << i;
    }
}
