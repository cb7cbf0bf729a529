#include "season/Issue.h"

#include <charconv>

#include "platform/Texts.h"
#include "results/Results.h"
#include "session/CorrectionsCodec.h"
#include "session/IssueMark.h"
#include "session/Session.h"

namespace orvex {

namespace {

// A text field on one line: tabs and line breaks would end it.
std::string field(const std::string& text) {
    std::string out = text;
    for (char& c : out)
        if (static_cast<unsigned char>(c) < 0x20) c = ' ';
    return out;
}

template <class T>
bool number(const std::string& text, T lo, T hi, T& out) {
    const char* end = text.data() + text.size();
    const auto [p, ec] = std::from_chars(text.data(), end, out);
    return ec == std::errc{} && p == end && out >= lo && out <= hi;
}

std::string tr(const char* text) { return translated("Issue", text); }

// `text` with %1, %2, ... replaced by `args`.
std::string arg(std::string text, std::initializer_list<std::string> args) {
    int n = 1;
    for (const std::string& a : args) {
        std::string key = "%";  // not "%" + ...: GCC 12 warns falsely on that at -O2
        key += std::to_string(n++);
        if (const std::size_t at = text.find(key); at != std::string::npos)
            text.replace(at, key.size(), a);
    }
    return text;
}

std::string seconds(std::int64_t hundredths) {
    std::string s = std::to_string(hundredths / 100);
    if (hundredths % 100 != 0) {
        const std::int64_t rest = hundredths % 100;
        s += (rest < 10 ? ".0" : ".") + std::to_string(rest);
    }
    return s;
}

std::string rankingText(RankMode mode, int run) {
    switch (mode) {
        case RankMode::Race:
            return tr(QT_TRANSLATE_NOOP("Issue", "Race"));
        case RankMode::BestConsecutive:
            return arg(tr(QT_TRANSLATE_NOOP("Issue", "Best %1 consecutive")),
                       {std::to_string(run)});
        case RankMode::BestLap:
            break;
    }
    return tr(QT_TRANSLATE_NOOP("Issue", "Best lap"));
}

std::string penaltyText(const DriverPenalty& p) {
    std::string what;
    if (p.disqualified)
        what = tr(QT_TRANSLATE_NOOP("Issue", "disqualified"));
    else if (p.hundredths > 0)
        what = arg(tr(QT_TRANSLATE_NOOP("Issue", "penalty %1 s")), {seconds(p.hundredths)});
    else
        what = tr(QT_TRANSLATE_NOOP("Issue", "no penalty"));
    if (!p.reason.empty() && !p.empty()) what += " (" + p.reason + ")";
    return what;
}

std::string markText(int lap, LapCorrection mark) {
    switch (mark) {
        case LapCorrection::Join:
            return arg(tr(QT_TRANSLATE_NOOP("Issue", "lap %1 joined with lap %2")),
                       {std::to_string(lap), std::to_string(lap + 1)});
        case LapCorrection::Void:
            return arg(tr(QT_TRANSLATE_NOOP("Issue", "lap %1 void")), {std::to_string(lap)});
        case LapCorrection::Keep:
            return arg(tr(QT_TRANSLATE_NOOP("Issue", "lap %1 kept")), {std::to_string(lap)});
        case LapCorrection::None:
            break;
    }
    return arg(tr(QT_TRANSLATE_NOOP("Issue", "lap %1 restored")), {std::to_string(lap)});
}

std::string driverLine(int driver, const std::string& what) {
    return arg(tr(QT_TRANSLATE_NOOP("Issue", "No. %1: %2")), {std::to_string(driver), what});
}

}  // namespace

IssueSnapshot makeIssueSnapshot(const Session& s) {
    IssueSnapshot snap;
    const RaceResults results = makeResults(s);
    for (const DriverResult& r : results.rows)
        snap.lines.push_back({r.driver, r.pos, r.disqualified, r.name, r.laps,
                              figureText(r, results.mode), r.bestLapNo > 0 ? r.best : 0, r.penalty,
                              r.reason});
    snap.hash = issueHash(s);
    snap.title = s.SessionDate + (s.SessionTrack.empty() ? "" : " " + s.SessionTrack);
    snap.names = s.DriverNames;
    snap.corrections = s.Corrections;
    return snap;
}

std::string encodeIssueLines(const std::vector<IssueLine>& lines) {
    std::string out;
    for (const IssueLine& l : lines)
        out += std::to_string(l.number) + "\t" + std::to_string(l.pos) + "\t" +
               (l.dsq ? "1" : "0") + "\t" + std::to_string(l.laps) + "\t" + std::to_string(l.best) +
               "\t" + std::to_string(l.penalty) + "\t" + field(l.figure) + "\t" + field(l.name) +
               "\t" + field(l.reason) + "\n";
    return out;
}

bool decodeIssueLines(const std::string& text, std::vector<IssueLine>& lines) {
    std::vector<IssueLine> read;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t end = text.find('\n', at);
        if (end == std::string::npos) return false;
        const std::vector<std::string> f = splitTabs(text.substr(at, end - at));
        IssueLine l;
        int dsq = 0;
        constexpr std::int64_t kMax = std::int64_t{1} << 40;
        if (f.size() != 9 || !number(f[0], 1, kDrivers, l.number) ||
            !number(f[1], 0, kDrivers, l.pos) || !number(f[2], 0, 1, dsq) ||
            !number(f[3], 0, kLapSlots, l.laps) || !number(f[4], std::int64_t{0}, kMax, l.best) ||
            !number(f[5], std::int64_t{0}, kMax, l.penalty))
            return false;
        l.dsq = dsq == 1;
        l.figure = f[6];
        l.name = f[7];
        l.reason = f[8];
        read.push_back(std::move(l));
        at = end + 1;
    }
    lines = std::move(read);
    return true;
}

