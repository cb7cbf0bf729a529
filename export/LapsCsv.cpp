#include "export/LapsCsv.h"

#include <initializer_list>

#include "export/Csv.h"
#include "results/Results.h"
#include "session/Session.h"
#include "session/TimeFormat.h"

namespace orvex {

namespace {

// The file's words are fixed English, whatever the user's language.
std::string statusText(const RecordedLap& l) {
    std::string text = l.mark == LapCorrection::Join   ? "joined"
                       : l.mark == LapCorrection::Void ? "void"
                                                       : "";
    if (!text.empty() && l.byRule) text += " (rule)";
    return text;
}

// A recorded time in the results' form and in seconds; a negative value,
// which no lap has, keeps its sign in both.
std::string signedText(std::int32_t t, std::string (*text)(std::int64_t, const std::string&),
                       const std::string& decimal) {
    const std::int64_t wide = t;
    std::string out = text(wide < 0 ? -wide : wide, decimal);
    if (wide < 0) out.insert(out.begin(), '-');
    return out;
}

std::string clockOf(std::int64_t t, const std::string&) { return clockText(t); }

}  // namespace

std::string LapsCsv(const Session& s, const std::string& userDecimalSeparator) {
    const bool commaLocale = userDecimalSeparator == ",";
    const char sep = commaLocale ? ';' : ',';
    const std::string decimal = commaLocale ? "," : ".";
    const RaceResults results = makeResults(s);
    std::string out;
    out.reserve(48 * (kLapSlots + 1));
    auto row = [&](std::initializer_list<std::string> fields) { out += CsvRow(fields, sep); };
    row({"Driver", "Name", "Lap", "Lap time", "Lap time (s)", "Hundredths", "Speed (km/h)",
         "Status"});
    for (int d = 1; d <= kDrivers; ++d) {
        const DriverResult* r = results.find(d);
        std::size_t next = 0;  // the results' recorded laps, in lap order
        for (int l = 1; l <= kLapsPerDriver; ++l) {
            const std::size_t slot = lapSlot(d, l);
            if (slot >= s.LapTimes.size() || s.LapTimes[slot] == 0) continue;
            const std::int32_t time = s.LapTimes[slot];
            // A negative value is no lap the results count: listed as it is.
            const RecordedLap* lap = r && next < r->recorded.size() && r->recorded[next].lap == l
                                         ? &r->recorded[next++]
                                         : nullptr;
            row({std::to_string(d), CsvText(s.DriverNames[d]), std::to_string(l),
                 signedText(time, &clockOf, decimal), signedText(time, &secondsText, decimal),
                 std::to_string(time),
                 lap && lap->speed ? kmhText(*lap->speed, decimal) : std::string(),
                 lap ? statusText(*lap) : std::string()});
        }
    }
    return out;
}

Status ExportLapsCsv(const std::string& filter) { return ExportCsv(filter, &LapsCsv); }

}  // namespace orvex
