#pragma once
#include <string>

namespace orvex {

class DesktopViews;
class Session;

// The session's data file (.DAT): the header "ORVEX:1.0", the stored layout
// of the three child windows, the seven texts, the marker "Tempi", the lap
// count and the 750 lap times, as record-file items.

// The file's magic and version, and the marker before the laps.
inline constexpr const char* kDataFileHeader = "ORVEX:1.0";
inline constexpr const char* kLapsMarker = "Tempi";

// A data file keeps an extension that is "dat" in any letter case, as
// spelled; any other extension is replaced by "DAT".
std::string dataFileExt(const std::string& ext);
// The full name of the file that `name` stands for.
std::string dataFileFullName(const std::string& name);

// Writes the session as `name` with the extension of dataFileExt. The old file is replaced only
// once the new one is complete, so a failed write loses nothing. `views` (may be null) lets the
// open windows record their positions and texts first. True when written (FileState::Saved).
bool File_Write(const std::string& name, DesktopViews* views);

// Writes the bytes File_Write would write for the session to `fullName`, as
// named, once complete and never over an existing file (58 when another writer
// took the name first). Shows nothing and leaves the session's name, folder,
// state and stored layout as they were. Returns 0 or an error number
// (RWData::errorMessage tells it).
int Data_FileCopy(const std::string& fullName, DesktopViews* views);

// How File_Read ended.
enum class FileRead {
    Refused,  // missing, unreadable or without the header: `into` is to be dropped
    Damaged,  // damaged after a correct header: `into` holds what was read before
              // the damage, as a new session ("New", FileState::Modified)
    Whole,    // read to the end: FileState::Saved and the file's names
};

// Reads `name` into `into`, a session the caller has just reset: a staging
// copy, so that the current session changes only when the caller takes it.
// Every failure and damage has shown its one message.
// With `notDataFile` empty, `name` is a data file's name, whose extension
// becomes that of dataFileExt, and a wrong header is "File not valid " + name.
// Otherwise `name` is opened exactly as given (a file named on the command
// line or dropped on the main window), and a file that does not begin with the
// header gets `notDataFile`.
FileRead File_Read(const std::string& name, Session& into, const std::string& notDataFile = {});

// What Data_FileLoad found.
struct DataFileLoad {
    int error = 0;             // the record file's error number; 0 = read
    bool notDataFile = false;  // the header item is not the data file's
    bool damaged = false;      // damaged after the header: never taken for a session
    bool ok() const { return error == 0 && !notDataFile && !damaged; }
};

// Reads the data file `fullName` (as named) into `s`, which the caller has
// reset, without touching the program's session: for the archive, which
// looks at files the user has not opened. Shows nothing, derives no lists.
DataFileLoad Data_FileLoad(const std::string& fullName, Session& s);

}  // namespace orvex
