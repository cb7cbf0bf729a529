#pragma once
#include <cstdint>
#include <optional>
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
    bool best = false;    // the driver's best lap, counted alone (not joined, not void)
    // km/h in hundredths, as speedOf gives it; none without a track length.
    std::optional<std::int64_t> speed = std::nullopt;
    // On the last recorded lap of a counted lap: its first recorded lap and
    // the time it counts for (a joined lap's sum). 0 on a lap joined with the next.
    int countedFirst = 0;
    std::int64_t countedTime = 0;
    bool suspect = false;  // the counted lap ending here is suspect
    bool operator==(const RecordedLap&) const = default;
};

// A lap as the results count it: one recorded lap, or a chain of laps joined
// with the next, from `first` to `last`.
struct CountedLap {
    int first = 0, last = 0;
    std::int64_t time = 0;
    bool isVoid = false;
    // Far from the driver's median counted lap: a false or a missed crossing.
    bool suspect = false;
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
    std::string dsqReason;      // why disqualified, if said
    std::int64_t raceTime = 0;  // lapsTime + penalty
    int bestLapNo = 0;          // 0: no lap that is not void
    std::int64_t best = 0;
    // Of `best`, as `speed`; none without a track length or such a lap.
    std::optional<std::int64_t> bestSpeed = std::nullopt;
    std::int64_t average = 0;       // of the laps that are not void, rounded half up; 0: none
    int runFirst = 0, runLast = 0;  // the best consecutive run's recorded laps; 0: none
    std::int64_t runTime = 0;
    // Behind the leader: whole laps (race) or hundredths.
    int gapLaps = 0;
    std::int64_t gap = 0;
    int suspects = 0;  // suspect counted laps
};

// A session's results: drivers in rank order, then the drivers without a lap
// the mode can use in number order, then the disqualified ones in number order.
struct RaceResults {
    RankMode mode = RankMode::BestLap;
    int run = 3;
    std::vector<DriverResult> rows;
    int ranked = 0;  // rows with a position
    // The session's best lap: of equal laps the earlier lap number, then the
    // lower driver number has it. 0: no lap that is not void.
    std::int64_t best = 0;
    int bestDriver = 0, bestLapNo = 0;
    int suspects = 0;  // suspect laps of all drivers
    const DriverResult* find(int driver) const;
};

// The results of `lapTimes` (slot 0 unused, driver-major as the session keeps
// them) under `corrections`, which name the ranking too, on a track of
// `metres` (0: no speeds).
RaceResults makeResults(const std::vector<std::int32_t>& lapTimes,
                        const RaceCorrections& corrections, std::int64_t metres = 0);
// The same for the session, with the drivers' names and its track length.
RaceResults makeResults(const Session& s);

// A driver's figure in the ranking's terms: "1:30.00 (3)", "4:30.00 (2-4)", a
// race time ("12:34.56"); empty when the driver has none.
std::string figureText(const DriverResult& r, RankMode mode);

// Marks the suspect laps among `counted`: a lap that is not void, shorter than
// `shortPercent` or longer than `longPercent` of the median of those laps (for
// an even count, the mean of the two middle ones). Fewer than 3 such laps have
// no median to speak of, and no suspects. Returns how many are marked.
int markSuspects(std::vector<CountedLap>& counted, int shortPercent, int longPercent);

// The ranking's figure and gap in fixed English, as files and pages write them.
// "Best lap", "Race time", "Best 3 consecutive".
std::string figureTitle(RankMode mode, int run);
// A driver's figure in hundredths in the ranking's terms; 0: none.
std::int64_t figureOf(const DriverResult& r, RankMode mode);
// Behind the leader: "+2.15", "+1 lap", "+3 laps", "+0.00" for a tie on time;
// empty for the leader and the unranked.
std::string gapText(const DriverResult& r);

}  // namespace orvex
