#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "results/Results.h"

namespace orvex {

// Everything one driver's slip shows: the session's texts and the driver's
// line of the results; the slip makes the texts.
struct SlipDriver {
    std::string program;  // the program's name
    std::string date, time, track;
    std::string decimal = ".";  // the user's decimal separator
    RankMode mode = RankMode::BestLap;
    int run = 3;
    int fieldSize = 0;  // drivers ranked
    DriverResult result;
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
