#include "slips/SlipSource.h"

#include <algorithm>

#include "platform/Messages.h"
#include "platform/Platform.h"
#include "platform/Regional.h"
#include "results/Results.h"
#include "session/Session.h"

namespace orvex {

std::vector<SlipDriver> SlipDrivers(const Session& s, const std::string& decimalSeparator) {
    const std::vector<DriverResult> rows =
        MakeResults(s.LapTimes, s.SessionLength, decimalSeparator);
    std::vector<SlipDriver> slips;
    slips.reserve(rows.size());
    for (const DriverResult& r : rows) {
        SlipDriver d;
        d.program = kProgramName;
        d.date = s.SessionDate;
        d.time = s.SessionTime;
        d.track = s.SessionTrack;
        d.driver = r.driver;
        d.pos = r.pos;
        d.fieldSize = static_cast<int>(rows.size());
        d.rankingMode = "Best lap";
        d.best = r.best;
        d.bestLapNo = r.bestLapNo;
        if (r.pos > 1) d.gap = r.gap;
        d.average = r.average;
        d.bestSpeed = r.speedText;
        for (const LapPoint& p : LapSeries(s.LapTimes, r.driver))
            d.laps.push_back(
                {p.lap, p.time, p.lap == r.bestLapNo ? LapMark::Best : LapMark::Normal});
        slips.push_back(std::move(d));
    }
    return slips;
}

std::vector<SlipDriver> SlipDrivers(const Session& s) {
    return SlipDrivers(s, platform().regional->decimalSeparator());
}

std::vector<SlipDriver> SlipsOf(const std::vector<SlipDriver>& all,
                                const std::vector<int>& drivers) {
    std::vector<SlipDriver> chosen;
    for (const SlipDriver& d : all)
        if (std::find(drivers.begin(), drivers.end(), d.driver) != drivers.end())
            chosen.push_back(d);
    return chosen;
}

}  // namespace orvex
