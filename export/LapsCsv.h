#pragma once
#include <string>

#include "platform/Status.h"

namespace orvex {

class Session;

// The recorded laps of a session as CSV for spreadsheet programs: a first row
// naming the columns, then one row per lap slot that is not 0, in driver and
// lap order: driver, lap, lap time as the results show it ("1:24.53") and in
// seconds, hundredths and km/h with two decimals (empty when the track length
// has no number) and what the corrections
// make of the lap ("joined", "void", ...; the time stays as recorded). Where the user's decimal
// separator is a comma, fields are separated by semicolons and the speed uses
// the comma; elsewhere commas and a decimal point. Rows end in CR LF and
// fields are quoted where they need it.
std::string LapsCsv(const Session& s, const std::string& userDecimalSeparator);

// File > Export > Laps CSV: asks for the file name and writes the session's
// laps there atomically; a failure changes nothing on disk.
Status ExportLapsCsv(const std::string& filter);

}  // namespace orvex
