#pragma once
#include <string>

#include "platform/Status.h"

namespace orvex {

class Session;

// The results table as CSV, by the rules of the laps CSV: the column names,
// then one row per listed driver in the order of the chosen ranking.
std::string ResultsCsv(const Session& s, const std::string& userDecimalSeparator);

// File > Export > Results CSV: asks for the file name and writes it atomically.
Status ExportResultsCsv(const std::string& filter);

}  // namespace orvex
