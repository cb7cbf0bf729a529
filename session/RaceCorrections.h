#pragma once
#include <cstdint>
#include <map>
#include <string>

namespace orvex {

// How the results rank the drivers.
enum class RankMode : std::uint8_t { BestLap = 0, Race = 1, BestConsecutive = 2 };

// What a correction makes of one recorded lap. Keep is a manual mark that
// counts a lap a rule would have joined or voided.
enum class LapCorrection : std::uint8_t { None = 0, Join = 1, Void = 2, Keep = 3 };

// A mark the operator set on one lap slot. It remembers the time it was set
// on, so a later download that brings another time to the slot is not
// corrected by a mark meant for an earlier lap.
struct ManualMark {
    LapCorrection mark = LapCorrection::None;
    std::int32_t recorded = 0;
    bool operator==(const ManualMark&) const = default;
};

// A driver's penalty: hundredths added to the race time, and disqualification.
struct DriverPenalty {
    std::int64_t hundredths = 0;
    std::string reason;
    bool disqualified = false;
    bool empty() const { return hundredths == 0 && reason.empty() && !disqualified; }
    bool operator==(const DriverPenalty&) const = default;
};

// What a lap's corrections make of it, and whether a rule (not the operator) did.
struct EffectiveMark {
    LapCorrection mark = LapCorrection::None;  // None, Join or Void
    bool byRule = false;
};

// Everything the operator decided about a session's results. The recorded
// laps are never changed: the results apply these on top of them.
struct RaceCorrections {
    static constexpr int kMinRun = 2, kMaxRun = 10;
    static constexpr std::int64_t kMaxPenalty = 360000;  // one hour, in hundredths
    static constexpr std::size_t kMaxReason = 400;       // bytes of UTF-8
    // A counted lap shorter or longer than these percentages of the driver's
    // median lap is suspect: a false or a missed crossing.
    static constexpr int kSuspectShort = 70, kSuspectLong = 150;
    static constexpr int kMinSuspectShort = 10, kMaxSuspectShort = 99;
    static constexpr int kMinSuspectLong = 101, kMaxSuspectLong = 400;

    std::int32_t minLap = 0;  // hundredths; 0 = no rule
    std::int32_t maxLap = 0;
    std::map<int, ManualMark> marks;         // by lap slot
    std::map<int, DriverPenalty> penalties;  // by driver
    // Why a driver was disqualified, by driver; kept only while disqualified.
    std::map<int, std::string> dsqReasons;
    RankMode mode = RankMode::BestLap;
    int run = 3;  // laps of the best consecutive run
    int suspectShort = kSuspectShort, suspectLong = kSuspectLong;  // percent

    // True when there is nothing to store: the default ranking and no corrections.
    bool empty() const;
    bool operator==(const RaceCorrections&) const = default;

    // The mark a recorded lap `time` in `slot` gets: the operator's, else the rules'.
    EffectiveMark markOf(int slot, std::int32_t time) const;
    // Sets the operator's mark on a lap. Restore (None) takes the operator's
    // join or void back; on a lap only a rule marks, it keeps the lap counted.
    void setMark(int slot, std::int32_t time, LapCorrection mark);
    const DriverPenalty& penaltyOf(int driver) const;
    void setPenalty(int driver, DriverPenalty penalty);
    // Drops what was decided about one race's laps and drivers (marks,
    // penalties, disqualifications); the rules and the ranking stay for the next.
    void forgetRace();
};

}  // namespace orvex
