#include <gtest/gtest.h>

#include <limits>

#include "slips/Slip.h"
#include "ui/slips/SlipPainter.h"

using namespace orvex;

namespace {

constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();

std::vector<std::string> texts(const std::vector<SlipLine>& lines) {
    std::vector<std::string> t;
    for (const SlipLine& l : lines) t.push_back(l.text);
    return t;
}

}  // namespace

TEST(SlipLines, ShowEveryLapWithItsMarkThePenaltyAndTheNumberAloneWithoutAName) {
    SlipDriver d;
    d.program = "ORVEX Timing System";
    d.date = "07/12/2026";
    d.time = "14:30";
    d.track = "Pista Azzurra";
    d.mode = RankMode::Race;
    d.fieldSize = 12;
    DriverResult& r = d.result;
    r.driver = 7;
    r.pos = 3;
    r.best = 8345;
    r.bestLapNo = 4;
    r.gapLaps = 1;
    r.laps = 3;
    r.raceTime = 373450;
    r.average = 8600;
    r.recorded = {{1, 8900},
                  {2, 412, LapCorrection::Join},
                  {4, 8345, LapCorrection::None, false, false, true},
                  {6, 12000, LapCorrection::Void}};  // lap 5's slot is empty
    r.penalty = 150;                                 // shown with its hundredths, never rounded
    r.reason = "jump start";
    const std::vector<SlipLine> lines = slipLines(d, 42, SlipPainter::Words());
    const std::string rule(42, '-');
    EXPECT_EQ(texts(lines), (std::vector<std::string>{
                                "Pista Azzurra",  // the track heads the slip
                                "07/12/2026  14:30",
                                rule,
                                "No. 7",
                                "Pos 3 of 12",
                                "Ranking: Race",
                                rule,
                                "Laps            3",  // ranked by race: what placed the driver
                                "Race time       1:02:14.50",
                                "Best lap        1:23.45 (lap 4)",
                                "Gap to leader   +1 lap",
                                "Average lap     1:26.00",
                                "Penalty         +1.50 s: jump start",
                                rule,
                                "Lap     Time",
                                "  1  1:29.00",
                                "  2     4.12  joined",
                                "  4  1:23.45  best",
                                "  6  2:00.00  void",
                            }));
    EXPECT_EQ(lines[0].style, SlipStyle::Title);
    EXPECT_EQ(lines[2].style, SlipStyle::Rule);
    EXPECT_EQ(lines[3].style, SlipStyle::Driver);
    EXPECT_EQ(lines[17].style, SlipStyle::Strong);  // the best lap stands out
    EXPECT_EQ(lines[18].style, SlipStyle::Normal);
    // A whole sheet's slip sets the laps side by side, down the first column first.
    const auto wide = texts(slipLines(d, 64, SlipPainter::Words(), true));
    const std::string pad(12, ' ');
    EXPECT_EQ(std::vector<std::string>(wide.end() - 3, wide.end()),
              (std::vector<std::string>{"Lap     Time" + pad + "Lap     Time",
                                        "  1  1:29.00" + pad + "  4  1:23.45  best",
                                        "  2     4.12  joined      6  2:00.00  void"}));

    // Disqualified, no track length, no lap: the slip says so and shows no figure.
    SlipDriver dsq;
    dsq.program = "ORVEX Timing System";
    dsq.decimal = ",";
    dsq.result.driver = 30;
    dsq.result.name = "Anna";
    dsq.result.disqualified = true;
    dsq.result.reason = "unsafe driving";
    EXPECT_EQ(texts(slipLines(dsq, 42, SlipPainter::Words())),
              (std::vector<std::string>{"ORVEX Timing System", rule, "No. 30  Anna", "DSQ",
                                        "Ranking: Best lap", rule, "DSQ             unsafe driving",
                                        "No laps recorded."}));
    dsq.result.penalty = 5;  // the reason is the penalty's
    EXPECT_EQ(texts(slipLines(dsq, 42, SlipPainter::Words()))[6],
              "Penalty         +0,05 s: unsafe driving");
}

TEST(SlipLines, TheLongestNameAndLargestLapsFitTheReceiptWithNothingCut) {
    SlipDriver d;
    d.program = "ORVEX Timing System";
    d.track = "Circuito Internazionale di Franciacorta, pista lunga";
    DriverResult& r = d.result;
    r.driver = 30;
    r.name = "Åsa-Zoë Ünal-Øberg Fernández del Córdova";  // 40 characters, many of 2 bytes
    ASSERT_EQ(textWidth(r.name), 40);
    r.pos = 12;
    d.fieldSize = 12;
    d.mode = RankMode::BestConsecutive;
    r.best = kMax;
    r.bestLapNo = 25;
    r.gap = std::int64_t{kMax} * 25;  // 25 laps of the largest time
    r.average = kMax;
    r.bestSpeed = 0;
    r.penalty = 360000;
    r.reason = "a reason that is far too long to stand on one receipt line";
    for (int l = 1; l <= 25; ++l)
        r.recorded.push_back({l, kMax, l == 25 ? LapCorrection::Join : LapCorrection::None});

    const int width = slipWidth(SlipPaper::Receipt);
    const std::vector<SlipLine> lines = slipLines(d, width, SlipPainter::Words());
    std::string all;
    for (const SlipLine& l : lines) {
        EXPECT_LE(textWidth(l.text), width) << l.text;
        all += l.text + "\n";
    }
    // Wrapped whole: the name on a line of its own, each time and mark in full.
    EXPECT_NE(all.find("No. 30\n" + r.name + "\n"), std::string::npos);
    EXPECT_NE(all.find(" 25  5965:13:56.47  joined\n"), std::string::npos);
    EXPECT_NE(all.find("5965:13:56.47 (lap 25)"), std::string::npos);
    EXPECT_NE(all.find("+149130:48:31.75"), std::string::npos);
    EXPECT_NE(all.find("+3600.00 s"), std::string::npos);
    std::string packed = all;
    std::erase_if(packed, [](char c) { return c == ' ' || c == '\n'; });
    for (std::string text : {d.track, r.reason}) {
        std::erase(text, ' ');
        EXPECT_NE(packed.find(text), std::string::npos) << text;
    }

    // A word wider than the slip is broken, not lost.
    r.name = std::string(50, 'X');
    std::string name;
    for (const SlipLine& l : slipLines(d, width, SlipPainter::Words()))
        if (l.style == SlipStyle::Driver && l.text[0] == 'X') name += l.text;
    EXPECT_EQ(name, r.name);
}
