#include "names/NamesImport.h"

#include <algorithm>
#include <optional>

#include "platform/FileSystem.h"
#include "platform/Platform.h"
#include "session/AnsiText.h"
#include "session/DriverNames.h"

namespace orvex {

namespace {

// The characters of valid UTF-8 text.
std::u32string codePoints(const std::string& utf8) {
    std::u32string out;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const int extra = lead < 0xC0 ? 0 : lead < 0xE0 ? 1 : lead < 0xF0 ? 2 : 3;
        char32_t c = extra == 0 ? lead : lead & (0x3F >> extra);
        for (int k = 1; k <= extra && i + k < utf8.size(); ++k)
            c = (c << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        out += c;
        i += extra + 1;
    }
    return out;
}

// A spreadsheet's "Unicode text" is UTF-16 after a byte-order mark: as UTF-8.
// False when `bytes` have no such mark.
bool fromUtf16(const std::string& bytes, std::string& out) {
    const bool le = bytes.rfind("\xFF\xFE", 0) == 0;
    if (!le && bytes.rfind("\xFE\xFF", 0) != 0) return false;
    const auto unit = [&](std::size_t i) {
        const auto a = static_cast<unsigned char>(bytes[i]);
        const auto b = static_cast<unsigned char>(bytes[i + 1]);
        return static_cast<char32_t>(le ? b << 8 | a : a << 8 | b);
    };
    out.clear();
    for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
        char32_t c = unit(i);
        if (c >= 0xD800 && c <= 0xDBFF && i + 3 < bytes.size() && unit(i + 2) >= 0xDC00 &&
            unit(i + 2) <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (unit(i + 2) - 0xDC00);
            i += 2;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = 0xFFFD;
        }
        appendUtf8(out, c);
    }
    return true;
}

bool isDirectionMark(char32_t c) {
    return c == 0x200E || c == 0x200F || (c >= 0x202A && c <= 0x202E) ||
           (c >= 0x2066 && c <= 0x2069);
}

// A joiner joins two letters of a script or two emoji; beside ASCII, a blank
// or the end of the name it only hides in the name.
bool canJoin(char32_t c) {
    return c > 0x7F && c != 0xA0 && c != 0x200D && !(c >= 0x2000 && c <= 0x200B) && c != 0x202F &&
           c != 0x3000;
}

// Copied from a web page or a right-to-left spreadsheet, a name carries
// invisible marks that would make two spellings of one name differ.
std::string withoutMarks(const std::string& utf8) {
    std::u32string kept;
    for (const char32_t c : codePoints(utf8))
        if (!isDirectionMark(c)) kept += c;
    std::string out;
    for (std::size_t i = 0; i < kept.size(); ++i) {
        if (kept[i] == 0x200D &&
            (i == 0 || i + 1 == kept.size() || !canJoin(kept[i - 1]) || !canJoin(kept[i + 1])))
            continue;
        appendUtf8(out, kept[i]);
    }
    return out;
}

// Each line as UTF-8: Latin-1 bytes become their characters.
std::string toUtf8Lines(const std::string& bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 8);
    for (std::size_t at = 0; at < bytes.size();) {
        std::size_t end = bytes.find('\n', at);
        end = end == std::string::npos ? bytes.size() : end + 1;
        const std::string line = bytes.substr(at, end - at);
        at = end;
        // Not UTF-8: the single-byte text of Windows, whose high half is Latin-1.
        out += isValidUtf8(line) ? line : fromAnsi(line);
    }
    return out;
}

struct Row {
    int line = 0;
    std::vector<std::string> fields;
    bool openQuote = false;  // a quote opened in it is never closed
};

