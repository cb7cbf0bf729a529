#include "session/RaceNotesCodec.h"

#include <algorithm>
#include <charconv>
#include <vector>

#include "session/Session.h"

namespace orvex {

namespace {

bool readNumber(const std::string& field, int lo, int hi, int& v) {
    const char* end = field.data() + field.size();
    const auto [p, ec] = std::from_chars(field.data(), end, v);
    return ec == std::errc{} && p == end && v >= lo && v <= hi;
}

bool isControl(char ch) { return static_cast<unsigned char>(ch) < 0x20; }

// The payload's lines, each ended by a line feed; nothing when it was cut.
bool splitLines(const std::string& payload, std::vector<std::string>& lines) {
    if (payload.empty() || payload.back() != '\n') return false;
    std::size_t at = 0;
    while (at < payload.size()) {
        const std::size_t end = payload.find('\n', at);
        lines.push_back(payload.substr(at, end - at));
        at = end + 1;
    }
    return true;
}

}  // namespace

std::string encodeSuspectLimits(const RaceCorrections& c) {
    if (c.suspectShort == RaceCorrections::kSuspectShort &&
        c.suspectLong == RaceCorrections::kSuspectLong)
        return {};
    return "limits\t" + std::to_string(c.suspectShort) + "\t" + std::to_string(c.suspectLong) +
           "\n";
}

std::string encodeDsqReasons(const RaceCorrections& c) {
    std::string out;
    for (const auto& [driver, why] : c.dsqReasons) {
        if (driver < 1 || driver > kDrivers || !c.penaltyOf(driver).disqualified || why.empty())
            continue;
        std::string reason = why.substr(0, RaceCorrections::kMaxReason);
        std::replace_if(reason.begin(), reason.end(), isControl, ' ');
        out += std::to_string(driver) + "\t" + reason + "\n";
    }
    return out;
}

bool hasCorrectionsSection(const RaceCorrections& c) {
    RaceCorrections core = c;
    core.suspectShort = RaceCorrections::kSuspectShort;
    core.suspectLong = RaceCorrections::kSuspectLong;
    core.dsqReasons.clear();
    return !core.empty();
}

bool decodeSuspectLimits(const std::string& payload, int version, RaceCorrections& c) {
    std::vector<std::string> lines;
    if (version != kSuspectVersion || !splitLines(payload, lines) || lines.size() != 1)
        return false;
    const std::string& line = lines.front();
    const std::size_t a = line.find('\t'), b = line.find('\t', a + 1);
    int lo = 0, hi = 0;
    if (line.compare(0, a, "limits") != 0 || a == std::string::npos || b == std::string::npos ||
        !readNumber(line.substr(a + 1, b - a - 1), RaceCorrections::kMinSuspectShort,
                    RaceCorrections::kMaxSuspectShort, lo) ||
        !readNumber(line.substr(b + 1), RaceCorrections::kMinSuspectLong,
                    RaceCorrections::kMaxSuspectLong, hi))
        return false;
    c.suspectShort = lo;
    c.suspectLong = hi;
    return true;
}

bool decodeDsqReasons(const std::string& payload, int version, RaceCorrections& c) {
    std::vector<std::string> lines;
    if (version != kDsqVersion || !splitLines(payload, lines)) return false;
    std::vector<std::pair<int, std::string>> read;
    for (const std::string& line : lines) {
        const std::size_t tab = line.find('\t');
        int driver = 0;
        if (tab == std::string::npos || !readNumber(line.substr(0, tab), 1, kDrivers, driver))
            return false;
        std::string reason = line.substr(tab + 1);
        if (reason.empty() || reason.size() > RaceCorrections::kMaxReason ||
            std::any_of(reason.begin(), reason.end(), isControl))
            return false;
        read.emplace_back(driver, std::move(reason));
    }
    for (auto& [driver, reason] : read)
        if (c.penaltyOf(driver).disqualified) c.dsqReasons[driver] = std::move(reason);
    return true;
}

}  // namespace orvex
