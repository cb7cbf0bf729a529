#include "session/DriverNames.h"

#include <algorithm>
#include <vector>

namespace orvex {

namespace {

// Decodes the character at `i` and moves past it; false on a malformed one.
bool nextChar(const std::string& s, std::size_t& i, char32_t& c) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char b = byte(i);
    int extra = 0;
    char32_t min = 0;
    if (b < 0x80) {
        c = b;
        ++i;
        return true;
    } else if ((b & 0xE0) == 0xC0) {
        extra = 1, c = b & 0x1F, min = 0x80;
    } else if ((b & 0xF0) == 0xE0) {
        extra = 2, c = b & 0x0F, min = 0x800;
    } else if ((b & 0xF8) == 0xF0) {
        extra = 3, c = b & 0x07, min = 0x10000;
    } else {
        return false;
    }
    if (i + extra >= s.size()) return false;
    for (int k = 1; k <= extra; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) return false;
        c = (c << 6) | (byte(i + k) & 0x3F);
    }
    if (c < min || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return false;
    i += extra + 1;
    return true;
}

bool isControl(char32_t c) {
    return c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0x2028 || c == 0x2029 || c == 0xFEFF;
}

bool isBlank(char32_t c) {
    return c == ' ' || c == 0xA0 || (c >= 0x2000 && c <= 0x200B) || c == 0x202F || c == 0x205F ||
           c == 0x3000;
}

// The characters of valid UTF-8 text, each with the bytes it takes.
struct Char {
    char32_t code;
    std::size_t from, size;
};

std::vector<Char> chars(const std::string& s) {
    std::vector<Char> out;
    for (std::size_t i = 0; i < s.size();) {
        const std::size_t from = i;
        char32_t c = 0;
        if (!nextChar(s, i, c)) {
            ++i;
            continue;
        }
        out.push_back({c, from, i - from});
    }
    return out;
}

}  // namespace

bool isValidUtf8(const std::string& text) {
    char32_t c = 0;
    for (std::size_t i = 0; i < text.size();)
        if (!nextChar(text, i, c)) return false;
    return true;
}

std::string CleanDriverName(const std::string& utf8) {
    std::vector<Char> kept;
    for (const Char& c : chars(utf8))
        if (!isControl(c.code)) kept.push_back(c);
    std::size_t first = 0, last = kept.size();
    while (first < last && isBlank(kept[first].code)) ++first;
    last = std::min(last, first + kMaxDriverName);
    while (last > first && isBlank(kept[last - 1].code)) --last;
    std::string out;
    for (std::size_t k = first; k < last; ++k) out += utf8.substr(kept[k].from, kept[k].size);
    return out;
}

std::string encodeNames(const DriverNameList& names) {
    std::string out;
    for (int d = 1; d <= kDrivers; ++d)
        if (!names[d].empty()) out += std::to_string(d) + '\t' + names[d] + '\n';
    return out;
}

bool decodeNames(const std::string& payload, int version, DriverNameList& names) {
    if (version != kNamesSectionVersion || payload.empty() || payload.back() != '\n' ||
        !isValidUtf8(payload))
        return false;
    DriverNameList read;
    for (std::size_t at = 0; at < payload.size();) {
        const std::size_t end = payload.find('\n', at);
        const std::string line = payload.substr(at, end - at);
        at = end + 1;
        const std::size_t tab = line.find('\t');
        if (tab == 0 || tab > 2 || line[0] == '0' || line.find_first_not_of("0123456789") != tab)
            return false;
        const int number = std::stoi(line.substr(0, tab));
        const std::string name = line.substr(tab + 1);
        if (number < 1 || number > kDrivers || !read[number].empty() || name.empty() ||
            CleanDriverName(name) != name)
            return false;
        read[number] = name;
    }
    names = read;
    return true;
}

}  // namespace orvex
