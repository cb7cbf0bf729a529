#include <gtest/gtest.h>

#include "ItemBytes.h"
#include "fakes/FakePlatform.h"
#include "session/CorrectionsCodec.h"
#include "session/DataFile.h"
#include "session/DriverNames.h"
#include "session/ExtraBlock.h"
#include "session/Session.h"

using namespace orvex;

namespace {

const std::string kRace = "/data/Race1.DAT";

class ExtraBlockTest : public ::testing::Test {
protected:
    FakePlatform fakes;
    Session& s = session();
    const std::string full = items::filledFile().bytes();

    void SetUp() override {
        fakes.files.folders.insert("/data");
        s = Session{};
        s.ResetSession();
    }
    void TearDown() override { s = Session{}; }

    FileRead open(const std::string& bytes) {
        fakes.files.files[kRace] = bytes;
        s.ResetSession();
        return File_Read(kRace, s);
    }
    void expectOneMessage(const std::string& text) {
        EXPECT_EQ(fakes.messages.texts(), std::vector<std::string>{text});
        fakes.messages.shown.clear();
    }
    // Saved with the windows placed as the file had them.
    std::string saved() {
        s.LapsWin = s.SavedLapsWin;
        s.SessionWin = s.SavedSessionWin;
        s.StatWin = s.SavedStatWin;
        EXPECT_TRUE(File_Write(kRace, nullptr));
        return fakes.files.files[kRace];
    }
    void expectLapsAndTextsOfTheFilledFile() const {
        const items::DataFile f = items::filledFile();
        for (int i = 1; i <= kLapSlots; ++i) ASSERT_EQ(s.LapTimes[i], f.lapTimes[i - 1]) << i;
        EXPECT_EQ(s.SessionNote, "Dry\r\nWarm \xE2\x82\xAC day");
    }
};

DriverNameList decoded(const std::string& payload) {
    DriverNameList names;
    EXPECT_TRUE(decodeNames(payload, 1, names));
    return names;
}

}  // namespace

// What this version cannot read is kept byte for byte, and said once; the
// program's own section of a kind goes beside a later one, never over it.
TEST_F(ExtraBlockTest, LaterSectionsAreKeptAndSavedBackAsTheyWere) {
    const std::string later = items::extraBlock({{"later", 9, std::string("\0\xFF", 2)},
                                                 {"names", 2, "3\tBea\n"},
                                                 {"names", 1, "3\tBea\n"},
                                                 {"corrections", 4, "x"}});
    ASSERT_EQ(FileRead::Whole, open(full + later));
    EXPECT_EQ(s.DriverNames[3], "Bea");
    expectOneMessage(
        "Some data in this file comes from a later version of ORVEX and is not shown here: the "
        "driver names, the lap corrections, other data. It is kept unchanged when the file is "
        "saved.");
    s.DriverNames[3] = "Al";
    s.Corrections.minLap = 3000;
    EXPECT_EQ(saved(),
              full + items::extraBlock({{"names", 1, "3\tAl\n"},
                                        {"corrections", 1, encodeCorrections(s.Corrections)},
                                        {"later", 9, std::string("\0\xFF", 2)},
                                        {"names", 2, "3\tBea\n"},
                                        {"corrections", 4, "x"}}));
    s.ResetSession();  // a new session forgets all three
    EXPECT_TRUE(s.KeptSections.empty() && !s.hasDriverNames() && s.Corrections.empty());
}

// Bytes after the laps that are not the block are left unread, as the laps'
// reader always left them; a block begun and cut is damage.
TEST_F(ExtraBlockTest, BytesAfterTheLapsThatAreNotTheBlockAreIgnored) {
    const std::string names = items::extraBlock({{"names", 1, "3\tBea\n"}});
    const std::vector<std::pair<std::string, bool>> after = {
        {std::string("\xFF\xFF\x01", 3), false},
        {items::text("x"), false},
        {std::string(1, '\0'), false},
        {items::text("ORVEX-EXTRA2") + names.substr(13), false},
        {names + items::text("ORVEX-EXTRA"), true}};
    for (const auto& [bytes, named] : after) {
        ASSERT_EQ(FileRead::Whole, open(full + bytes));
        EXPECT_TRUE(fakes.messages.shown.empty());
        EXPECT_EQ(s.DriverNames[3], named ? "Bea" : "");
        expectLapsAndTextsOfTheFilledFile();
    }
    ASSERT_EQ(FileRead::Damaged, open(full + names.substr(0, 5)));
    expectOneMessage(std::string(kNamesDamagedMessage) + "\n" + kCorrectionsDamagedMessage);
}

