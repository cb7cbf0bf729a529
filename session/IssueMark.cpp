#include "session/IssueMark.h"

#include <charconv>

#include "platform/Texts.h"
#include "session/CorrectionsCodec.h"
#include "session/DriverNames.h"
#include "session/Session.h"

namespace orvex {

namespace {

void fnv(std::uint64_t& h, const std::string& bytes) {
    for (const char c : bytes) {
        h ^= static_cast<unsigned char>(c);
        h *= 1099511628211ull;
    }
}

template <class T>
bool readField(const std::string& text, T& out) {
    const char* end = text.data() + text.size();
    const auto [p, ec] = std::from_chars(text.data(), end, out);
    return ec == std::errc{} && p == end && !text.empty();
}

std::string replaceNumber(std::string text, int n) {
    const std::size_t at = text.find("%1");
    if (at != std::string::npos) text.replace(at, 2, std::to_string(n));
    return text;
}

}  // namespace

std::uint64_t issueHash(const Session& s) {
    std::uint64_t h = 14695981039346656037ull;
    std::string laps;
    laps.reserve(4 * s.LapTimes.size());
    for (std::size_t slot = 1; slot < s.LapTimes.size(); ++slot) {
        const auto v = static_cast<std::uint32_t>(s.LapTimes[slot]);
        for (int b = 0; b < 4; ++b) laps += static_cast<char>((v >> (8 * b)) & 0xFFu);
    }
    fnv(h, laps);
    // Separators no payload holds keep one part from sliding into the next.
    fnv(h, "\x01");
    fnv(h, encodeNames(s.DriverNames));
    fnv(h, "\x01");
    fnv(h, encodeCorrections(s.Corrections));
    return h;
}

std::string encodeIssueMark(const IssueMark& m) {
    return std::to_string(m.issue) + "\t" + std::to_string(m.hash) + "\n";
}

bool decodeIssueMark(const std::string& payload, int version, IssueMark& m) {
    if (version != kIssueSectionVersion || payload.empty() || payload.back() != '\n') return false;
    const std::size_t tab = payload.find('\t');
    if (tab == std::string::npos) return false;
    IssueMark read;
    if (!readField(payload.substr(0, tab), read.issue) || read.issue < 1 ||
        !readField(payload.substr(tab + 1, payload.size() - tab - 2), read.hash))
        return false;
    m = read;
    return true;
}

bool changedSinceIssue(const Session& s) {
    return s.Issue.issue > 0 && issueHash(s) != s.Issue.hash;
}

std::string issueStatusText(const Session& s, bool translate) {
    const auto text = [translate](const char* t) {
        return translate ? translated("IssueMark", t) : std::string(t);
    };
    if (s.Issue.issue == 0) return text(QT_TRANSLATE_NOOP("IssueMark", "Provisional"));
    return replaceNumber(changedSinceIssue(s)
                             ? text(QT_TRANSLATE_NOOP("IssueMark", "Changed since issue %1"))
                             : text(QT_TRANSLATE_NOOP("IssueMark", "Official (issue %1)")),
                         s.Issue.issue);
}

}  // namespace orvex
