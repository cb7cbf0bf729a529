#pragma once
#include <cstddef>
#include <string>
#include <utility>
#include <vector>

namespace orvex {

// Why a row of a names file was not taken.
enum class SkipReason {
    None,
    NoNumber,    // the first field is not a whole number
    OutOfRange,  // a number outside 1..30
    EmptyName,   // no name after the number
    OpenQuote,   // a quote that opens a field is never closed
    Unreadable,  // the file is no text (it holds NUL bytes) or is too large
};

// What an import found: the names taken, in file order (a later row for the
// same number wins), and the first row skipped.
struct NamesImport {
    std::vector<std::pair<int, std::string>> names;
    int skipped = 0;
    int firstSkippedLine = 0;  // counted from 1; 0 when none was skipped
    SkipReason firstReason = SkipReason::None;
};

// A list of names is small; a file beyond this is no such list.
constexpr std::size_t kMaxNamesFile = 2 * 1024 * 1024;

// Reads a CSV file of "number, name" rows: a header row is optional, the
// separator is a comma, a semicolon or a tab (the first of them on the first
// row decides), a field that begins with a quote is quoted as RFC 4180 says
// (a quote anywhere else is a character of the field), and each line is UTF-8
// or, where it is not valid UTF-8, Latin-1; a file with a UTF-16 byte-order
// mark is UTF-16. Blank lines are passed over. Names lose the invisible
// direction and format marks and are cleaned as the session keeps them.
NamesImport ImportNames(const std::string& bytes);
// The same for the file `path`; a file that cannot be read is Unreadable.
NamesImport ImportNamesFile(const std::string& path);

}  // namespace orvex
