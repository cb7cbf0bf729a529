#pragma once
// Record-file items and whole data files built from the format's tables,
// independent of the program's writer: a text is its 16-bit length and its
// bytes; a typed item is its 16-bit code (2 integer, 3 long, 11 boolean) and
// its value; everything little-endian.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace items {

inline std::string le(std::int64_t v, int bytes) {
    std::string s;
    for (int k = 0; k < bytes; ++k) s += static_cast<char>((v >> (8 * k)) & 0xFF);
    return s;
}
inline std::string text(const std::string& ansi) { return le(std::int64_t(ansi.size()), 2) + ansi; }
inline std::string integer(std::int16_t v) { return le(2, 2) + le(v, 2); }
inline std::string longInt(std::int32_t v) { return le(3, 2) + le(v, 4); }
inline std::string boolean(bool v) { return le(11, 2) + le(v ? -1 : 0, 2); }

struct Window {
    bool open = false;
    std::int16_t left = 0, top = 0, width = 0, height = 0;
};

// A data file item by item, in the order of the format.
struct DataFile {
    std::string header = "ORVEX:1.0";
    Window laps, session, stat;
    std::array<std::string, 7> texts;  // Windows-1252 bytes
    bool withMarker = true;
    std::string marker = "Tempi";
    std::int32_t count = 750;
    std::vector<std::int32_t> lapTimes = std::vector<std::int32_t>(750, 0);

    std::string bytes() const {
        std::string b = text(header);
        b += boolean(laps.open) + integer(laps.left) + integer(laps.top) + integer(laps.width) +
             integer(laps.height);
        b += boolean(session.open) + integer(session.left) + integer(session.top);
        b += boolean(stat.open) + integer(stat.left) + integer(stat.top) + integer(stat.width) +
             integer(stat.height);
        for (const auto& t : texts) b += text(t);
        if (!withMarker) return b;
        b += text(marker) + longInt(count);
        for (auto t : lapTimes) b += longInt(t);
        return b;
    }
};

}  // namespace items
