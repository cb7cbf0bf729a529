#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "session/ExtraBlock.h"
#include "session/IssueMark.h"
#include "session/RaceCorrections.h"

namespace orvex {

constexpr int kDrivers = 30;
constexpr int kLapsPerDriver = 25;
constexpr int kLapSlots = kDrivers * kLapsPerDriver;  // 750

// Slot of lap `lap` of driver `driver` in LapTimes (both counted from 1).
constexpr int lapSlot(int driver, int lap) { return (driver - 1) * kLapsPerDriver + lap; }

// One child window's state, in twips. Left = -1 in a stored record: no position known.
struct WinState {
    std::int16_t Open = 0;  // true = -1, false = 0
    std::int16_t Left = 0;
    std::int16_t Top = 0;
    std::int16_t Width = 0;
    std::int16_t Height = 0;

    bool isOpen() const { return Open != 0; }
    bool operator==(const WinState&) const = default;
};

// Whether a session exists and whether it differs from its file.
enum class FileState : std::int16_t { NoSession = 0, New = 1, Saved = 2, Modified = 3 };

// One line of a derived list.
struct TimeItem {
    std::int16_t Number = 0;
    std::string Text;
    bool operator==(const TimeItem&) const = default;
};

// What the session asks of the windows that show it. The shell implements it;
// without one the session simply refreshes nothing.
class SessionViews {
public:
    virtual ~SessionViews() = default;
    // The laps window, if open, rebuilds its list and refreshes its lines.
    virtual void lapListChanged() = 0;
};

// The one session the program holds. Every window and command reads and
// writes its fields directly; all on the user-interface thread.
class Session {
public:
    std::string AppPath;
    std::string DataFileName;
    std::string DataFilePath;
    // "DAT", or the spelling of "dat" the file's own name has.
    std::string DataFileExt = "DAT";
    // The file this session was last read from or written to in this run;
    // empty while it has none (New, or the new race of a download). Save
    // replaces another file of the session's name only when asked.
    std::string OwnFile;

    WinState LapsWin, SessionWin, StatWin;
    WinState SavedLapsWin, SavedSessionWin, SavedStatWin;

    std::string SessionDate, SessionTime, SessionTrack, SessionLength, SessionVehicle,
        SessionDrivers, SessionNote;

    // Who drove each number (UTF-8, index 0 unused). The data file keeps them
    // in its extra block, which is written only when one of them is set.
    std::array<std::string, kDrivers + 1> DriverNames;
    bool hasDriverNames() const {
        for (const std::string& n : DriverNames)
            if (!n.empty()) return true;
        return false;
    }

    // Index 0 of every list exists and is never used.
    std::vector<TimeItem> LapList, SortedLapList, TotalList, SortedTotalList;
    std::vector<std::int32_t> LapTimes;

    std::int16_t RecordCount = 0;
    std::int16_t LapCount = 0;

    std::string TotalTime, AverageLap;
    std::int16_t FastestLapNo = 0;
    std::string FastestLap;
    std::int16_t SlowestLapNo = 0;
    std::string SlowestLap;

    orvex::FileState FileState = orvex::FileState::NoSession;

    // The operator's corrections, penalties and ranking; LapTimes stay as recorded.
    RaceCorrections Corrections;

    // Sections of the data file's extra block that this version cannot read
    // (a later version's), saved back byte for byte.
    std::vector<ExtraSection> KeptSections;

    // The last issue of the results; the data file keeps it, written only by a save.
    IssueMark Issue;

    SessionViews* views = nullptr;

    void ResetSession();
    // Fills LapList with the lap texts of `driver` (1..30). Does nothing
    // harmful while the lists are not allocated or have no lap entries.
    void MakeLapList(std::int16_t driver);
    void MakeTotals();
    // SortedTotalList in ascending order of the times the texts show (a total
    // of 100 hours after one of 99), equal totals in driver order.
    void SortTotals();
    // Sets a descriptive field; a different text marks the session modified.
    void ChangeField(std::string& field, const std::string& text);
    // The session now differs from its file. Without a session there is
    // nothing to save, so it stays without one.
    void markModified();
    void StoreLayout();

    // Whether `laps`, the laps of a completed download, are another race:
    // some slot with a lap in the session holds a different value in them.
    // Laps that only fill empty slots are the same race read again.
    bool isAnotherRace(const std::vector<std::int32_t>& laps) const;
    // Makes this a new session for another race's laps, so that Save never
    // writes them over the old race's file: named "New" in the program's
    // folder, no file of its own, and none of the old race's marks or
    // penalties. The names, lap rules, ranking and texts stay.
    void startNewRace();

    // Upper index of a list as allocated (-1 when not allocated).
    static int upper(const std::vector<TimeItem>& list) {
        return static_cast<int>(list.size()) - 1;
    }
};

// The process-wide session.
Session& session();

}  // namespace orvex
