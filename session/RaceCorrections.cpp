#include "session/RaceCorrections.h"

#include <cctype>
#include <limits>
#include <vector>

#include "session/TimeFormat.h"

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
    if (penalty.empty())
        penalties.erase(driver);
    else
        penalties[driver] = std::move(penalty);
}

void RaceCorrections::forgetRace() {
    marks.clear();
    penalties.clear();
}

std::optional<std::int32_t> ParseLapTime(const std::string& text) {
    std::size_t b = text.find_first_not_of(" \t");
    if (b == std::string::npos) return 0;
    const std::size_t e = text.find_last_not_of(" \t") + 1;
    // Fields of digits and the separators between them.
    std::vector<std::string> fields(1);
    std::string seps;
    for (std::size_t i = b; i < e; ++i) {
        const char c = text[i];
        if (std::isdigit(static_cast<unsigned char>(c))) {
            if (fields.back().size() >= 9) return std::nullopt;
            fields.back() += c;
        } else if (c == ':' || c == '.' || c == ',') {
            seps += c == ',' ? '.' : c;
            fields.emplace_back();
        } else {
            return std::nullopt;
        }
    }
    for (const std::string& f : fields)
        if (f.empty()) return std::nullopt;
    // The hundredths: one digit is tenths; more than two are not a time.
    std::int64_t cc = 0;
    std::size_t whole = fields.size();
    if (!seps.empty() && seps.back() == '.') {
        const std::string& f = fields.back();
        if (f.size() > 2) return std::nullopt;
        cc = std::stoll(f) * (f.size() == 1 ? 10 : 1);
        --whole;
        seps.pop_back();
    }
    // What is left: s, m:s, h:m:s, or h:m.s as the program writes times.
    if (seps != "" && seps != ":" && seps != "::" && seps != ":.") return std::nullopt;
    std::int64_t seconds = 0;
    for (std::size_t i = 0; i < whole; ++i) {
        const std::int64_t v = std::stoll(fields[i]);
        if (i > 0 && v >= 60) return std::nullopt;
        seconds = seconds * 60 + v;
    }
    const std::int64_t t = seconds * 100 + cc;
    if (t > std::numeric_limits<std::int32_t>::max()) return std::nullopt;
    return static_cast<std::int32_t>(t);
}

std::string LapTimeText(std::int32_t hundredths) {
    if (hundredths <= 0) return {};
    const std::int64_t s = hundredths / 100;
    return twoDigits(s / 60) + ":" + twoDigits(s % 60) + "." + twoDigits(hundredths % 100);
}

}  // namespace orvex
