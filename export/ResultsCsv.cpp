#include "export/ResultsCsv.h"

#include "export/Csv.h"
#include "results/Results.h"
#include "session/Session.h"

namespace orvex {

std::string ResultsCsv(const Session& s, const std::string& userDecimalSeparator) {
    const bool commaLocale = userDecimalSeparator == ",";
    const char sep = commaLocale ? ';' : ',';
    const std::string decimal = commaLocale ? "," : ".";
    const RaceResults results = MakeResults(s);
    std::string out =
        CsvRow({"Pos", "Driver", "Name", "Laps", FigureTitle(results.mode, results.run), "Gap",
                "Average lap", "Best speed (km/h)", "Penalty (s)", "Reason"},
               sep);
    for (const DriverResult& r : results.rows) {
        out += CsvRow(
            {PosText(r), std::to_string(r.driver), CsvText(r.name), std::to_string(r.laps),
             FigureText(r, results.mode), GapText(r, decimal), AverageText(r),
             BestSpeedText(r, s.SessionLength, decimal),
             r.penalty > 0 ? SecondsText(r.penalty, decimal) : std::string(), CsvText(r.reason)},
            sep);
    }
    return out;
}

Status ExportResultsCsv(const std::string& filter) { return ExportCsv(filter, &ResultsCsv); }

}  // namespace orvex
