#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "archive/ArchiveDriver.h"

namespace orvex {

class Session;

// What the archive keeps of one session: the plain figures the index stores,
// made without any database, so they are tested alone. A session is known by
// a hash of its 750 laps, so the download copy of a race and the file the
// user saved of it are one session with two files.

struct ArchiveEntry {
    std::int64_t id = 0;  // lapHash, as SQLite's signed 64-bit integer
    std::string date, time, track, trackKey, length, vehicle, note;
    int drivers = 0;        // drivers with at least one lap
    std::int64_t best = 0;  // the results' best lap of the session; a joined lap may pass 32 bits
    int bestNo = 0;
    std::string bestName;
    std::vector<ArchiveDriver> rows;  // by rank
};

// 64-bit FNV-1a over the laps of slots 1 to 750, each as 4 little-endian
// bytes; a missing slot counts as 0.
std::uint64_t lapHash(const std::vector<std::int32_t>& lapTimes);

// The track text compared case- and blank-insensitively: every blank gone,
// letters lower case (ASCII and the Latin-1 letters of UTF-8).
std::string trackKey(const std::string& track);

// Whether `bytes` begin as a data file does: the header text item.
bool looksLikeDataFile(const char* bytes, std::size_t n);
inline constexpr std::size_t kDataFileHeadBytes = 11;

// The index's figures of `s`; `ok` is false for a session without a lap,
// which the archive does not keep (every empty session would be one).
ArchiveEntry makeArchiveEntry(const Session& s, bool& ok);

}  // namespace orvex
