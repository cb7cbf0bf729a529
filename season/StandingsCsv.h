#pragma once
#include <string>

#include "season/Season.h"

namespace orvex {

// The standings as CSV, UTF-8 with a byte-order mark so a spreadsheet reads
// the names' accents: Pos, Name, Points, one column per round (a dropped
// round in brackets, blank where the driver did not take part), Wins, and
// Status ("Provisional" or "Official") on every row. A comma locale gets
// semicolons, as the other CSVs do.
std::string standingsCsv(const Standings& s, const std::string& userDecimalSeparator);

// A round's cell as every output shows it: "12", "(12)" when dropped, "" when not driven.
std::string roundCellText(const StandingsRow& row, std::size_t round);

}  // namespace orvex
