#include "season/StandingsCsv.h"

#include <vector>

#include "season/Standings.h"

namespace orvex {

namespace {

std::string field(const std::string& text, char sep) {
    std::string t = text;
    // A name the user typed is never read as a formula.
    if (!t.empty() && std::string("=+-@").find(t.front()) != std::string::npos)
        t.insert(t.begin(), '\'');
    if (t.find_first_of(std::string{sep, '"', '\t', '\r', '\n'}) == std::string::npos) return t;
    std::string quoted = "\"";
    for (const char c : t) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

std::string row(const std::vector<std::string>& fields, char sep) {
    std::string line;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) line += sep;
        line += field(fields[i], sep);
    }
    return line + "\r\n";
}

}  // namespace

std::string roundCellText(const StandingsRow& r, std::size_t round) {
    if (round >= r.rounds.size() || !r.rounds[round]) return {};
    const std::string points = std::to_string(*r.rounds[round]);
    return round < r.dropped.size() && r.dropped[round] ? "(" + points + ")" : points;
}

std::string standingsCsv(const Standings& s, const std::string& userDecimalSeparator) {
    const char sep = userDecimalSeparator == "," ? ';' : ',';
    const std::string status = standingsStateText(s);
    std::vector<std::string> head = {"Pos", "Name", "Points"};
    head.insert(head.end(), s.roundTitles.begin(), s.roundTitles.end());
    head.push_back("Wins");
    head.push_back("Status");
    std::string out = "\xEF\xBB\xBF" + row(head, sep);
    for (const StandingsRow& r : s.rows) {
        std::vector<std::string> f = {r.pos > 0 ? std::to_string(r.pos) : std::string(), r.name,
                                      std::to_string(r.points)};
        for (std::size_t i = 0; i < s.roundTitles.size(); ++i) f.push_back(roundCellText(r, i));
        f.push_back(std::to_string(r.wins));
        f.push_back(status);
        out += row(f, sep);
    }
    return out;
}

}  // namespace orvex
