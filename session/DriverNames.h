#pragma once
#include <array>
#include <string>

#include "session/Session.h"

namespace orvex {

// The names of the drivers of one session, by number (index 0 unused).
using DriverNameList = std::array<std::string, kDrivers + 1>;

// The longest name kept, in characters.
constexpr int kMaxDriverName = 40;

// True when `text` is well-formed UTF-8 (no overlong forms, no surrogates).
bool isValidUtf8(const std::string& text);

// A name as the session keeps it: line breaks and other control characters
// removed, blanks trimmed, at most kMaxDriverName characters. `utf8` must be
// valid UTF-8.
std::string CleanDriverName(const std::string& utf8);

// The names section of a data file's extra block: one line
// "number<TAB>name<LF>" per named driver, in number order, UTF-8.
constexpr int kNamesSectionVersion = 1;
std::string encodeNames(const DriverNameList& names);
// Fills `names` only when the whole payload reads; anything odd in it (an
// unknown version, a number outside 1..30 or given twice, a name that is not
// kept as written) leaves `names` as it was and returns false.
bool decodeNames(const std::string& payload, int version, DriverNameList& names);

}  // namespace orvex
