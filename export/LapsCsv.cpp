#include "export/LapsCsv.h"

#include <initializer_list>

#include "export/Csv.h"
#include "results/Results.h"
#include "session/Session.h"
#include "session/TimeFormat.h"

namespace orvex {

std::string LapsCsv(const Session& s, const std::string& userDecimalSeparator) {
    const bool commaLocale = userDecimalSeparator == ",";
    const char sep = commaLocale ? ';' : ',';
    const std::string decimal = commaLocale ? "," : ".";
    // Without a number in the track length a speed would be a meaningless 0.
    const bool hasSpeed = TrackMetres(s.SessionLength) != 0;
    std::string out;
    out.reserve(48 * (kLapSlots + 1));
    auto row = [&](std::initializer_list<std::string> fields) { out += CsvRow(fields, sep); };
    row({"Driver", "Name", "Lap", "Lap time", "Hundredths", "Speed (km/h)", "Status"});
    for (int d = 1; d <= kDrivers; ++d) {
        for (int l = 1; l <= kLapsPerDriver; ++l) {
            const std::size_t slot = lapSlot(d, l);
            if (slot >= s.LapTimes.size() || s.LapTimes[slot] == 0) continue;
            const std::int32_t time = s.LapTimes[slot];
            const std::string text = FormatTime(time);
            // The recorded time stays; the status says what the corrections make of it.
            const EffectiveMark m =
                time > 0 ? s.Corrections.markOf(static_cast<int>(slot), time) : EffectiveMark{};
            row({std::to_string(d), CsvText(s.DriverNames[d]), std::to_string(l), text,
                 std::to_string(time),
                 hasSpeed ? LapSpeed(text, s.SessionLength, decimal) : std::string(),
                 LapStatusText(m.mark, m.byRule)});
        }
    }
    return out;
}

Status ExportLapsCsv(const std::string& filter) { return ExportCsv(filter, &LapsCsv); }

}  // namespace orvex
