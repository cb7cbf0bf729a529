#pragma once
#include <string>

namespace orvex {

class DesktopViews;

// The File menu of the main window: New, Open, Save, Save As, Print, the
// recent files and Exit, the save question that guards every command that
// would drop the session, and the restore of the stored window layout.
class FileCommands {
public:
    explicit FileCommands(DesktopViews& views) : views_(views) {}

    // Runs the command of File menu item `index`. Ignored while the busy
    // pointer shows; failures are reported, a cancelled dialog silently.
    void menuFile_Click(int index);

    // Opens the file `name` (a full name, taken exactly as given) as File >
    // Open does after its dialog: the save question first, then the same
    // checks, except that a file without a data file's header gets
    // `notDataFile`. For a file named on the command line or dropped on the
    // main window.
    void OpenNamed(const std::string& name, const std::string& notDataFile);

    // File > Open with its dialog starting in `folder`: for the copies of the
    // downloads. Ignored while the busy pointer shows; failures are reported.
    void OpenIn(const std::string& folder);

    // Asks whether to save a session that differs from its file. True: go
    // on (saved, or may be dropped); false: the user cancelled, or the save
    // did not happen. A new session nothing was done to is asked about only
    // with `askWhenNew` (a download keeps it, New, Open and Exit drop it).
    bool SaveQuery(bool askWhenNew = true);

    // Closes the child windows and reopens them as stored with the session.
    void RestoreLayout();

    // The main window's close box asks as File > Exit does. True: the
    // program may end.
    bool queryClose();

    // "  ORVEX Timing System : " followed by the data file's name.
    static std::string titleFor(const std::string& dataFileName);

private:
    void New();
    void Open(const std::string& folder = {});
    void OpenRecent(int index);
    // Open and the recent files list the name even when it cannot be read;
    // a named file is listed only once open.
    void openFile(const std::string& name, bool listAnyway, const std::string& notDataFile = {});
    void Save();
    void SaveAs();
    void Exit();

    DesktopViews& views_;
};

}  // namespace orvex