TEST_F(ExtraBlockTest, ADamagedBlockGivesOneMessageAndTheRestAsANewSession) {
    const std::string names = items::extraBlock({{"names", 1, "3\tBea\n"}});
    const std::string block = full + names;
    const std::vector<std::pair<const char*, std::string>> damaged = {
        {"cut in the payload", block.substr(0, block.size() - 3)},
        {"cut right after the section's version", block.substr(0, block.size() - 8)},
        {"another block version", full + items::extraBlock({{"names", 1, "3\tBea\n"}}, 2)},
        {"number out of range", full + items::extraBlock({{"names", 1, "31\tBea\n"}})},
        {"a number twice", full + items::extraBlock({{"names", 1, "3\tBea\n3\tAl\n"}})},
        {"no line end", full + items::extraBlock({{"names", 1, "3\tBea"}})},
        {"a name with a tab", full + items::extraBlock({{"names", 1, "3\tB\tea\n"}})},
        {"not UTF-8", full + items::extraBlock({{"names", 1, "3\tB\xE9\n"}})},
        {"a version never written", full + items::extraBlock({{"names", 0, "3\tBea\n"}})},
    };
    for (const auto& [what, bytes] : damaged) {
        SCOPED_TRACE(what);
        ASSERT_EQ(FileRead::Damaged, open(bytes));
        const bool unknown = std::string(what) == "another block version";
        expectOneMessage(unknown
                             ? std::string(kNamesDamagedMessage) + "\n" + kCorrectionsDamagedMessage
                             : kNamesDamagedMessage);
        EXPECT_FALSE(s.hasDriverNames());
        EXPECT_EQ(s.FileState, FileState::Modified);
        EXPECT_EQ(s.DataFileName, "New");
        expectLapsAndTextsOfTheFilledFile();
    }
    // A section cut after its version: the other section read whole stays.
    const std::string both =
        full + items::extraBlock({{"names", 1, "3\tBea\n"}, {"corrections", 1, "rank\t1\t3\n"}});
    ASSERT_EQ(FileRead::Damaged, open(both.substr(0, both.size() - 12)));
    expectOneMessage(kCorrectionsDamagedMessage);
    EXPECT_EQ(s.DriverNames[3], "Bea");
    // Lost before their tags were read: both may be lost.
    ASSERT_EQ(FileRead::Damaged, open(both.substr(0, full.size() + 18)));
    expectOneMessage(std::string(kNamesDamagedMessage) + "\n" + kCorrectionsDamagedMessage);
}

