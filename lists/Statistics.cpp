#include "lists/Statistics.h"

#include <cmath>

#include "session/Session.h"
#include "session/TimeFormat.h"

namespace orvex {

namespace {

std::string twoDigits(std::int64_t n) {
    std::string s = std::to_string(n);
    return s.size() < 2 ? "0" + s : s;
}

// "MM:SS.CC", minutes widening past 99.
std::string lapText(std::int64_t t) {
    return twoDigits(t / 6000) + ":" + twoDigits(t / 100 % 60) + "." + twoDigits(t % 100);
}

// "H:MM:SS.CC".
std::string totalText(std::int64_t t) {
    return std::to_string(t / 360000) + ":" + twoDigits(t / 6000 % 60) + ":" +
           twoDigits(t / 100 % 60) + "." + twoDigits(t % 100);
}

}  // namespace

void MakeStatistics(Session& s) {
    s.TotalTime = "0:00:00.00";
    s.AverageLap = "00:00.00";
    s.FastestLapNo = s.SlowestLapNo = 0;
    s.FastestLap = s.SlowestLap = "00:00.00";
    s.FastestSpeed = s.SlowestSpeed = "0";
    if (Session::upper(s.LapList) < 1) {
        s.LapCount = 0;
        s.AverageSpeed = "0";
        return;
    }
    std::int64_t total = 0, fastest = 0, slowest = 0;
    int timed = 0;
    for (int l = 1; l <= Session::upper(s.LapList); ++l) {
        const std::int64_t t = TimeTextValue(s.LapList[l].Text);
        if (t <= 0) continue;
        ++timed;
        total += t;
        if (s.FastestLapNo == 0 || t < fastest) {
            fastest = t;
            s.FastestLapNo = static_cast<std::int16_t>(l);
        }
        if (s.SlowestLapNo == 0 || t > slowest) {
            slowest = t;
            s.SlowestLapNo = static_cast<std::int16_t>(l);
        }
    }
    if (timed == 0) return;
    s.TotalTime = totalText(total);
    s.AverageLap = lapText(static_cast<std::int64_t>(std::nearbyint(double(total) / timed)));
    s.FastestLap = s.LapList[s.FastestLapNo].Text;
    s.SlowestLap = s.LapList[s.SlowestLapNo].Text;
    s.FastestSpeed = LapSpeed(s.FastestLap);
    s.SlowestSpeed = LapSpeed(s.SlowestLap);
}

}  // namespace orvex
