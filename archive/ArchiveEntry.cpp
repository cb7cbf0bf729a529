#include "archive/ArchiveEntry.h"

#include <cstring>

#include "results/Results.h"
#include "session/DataFile.h"
#include "session/Session.h"

namespace orvex {

std::uint64_t lapHash(const std::vector<std::int32_t>& lapTimes) {
    std::uint64_t h = 14695981039346656037ull;
    for (int slot = 1; slot <= kLapSlots; ++slot) {
        const auto v = static_cast<std::uint32_t>(
            static_cast<std::size_t>(slot) < lapTimes.size() ? lapTimes[slot] : 0);
        for (int b = 0; b < 4; ++b) {
            h ^= (v >> (8 * b)) & 0xFFu;
            h *= 1099511628211ull;
        }
    }
    return h;
}

std::string trackKey(const std::string& track) {
    std::string key;
    key.reserve(track.size());
    for (std::size_t i = 0; i < track.size(); ++i) {
        const auto c = static_cast<unsigned char>(track[i]);
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f') continue;
        // No-break space.
        if (c == 0xC2 && i + 1 < track.size() && static_cast<unsigned char>(track[i + 1]) == 0xA0) {
            ++i;
            continue;
        }
        if (c >= 'A' && c <= 'Z') {
            key += static_cast<char>(c + 32);
        } else if (c == 0xC3 && i + 1 < track.size()) {
            // U+00C0..U+00DE, but the multiplication sign, lower to U+00E0..U+00FE.
            auto next = static_cast<unsigned char>(track[++i]);
            if (next >= 0x80 && next <= 0x9E && next != 0x97) next += 0x20;
            key += static_cast<char>(c);
            key += static_cast<char>(next);
        } else {
            key += static_cast<char>(c);
        }
    }
    return key;
}

bool looksLikeDataFile(const char* bytes, std::size_t n) {
    const std::size_t len = std::strlen(kDataFileHeader);
    if (n < 2 + len) return false;
    const auto lo = static_cast<unsigned char>(bytes[0]);
    const auto hi = static_cast<unsigned char>(bytes[1]);
    return lo == len && hi == 0 && std::memcmp(bytes + 2, kDataFileHeader, len) == 0;
}

ArchiveEntry makeArchiveEntry(const Session& s, bool& ok) {
    ArchiveEntry e;
    // The session's own ranking and corrections, as Results shows them.
    const RaceResults results = makeResults(s);
    for (const DriverResult& r : results.rows)
        e.rows.push_back(
            {r.driver, r.name, r.laps, r.bestLapNo > 0 ? r.best : 0, r.raceTime, r.pos});
    ok = !e.rows.empty();
    e.id = static_cast<std::int64_t>(lapHash(s.LapTimes));
    e.date = s.SessionDate;
    e.time = s.SessionTime;
    e.track = s.SessionTrack;
    e.trackKey = trackKey(s.SessionTrack);
    e.length = s.SessionLength;
    e.vehicle = s.SessionVehicle;
    e.note = s.SessionNote;
    e.drivers = static_cast<int>(e.rows.size());
    e.best = results.best;
    e.bestNo = results.bestDriver;
    if (const DriverResult* r = results.find(results.bestDriver)) e.bestName = r->name;
    return e;
}

}  // namespace orvex
