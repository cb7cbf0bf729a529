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
    std::string status;         // "Provisional", "Official (issue N)", ...; empty: no line
    std::string decimal = ".";  // the user's decimal separator
    RankMode mode = RankMode::BestLap;
    int run = 3;
    int fieldSize = 0;  // drivers ranked
    DriverResult result;
};

// The words of a slip in the user's language: the window layer makes them
// (SlipPainter::Words). "%1" and "%2" stand for the figures.
struct SlipWords {
    std::string number, position;         // "No. %1", "Pos %1 of %2"
    std::string dsq, notRanked, ranking;  // "DSQ", "Not ranked", "Ranking: %1"
    // The rankings: "Best lap", "Race", "Best %1 consecutive".
    std::string rankBestLap, rankRace, rankRun;
    std::string lapCount, raceTime;             // "Laps", "Race time"
    std::string bestLap, lapOf;                 // "Best lap", "%1 (lap %2)"
    std::string gap, oneLap, laps;              // "Gap to leader", "+1 lap", "+%1 laps"
    std::string average, bestSpeed, kmh;        // "Average lap", "Best speed", "%1 km/h"
    std::string penalty, seconds, reason;       // "Penalty", "+%1 s", "%1: %2"
    std::string noLaps, lapHeader, timeHeader;  // "No laps recorded.", "Lap", "Time"
    std::string best, joined, voided;           // the marks of laps
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

// The lines of one slip in `words`, top to bottom, none wider than `width`
// characters: long names, tracks and reasons wrap, and nothing is cut.
// `sideBySide` sets the laps in as many columns as the width holds.
std::vector<SlipLine> slipLines(const SlipDriver& d, int width, const SlipWords& words,
                                bool sideBySide = false);

// Characters (not bytes) of a UTF-8 text.
int textWidth(const std::string& utf8);

}  // namespace orvex
