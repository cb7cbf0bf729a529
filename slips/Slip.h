#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace orvex {

// How a recorded lap counts, as the Results window marks it.
enum class LapMark { Normal, Best, Joined, Void };

struct SlipLap {
    int lap = 0;  // the slot the lap sits in, 1..25
    std::int32_t time = 0;
    LapMark mark = LapMark::Normal;
};

// Everything one driver's slip shows, in numbers; the slip makes the texts.
struct SlipDriver {
    std::string program;  // the program's name
    std::string date, time, track;
    int driver = 0;
    std::string name;   // UTF-8; empty: the number alone
    int pos = 0;        // 0: no position in this ranking
    int fieldSize = 0;  // drivers ranked
    std::string rankingMode;
    std::int64_t best = 0;  // 0: no lap the ranking can use
    int bestLapNo = 0;
    // Behind the leader, as the results write it ("+1.50", "+2 laps"); empty
    // for the leader and an unranked driver.
    std::string gap;
    std::int64_t average = 0;  // 0: none
    std::string bestSpeed;     // km/h as the program writes speeds; empty without a track length
    std::vector<SlipLap> laps;
    int penaltySeconds = 0;
    std::string penaltyReason;
    bool dsq = false;
    std::string dsqReason;
};

// The three papers a slip is made for.
enum class SlipPaper { A4One, A4Four, Receipt };

// How a line is drawn: the rule is a line across, the others differ in weight.
enum class SlipStyle { Title, Driver, Strong, Normal, Rule };

struct SlipLine {
    SlipStyle style = SlipStyle::Normal;
    std::string text;  // UTF-8, at most the slip's width in characters
    bool operator==(const SlipLine&) const = default;
};

// Characters across one slip on `paper`. The drawing sizes its fixed-pitch
// font to this, so a line that fits here fits the paper.
int slipWidth(SlipPaper paper);

// The lines of one slip, top to bottom, none wider than `width` characters:
// long names, tracks and reasons wrap, and nothing is cut.
std::vector<SlipLine> slipLines(const SlipDriver& d, int width);

// Characters (not bytes) of a UTF-8 text.
int textWidth(const std::string& utf8);

}  // namespace orvex
