#include "session/DataFile.h"

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

// The items after the header, into `s`. Throws Stopped or RunError; returns
// the extra block's message (empty when all is well).
std::string readItems(RWData& rw, Session& s) {
    const auto boolean = [&] {
        check(rw.Data_Read(Variant{}));
        return static_cast<std::int16_t>(toBoolean(rw.Data) ? -1 : 0);
    };
    const auto integer = [&] {
        check(rw.Data_Read(Variant{}));
        return toInteger(rw.Data);
    };
    const auto text = [&] {
        check(rw.Data_Read(std::string()));
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
    if (text() != kLapsMarker) return {};
    check(rw.Data_Read(Variant{}));
    const std::int32_t count = toLong(rw.Data);
    for (std::int32_t i = 1; i <= count; ++i) {
        if (static_cast<std::size_t>(i) >= s.LapTimes.size())
            throw RunError(ErrorNo::SubscriptOutOfRange);
        check(rw.Data_Read(Variant{}));
        s.LapTimes[i] = toLong(rw.Data);
    }
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
        // What a damaged extra block held is simply not indexed.
        readItems(rw, s);
    } catch (const Stopped& stop) {
        out.error = stop.number;
    } catch (const RunError& e) {
        out.error = e.number() ? e.number() : ErrorNo::InvalidCall;
    }
    rw.File_Close();
    return out;
}

bool File_Read(const std::string& name, Session& into, const std::string& notDataFile) {
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

    const auto failed = [&] {
        rw.File_Close();
        normalPointer();
        return false;
    };
    std::string extraMessage;
    try {
        // Too short for the header, or a negative length: not a data file at all.
        const std::int16_t header = rw.Data_Read(std::string());
        const bool noHeader = header == ErrorNo::InputPastEnd || header == ErrorNo::InvalidCall;
        if ((header == 0 && std::get<std::string>(rw.Data) != kDataFileHeader) ||
            (noHeader && !notDataFile.empty())) {
            ShowMessage(notDataFile.empty() ? "File not valid " + rw.Name + "." + rw.Ext
                                            : notDataFile);
            return failed();
        }
        check(header);
        extraMessage = readItems(rw, s);
    } catch (const Stopped& stop) {
        report(rw, stop.number);
        return failed();
    } catch (const RunError&) {
        normalPointer();
        ShowMessage("File not valid or damaged !");
        return failed();
    }
    s.MakeTotals();
    s.MakeLapList(1);
    s.SortTotals();
    rw.File_Close();
    s.FileState = FileState::Saved;
    normalPointer();
    // What the extra block held is lost, never the laps: the file opens.
    if (!extraMessage.empty()) ShowMessage(extraMessage);
    return true;
}

}  // namespace orvex
