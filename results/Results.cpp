#include "results/Results.h"

#include <algorithm>

#include "export/LapsCsv.h"
#include "platform/Platform.h"
#include "platform/Regional.h"
#include "session/Session.h"
#include "session/TimeFormat.h"

namespace orvex {

namespace {

// "+s.cc": the gap in seconds, however many.
std::string GapText(std::int64_t gap) {
    // Appended in place: GCC 12 at -O3 warns (-Wrestrict) about "+" + text.
    std::string text = std::to_string(gap / 100);
    text.insert(text.begin(), '+');
    return text + "." + twoDigits(gap % 100);
}

}  // namespace

std::vector<LapPoint> LapSeries(const std::vector<std::int32_t>& lapTimes, int driver) {
    std::vector<LapPoint> points;
    for (int l = 1; l <= kLapsPerDriver; ++l) {
        const std::size_t slot = lapSlot(driver, l);
        // 0 is no time; a negative value is no lap a device can have timed.
        if (slot < lapTimes.size() && lapTimes[slot] > 0) points.push_back({l, lapTimes[slot]});
    }
    return points;
}

std::vector<DriverResult> MakeResults(const std::vector<std::int32_t>& lapTimes,
                                      const std::string& trackLength,
                                      const std::string& decimalSeparator) {
    std::vector<DriverResult> rows;
    for (int d = 1; d <= kDrivers; ++d) {
        const std::vector<LapPoint> laps = LapSeries(lapTimes, d);
        if (laps.empty()) continue;
        DriverResult r;
        r.driver = d;
        r.laps = static_cast<int>(laps.size());
        for (const LapPoint& p : laps) {
            r.total += p.time;
            // The first of equal laps is the best one.
            if (r.bestLapNo == 0 || p.time < r.best) {
                r.best = p.time;
                r.bestLapNo = p.lap;
            }
        }
        r.average = (2 * r.total + r.laps) / (2 * r.laps);
        rows.push_back(std::move(r));
    }
    std::stable_sort(rows.begin(), rows.end(),
                     [](const DriverResult& a, const DriverResult& b) { return a.best < b.best; });
    const bool hasSpeed = TrackMetres(trackLength) != 0;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        DriverResult& r = rows[i];
        r.pos = static_cast<int>(i) + 1;
        r.gap = std::int64_t{r.best} - rows.front().best;
        r.bestText = FormatTime(r.best) + " (" + std::to_string(r.bestLapNo) + ")";
        r.averageText = FormatTime(r.average);
        r.totalText = FormatTime(r.total);
        if (i > 0) r.gapText = GapText(r.gap);
        if (hasSpeed) r.speedText = LapSpeed(FormatTime(r.best), trackLength, decimalSeparator);
    }
    return rows;
}

std::vector<DriverResult> MakeResults(const Session& s) {
    auto rows = MakeResults(s.LapTimes, s.SessionLength, platform().regional->decimalSeparator());
    for (DriverResult& r : rows) r.name = s.DriverNames[r.driver];
    return rows;
}

std::string ResultsCsv(const Session& s, const std::string& userDecimalSeparator) {
    const bool commaLocale = userDecimalSeparator == ",";
    const char sep = commaLocale ? ';' : ',';
    std::string out = CsvRow({"Pos", "Driver", "Name", "Laps", "Best lap", "Average lap", "Total",
                              "Gap", "Best speed (km/h)"},
                             sep);
    for (const DriverResult& r :
         MakeResults(s.LapTimes, s.SessionLength, commaLocale ? "," : ".")) {
        out += CsvRow({std::to_string(r.pos), std::to_string(r.driver),
                       CsvText(s.DriverNames[r.driver]), std::to_string(r.laps), r.bestText,
                       r.averageText, r.totalText, r.gapText, r.speedText},
                      sep);
    }
    return out;
}

void ExportResultsCsv() { ExportCsv("Results CSV (*.csv)|*.csv", &ResultsCsv); }

}  // namespace orvex
