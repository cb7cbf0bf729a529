#pragma once
#include <string>
#include <vector>

#include "session/RaceCorrections.h"

namespace orvex {

// The corrections as the payload of the data file's "corrections" section,
// version 1: text lines, one fact a line, fields separated by tabs:
//   rank <mode 0..2> <laps of a run 2..10>
//   rules <minimum> <maximum>                 hundredths, 0 = no rule
//   mark <slot 1..750> <J|V|K> <recorded time>
//   penalty <driver 1..30> <hundredths> <0|1 disqualified> <reason, UTF-8>
constexpr const char* kCorrectionsTag = "corrections";
constexpr int kCorrectionsVersion = 1;

std::string encodeCorrections(const RaceCorrections& c);

// Reads a payload into `c`. Any flaw (an unknown version, a line that does
// not read, a value out of range) gives false and leaves `c` as it was, so a
// damaged section costs only itself.
bool decodeCorrections(const std::string& payload, int version, RaceCorrections& c);

// A line's fields between tabs; an empty line is one empty field.
std::vector<std::string> splitTabs(const std::string& line);

}  // namespace orvex