// RFC 4180 records; a field that begins with a quote may hold the separator,
// doubled quotes and line breaks, and ends with a quote before the separator. A quote that is never
// closed costs its row alone: the reading starts again at the next line, and from there a quoted
// field ends with its line, so a second such quote costs no second pass.
std::vector<Row> parseCsv(const std::string& text, char sep) {
    std::vector<Row> rows;
    std::size_t from = 0;
    int fromLine = 1;
    for (bool lineQuotes = false;; lineQuotes = true) {
        Row row;
        std::string field;
        int line = fromLine, quoteLine = 0;
        std::size_t quoteAt = 0;
        row.line = line;
        bool quoted = false, any = false;
        const auto endField = [&] {
            row.fields.push_back(field);
            field.clear();
        };
        const auto endRow = [&] {
            endField();
            if (any) rows.push_back(std::move(row));
            row = Row{};
            row.line = line;
            any = false;
        };
        const auto dropRow = [&] {
            rows.push_back({row.line, {}, true});
            row = Row{};
            field.clear();
            quoted = any = false;
        };
        // A quote closes its field only where the field ends; any other is a character of it.
        const auto closes = [&](std::size_t at) {
            at = std::min(text.find_first_not_of(' ', at), text.size());
            return at == text.size() || text[at] == sep || text[at] == '\r' || text[at] == '\n';
        };
        for (std::size_t i = from; i < text.size(); ++i) {
            const char c = text[i];
            if (quoted) {
                if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                    field += '"';
                    ++i;
                } else if (c == '"' && closes(i + 1)) {
                    quoted = false;
                } else if (c == '\n' && lineQuotes) {
                    dropRow();
                    row.line = ++line;
                } else {
                    if (c == '\n') ++line;
                    field += c;
                }
            } else if (c == '"' && field.find_first_not_of(" \t") == std::string::npos) {
                // Blanks before the opening quote are no part of the field.
                field.clear();
                quoted = any = true;
                quoteLine = line;
                quoteAt = i;
            } else if (c == sep) {
                endField();
                any = true;
            } else if (c == '\n') {
                ++line;
                endRow();
            } else if (c != '\r') {
                field += c;
                if (c != ' ' && c != '\t') any = true;
            }
        }
        if (!quoted) {
            endRow();
            return rows;
        }
        dropRow();
        from = lineQuotes ? std::string::npos : text.find('\n', quoteAt);
        if (from == std::string::npos) return rows;
        ++from;
        fromLine = quoteLine + 1;
    }
}

std::string trimmed(const std::string& s) {
    const std::size_t a = s.find_first_not_of(" \t");
    if (a == std::string::npos) return {};
    return s.substr(a, s.find_last_not_of(" \t") - a + 1);
}

// The number of a field of digits, with leading zeros and an optional minus;
// none otherwise. Negative and huge numbers are out of range.
std::optional<int> numberOf(const std::string& field) {
    std::string t = trimmed(field);
    const bool negative = !t.empty() && t[0] == '-';
    if (negative) t.erase(0, 1);
    if (t.empty() || t.find_first_not_of("0123456789") != std::string::npos) return std::nullopt;
    if (negative) return -1;
    t.erase(0, std::min(t.find_first_not_of('0'), t.size() - 1));
    return t.size() > 4 ? 99999 : std::stoi(t);
}

// The separator: the first comma, semicolon or tab after the first row's leading blanks.
char separatorOf(const std::string& text) {
    const std::size_t start = text.find_first_not_of(" \t\r\n");
    const std::size_t at = start == std::string::npos ? start : text.find_first_of(",;\t", start);
    return at != std::string::npos ? text[at] : ',';
}

}  // namespace

NamesImport ImportNames(const std::string& bytes) {
    NamesImport result;
    const auto skip = [&](int line, SkipReason why) {
        if (result.skipped++ == 0) {
            result.firstSkippedLine = line;
            result.firstReason = why;
        }
    };
    std::string text;
    const bool utf16 = bytes.size() <= kMaxNamesFile && fromUtf16(bytes, text);
    if (bytes.size() > kMaxNamesFile || (utf16 ? text : bytes).find('\0') != std::string::npos) {
        skip(1, SkipReason::Unreadable);
        return result;
    }
    if (!utf16) text = toUtf8Lines(bytes);
    if (text.rfind("\xEF\xBB\xBF", 0) == 0) text.erase(0, 3);
    bool first = true;
    for (const Row& row : parseCsv(text, separatorOf(text))) {
        if (row.openQuote) {
            first = false;
            skip(row.line, SkipReason::OpenQuote);
            continue;
        }
        const std::optional<int> number = numberOf(row.fields[0]);
        // A first row without a number names the columns.
        if (std::exchange(first, false) && !number) continue;
        const std::string name =
            row.fields.size() > 1 ? CleanDriverName(withoutMarks(row.fields[1])) : std::string();
        if (!number)
            skip(row.line, SkipReason::NoNumber);
        else if (*number < 1 || *number > kDrivers)
            skip(row.line, SkipReason::OutOfRange);
        else if (name.empty())
            skip(row.line, SkipReason::EmptyName);
        else
            result.names.emplace_back(*number, name);
    }
    return result;
}

NamesImport ImportNamesFile(const std::string& path) {
    FileSystem& files = *platform().files;
    int error = 0;
    // open() would make a missing file.
    std::unique_ptr<BinaryFile> file = files.fileExists(path) ? files.open(path, error) : nullptr;
    std::string bytes;
    // One byte more than allowed is enough to refuse the file.
    std::string chunk(64 * 1024, '\0');
    while (file && bytes.size() <= kMaxNamesFile) {
        std::size_t got = 0;
        if (file->read(chunk.data(), chunk.size(), got) != 0) file.reset();
        if (!file || got == 0) break;
        bytes.append(chunk, 0, got);
    }
    if (!file) {
        NamesImport failed;
        failed.skipped = 1;
        failed.firstSkippedLine = 1;
        failed.firstReason = SkipReason::Unreadable;
        return failed;
    }
    return ImportNames(bytes);
}

}  // namespace orvex
