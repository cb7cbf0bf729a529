#pragma once
#include <initializer_list>
#include <string>

#include "platform/Status.h"

namespace orvex {

class Session;

// What every CSV export writes with: the fields, the rows and the file.

// One CSV field, quoted when it holds the separator, a quote, a tab or a line break.
std::string CsvField(const std::string& text, char separator);

// A text the user typed (a driver's name) for a CSV field: an apostrophe goes
// in front when it begins with = + - or @, so a spreadsheet never runs it as a
// formula. CsvRow quotes it as it needs.
std::string CsvText(const std::string& text);

// One CSV row of `fields`, ended by CR LF.
std::string CsvRow(std::initializer_list<std::string> fields, char separator);

// The UTF-8 byte-order mark every CSV file starts with: a spreadsheet opened
// by double-click then reads "Søren" as UTF-8 and not as its own code page.
inline constexpr char kUtf8Bom[] = "\xEF\xBB\xBF";

// Asks for the name of a CSV file (the dialog offers `filter`) and writes the
// mark and what `csv` makes of the session there atomically; a failure
// changes nothing on disk.
Status ExportCsv(const std::string& filter, std::string (*csv)(const Session&, const std::string&));

}  // namespace orvex
