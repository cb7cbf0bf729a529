#include "session/DataFile.h"

#include <utility>

#include "platform/Messages.h"
#include "platform/MousePointer.h"
#include "platform/Platform.h"
#include "platform/ProgramFolder.h"
#include "session/AnsiText.h"
#include "session/DesktopViews.h"
#include "session/ExtraBlock.h"
#include "session/RWData.h"
#include "session/Session.h"

namespace orvex {

namespace {

void normalPointer() { platform().pointer->set(MousePointer::Normal); }

std::string programFolder() {
    return platform().folder ? platform().folder->path() : std::string();
}

Variant boolean(std::int16_t open) { return Boolean{open != 0}; }

// A record-file failure, unwound to the reader's or writer's end, which
// reports it.
struct Stopped {
    int number;
};

void check(std::int16_t result) {
    if (result != 0) throw Stopped{result};
}

// The box goes up with the normal pointer, the failed file already closed.
void report(const RWData& rw, int number) {
    normalPointer();
    ShowMessage(rw.errorMessage(number));
}

// The session's items through `rw`, whose name and mode are set. The open
// windows record their places and texts first. With `storeLayout` those places
// become the session's stored layout, as a save makes them; otherwise they are
// written and nothing of the session changes.
void writeItems(RWData& rw, DesktopViews* views, bool storeLayout) {
    Session& s = session();
    check(rw.Data_Write(std::string(kDataFileHeader)));
    if (views) views->recordWindowPositions();
    if (storeLayout) s.StoreLayout();
    const WinState& laps = s.LapsWin;
    const WinState& sess = s.SessionWin;
    const WinState& stat = s.StatWin;
    for (const Variant& v :
         {boolean(laps.Open), Variant(laps.Left), Variant(laps.Top), Variant(laps.Width),
          Variant(laps.Height), boolean(sess.Open), Variant(sess.Left), Variant(sess.Top),
          boolean(stat.Open), Variant(stat.Left), Variant(stat.Top), Variant(stat.Width),
          Variant(stat.Height)})
        check(rw.Data_Write(v));
    if (views) views->copySessionTexts();
    for (const std::string* text :
         {&s.SessionDate, &s.SessionTime, &s.SessionTrack, &s.SessionLength, &s.SessionVehicle,
          &s.SessionDrivers, &s.SessionNote})
        check(rw.Data_Write(*text));
    check(rw.Data_Write(std::string(kLapsMarker)));
    const auto count = static_cast<std::int32_t>(s.LapTimes.size()) - 1;
    check(rw.Data_Write(std::max(count, 0)));
    for (std::int32_t i = 1; i <= count; ++i) check(rw.Data_Write(s.LapTimes[i]));
    check(Extra_Write(rw, s));
}

// The new content goes to a temporary file beside the old one, which it
// replaces only when complete; so there is nothing to delete first. Returns 0
// or the error number.
int writeReplacing(RWData& rw, DesktopViews* views, bool storeLayout) {
    rw.Mode = 1;
    rw.Replace = true;
    try {
        writeItems(rw, views, storeLayout);
        return rw.File_Commit();
    } catch (const Stopped& stop) {
        return stop.number;
    }
}

// The file ends where it may not (before its last counted lap), or counts
// fewer than no laps.
struct Cut {};

// The items after the header, into `s`, as far as they go. Throws Stopped
// (a record-file failure), RunError (a value that does not fit its field) or
// Cut; returns what the extra block gave.
ExtraFound readItems(RWData& rw, Session& s) {
    // Past the end a number reads as zero and a text as empty: everything up to
    // the last counted lap must be there.
    const auto read = [&](const Variant& dato) {
        check(rw.Data_Read(dato));
        if (rw.LastEnd != RWData::End::No) throw Cut{};
    };
    const auto boolean = [&] {
        read(Variant{});
        return static_cast<std::int16_t>(toBoolean(rw.Data) ? -1 : 0);
    };
    const auto integer = [&] {
        read(Variant{});
        return toInteger(rw.Data);
    };
    const auto text = [&] {
        read(std::string());
        return std::get<std::string>(rw.Data);
    };
    for (WinState* w : {&s.SavedLapsWin, &s.SavedSessionWin, &s.SavedStatWin}) {
        w->Open = boolean();
        w->Left = integer();
        w->Top = integer();
        // The session data window's size is not stored.
        if (w == &s.SavedSessionWin) continue;
        w->Width = integer();
        w->Height = integer();
    }
    for (std::string* field : {&s.SessionDate, &s.SessionTime, &s.SessionTrack, &s.SessionLength,
                               &s.SessionVehicle, &s.SessionDrivers, &s.SessionNote})
        *field = text();
    // A file that ends right after its texts, or with another marker, has no laps.
    check(rw.Data_Read(std::string()));
    if (rw.LastEnd == RWData::End::AtStart) return {};
    if (rw.LastEnd != RWData::End::No) throw Cut{};
    if (std::get<std::string>(rw.Data) != kLapsMarker) return {};
    read(Variant{});
    const std::int32_t count = toLong(rw.Data);
    if (count < 0) throw Cut{};
    const auto slots = static_cast<std::int32_t>(s.LapTimes.size()) - 1;
    for (std::int32_t i = 1; i <= std::min(count, slots); ++i) {
        read(Variant{});
        s.LapTimes[i] = toLong(rw.Data);
    }
    // More than the session holds: the slots are filled, then the file is damaged.
    if (count > slots) throw RunError(ErrorNo::SubscriptOutOfRange);
    return Extra_Read(rw, s);
}

}  // namespace

std::string dataFileExt(const std::string& ext) {
    // A case-sensitive file system tells race.dat from race.DAT.
    return upperCase(ext) == "DAT" ? ext : "DAT";
}

std::string dataFileFullName(const std::string& name) {
    RWData rw;
    rw.FileName(name);
    return rw.Path + platform().folder->separator() + rw.Name + "." + dataFileExt(rw.Ext);
}

bool File_Write(const std::string& name, DesktopViews* views) {
    Session& s = session();
    platform().pointer->set(MousePointer::Hourglass);
    RWData rw;
    rw.FileName(name);
    if (const int number = rw.Path_Check()) {
        report(rw, number);
        Errori();
        return false;
    }
    // A write that fails leaves the session's names and stored layout as they were.
    const std::string name0 = s.DataFileName, path0 = s.DataFilePath, ext0 = s.DataFileExt;
    const WinState laps0 = s.SavedLapsWin, session0 = s.SavedSessionWin, stat0 = s.SavedStatWin;
    s.AppPath = programFolder();
    s.DataFileName = rw.Name;
    s.DataFilePath = rw.Path;
    rw.Ext = s.DataFileExt = dataFileExt(rw.Ext);
    if (const int number = writeReplacing(rw, views, true)) {
        s.DataFileName = name0;
        s.DataFilePath = path0;
        s.DataFileExt = ext0;
        s.SavedLapsWin = laps0;
        s.SavedSessionWin = session0;
        s.SavedStatWin = stat0;
        report(rw, number);
        return false;
    }
    s.FileState = FileState::Saved;
    normalPointer();
    Errori();
    return true;
}

int Data_FileCopy(const std::string& fullName, DesktopViews* views) {
    RWData rw;
    rw.FileName(fullName);
    if (const int number = rw.Path_Check()) return number;
    rw.KeepExisting = true;
    // Only a save the user makes keeps the last issue: a copy is written without it.
    struct Set {
        Session& s = session();
        IssueMark issue = std::exchange(s.Issue, {});
        ~Set() { s.Issue = issue; }
    } set;
    return writeReplacing(rw, views, false);
}

DataFileLoad Data_FileLoad(const std::string& fullName, Session& s) {
    RWData rw;
    rw.FileName(fullName);
    rw.Mode = 1;
    DataFileLoad out;
    try {
        out.error = rw.Data_Read(std::string());
        if (out.error) return out;
        if (std::get<std::string>(rw.Data) != kDataFileHeader) {
            out.notDataFile = true;
            return out;
        }
        out.damaged = readItems(rw, s).damaged;
    } catch (const Stopped& stop) {
        out.error = stop.number;
    } catch (const RunError& e) {
        out.error = e.number() ? e.number() : ErrorNo::InvalidCall;
    } catch (const Cut&) {
        out.damaged = true;
    }
    rw.File_Close();
    return out;
}

FileRead File_Read(const std::string& name, Session& into, const std::string& notDataFile) {
    Session& s = into;
    platform().pointer->set(MousePointer::Hourglass);
    RWData rw;
    rw.FileName(name);
    s.AppPath = programFolder();
    s.DataFileName = rw.Name;
    s.DataFilePath = rw.Path;
    s.DataFileExt = dataFileExt(rw.Ext);
    if (notDataFile.empty()) rw.Ext = s.DataFileExt;
    rw.Mode = 1;

    // Too short for the header, or a negative length: not a data file at all.
    const std::int16_t header = rw.Data_Read(std::string());
    const bool noHeader = header == ErrorNo::InputPastEnd || header == ErrorNo::InvalidCall;
    if (header != 0 && !(noHeader && !notDataFile.empty())) {
        report(rw, header);
        return FileRead::Refused;
    }
    if (header != 0 || std::get<std::string>(rw.Data) != kDataFileHeader) {
        rw.File_Close();
        normalPointer();
        ShowMessage(notDataFile.empty() ? "File not valid " + rw.Name + "." + rw.Ext : notDataFile);
        return FileRead::Refused;
    }
    std::string message;
    bool damaged = true;
    try {
        const ExtraFound extra = readItems(rw, s);
        damaged = extra.damaged;
        message = Extra_Message(extra);
    } catch (const Stopped& stop) {
        message = rw.errorMessage(stop.number);
    } catch (const RunError&) {
        message = "File not valid or damaged !";
    } catch (const Cut&) {
        message = "File not valid or damaged !";
    }
    rw.File_Close();
    s.MakeTotals();
    s.MakeLapList(1);
    s.SortTotals();
    s.FileState = FileState::Saved;
    // What a damaged file gave is shown as a new session, so that no save
    // writes it over the file and closing asks before it is lost.
    if (damaged) {
        s.DataFileName = "New";
        s.DataFilePath = s.AppPath;
        s.DataFileExt = "DAT";
        s.FileState = FileState::Modified;
    }
    normalPointer();
    if (!message.empty()) ShowMessage(message);
    return damaged ? FileRead::Damaged : FileRead::Whole;
}

}  // namespace orvex
