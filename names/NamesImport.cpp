#include "names/NamesImport.h"

#include "platform/FileSystem.h"
#include "platform/Platform.h"
#include "session/AnsiText.h"
#include "session/DriverNames.h"

namespace orvex {

namespace {

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
};

// RFC 4180 records; a quoted field may hold the separator, doubled quotes
// and line breaks.
std::vector<Row> parseCsv(const std::string& text, char sep) {
    std::vector<Row> rows;
    Row row;
    std::string field;
    int line = 1;
    row.line = 1;
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
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                field += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                if (c == '\n') ++line;
                field += c;
            }
        } else if (c == '"') {
            quoted = any = true;
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
    endRow();
    return rows;
}

std::string trimmed(const std::string& s) {
    const std::size_t a = s.find_first_not_of(" \t");
    if (a == std::string::npos) return {};
    return s.substr(a, s.find_last_not_of(" \t") - a + 1);
}

// The number of a field of digits only, -1 otherwise; huge numbers are out of range.
int numberOf(const std::string& field) {
    const std::string t = trimmed(field);
    if (t.empty() || t.find_first_not_of("0123456789") != std::string::npos) return -1;
    return t.size() > 4 ? 99999 : std::stoi(t);
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
    if (bytes.size() > kMaxNamesFile || bytes.find('\0') != std::string::npos) {
        skip(1, SkipReason::Unreadable);
        return result;
    }
    std::string text = toUtf8Lines(bytes);
    if (text.rfind("\xEF\xBB\xBF", 0) == 0) text.erase(0, 3);
    const std::size_t firstSep = text.find_first_of(",;");
    const char sep = firstSep != std::string::npos ? text[firstSep] : ',';
    bool first = true;
    for (const Row& row : parseCsv(text, sep)) {
        const int number = numberOf(row.fields[0]);
        // A first row without a number names the columns.
        if (std::exchange(first, false) && number < 0) continue;
        const std::string name =
            row.fields.size() > 1 ? CleanDriverName(row.fields[1]) : std::string();
        if (number < 0)
            skip(row.line, SkipReason::NoNumber);
        else if (number < 1 || number > kDrivers)
            skip(row.line, SkipReason::OutOfRange);
        else if (name.empty())
            skip(row.line, SkipReason::EmptyName);
        else
            result.names.emplace_back(number, name);
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
