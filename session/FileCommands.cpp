#include "session/FileCommands.h"

#include "platform/EventPump.h"
#include "platform/FileDialog.h"
#include "platform/FileSystem.h"
#include "platform/MessageBox.h"
#include "platform/Messages.h"
#include "platform/MousePointer.h"
#include "platform/Platform.h"
#include "platform/ProgramFolder.h"
#include "session/DataFile.h"
#include "session/DesktopViews.h"
#include "session/RecentFiles.h"
#include "session/Session.h"

namespace orvex {

namespace {

// The full name of the session's own file.
std::string sessionFile() {
    const Session& s = session();
    return s.DataFilePath + platform().folder->separator() + s.DataFileName + "." + s.DataFileExt;
}

FileDialogSettings dataFileDialog(const char* filter) {
    FileDialogSettings d;
    d.filter = filter;
    d.filterIndex = 1;
    d.defaultExt = "DAT";
    d.overwritePrompt = true;
    d.hideReadOnly = true;
    d.pathMustExist = true;
    d.fileMustExist = true;
    return d;
}

void letEventsRunTwice() {
    platform().events->processEvents();
    platform().events->processEvents();
}

void copyPosition(WinState& to, const WinState& from) {
    to.Left = from.Left;
    to.Top = from.Top;
    to.Width = from.Width;
    to.Height = from.Height;
}

bool samePlace(const WinState& a, const WinState& b) {
    return a.Open == b.Open && a.Left == b.Left && a.Top == b.Top;
}

}  // namespace

std::string FileCommands::titleFor(const std::string& dataFileName) {
    return std::string("  ") + kProgramName + " : " + dataFileName;
}

void FileCommands::menuFile_Click(int index) {
    if (platform().pointer->current() == MousePointer::Hourglass) return;
    trapErrors([&] {
        switch (index) {
            case 0:
                New();
                break;
            case 1:
                Open();
                break;
            case 2:
                Save();
                break;
            case 3:
                SaveAs();
                break;
            case 5:
                views_.showPrintDialog();
                break;
            case 12:
                Exit();
                break;
            default:
                if (isRecentFileItem(index)) OpenRecent(index);
                break;
        }
    });
}

void FileCommands::OpenNamed(const std::string& name, const std::string& notDataFile) {
    if (platform().pointer->current() == MousePointer::Hourglass) return;
    trapErrors([&] {
        if (SaveQuery()) openFile(name, false, notDataFile);
    });
}

void FileCommands::OpenIn(const std::string& folder) {
    if (platform().pointer->current() == MousePointer::Hourglass) return;
    trapErrors([&] { Open(folder); });
}

void FileCommands::New() {
    if (!SaveQuery()) return;
    Session& s = session();
    views_.closeChildWindows();
    const auto names = s.DriverNames;
    s.ResetSession();
    if (views_.keepDriverNames()) s.DriverNames = names;
    s.FileState = FileState::New;
    views_.setTitle(titleFor(s.DataFileName));
    views_.MenuRefresh();
    RestoreLayout();
}

void FileCommands::Open(const std::string& folder) {
    if (!SaveQuery()) return;
    std::string chosen;
    FileDialogSettings dialog = dataFileDialog("Data file (*.Dat)|*.Dat");
    dialog.initialFolder = folder;
    if (!platform().fileDialogs->showOpen(dialog, chosen)) throw RunError(ErrorNo::DialogCancelled);
    openFile(chosen, true);
}

void FileCommands::OpenRecent(int index) {
    // Taken before the save question: a save from there can reorder the list.
    const std::string name = views_.menuFileCaption(index);
    if (!SaveQuery()) return;
    openFile(name, true);
}

// The file is read into a session of its own. A file refused (missing, not a
// data file) has shown its message and changed nothing: session, names,
// windows, title. A damaged one has shown its message, and what it gave
// becomes a new session: it is not the file, so the file is neither the target
// of Save nor noted by the archive.
void FileCommands::openFile(const std::string& name, bool listAnyway,
                            const std::string& notDataFile) {
    Session staged;
    staged.ResetSession();
    const FileRead read = File_Read(name, staged, notDataFile);
    if (read == FileRead::Refused) {
        // The name the user chose stays at hand for another try.
        if (listAnyway) FileRecentiWrite(views_, name);
        return;
    }
    Session& s = session();
    views_.closeChildWindows();
    staged.views = s.views;
    s = std::move(staged);
    FileRecentiWrite(views_, name);
    views_.setTitle(titleFor(s.DataFileName));
    // A file opened as named keeps its own name; sessionFile() would add ".DAT".
    if (read == FileRead::Whole) {
        s.OwnFile = notDataFile.empty() ? sessionFile() : name;
        views_.sessionFileSeen(s.OwnFile);
    } else {
        s.OwnFile.clear();
    }
    views_.MenuRefresh();
    RestoreLayout();
}

void FileCommands::Save() {
    Session& s = session();
    if (s.FileState == FileState::New) {
        SaveAs();
        return;
    }
    // A session without a file of its own ("New", a new race) goes to its
    // name in the program's folder unasked only while no other file has it:
    // a second heat saved with Save never replaces the first unasked.
    const std::string target = sessionFile();
    if (target != s.OwnFile && platform().files->fileExists(target) &&
        !views_.replaceExisting(s.DataFileName + "." + s.DataFileExt, false)) {
        SaveAs();
        return;
    }
    if (!File_Write(target, &views_)) return;
    s.OwnFile = sessionFile();
    views_.sessionFileSeen(s.OwnFile);
}

void FileCommands::SaveAs() {
    Session& s = session();
    std::string chosen;
    if (!platform().fileDialogs->showSave(dataFileDialog("Data file (*.DAT)|*.DAT"), chosen))
        throw RunError(ErrorNo::DialogCancelled);
    // The dialog asked about the name as typed; a name whose extension
    // becomes DAT aims at another file, which is not replaced unasked.
    const std::string target = dataFileFullName(chosen);
    if (target != chosen && platform().files->fileExists(target) &&
        !views_.replaceExisting(target, true))
        return;
    // A failed write has told why and left the names, state and title alone;
    // the chosen name still goes to the top of the recent files.
    if (File_Write(chosen, &views_)) {
        s.OwnFile = sessionFile();
        views_.sessionFileSeen(s.OwnFile);
        views_.setTitle(titleFor(s.DataFileName));
    }
    FileRecentiWrite(views_, chosen);
}

void FileCommands::Exit() {
    if (SaveQuery()) views_.endProgram();
}

bool FileCommands::SaveQuery(bool askWhenNew) {
    Session& s = session();
    bool result = true;
    if (s.FileState == FileState::Saved || s.FileState == FileState::Modified) {
        views_.recordWindowPositions();
        if (s.LapsWin != s.SavedLapsWin || !samePlace(s.SessionWin, s.SavedSessionWin) ||
            !samePlace(s.StatWin, s.SavedStatWin))
            s.FileState = FileState::Modified;
    }
    views_.copySessionTexts();
    if (s.FileState != FileState::New && s.FileState != FileState::Modified) return result;
    if (s.FileState == FileState::New && !askWhenNew) return result;

    const int answer =
        platform().messages->show("File modified. Save your changes to '" + s.DataFileName + "' ?",
                                  MessageBox::YesNoCancel | MessageBox::Exclamation, kProgramTitle);
    if (answer == MessageBox::Cancel) return false;
    if (answer == MessageBox::Yes) {
        try {
            Save();
        } catch (const RunError& e) {
            if (e.number() != ErrorNo::DialogCancelled) throw;
            return false;
        }
        // A save that failed has shown its message; dropping the session
        // now would lose it.
        if (s.FileState != FileState::Saved) result = false;
    }
    return result;
}

void FileCommands::RestoreLayout() {
    Session& s = session();
    views_.closeChildWindows();
    copyPosition(s.StatWin, s.SavedStatWin);
    letEventsRunTwice();
    copyPosition(s.LapsWin, s.SavedLapsWin);
    letEventsRunTwice();
    // The statistics window comes back only with the laps window, because
    // View > Times opens both.
    if (s.SavedLapsWin.isOpen()) views_.openTimesWindows();
    copyPosition(s.SessionWin, s.SavedSessionWin);
    letEventsRunTwice();
    if (s.SavedSessionWin.isOpen()) views_.openSessionWindow();
}

bool FileCommands::queryClose() {
    bool mayEnd = false;
    trapErrors([&] { mayEnd = SaveQuery(); });
    return mayEnd;
}

}  // namespace orvex
