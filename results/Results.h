#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace orvex {

class Session;

// One driver's line of the results: only drivers with at least one recorded
// lap have one. Lap numbers are the slots the laps sit in, so an empty slot
// between two laps keeps the later lap's number.
struct DriverResult {
    int pos = 0;  // rank by best lap, ties by driver number
    int driver = 0;
    std::string name;  // the session's name of the driver, if any
    int laps = 0;
    int bestLapNo = 0;
    std::int32_t best = 0;
    std::int64_t total = 0;    // 64 bits: 25 of the largest lap times overflow 32
    std::int64_t average = 0;  // hundredths, rounded half up
    std::int64_t gap = 0;      // best minus the leader's best
    // The texts the window and the CSV show.
    std::string bestText, averageText, totalText, gapText, speedText;
};

// The results of `lapTimes` (slot 0 unused, driver-major as the session keeps
// them) in best-lap order. `trackLength` gives the best speed as the
// statistics compute it; without a number in it the speed is empty.
std::vector<DriverResult> MakeResults(const std::vector<std::int32_t>& lapTimes,
                                      const std::string& trackLength,
                                      const std::string& decimalSeparator);
// The same for the session, with the user's decimal separator and the drivers' names.
std::vector<DriverResult> MakeResults(const Session& s);

// One point of a driver's lap chart.
struct LapPoint {
    int lap = 0;
    std::int32_t time = 0;
    bool operator==(const LapPoint&) const = default;
};

// The recorded laps of `driver`, in lap order; empty slots are left out.
std::vector<LapPoint> LapSeries(const std::vector<std::int32_t>& lapTimes, int driver);

// The results table as CSV, by the rules of the laps CSV: the column names,
// then one row per listed driver in best-lap order, the texts as shown.
std::string ResultsCsv(const Session& s, const std::string& userDecimalSeparator);

// File > Export > Results CSV: asks for the file name and writes it atomically.
void ExportResultsCsv();

}  // namespace orvex
