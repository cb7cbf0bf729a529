#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/Status.h"

namespace orvex {

// What a championship gives for a result: one value per position, and the
// extras. A disqualified driver scores none of them.
struct PointsTable {
    std::vector<int> perPosition{25, 18, 15, 12, 10, 8, 6, 4, 2, 1};
    int fastestLap = 0;  // every driver tying for the round's best lap
    int takingPart = 0;  // at least one recorded lap
    int noPosition = 0;  // took part but has no position
    bool operator==(const PointsTable&) const = default;
};

// The rules that turn the rounds' points into the standings.
struct ChampionshipRules {
    int dropWorst = 0;  // rounds each driver loses, worst first
    int minRounds = 0;  // rounds driven to be classified
    bool operator==(const ChampionshipRules&) const = default;
};

constexpr std::size_t kMaxPositionsPoints = 100;
constexpr int kMaxPoints = 1000000;

// Reads "25 18 15 12 10 8 6 4 2 1" (blanks, commas or semicolons between the
// values). Text, a negative value or more than 100 entries is refused with a
// status naming the entry.
Result<std::vector<int>> parsePointsList(const std::string& text);
// The list as parsePointsList reads it back.
std::string pointsListText(const std::vector<int>& values);

}  // namespace orvex