std::vector<std::string> issueChanges(const IssueSnapshot* before, const IssueSnapshot& after) {
    static const IssueSnapshot kNone;
    const IssueSnapshot& b = before ? *before : kNone;
    const RaceCorrections& c0 = b.corrections;
    const RaceCorrections& c1 = after.corrections;
    std::vector<std::string> out;
    for (int d = 1; before && d <= kDrivers; ++d)
        if (b.names[d] != after.names[d])
            out.push_back(driverLine(
                d, after.names[d].empty()
                       ? tr(QT_TRANSLATE_NOOP("Issue", "name removed"))
                       : arg(tr(QT_TRANSLATE_NOOP("Issue", "name %1")), {after.names[d]})));
    for (int d = 1; d <= kDrivers; ++d)
        if (c0.penaltyOf(d) != c1.penaltyOf(d))
            out.push_back(driverLine(d, penaltyText(c1.penaltyOf(d))));
    for (int slot = 1; slot <= kLapSlots; ++slot) {
        const auto i0 = c0.marks.find(slot), i1 = c1.marks.find(slot);
        const LapCorrection m0 = i0 == c0.marks.end() ? LapCorrection::None : i0->second.mark;
        const LapCorrection m1 = i1 == c1.marks.end() ? LapCorrection::None : i1->second.mark;
        if (m0 != m1)
            out.push_back(driverLine((slot - 1) / kLapsPerDriver + 1,
                                     markText((slot - 1) % kLapsPerDriver + 1, m1)));
    }
    if (c0.minLap != c1.minLap || c0.maxLap != c1.maxLap)
        out.push_back(arg(tr(QT_TRANSLATE_NOOP("Issue", "Lap rules: shortest %1 s, longest %2 s")),
                          {seconds(c1.minLap), seconds(c1.maxLap)}));
    if (!before || c0.mode != c1.mode || (c1.mode == RankMode::BestConsecutive && c0.run != c1.run))
        out.push_back(
            arg(tr(QT_TRANSLATE_NOOP("Issue", "Ranking: %1")), {rankingText(c1.mode, c1.run)}));
    if (before && out.empty() && b.hash != after.hash)
        out.push_back(tr(QT_TRANSLATE_NOOP("Issue", "Laps read again")));
    return out;
}

std::vector<RoundDriver> roundDrivers(const IssueSnapshot& issue) {
    std::vector<RoundDriver> out;
    out.reserve(issue.lines.size());
    for (const IssueLine& l : issue.lines)
        out.push_back({l.name, l.number, l.dsq ? 0 : l.pos, l.dsq, l.laps, l.best});
    return out;
}

IssueState issueState(const Session& s) {
    if (s.Issue.issue == 0) return {};
    return {changedSinceIssue(s) ? IssueKind::Changed : IssueKind::Official, s.Issue.issue,
            s.Issue.issuedAt};
}

}  // namespace orvex
