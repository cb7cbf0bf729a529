#include "session/CorrectionsCodec.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <vector>

#include "session/Session.h"

namespace orvex {

namespace {

char markLetter(LapCorrection m) {
    return m == LapCorrection::Join ? 'J' : m == LapCorrection::Void ? 'V' : 'K';
}

// A reason on one line: tabs and line breaks would end its field.
std::string oneLine(const std::string& text) {
    std::string out = text.substr(0, RaceCorrections::kMaxReason);
    for (char& c : out)
        if (static_cast<unsigned char>(c) < 0x20) c = ' ';
    return out;
}

bool readNumber(const std::string& field, std::int64_t lo, std::int64_t hi, std::int64_t& v) {
    const char* end = field.data() + field.size();
    const auto [p, ec] = std::from_chars(field.data(), end, v);
    return ec == std::errc{} && p == end && v >= lo && v <= hi;
}

bool readLine(const std::vector<std::string>& f, RaceCorrections& c) {
    constexpr std::int64_t kMaxTime = std::numeric_limits<std::int32_t>::max();
    std::int64_t a = 0, b = 0, d = 0;
    if (f[0] == "rank" && f.size() == 3) {
        if (!readNumber(f[1], 0, 2, a) ||
            !readNumber(f[2], RaceCorrections::kMinRun, RaceCorrections::kMaxRun, b))
            return false;
        c.mode = static_cast<RankMode>(a);
        c.run = static_cast<int>(b);
        return true;
    }
    if (f[0] == "rules" && f.size() == 3) {
        // As the lap rules dialog takes them: a minimum below a maximum.
        if (!readNumber(f[1], 0, kMaxTime, a) || !readNumber(f[2], 0, kMaxTime, b) ||
            (a > 0 && b > 0 && a >= b))
            return false;
        c.minLap = static_cast<std::int32_t>(a);
        c.maxLap = static_cast<std::int32_t>(b);
        return true;
    }
    if (f[0] == "mark" && f.size() == 4) {
        if (!readNumber(f[1], 1, kLapSlots, a) || f[2].size() != 1 ||
            !readNumber(f[3], std::numeric_limits<std::int32_t>::min(), kMaxTime, b))
            return false;
        const LapCorrection m = f[2] == "J"   ? LapCorrection::Join
                                : f[2] == "V" ? LapCorrection::Void
                                : f[2] == "K" ? LapCorrection::Keep
                                              : LapCorrection::None;
        if (m == LapCorrection::None) return false;
        c.marks[static_cast<int>(a)] = {m, static_cast<std::int32_t>(b)};
        return true;
    }
    if (f[0] == "penalty" && f.size() == 5) {
        if (!readNumber(f[1], 1, kDrivers, a) ||
            !readNumber(f[2], 0, RaceCorrections::kMaxPenalty, b) || !readNumber(f[3], 0, 1, d) ||
            f[4].size() > RaceCorrections::kMaxReason ||
            // What the writer never writes: a reason reads back as it was written.
            std::any_of(f[4].begin(), f[4].end(),
                        [](char ch) { return static_cast<unsigned char>(ch) < 0x20; }))
            return false;
        c.setPenalty(static_cast<int>(a), {b, f[4], d == 1});
        return true;
    }
    return false;
}

}  // namespace

std::vector<std::string> splitTabs(const std::string& line) {
    std::vector<std::string> fields(1);
    for (char c : line) {
        if (c == '\t')
            fields.emplace_back();
        else
            fields.back() += c;
    }
    return fields;
}

std::string encodeCorrections(const RaceCorrections& c) {
    std::string out =
        "rank\t" + std::to_string(static_cast<int>(c.mode)) + "\t" + std::to_string(c.run) + "\n";
    if (c.minLap > 0 || c.maxLap > 0)
        out += "rules\t" + std::to_string(c.minLap) + "\t" + std::to_string(c.maxLap) + "\n";
    for (const auto& [slot, m] : c.marks) {
        if (slot < 1 || slot > kLapSlots || m.mark == LapCorrection::None) continue;
        out += "mark\t" + std::to_string(slot) + "\t" + markLetter(m.mark) + "\t" +
               std::to_string(m.recorded) + "\n";
    }
    for (const auto& [driver, p] : c.penalties) {
        if (driver < 1 || driver > kDrivers || p.empty()) continue;
        out += "penalty\t" + std::to_string(driver) + "\t" +
               std::to_string(
                   std::clamp<std::int64_t>(p.hundredths, 0, RaceCorrections::kMaxPenalty)) +
               "\t" + (p.disqualified ? "1" : "0") + "\t" + oneLine(p.reason) + "\n";
    }
    return out;
}

bool decodeCorrections(const std::string& payload, int version, RaceCorrections& c) {
    // The writer always writes the ranking line: an empty payload was cut.
    if (version != kCorrectionsVersion || payload.empty()) return false;
    RaceCorrections read;
    std::size_t at = 0;
    while (at < payload.size()) {
        const std::size_t end = payload.find('\n', at);
        // Every line ends in a line feed: a cut payload is a damaged one.
        if (end == std::string::npos) return false;
        if (!readLine(splitTabs(payload.substr(at, end - at)), read)) return false;
        at = end + 1;
    }
    c = std::move(read);
    return true;
}

}  // namespace orvex
