#include <gtest/gtest.h>

#include "session/CorrectionsCodec.h"
#include "session/Session.h"

using namespace orvex;

namespace {

RaceCorrections everything() {
    RaceCorrections c;
    c.mode = RankMode::BestConsecutive;
    c.run = 10;
    c.minLap = 3000;
    c.maxLap = 2147483647;
    c.marks[1] = {LapCorrection::Join, 250};
    c.marks[kLapSlots] = {LapCorrection::Keep, 9000};
    c.marks[26] = {LapCorrection::Void, 2147483647};
    c.penalties[1] = {RaceCorrections::kMaxPenalty,
                      "Ampel \xc3\xbc"
                      "berfahren",
                      false};
    c.penalties[30] = {0, "", true};
    return c;
}

}  // namespace

TEST(CorrectionsCodec, EveryKindOfCorrectionSurvivesTheRoundTrip) {
    for (const RaceCorrections& c : {everything(), RaceCorrections{}}) {
        RaceCorrections back;
        back.minLap = 77;  // overwritten, not merged
        ASSERT_TRUE(decodeCorrections(encodeCorrections(c), kCorrectionsVersion, back));
        EXPECT_EQ(back, c);
    }
    // A reason cannot break its line, and keeps its length within bounds.
    RaceCorrections c;
    c.penalties[4] = {100, "cut\tthe\r\nchicane" + std::string(500, 'x'), false};
    RaceCorrections back;
    ASSERT_TRUE(decodeCorrections(encodeCorrections(c), 1, back));
    EXPECT_EQ(back.penalties[4].reason.substr(0, 18), "cut the  chicanexx");
    EXPECT_EQ(back.penalties[4].reason.size(), RaceCorrections::kMaxReason);
}

TEST(CorrectionsCodec, AnyFlawRejectsTheWholeSectionAndChangesNothing) {
    const std::string good = encodeCorrections(everything());
    for (const std::string& bad :
         {std::string("rank\t3\t3\n"), std::string("rank\t0\t11\n"), std::string("rank\t0\t3"),
          std::string("mark\t751\tJ\t5\n"), std::string("mark\t0\tV\t5\n"),
          std::string("mark\t5\tX\t5\n"), std::string("mark\t5\tJ\t2147483648\n"),
          std::string("penalty\t31\t0\t1\t\n"), std::string("penalty\t3\t-1\t0\t\n"),
          std::string("penalty\t3\t360001\t0\t\n"), std::string("penalty\t3\t0\t1\ta\rb\n"),
          std::string("rules\t+5\t0\n"), std::string("rules\t500\t500\n"), std::string(),
          std::string("rules\t5\n"), std::string("names\t1\n"), std::string("\n"),
          good + "rank\t1\t 3\n"}) {
        RaceCorrections c = everything();
        EXPECT_FALSE(decodeCorrections(bad, 1, c)) << bad;
        EXPECT_EQ(c, everything());
    }
    RaceCorrections c;
    EXPECT_FALSE(decodeCorrections(good, 2, c));
    // Every cut and every changed byte either reads or is refused whole.
    for (std::size_t i = 0; i < good.size(); ++i) {
        RaceCorrections cut;
        EXPECT_EQ(decodeCorrections(good.substr(0, i), 1, cut), i > 0 && good[i - 1] == '\n');
        for (const char b : {'\0', '\t', '\n', '9', '-', 'J'}) {
            std::string changed = good;
            changed[i] = b;
            RaceCorrections any;
            decodeCorrections(changed, 1, any);
        }
    }
}
