#include "export/ResultsCsv.h"

#include "export/Csv.h"
#include "results/Results.h"
#include "session/IssueMark.h"
#include "session/Session.h"
#include "session/TimeFormat.h"

namespace orvex {

namespace {

std::string posText(const DriverResult& r) {
    if (r.disqualified) return "DSQ";
    return r.pos > 0 ? std::to_string(r.pos) : std::string();
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
        const std::int64_t value = figureOf(r, results.mode);
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
