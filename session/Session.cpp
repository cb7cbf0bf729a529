#include "session/Session.h"

#include <algorithm>
#include <limits>

#include "platform/Platform.h"
#include "platform/ProgramFolder.h"
#include "session/CorrectionsCodec.h"
#include "session/RaceNotesCodec.h"
#include "session/TimeFormat.h"

namespace orvex {

Session& session() {
    static Session s;
    return s;
}

void Session::ResetSession() {
    AppPath = platform().folder ? platform().folder->path() : std::string();
    DataFileName = "New";
    DataFilePath = AppPath;
    DataFileExt = "DAT";
    OwnFile.clear();

    LapList.assign(kLapsPerDriver + 1, TimeItem{});
    SortedLapList.assign(kLapsPerDriver + 1, TimeItem{});
    TotalList.assign(kDrivers + 1, TimeItem{});
    SortedTotalList.assign(kDrivers + 1, TimeItem{});
    LapTimes.assign(kLapSlots + 1, 0);

    MakeTotals();
    MakeLapList(1);
    SortTotals();

    LapCount = 0;
    TotalTime = "0:00:00.00";
    AverageLap = "00:00.00";
    FastestLapNo = 0;
    FastestLap = "00:00.00";
    SlowestLapNo = 0;
    SlowestLap = "00:00.00";

    SessionDate.clear();
    SessionTime.clear();
    SessionTrack.clear();
    SessionLength.clear();
    SessionVehicle.clear();
    SessionDrivers.clear();
    SessionNote.clear();
    DriverNames.fill(std::string());

    LapsWin = SessionWin = StatWin = WinState{};
    SavedLapsWin = SavedSessionWin = SavedStatWin = WinState{};
    SavedLapsWin.Left = SavedSessionWin.Left = SavedStatWin.Left = -1;
    Corrections = {};
    KeptSections.clear();
    Issue = {};
}

void Session::MakeLapList(std::int16_t driver) {
    // A list without its 25 lap entries (an abandoned download left it so)
    // or a driver outside 1..30 would index past the arrays: leave it as is.
    if (upper(LapList) < kLapsPerDriver || driver < 1 || driver > kDrivers ||
        LapTimes.size() < static_cast<std::size_t>(kLapSlots + 1))
        return;
    for (int l = 1; l <= kLapsPerDriver; ++l)
        LapList[l].Text = FormatTime(LapTimes[lapSlot(driver, l)]);
    if (LapsWin.isOpen() && views) views->lapListChanged();
}

void Session::MakeTotals() {
    const int n = std::max(upper(LapList), 0);
    for (int d = 1; d <= upper(TotalList); ++d) {
        // 64-bit sum clamped to 32 bits: a freak device value must never
        // wrap a total negative.
        std::int64_t sum = 0;
        for (int l = 1; l <= n; ++l) {
            const std::size_t slot = static_cast<std::size_t>(n) * (d - 1) + l;
            if (slot < LapTimes.size()) sum += LapTimes[slot];
        }
        sum = std::clamp<std::int64_t>(sum, std::numeric_limits<std::int32_t>::min(),
                                       std::numeric_limits<std::int32_t>::max());
        TotalList[d].Text = FormatTime(static_cast<std::int32_t>(sum));
    }
}

void Session::SortTotals() {
    const int top = std::min(upper(TotalList), upper(SortedTotalList));
    for (int d = 1; d <= top; ++d)
        SortedTotalList[d] = TimeItem{static_cast<std::int16_t>(d), TotalList[d].Text};
    // By the time each text shows, not by the text: "100:..." would sort before
    // "99:...". Adjacent-exchange sort: stable, so equal totals stay in driver order.
    std::vector<std::int64_t> value(static_cast<std::size_t>(top) + 1, 0);
    for (int d = 1; d <= top; ++d) value[d] = TimeTextValue(SortedTotalList[d].Text);
    for (int m = top - 1; m >= 1; --m) {
        bool exchanged = false;
        for (int j = 1; j <= m; ++j) {
            if (value[j] > value[j + 1]) {
                std::swap(SortedTotalList[j], SortedTotalList[j + 1]);
                std::swap(value[j], value[j + 1]);
                exchanged = true;
            }
        }
        if (!exchanged) break;
    }
}

void Session::ChangeField(std::string& field, const std::string& text) {
    if (field != text) FileState = FileState::Modified;
    field = text;
}

void Session::markModified() {
    if (FileState != FileState::NoSession) FileState = FileState::Modified;
}

void Session::StoreLayout() {
    SavedLapsWin = LapsWin;
    SavedSessionWin = SessionWin;
    SavedStatWin = StatWin;
}

bool Session::isAnotherRace(const std::vector<std::int32_t>& laps) const {
    for (std::size_t slot = 1; slot < LapTimes.size(); ++slot) {
        if (LapTimes[slot] == 0) continue;
        if (slot >= laps.size() || laps[slot] != LapTimes[slot]) return true;
    }
    return false;
}

void Session::startNewRace() {
    DataFileName = "New";
    DataFilePath = AppPath;
    DataFileExt = "DAT";
    OwnFile.clear();
    Corrections.forgetRace();
    Issue = {};
    // A later version's corrections hold the old race's marks and penalties too.
    std::erase_if(KeptSections, [](const ExtraSection& k) {
        return k.tag == kCorrectionsTag || k.tag == kIssueTag || k.tag == kDsqTag;
    });
}

}  // namespace orvex
