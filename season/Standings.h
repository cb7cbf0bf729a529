#pragma once
#include <string>
#include <vector>

#include "season/PointsTable.h"
#include "season/Season.h"

namespace orvex {

// A driver's name as a championship matches it: case ignored, blanks at the
// ends dropped and blanks inside made one. Empty for a result without a name.
std::string driverKey(const std::string& name);
// The name as the standings show it: blanks at the ends dropped, inside made one.
std::string tidyName(const std::string& name);

// How many of the round's results have no name (they do not count).
int unnamedCount(const Round& round);

// The standings of `rounds` (any order: they are ordered by firstSeen). A
// round never issued (no drivers) counts for nobody and is dropped by no one;
// a driver who did not take part in an issued round scores 0 there, and that
// round is dropped before the rounds driven.
Standings buildStandings(const std::string& championship, const PointsTable& points,
                         const ChampionshipRules& rules, std::vector<Round> rounds);

// "Provisional" or "Official": what every output of the standings says.
const char* standingsStateText(const Standings& s);

}  // namespace orvex
