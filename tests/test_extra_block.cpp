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

    bool open(const std::string& bytes) {
        fakes.files.files[kRace] = bytes;
        s.ResetSession();
        return File_Read(kRace, s);
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

TEST_F(ExtraBlockTest, NamesMakeTheAgreedBlockAfterTheLapsAndComeBackExactly) {
    ASSERT_TRUE(open(full));
    s.DriverNames = decoded(items::kNamesPayload);
    EXPECT_EQ(s.DriverNames[12], "\xD7\x93\xD7\xA0\xD7\x94");
    const std::string bytes = saved();
    EXPECT_EQ(bytes, full + items::extraBlock({{"names", 1, items::kNamesPayload}}));

    const DriverNameList names = s.DriverNames;
    ASSERT_TRUE(open(bytes));
    EXPECT_EQ(s.DriverNames, names);
    expectLapsAndTextsOfTheFilledFile();
    EXPECT_EQ(s.FileState, FileState::Saved);
    EXPECT_TRUE(fakes.messages.shown.empty());

    s.ResetSession();
    EXPECT_FALSE(s.hasDriverNames());
}

TEST_F(ExtraBlockTest, ASessionWithoutNamesIsSavedByteForByteAsBefore) {
    ASSERT_TRUE(open(full));
    EXPECT_EQ(saved(), full);
    s.DriverNames[5] = "Ann";
    s.DriverNames[5].clear();
    EXPECT_EQ(saved(), full);
}

TEST_F(ExtraBlockTest, UnknownSectionsAreSkippedAndTheirNeighboursRead) {
    ASSERT_TRUE(open(full + items::extraBlock({{"later", 9, std::string("\0\xFF", 2)},
                                               {"names", 1, "3\tBea\n"}})));
    EXPECT_EQ(s.DriverNames[3], "Bea");
    EXPECT_TRUE(fakes.messages.shown.empty());
}

TEST_F(ExtraBlockTest, ADamagedBlockOpensTheFileWithOneMessageAndNoNames) {
    const std::string names = items::extraBlock({{"names", 1, "3\tBea\n"}});
    const std::string block = full + names;
    const std::vector<std::pair<const char*, std::string>> damaged = {
        {"cut in the payload", block.substr(0, block.size() - 3)},
        {"cut after the count", full + names.substr(0, 13 + 8)},
        {"bytes after it", block + items::text("x")},
        {"another block version", full + items::extraBlock({{"names", 1, "3\tBea\n"}}, 2)},
        {"another marker", full + items::text("ORVEX-EXTRA2") + names.substr(13)},
        {"no sections", full + items::text("ORVEX-EXTRA") + items::integer(1) + items::integer(0)},
        {"a section version the names do not know",
         full + items::extraBlock({{"names", 2, "3\tBea\n"}})},
        {"number out of range", full + items::extraBlock({{"names", 1, "31\tBea\n"}})},
        {"a number twice", full + items::extraBlock({{"names", 1, "3\tBea\n3\tAl\n"}})},
        {"no line end", full + items::extraBlock({{"names", 1, "3\tBea"}})},
        {"a name with a tab", full + items::extraBlock({{"names", 1, "3\tB\tea\n"}})},
        {"not UTF-8", full + items::extraBlock({{"names", 1, "3\tB\xE9\n"}})},
    };
    for (std::size_t i = 0; i < damaged.size(); ++i) {
        const auto& [what, bytes] = damaged[i];
        SCOPED_TRACE(what);
        fakes.messages.shown.clear();
        ASSERT_TRUE(open(bytes));
        EXPECT_EQ(fakes.messages.texts(), std::vector<std::string>{kNamesDamagedMessage});
        EXPECT_FALSE(s.hasDriverNames());
        EXPECT_EQ(s.FileState, FileState::Saved);
        expectLapsAndTextsOfTheFilledFile();
    }
    // A block cut once corrections were seen says both may be lost.
    const std::string both =
        full + items::extraBlock({{"names", 1, "3\tBea\n"}, {"corrections", 1, "rank\t1\t3\n"}});
    fakes.messages.shown.clear();
    ASSERT_TRUE(open(both.substr(0, both.size() - 2)));
    EXPECT_EQ(fakes.messages.texts(), std::vector<std::string>{kExtraDamagedMessage});
}

TEST_F(ExtraBlockTest, NamesAndCorrectionsTravelTogetherAndADamagedSectionCostsOnlyItself) {
    ASSERT_TRUE(open(full));
    s.DriverNames[3] = "Bea";
    s.Corrections.mode = RankMode::Race;
    s.Corrections.minLap = 3000;
    s.Corrections.setMark(lapSlot(1, 2), s.LapTimes[lapSlot(1, 2)], LapCorrection::Void);
    s.Corrections.setPenalty(3, {500, "jump start", true});
    const RaceCorrections corrections = s.Corrections;
    const std::string bytes = saved();
    EXPECT_EQ(bytes,
              full + items::extraBlock({{"names", 1, "3\tBea\n"},
                                        {"corrections", 1, encodeCorrections(corrections)}}));
    ASSERT_TRUE(open(bytes));
    EXPECT_EQ(s.Corrections, corrections);
    EXPECT_EQ(s.DriverNames[3], "Bea");
    EXPECT_TRUE(fakes.messages.shown.empty());

    // Corrections alone; then a damaged corrections section beside good names.
    s.DriverNames[3].clear();
    EXPECT_EQ(saved(),
              full + items::extraBlock({{"corrections", 1, encodeCorrections(corrections)}}));
    ASSERT_TRUE(open(
        full + items::extraBlock({{"names", 1, "3\tBea\n"}, {"corrections", 1, "rank\t7\t3\n"}})));
    EXPECT_EQ(fakes.messages.texts(), std::vector<std::string>{kCorrectionsDamagedMessage});
    EXPECT_EQ(s.DriverNames[3], "Bea");
    EXPECT_TRUE(s.Corrections.empty());
    EXPECT_EQ(s.FileState, FileState::Saved);
    expectLapsAndTextsOfTheFilledFile();
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
