#include "session/RaceCorrections.h"

namespace orvex {

bool RaceCorrections::empty() const { return *this == RaceCorrections{}; }

EffectiveMark RaceCorrections::markOf(int slot, std::int32_t time) const {
    if (const auto m = marks.find(slot); m != marks.end() && m->second.recorded == time) {
        if (m->second.mark == LapCorrection::Keep) return {};
        return {m->second.mark, false};
    }
    if (minLap > 0 && time < minLap) return {LapCorrection::Join, true};
    if (maxLap > 0 && time > maxLap) return {LapCorrection::Void, true};
    return {};
}

void RaceCorrections::setMark(int slot, std::int32_t time, LapCorrection mark) {
    if (mark != LapCorrection::None) {
        marks[slot] = {mark, time};
        return;
    }
    // Restore takes the operator's join or void back, so the rules apply again;
    // on a lap only a rule marks, it counts the lap as recorded.
    const auto m = marks.find(slot);
    const bool manual =
        m != marks.end() && m->second.recorded == time && m->second.mark != LapCorrection::Keep;
    marks.erase(slot);
    if (!manual && markOf(slot, time).byRule) marks[slot] = {LapCorrection::Keep, time};
}

const DriverPenalty& RaceCorrections::penaltyOf(int driver) const {
    static const DriverPenalty none;
    const auto p = penalties.find(driver);
    return p == penalties.end() ? none : p->second;
}

void RaceCorrections::setPenalty(int driver, DriverPenalty penalty) {
    if (!penalty.disqualified) dsqReasons.erase(driver);
    if (penalty.empty())
        penalties.erase(driver);
    else
        penalties[driver] = std::move(penalty);
}

void RaceCorrections::forgetRace() {
    marks.clear();
    penalties.clear();
    dsqReasons.clear();
}

}  // namespace orvex
