#include "export/ResultsCsv.h"

#include "export/Csv.h"
#include "results/Results.h"
#include "session/IssueMark.h"
#include "session/Session.h"
#include "session/TimeFormat.h"

namespace orvex {

namespace {

// The file's words are fixed English, whatever the user's language.
std::string figureTitle(RankMode mode, int run) {
    switch (mode) {
        case RankMode::Race:
            return "Race time";
        case RankMode::BestConsecutive:
            return "Best " + std::to_string(run) + " consecutive";
        case RankMode::BestLap:
            break;
    }
    return "Best lap";
}

std::string posText(const DriverResult& r) {
    if (r.disqualified) return "DSQ";
    return r.pos > 0 ? std::to_string(r.pos) : std::string();
}

std::string gapText(const DriverResult& r) {
    if (r.pos <= 1) return {};
    if (r.gap <= 0 && r.gapLaps == 0) return "+0.00";  // a tie on time
    if (r.gapLaps == 0) return gapTimeText(r.gap);
    // Built in place: GCC 12 at -O3 warns (-Wrestrict) about "+" + text.
    std::string text = std::to_string(r.gapLaps);
    text.insert(text.begin(), '+');
    return text + (r.gapLaps == 1 ? " lap" : " laps");
}

// The mode's figure in hundredths, 0 for none.
std::int64_t figureValue(const DriverResult& r, RankMode mode) {
    switch (mode) {
        case RankMode::Race:
            return r.laps > 0 ? r.raceTime : 0;
        case RankMode::BestConsecutive:
            return r.runFirst > 0 ? r.runTime : 0;
        case RankMode::BestLap:
            break;
    }
    return r.bestLapNo > 0 ? r.best : 0;
}

}  // namespace

std::string ResultsCsv(const Session& s, const std::string& userDecimalSeparator) {
    const bool commaLocale = userDecimalSeparator == ",";
    const char sep = commaLocale ? ';' : ',';
    const std::string decimal = commaLocale ? "," : ".";
    const RaceResults results = makeResults(s);
    // Each time has a twin in seconds that a spreadsheet can calculate with.
    const auto seconds = [&](std::int64_t t) { return t > 0 ? secondsText(t, decimal) : ""; };
    const std::string figure = figureTitle(results.mode, results.run);
    // Every line says it, so a line pasted elsewhere still tells.
    const std::string status = issueStatusText(s);
    std::string out = CsvRow(
        {"Pos", "Driver", "Name", "Laps", figure, figure + " (s)", "Gap", "Gap (s)", "Average lap",
         "Average lap (s)", "Best speed (km/h)", "Penalty (s)", "Reason", "DSQ reason", "Status"},
        sep);
    for (const DriverResult& r : results.rows) {
        const std::int64_t value = figureValue(r, results.mode);
        const bool timeGap = r.pos > 1 && r.gapLaps == 0;
        out += CsvRow(
            {posText(r), std::to_string(r.driver), CsvText(r.name), std::to_string(r.laps),
             figureText(r, results.mode), seconds(value), gapText(r),
             timeGap ? secondsText(r.gap, decimal) : "", clockText(r.average), seconds(r.average),
             r.bestSpeed ? kmhText(*r.bestSpeed, decimal) : std::string(),
             r.penalty > 0 ? secondsText(r.penalty, decimal) : std::string(), CsvText(r.reason),
             CsvText(r.dsqReason), status},
            sep);
    }
    return out;
}

Status ExportResultsCsv(const std::string& filter) { return ExportCsv(filter, &ResultsCsv); }

}  // namespace orvex
