#include "slips/SlipSource.h"

#include <algorithm>
#include <limits>

#include "platform/Messages.h"
#include "platform/Platform.h"
#include "platform/Regional.h"
#include "results/Results.h"
#include "session/Session.h"

namespace orvex {

std::vector<SlipDriver> SlipDrivers(const Session& s, const std::string& decimalSeparator) {
    const RaceResults results = MakeResults(s);
    const int ranked = static_cast<int>(std::count_if(
        results.rows.begin(), results.rows.end(), [](const DriverResult& r) { return r.pos > 0; }));
    std::vector<SlipDriver> slips;
    slips.reserve(results.rows.size());
    for (const DriverResult& r : results.rows) {
        SlipDriver d;
        d.program = kProgramName;
        d.date = s.SessionDate;
        d.time = s.SessionTime;
        d.track = s.SessionTrack;
        d.driver = r.driver;
        d.name = r.name;
        d.pos = r.pos;
        d.fieldSize = ranked;
        d.rankingMode = RankingName(results.mode, results.run);
        if (r.bestLapNo > 0) {
            d.best = r.best;
            d.bestLapNo = r.bestLapNo;
        }
        d.gap = GapText(r, decimalSeparator);
        d.average = r.average;
        d.bestSpeed = BestSpeedText(r, s.SessionLength, decimalSeparator);
        for (const RecordedLap& l : r.recorded) {
            const LapMark mark = l.mark == LapCorrection::Join   ? LapMark::Joined
                                 : l.mark == LapCorrection::Void ? LapMark::Void
                                 : l.lap == r.bestLapNo          ? LapMark::Best
                                                                 : LapMark::Normal;
            d.laps.push_back({l.lap, l.time, mark});
        }
        d.penaltySeconds = static_cast<int>((r.penalty + 50) / 100);
        d.dsq = r.disqualified;
        // One reason is kept per driver: the penalty's, or the disqualification's.
        (d.penaltySeconds == 0 && d.dsq ? d.dsqReason : d.penaltyReason) = r.reason;
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
