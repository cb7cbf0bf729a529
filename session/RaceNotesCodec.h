#pragma once
#include <string>

#include "session/RaceCorrections.h"

namespace orvex {

// What the corrections hold beyond the "corrections" section's version 1,
// each in a section of its own: a file without them keeps its bytes, and an
// older version still reads the corrections whole. Text lines, fields
// separated by tabs:
//   "suspect", version 1:  limits <short 10..99> <long 101..400>   percent
//   "dsq", version 1:      <driver 1..30> <reason, UTF-8>          one line a driver
constexpr const char* kSuspectTag = "suspect";
constexpr const char* kDsqTag = "dsq";
constexpr int kSuspectVersion = 1, kDsqVersion = 1;

// The payloads; empty when there is nothing to store (the default limits, no
// reason), and then the section is not written.
std::string encodeSuspectLimits(const RaceCorrections& c);
std::string encodeDsqReasons(const RaceCorrections& c);
// Whether the corrections hold anything for the "corrections" section itself.
bool hasCorrectionsSection(const RaceCorrections& c);

// Read into `c` after its "corrections" section. Any flaw gives false and
// leaves `c` as it was. A reason for a driver who is not disqualified is
// dropped: it belonged to a disqualification the corrections no longer have.
bool decodeSuspectLimits(const std::string& payload, int version, RaceCorrections& c);
bool decodeDsqReasons(const std::string& payload, int version, RaceCorrections& c);

}  // namespace orvex
