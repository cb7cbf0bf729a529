#pragma once
// Record-file items and whole data files built from the format's tables,
// independent of the program's writer: a text is its 16-bit length and its
// bytes; a typed item is its 16-bit code (2 integer, 3 long, 11 boolean) and
// its value; everything little-endian.
#include <array>
#include <cstdint>
#include <string>
#include <tuple>
#include <utility>
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
    std::string bytes(bool sized = true) const {
        const std::string place = boolean(open) + integer(left) + integer(top);
        return sized ? place + integer(width) + integer(height) : place;
    }
};

// A data file item by item, in the order of the format.
struct DataFile {
    std::string header = "ORVEX:1.0";
    Window laps, session, stat;
    std::array<std::string, 7> texts;  // Windows-1252 bytes
    bool withMarker = true;
    std::int32_t count = 750;
    std::vector<std::int32_t> lapTimes = std::vector<std::int32_t>(750, 0);

    std::string bytes() const {
        std::string b = text(header) + laps.bytes() + session.bytes(false) + stat.bytes();
        for (const auto& t : texts) b += text(t);
        if (!withMarker) return b;
        b += text("Tempi") + longInt(count);
        for (auto t : lapTimes) b += longInt(t);
        return b;
    }
};

// The extra block after the laps: its marker, block version and sections
// (tag, section version, payload bytes).
using Section = std::tuple<std::string, std::int16_t, std::string>;
inline std::string extraBlock(const std::vector<Section>& sections, std::int16_t version = 1) {
    std::string b = text("ORVEX-EXTRA") + integer(version) + integer(std::int16_t(sections.size()));
    for (const auto& [tag, v, payload] : sections) b += text(tag) + integer(v) + text(payload);
    return b;
}
// Names in UTF-8: an accent, a right-to-left name, an emoji, a formula.
inline const std::string kNamesPayload =
    "1\tAnna Rossi\n7\tJos\xC3\xA9 \"Pep\" Garc\xC3\xAD"
    "a; Jr\n"
    "12\t\xD7\x93\xD7\xA0\xD7\x94\n30\t=SUM(A1) \xF0\x9F\x8F\x81\n";

// A file with something in every field: the laps and session data windows
// stored open.
inline DataFile filledFile() {
    DataFile f;
    f.laps = {true, 120, 240, 4000, 3000};
    f.session = {true, 15, 30};
    f.stat = {false, -1, 0, 0, 0};
    f.texts = {
        "06/12/2026",          "14:30", "Pista Citt\xE0", "1200 m", "Kart 125", "Rossi\r\nBianchi",
        "Dry\r\nWarm \x80 day"};
    for (int i = 1; i <= 750; ++i) f.lapTimes[i - 1] = i % 7 == 0 ? 0 : 6000 + i * 13;
    return f;
}

// Files refused at their header, and files damaged after it, with the one
// message each gives when read as Race1; the last one, a count of 751, loads
// its slots first.
struct BadFile {
    std::string name, bytes, message;
    bool refused = false;
};
inline std::vector<BadFile> badFiles() {
    DataFile count751 = filledFile();
    count751.count = 751;
    count751.lapTimes.back() = 98;
    count751.lapTimes.push_back(99);
    const std::string full = filledFile().bytes();
    const std::string damaged = "File not valid or damaged !";
    return {
        {"other-version.DAT", text("ORVEX:1.1") + full.substr(11), "File not valid Race1.DAT",
         true},
        {"empty.DAT", "", "File not valid Race1.DAT", true},
        {"cut-in-text.DAT", full.substr(0, 63 + 2 + 4), "Errore n.  62"},
        {"too-big-for-its-field.DAT", text("ORVEX:1.0") + boolean(true) + longInt(40000), damaged},
        {"negative-length.DAT", full.substr(0, 63) + le(-1, 2),
         "/DATA/RACE1.DAT\nErrore : Argomento non valido nella chiamata di routine"},
        {"count-751.DAT", count751.bytes(), damaged},
        {"cut-in-laps.DAT", full.substr(0, full.size() - 2000), damaged},
        {"cut-in-layout.DAT", full.substr(0, 11 + 4 * 5), damaged},
    };
}

// Valid and damaged files, by name: the fuzz run's seeds.
inline std::vector<std::pair<std::string, std::string>> seedFiles() {
    const std::string full = filledFile().bytes();
    DataFile noMarker = filledFile(), longTexts = filledFile();
    noMarker.withMarker = false;
    // Longer than the boxes take from the keyboard, and a note whose lone
    // LFs pass 32767 bytes only when counted as CR LF.
    longTexts.texts[0] = std::string(60, 'd');
    longTexts.texts[5] = std::string(300, 'r');
    longTexts.texts[6] = std::string(20000, '\n') + "a\rb";
    std::vector<std::pair<std::string, std::string>> seeds = {
        {"valid.DAT", full},
        {"empty-session.DAT", DataFile{}.bytes()},
        {"no-marker.DAT", noMarker.bytes()},
        {"long-texts.DAT", longTexts.bytes()},
        {"names.DAT", full + extraBlock({{"names", 1, kNamesPayload}, {"later", 3, "\1\2"}})},
        {"ends-after-texts.DAT", full.substr(0, full.find("Tempi") - 2)},
        {"bytes-after-laps.DAT", full + "\xFF\xFF" + text("ORVEX-EXTRA")},
        {"cut-in-extra-marker.DAT", full + text("ORVEX-EXTRA").substr(0, 6)},
        {"later-sections.DAT",
         full + extraBlock({{"names", 2, "7\tAl\n"}, {"laps2", 1, std::string("\0\xFF", 2)}})},
        {"bad-lap-rules.DAT",
         full + extraBlock({{"corrections", 1, "rank\t1\t3\nrules\t9000\t3000\n"}})},
        {"names-cut.DAT",
         (full + extraBlock({{"names", 1, kNamesPayload}})).substr(0, full.size() + 40)},
        {"corrections.DAT",
         full + extraBlock({{"names", 1, kNamesPayload},
                            {"corrections", 1,
                             "rank\t2\t4\nrules\t3000\t9000\nmark\t2\tJ\t500\n"
                             "mark\t30\tK\t9500\npenalty\t7\t500\t1\tjump start\n"}})},
    };
    for (const auto& bad : badFiles()) seeds.emplace_back(bad.name, bad.bytes);
    return seeds;
}

}  // namespace items
