#include "export/ResultsCsv.h"

#include "export/Csv.h"
#include "results/Results.h"
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

std::string gapText(const DriverResult& r, const std::string& decimal) {
    if (r.pos <= 1) return {};
    // Built in place: GCC 12 at -O3 warns (-Wrestrict) about "+" + text.
    std::string text = r.gapLaps > 0 ? std::to_string(r.gapLaps) : secondsText(r.gap, decimal);
    text.insert(text.begin(), '+');
    if (r.gapLaps > 0) text += r.gapLaps == 1 ? " lap" : " laps";
    return text;
}

}  // namespace

std::string ResultsCsv(const Session& s, const std::string& userDecimalSeparator) {
    const bool commaLocale = userDecimalSeparator == ",";
    const char sep = commaLocale ? ';' : ',';
    const std::string decimal = commaLocale ? "," : ".";
    const RaceResults results = makeResults(s);
    std::string out =
        CsvRow({"Pos", "Driver", "Name", "Laps", figureTitle(results.mode, results.run), "Gap",
                "Average lap", "Best speed (km/h)", "Penalty (s)", "Reason", "DSQ reason"},
               sep);
    for (const DriverResult& r : results.rows) {
        out += CsvRow({posText(r), std::to_string(r.driver), CsvText(r.name),
                       std::to_string(r.laps), figureText(r, results.mode), gapText(r, decimal),
                       r.average > 0 ? FormatTime(r.average) : std::string(),
                       r.bestSpeed ? speedText(*r.bestSpeed, decimal) : std::string(),
                       r.penalty > 0 ? secondsText(r.penalty, decimal) : std::string(),
                       CsvText(r.reason), CsvText(r.dsqReason)},
                      sep);
    }
    return out;
}

Status ExportResultsCsv(const std::string& filter) { return ExportCsv(filter, &ResultsCsv); }

}  // namespace orvex
