#include "slips/SlipSource.h"

#include <algorithm>

#include "platform/Messages.h"
#include "platform/Platform.h"
#include "platform/Regional.h"
#include "results/Results.h"
#include "session/IssueMark.h"
#include "session/Session.h"

namespace orvex {

std::vector<SlipDriver> slipDrivers(const Session& s, const std::string& decimalSeparator) {
    RaceResults results = makeResults(s);
    std::vector<SlipDriver> slips;
    slips.reserve(results.rows.size());
    const std::string status = issueStatusText(s, true);
    for (DriverResult& r : results.rows) {
        SlipDriver d;
        d.program = kProgramName;
        d.date = s.SessionDate;
        d.time = s.SessionTime;
        d.track = s.SessionTrack;
        d.status = status;
        d.decimal = decimalSeparator;
        d.mode = results.mode;
        d.run = results.run;
        d.fieldSize = results.ranked;
        d.result = std::move(r);
        slips.push_back(std::move(d));
    }
    return slips;
}

std::vector<SlipDriver> slipDrivers(const Session& s) {
    return slipDrivers(s, platform().regional->decimalSeparator());
}

std::vector<SlipDriver> slipsOf(const std::vector<SlipDriver>& all,
                                const std::vector<int>& drivers) {
    std::vector<SlipDriver> chosen;
    for (const SlipDriver& d : all)
        if (std::find(drivers.begin(), drivers.end(), d.result.driver) != drivers.end())
            chosen.push_back(d);
    return chosen;
}

}  // namespace orvex
