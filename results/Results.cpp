#include "results/Results.h"

#include <algorithm>
#include <tuple>
#include <utility>

#include "session/Session.h"
#include "session/TimeFormat.h"

namespace orvex {

namespace {

DriverResult driverLaps(int driver, const std::vector<std::int32_t>& lapTimes,
                        const RaceCorrections& c, std::int64_t metres) {
    DriverResult r;
    r.driver = driver;
    for (int l = 1; l <= kLapsPerDriver; ++l) {
        const std::size_t slot = lapSlot(driver, l);
        // 0 is no time; a negative value is no lap a device can have timed.
        if (slot >= lapTimes.size() || lapTimes[slot] <= 0) continue;
        const std::int32_t time = lapTimes[slot];
        const EffectiveMark m = c.markOf(static_cast<int>(slot), time);
        const auto manual = c.marks.find(static_cast<int>(slot));
        RecordedLap& rl = r.recorded.emplace_back();
        rl.lap = l;
        rl.time = time;
        rl.mark = m.mark;
        rl.byRule = m.byRule;
        rl.manual = manual != c.marks.end() && manual->second.recorded == time;
        if (metres != 0) rl.speed = speedOf(metres, time);
    }
    // A lap joined with the next adds its time to it; a chain left open by
    // the last lap is dropped.
    CountedLap open;
    for (const RecordedLap& rl : r.recorded) {
        if (open.first == 0) open.first = rl.lap;
        open.time += rl.time;
        if (rl.mark == LapCorrection::Join) continue;
        open.last = rl.lap;
        open.isVoid = rl.mark == LapCorrection::Void;
        r.counted.push_back(open);
        open = {};
    }
    r.laps = static_cast<int>(r.counted.size());
    r.suspects = markSuspects(r.counted, c.suspectShort, c.suspectLong);
    for (const CountedLap& cl : r.counted) {
        for (RecordedLap& rl : r.recorded) {
            if (rl.lap != cl.last) continue;
            rl.countedFirst = cl.first;
            rl.countedTime = cl.time;
            rl.suspect = cl.suspect;
        }
    }
    std::int64_t clean = 0;
    int cleanLaps = 0;
    for (const CountedLap& cl : r.counted) {
        r.lapsTime += cl.time;
        if (cl.isVoid) continue;
        clean += cl.time;
        ++cleanLaps;
        // The first of equal laps is the best one.
        if (r.bestLapNo == 0 || cl.time < r.best) {
            r.best = cl.time;
            r.bestLapNo = cl.first;
        }
    }
    if (r.bestLapNo > 0) {
        if (metres != 0) r.bestSpeed = speedOf(metres, r.best);
        // A joined best lap is no one recorded lap.
        for (RecordedLap& rl : r.recorded)
            rl.best = rl.lap == r.bestLapNo && rl.mark == LapCorrection::None;
    }
    if (cleanLaps > 0) r.average = (2 * clean + cleanLaps) / (2 * cleanLaps);
    // The first of equal runs is the best one; a void lap breaks a run.
    const int n = c.run;
    std::int64_t sum = 0;
    int length = 0;
    for (int i = 0; i < r.laps; ++i) {
        if (r.counted[i].isVoid) {
            sum = length = 0;
            continue;
        }
        sum += r.counted[i].time;
        if (++length > n) sum -= r.counted[i - n].time;
        if (length >= n && (r.runFirst == 0 || sum < r.runTime)) {
            r.runTime = sum;
            r.runFirst = r.counted[i - n + 1].first;
            r.runLast = r.counted[i].last;
        }
    }
    const DriverPenalty& p = c.penaltyOf(driver);
    r.penalty = p.hundredths;
    r.reason = p.reason;
    r.disqualified = p.disqualified;
    if (const auto why = c.dsqReasons.find(driver); r.disqualified && why != c.dsqReasons.end())
        r.dsqReason = why->second;
    r.raceTime = r.lapsTime + r.penalty;
    return r;
}

bool usable(const DriverResult& r, RankMode mode) {
    switch (mode) {
        case RankMode::Race:
            return r.laps > 0;
        case RankMode::BestConsecutive:
            return r.runFirst > 0;
        case RankMode::BestLap:
            break;
    }
    return r.bestLapNo > 0;
}

// The order of ranked drivers: the mode's figure, then the earlier lap or the
// longer race, then the driver number.
auto rankKey(const DriverResult& r, RankMode mode) {
    switch (mode) {
        case RankMode::Race:
            return std::make_tuple(std::int64_t{-r.laps}, r.raceTime, r.driver);
        case RankMode::BestConsecutive:
            return std::make_tuple(r.runTime, std::int64_t{r.runFirst}, r.driver);
        case RankMode::BestLap:
            break;
    }
    return std::make_tuple(r.best, std::int64_t{r.bestLapNo}, r.driver);
}

}  // namespace

const DriverResult* RaceResults::find(int driver) const {
    for (const DriverResult& r : rows)
        if (r.driver == driver) return &r;
    return nullptr;
}

RaceResults makeResults(const std::vector<std::int32_t>& lapTimes,
                        const RaceCorrections& corrections, std::int64_t metres) {
    RaceResults results;
    const RankMode mode = results.mode = corrections.mode;
    results.run = std::clamp(corrections.run, RaceCorrections::kMinRun, RaceCorrections::kMaxRun);
    RaceCorrections c = corrections;
    c.run = results.run;
    std::vector<DriverResult>& rows = results.rows;
    for (int d = 1; d <= kDrivers; ++d) {
        DriverResult r = driverLaps(d, lapTimes, c, metres);
        if (r.recorded.empty()) continue;
        // The earlier lap, then the lower number: drivers come in number order.
        if (r.bestLapNo > 0 &&
            (results.bestDriver == 0 || std::make_pair(r.best, r.bestLapNo) <
                                            std::make_pair(results.best, results.bestLapNo))) {
            results.best = r.best;
            results.bestDriver = d;
            results.bestLapNo = r.bestLapNo;
        }
        results.suspects += r.suspects;
        rows.push_back(std::move(r));
    }
    const auto dsq = std::stable_partition(rows.begin(), rows.end(),
                                           [](const DriverResult& r) { return !r.disqualified; });
    const auto unranked = std::stable_partition(
        rows.begin(), dsq, [mode](const DriverResult& r) { return usable(r, mode); });
    std::sort(rows.begin(), unranked, [mode](const DriverResult& a, const DriverResult& b) {
        return rankKey(a, mode) < rankKey(b, mode);
    });
    results.ranked = static_cast<int>(unranked - rows.begin());
    for (auto r = rows.begin(); r != unranked; ++r) {
        const DriverResult& leader = rows.front();
        r->pos = static_cast<int>(r - rows.begin()) + 1;
        switch (mode) {
            case RankMode::Race:
                r->gapLaps = leader.laps - r->laps;
                if (r->gapLaps == 0) r->gap = r->raceTime - leader.raceTime;
                break;
            case RankMode::BestConsecutive:
                r->gap = r->runTime - leader.runTime;
                break;
            case RankMode::BestLap:
                r->gap = r->best - leader.best;
                break;
        }
    }
    return results;
}

RaceResults makeResults(const Session& s) {
    RaceResults results = makeResults(s.LapTimes, s.Corrections, TrackMetres(s.SessionLength));
    for (DriverResult& r : results.rows) r.name = s.DriverNames[r.driver];
    return results;
}

std::string figureText(const DriverResult& r, RankMode mode) {
    switch (mode) {
        case RankMode::Race:
            return r.laps > 0 ? clockText(r.raceTime) : std::string();
        case RankMode::BestConsecutive:
            if (r.runFirst == 0) return {};
            return clockText(r.runTime) + " (" + std::to_string(r.runFirst) + "-" +
                   std::to_string(r.runLast) + ")";
        case RankMode::BestLap:
            break;
    }
    if (r.bestLapNo == 0) return {};
    return clockText(r.best) + " (" + std::to_string(r.bestLapNo) + ")";
}

int markSuspects(std::vector<CountedLap>& counted, int shortPercent, int longPercent) {
    std::vector<std::int64_t> times;
    for (const CountedLap& cl : counted)
        if (!cl.isVoid) times.push_back(cl.time);
    if (times.size() < 3) return 0;
    std::sort(times.begin(), times.end());
    const std::size_t mid = times.size() / 2;
    // Twice the median, so an even count's mean stays whole.
    const std::int64_t median2 =
        times.size() % 2 != 0 ? 2 * times[mid] : times[mid - 1] + times[mid];
    int marked = 0;
    for (CountedLap& cl : counted) {
        cl.suspect = !cl.isVoid && (200 * cl.time < shortPercent * median2 ||
                                    200 * cl.time > longPercent * median2);
        marked += cl.suspect ? 1 : 0;
    }
    return marked;
}

std::string figureTitle(RankMode mode, int run) {
    switch (mode) {
        case RankMode::Race:
            return "Race time";
        case RankMode::BestConsecutive:
            return "Best " + std::to_string(run) + " consecutive";
        case RankMode::BestLap:
            break;
    }
    return "Best lap";
}

std::int64_t figureOf(const DriverResult& r, RankMode mode) {
    switch (mode) {
        case RankMode::Race:
            return r.laps > 0 ? r.raceTime : 0;
        case RankMode::BestConsecutive:
            return r.runFirst > 0 ? r.runTime : 0;
        case RankMode::BestLap:
            break;
    }
    return r.bestLapNo > 0 ? r.best : 0;
}

std::string gapText(const DriverResult& r) {
    if (r.pos <= 1) return {};
    if (r.gap <= 0 && r.gapLaps == 0) return "+0.00";  // a tie on time
    if (r.gapLaps == 0) return gapTimeText(r.gap);
    // Built in place: GCC 12 at -O3 warns (-Wrestrict) about "+" + text.
    std::string text = std::to_string(r.gapLaps);
    text.insert(text.begin(), '+');
    return text + (r.gapLaps == 1 ? " lap" : " laps");
}

}  // namespace orvex
