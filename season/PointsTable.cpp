#include "season/PointsTable.h"

#include <algorithm>

namespace orvex {

namespace {

bool isSeparator(char c) {
    return c == ' ' || c == '\t' || c == ',' || c == ';' || c == '\r' || c == '\n';
}

}  // namespace

Result<std::vector<int>> parsePointsList(const std::string& text) {
    std::vector<int> values;
    std::size_t i = 0;
    while (i < text.size()) {
        if (isSeparator(text[i])) {
            ++i;
            continue;
        }
        std::size_t end = i;
        while (end < text.size() && !isSeparator(text[end])) ++end;
        const std::string entry = text.substr(i, end - i);
        const std::string place = std::to_string(values.size() + 1);
        if (values.size() == kMaxPositionsPoints)
            return Status::fail(StatusCode::Invalid,
                                QT_TRANSLATE_NOOP("Status",
                                                  "The points table has more than %1 entries: "
                                                  "entry %2 (\"%3\") is one too many."),
                                {std::to_string(kMaxPositionsPoints), place, entry});
        if (entry[0] == '-')
            return Status::fail(StatusCode::Invalid,
                                QT_TRANSLATE_NOOP("Status",
                                                  "Entry %1 of the points table (\"%2\") is "
                                                  "negative; points are 0 or more."),
                                {place, entry});
        long long value = 0;
        bool digits = true;
        for (const char c : entry) {
            if (c < '0' || c > '9') {
                digits = false;
                break;
            }
            value = std::min<long long>(value * 10 + (c - '0'), kMaxPoints + 1LL);
        }
        if (!digits)
            return Status::fail(
                StatusCode::Invalid,
                QT_TRANSLATE_NOOP("Status",
                                  "Entry %1 of the points table (\"%2\") is not a whole number."),
                {place, entry});
        if (value > kMaxPoints)
            return Status::fail(StatusCode::Invalid,
                                QT_TRANSLATE_NOOP("Status",
                                                  "Entry %1 of the points table (\"%2\") is more "
                                                  "than %3."),
                                {place, entry, std::to_string(kMaxPoints)});
        values.push_back(static_cast<int>(value));
        i = end;
    }
    return values;
}

std::string pointsListText(const std::vector<int>& values) {
    std::string out;
    for (const int v : values) {
        if (!out.empty()) out += ' ';
        out += std::to_string(v);
    }
    return out;
}

}  // namespace orvex