// Names (accents, right to left, quotes, a formula, an emoji) and corrections
// make the agreed block after the laps and come back exactly.
TEST_F(ExtraBlockTest, NamesAndCorrectionsTravelTogetherAndADamagedSectionCostsOnlyItself) {
    ASSERT_EQ(FileRead::Whole, open(full));
    s.DriverNames = decoded(items::kNamesPayload);
    const DriverNameList names = s.DriverNames;
    s.Corrections.mode = RankMode::Race;
    s.Corrections.minLap = 3000;
    s.Corrections.setMark(lapSlot(1, 2), s.LapTimes[lapSlot(1, 2)], LapCorrection::Void);
    s.Corrections.setPenalty(3, {500, "jump start", true});
    const RaceCorrections corrections = s.Corrections;
    const std::string bytes = saved();
    EXPECT_EQ(bytes,
              full + items::extraBlock({{"names", 1, items::kNamesPayload},
                                        {"corrections", 1, encodeCorrections(corrections)}}));
    ASSERT_EQ(FileRead::Whole, open(bytes));
    EXPECT_EQ(s.Corrections, corrections);
    EXPECT_EQ(s.DriverNames, names);
    expectLapsAndTextsOfTheFilledFile();
    EXPECT_EQ(s.FileState, FileState::Saved);
    EXPECT_TRUE(fakes.messages.shown.empty());

    // Names cleared: corrections alone; then a damaged corrections section
    // beside good names.
    for (std::string& name : s.DriverNames) name.clear();
    EXPECT_EQ(saved(),
              full + items::extraBlock({{"corrections", 1, encodeCorrections(corrections)}}));
    // Rules checked as the lap rules dialog checks them; an empty payload was cut.
    for (const char* payload : {"rank\t7\t3\n", "rank\t1\t3\nrules\t9000\t3000\n",
                                "rank\t1\t3\nrules\t3000\t3000\n", ""}) {
        SCOPED_TRACE(payload);
        ASSERT_EQ(FileRead::Damaged, open(full + items::extraBlock({{"names", 1, "3\tBea\n"},
                                                                    {"corrections", 1, payload}})));
        expectOneMessage(kCorrectionsDamagedMessage);
        EXPECT_EQ(s.DriverNames[3], "Bea");
        EXPECT_TRUE(s.Corrections.empty());
        EXPECT_EQ(s.FileState, FileState::Modified);
        expectLapsAndTextsOfTheFilledFile();
    }
    ASSERT_EQ(FileRead::Whole,
              open(full + items::extraBlock({{"corrections", 1, "rank\t1\t3\nrules\t0\t3000\n"}})));
    EXPECT_EQ(s.Corrections.maxLap, 3000);
}

// The suspect limits and the disqualifications' reasons have sections of
// their own: the corrections section stays what an older version reads whole.
TEST_F(ExtraBlockTest, SuspectLimitsAndDsqReasonsTravelInSectionsOfTheirOwn) {
    ASSERT_EQ(FileRead::Whole, open(full));
    RaceCorrections& c = s.Corrections;
    c.setPenalty(3, {0, "", true});
    c.dsqReasons[3] = "ignored flags";
    c.suspectShort = 60;
    c.suspectLong = 200;
    const RaceCorrections corrections = c;
    const std::string bytes = saved();
    EXPECT_EQ(bytes,
              full + items::extraBlock({{"corrections", 1, "rank\t0\t3\npenalty\t3\t0\t1\t\n"},
                                        {"suspect", 1, "limits\t60\t200\n"},
                                        {"dsq", 1, "3\tignored flags\n"}}));
    ASSERT_EQ(FileRead::Whole, open(bytes));
    EXPECT_EQ(s.Corrections, corrections);
    // Back at 70 and 150 without a disqualification: the file as it was.
    c.setPenalty(3, {});
    c.suspectShort = 70;
    c.suspectLong = 150;
    EXPECT_EQ(saved(), full);
    // A damaged section costs only itself.
    ASSERT_EQ(FileRead::Damaged,
              open(full + items::extraBlock(
                              {{"names", 1, "3\tBea\n"}, {"suspect", 1, "limits\t5\t150\n"}})));
    expectOneMessage(kExtraDamagedMessage);
    EXPECT_EQ(s.DriverNames[3], "Bea");
    EXPECT_EQ(s.Corrections.suspectShort, 70);
}

TEST(DriverNames, CleaningTrimsDropsControlsAndCutsAtFortyCharacters) {
    EXPECT_EQ(CleanDriverName(" \t Anna\r\nRossi\x7F \xC2\xA0"), "AnnaRossi");
    const std::string emoji = "\xF0\x9F\x8F\x81";
    std::string many;
    for (int i = 0; i < 45; ++i) many += emoji;
    const std::string cut = CleanDriverName(many);
    EXPECT_EQ(cut.size(), 40 * emoji.size());
    EXPECT_EQ(CleanDriverName(std::string(39, 'a') + " b"), std::string(39, 'a'));
    EXPECT_FALSE(isValidUtf8("\xC0\xAF"));      // overlong
    EXPECT_FALSE(isValidUtf8("\xED\xA0\x80"));  // surrogate
    EXPECT_FALSE(isValidUtf8("\xE2\x82"));
}
