#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "session/RaceCorrections.h"

namespace orvex {

class Session;

// One recorded lap and what the corrections make of it. Lap numbers are the
// slots the laps sit in, so an empty slot between two laps keeps the later
// lap's number.
struct RecordedLap {
    int lap = 0;
    std::int32_t time = 0;
    LapCorrection mark = LapCorrection::None;  // None, Join or Void
    bool byRule = false;
    bool manual = false;  // the operator set a mark on it (Keep included)
    bool operator==(const RecordedLap&) const = default;
};

// A lap as the results count it: one recorded lap, or a chain of laps joined
// with the next, from `first` to `last`.
struct CountedLap {
    int first = 0, last = 0;
    std::int64_t time = 0;
    bool isVoid = false;
    bool operator==(const CountedLap&) const = default;
};

// One driver's line of the results: every driver with a recorded lap has one.
struct DriverResult {
    int driver = 0;
    std::string name;  // the session's name of the driver, if any
    int pos = 0;       // 0: no rank (no lap the mode can use, or disqualified)
    bool disqualified = false;
    std::vector<RecordedLap> recorded;
    std::vector<CountedLap> counted;
    int laps = 0;               // counted laps, void ones included
    std::int64_t lapsTime = 0;  // their sum; 64 bits, 25 of the largest laps overflow 32
    std::int64_t penalty = 0;   // hundredths
    std::string reason;
    std::int64_t raceTime = 0;  // lapsTime + penalty
    int bestLapNo = 0;          // 0: no lap that is not void
    std::int64_t best = 0;
    std::int64_t average = 0;       // of the laps that are not void, rounded half up; 0: none
    int runFirst = 0, runLast = 0;  // the best consecutive run's recorded laps; 0: none
    std::int64_t runTime = 0;
    // Behind the leader: whole laps (race) or hundredths.
    int gapLaps = 0;
    std::int64_t gap = 0;
};

// A session's results: drivers in rank order, then the drivers without a lap
// the mode can use in number order, then the disqualified ones in number order.
struct RaceResults {
    RankMode mode = RankMode::BestLap;
    int run = 3;
    std::vector<DriverResult> rows;
    const DriverResult* find(int driver) const;
};

// The results of `lapTimes` (slot 0 unused, driver-major as the session keeps
// them) under `corrections`, which name the ranking too.
RaceResults MakeResults(const std::vector<std::int32_t>& lapTimes,
                        const RaceCorrections& corrections);
// The same for the session, with the drivers' names.
RaceResults MakeResults(const Session& s);

// The texts the window and the CSV show. `decimal` is the decimal separator.
std::string FigureTitle(RankMode mode, int run);  // "Best lap", "Race time", "Best 3 consecutive"
// "Best lap", "Race", "Best 3 consecutive": the ranking as a slip names it.
std::string RankingName(RankMode mode, int run);
std::string PosText(const DriverResult& r);  // "1", "DSQ" or empty
std::string FigureText(const DriverResult& r, RankMode mode);
std::string GapText(const DriverResult& r, const std::string& decimal);
std::string AverageText(const DriverResult& r);
// Empty when the track length has no number or the driver no lap to time.
std::string BestSpeedText(const DriverResult& r, const std::string& trackLength,
                          const std::string& decimal);
std::string SecondsText(std::int64_t hundredths, const std::string& decimal);  // "10.50"
// "joined", "void", with " (rule)" where a rule made it; empty for a counted lap.
std::string LapStatusText(LapCorrection mark, bool byRule);

}  // namespace orvex
