#include "sheet/ResultsSheet.h"

#include "platform/Messages.h"
#include "session/Session.h"
#include "session/TimeFormat.h"

namespace orvex {

namespace {

// `pattern` with "%1" replaced, in one pass: a figure holding "%1" stays as it is.
std::string fill(const std::string& pattern, const std::string& figure) {
    std::string out;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '%' && i + 1 < pattern.size() && pattern[i + 1] == '1') {
            out += figure;
            ++i;
        } else {
            out += pattern[i];
        }
    }
    return out;
}

std::string withLaps(const std::string& time, int first, int last) {
    if (time.empty()) return {};
    std::string laps = std::to_string(first);
    if (last != first) (laps += '-') += std::to_string(last);
    return time + " (" + laps + ")";
}

std::string gapOf(const DriverResult& r, const SheetWords& w) {
    if (r.pos <= 1) return {};
    if (r.gapLaps == 1) return w.oneLap;
    if (r.gapLaps > 1) return fill(w.manyLaps, std::to_string(r.gapLaps));
    // A tie is behind too: a blank would read as a second leader.
    return r.gap > 0 ? gapTimeText(r.gap) : "+0.00";
}

}  // namespace

ResultsSheet makeResultsSheet(const RaceResults& results, const SheetHeader& header,
                              const SheetWords& w, const std::string& decimal) {
    ResultsSheet sheet;
    sheet.title = header.title;
    sheet.status = header.status;
    sheet.foot = header.printed;
    const std::string run = std::to_string(results.run);
    for (const auto& [pattern, text] :
         {std::pair{w.date, header.date}, {w.time, header.time}, {w.vehicle, header.vehicle}})
        if (!text.empty()) sheet.details.push_back(fill(pattern, text));
    const std::string ranking = results.mode == RankMode::Race              ? w.rankRace
                                : results.mode == RankMode::BestConsecutive ? fill(w.rankRun, run)
                                                                            : w.rankBestLap;
    sheet.details.push_back(fill(w.ranking, ranking));

    bool speeds = false;
    for (const DriverResult& r : results.rows) speeds = speeds || r.bestSpeed.has_value();
    // Ranked by best lap, the best lap is the ranking's figure: no column twice.
    const bool figure = results.mode != RankMode::BestLap;

    using A = SheetAlign;
    sheet.columns = {{w.pos}, {w.number}, {w.name, A::Left}, {w.laps}};
    if (figure)
        sheet.columns.push_back(
            {results.mode == RankMode::Race ? w.raceTime : fill(w.bestRun, run)});
    sheet.columns.insert(sheet.columns.end(), {{w.gap}, {w.bestLap}, {w.average}});
    if (speeds) sheet.columns.push_back({w.bestSpeed});
    sheet.columns.push_back({w.penalty});

    for (const DriverResult& r : results.rows) {
        std::vector<std::string> row{r.disqualified ? w.dsq
                                     : r.pos > 0    ? std::to_string(r.pos)
                                                    : std::string(),
                                     std::to_string(r.driver), r.name, std::to_string(r.laps)};
        if (figure)
            row.push_back(results.mode == RankMode::Race
                              ? (r.laps > 0 ? clockText(r.raceTime) : std::string())
                              : (r.runFirst > 0
                                     ? withLaps(clockText(r.runTime), r.runFirst, r.runLast)
                                     : std::string()));
        row.push_back(gapOf(r, w));
        row.push_back(r.bestLapNo > 0 ? withLaps(clockText(r.best), r.bestLapNo, r.bestLapNo)
                                      : std::string());
        row.push_back(clockText(r.average));
        if (speeds) row.push_back(r.bestSpeed ? secondsText(*r.bestSpeed, decimal) : std::string());
        row.push_back(r.penalty > 0 ? fill(w.seconds, secondsText(r.penalty, decimal))
                                    : std::string());
        // The penalty's reason and the disqualification's, both when there are both.
        std::string note = r.reason;
        if (r.disqualified && !r.dsqReason.empty())
            note += (note.empty() ? "" : "; ") + r.dsqReason;
        sheet.rows.push_back({std::move(row), std::move(note)});
    }
    return sheet;
}

SheetHeader sheetHeader(const Session& s) {
    SheetHeader h;
    h.title = s.SessionTrack.empty() ? std::string(kProgramName) : s.SessionTrack;
    h.date = s.SessionDate;
    h.time = s.SessionTime;
    h.vehicle = s.SessionVehicle;
    return h;
}

}  // namespace orvex
