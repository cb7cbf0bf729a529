#pragma once

namespace orvex {

class Session;

// Fills the statistics results of `s` from its LapList. A list without lap
// entries (an abandoned download leaves it so) gives the reset values;
// otherwise the laps that hold a time are counted.
void MakeStatistics(Session& s);

}  // namespace orvex
