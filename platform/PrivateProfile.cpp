#include "platform/PrivateProfile.h"

#include <optional>
#include <vector>

namespace orvex {

namespace {

std::string trim(const std::string& s) {
    const auto first = s.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    const auto last = s.find_last_not_of(" \t");
    return s.substr(first, last - first + 1);
}

bool sameName(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

// "[Name]" gives Name; any other line gives nothing.
std::optional<std::string> sectionName(const std::string& line) {
    const std::string t = trim(line);
    if (t.empty() || t.front() != '[') return std::nullopt;
    const auto close = t.find(']');
    return trim(t.substr(1, close == std::string::npos ? std::string::npos : close - 1));
}

struct Entry {
    std::string key, value;
};

std::optional<Entry> entry(const std::string& line) {
    const auto eq = line.find('=');
    if (eq == std::string::npos) return std::nullopt;
    std::string value = trim(line.substr(eq + 1));
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    return Entry{trim(line.substr(0, eq)), value};
}

// Cuts UTF-8 text to `count` characters, never inside a character.
std::string firstChars(const std::string& s, int count) {
    std::size_t i = 0;
    for (int n = 0; n < count && i < s.size(); ++n) {
        ++i;
        while (i < s.size() && (static_cast<unsigned char>(s[i]) & 0xC0) == 0x80) ++i;
    }
    return s.substr(0, i);
}

struct Lines {
    std::vector<std::string> lines;
    bool found = false;
};

Lines load(FileSystem& files, const std::string& path) {
    Lines out;
    if (!files.fileExists(path)) return out;
    int error = 0;
    auto f = files.open(path, error);
    if (!f) return out;
    std::string text;
    char buf[4096];
    std::size_t got = 0;
    while (f->read(buf, sizeof buf, got) == 0 && got > 0) text.append(buf, got);
    out.found = true;
    std::size_t start = 0;
    while (start < text.size()) {
        auto end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        out.lines.push_back(line);
        start = end + 1;
    }
    return out;
}

// The first line of the section, or lines.size() when it is missing.
std::size_t findSection(const std::vector<std::string>& lines, const std::string& section) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const auto name = sectionName(lines[i]);
        if (name && sameName(*name, section)) return i;
    }
    return lines.size();
}

std::size_t sectionEnd(const std::vector<std::string>& lines, std::size_t header) {
    std::size_t i = header + 1;
    while (i < lines.size() && !sectionName(lines[i])) ++i;
    return i;
}

}  // namespace

std::string PrivateProfile::read(const std::string& file, const std::string& section,
                                 const std::string& key, const std::string& fallback, int size) {
    const Lines f = load(files_, file);
    std::string value = fallback;
    const std::size_t header = findSection(f.lines, section);
    if (header < f.lines.size()) {
        const std::size_t end = sectionEnd(f.lines, header);
        for (std::size_t i = header + 1; i < end; ++i) {
            const auto e = entry(f.lines[i]);
            if (e && sameName(e->key, key)) {
                value = e->value;
                break;
            }
        }
    }
    return firstChars(value, size > 0 ? size - 1 : 0);
}

bool PrivateProfile::write(const std::string& file, const std::string& section,
                           const std::string& key, const std::string& value) {
    Lines f = load(files_, file);
    auto& lines = f.lines;
    const std::string line = key + "=" + value;
    const std::size_t header = findSection(lines, section);
    if (header == lines.size()) {
        lines.push_back("[" + section + "]");
        lines.push_back(line);
    } else {
        const std::size_t end = sectionEnd(lines, header);
        std::size_t at = end;
        for (std::size_t i = header + 1; i < end; ++i) {
            const auto e = entry(lines[i]);
            if (e && sameName(e->key, key)) {
                at = i;
                break;
            }
        }
        if (at < end) {
            lines[at] = line;
        } else {
            // After the section's last entry, not after the blank lines that
            // part it from the next section.
            std::size_t pos = end;
            while (pos > header + 1 && trim(lines[pos - 1]).empty()) --pos;
            lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(pos), line);
        }
    }
    std::string text;
    for (const auto& l : lines) text += l + "\r\n";
    int error = 0;
    auto out = files_.replace(file, error);
    return out && out->write(text.data(), text.size()) == 0 && out->commit() == 0;
}

}  // namespace orvex
