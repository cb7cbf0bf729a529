#pragma once
#include <cstdint>
#include <string>

namespace orvex {

// One driver with laps of an archived session, as the index keeps it.
struct ArchiveDriver {
    int number = 0;
    std::string name;
    int laps = 0;
    std::int64_t best = 0;
    std::int64_t raceTime = 0;
    int rank = 0;
};

}  // namespace orvex
