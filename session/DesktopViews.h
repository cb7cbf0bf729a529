#pragma once
#include <string>

namespace orvex {

// The recent files: File menu items kFirstRecentFile on, which MenuAbilita
// shows by the group codes kFirstRecentCode on, one for each of the places.
inline constexpr int kRecentFiles = 4;
inline constexpr int kFirstRecentFile = 7;
inline constexpr int kFirstRecentCode = 50;

// The File menu item of a recent file's group code.
constexpr int recentFileItem(int code) { return kFirstRecentFile + code - kFirstRecentCode; }
constexpr bool isRecentFileItem(int index) {
    return index >= kFirstRecentFile && index < kFirstRecentFile + kRecentFiles;
}

// What the file commands ask of the main window and its child windows. The
// shell implements it; tests use a recording fake.
class DesktopViews {
public:
    virtual ~DesktopViews() = default;
    // Command enabling by group code; the recent-file codes show their item
    // with `caption`.
    virtual void MenuAbilita(int code, const std::string& caption) = 0;
    virtual void MenuRefresh() = 0;
    // The caption of File menu item `index`, exactly as it was set.
    virtual std::string menuFileCaption(int index) const = 0;
    virtual void setTitle(const std::string& title) = 0;
    // Each open child window writes its position into its WinState record.
    virtual void recordWindowPositions() = 0;
    // The session data window, if open, copies its text boxes into the session.
    virtual void copySessionTexts() = 0;
    // Closes the laps, session data and statistics windows that are open.
    virtual void closeChildWindows() = 0;
    // Opens windows exactly as View > Times and View > Session data do.
    virtual void openTimesWindows() = 0;
    virtual void openSessionWindow() = 0;
    // The print dialog, modal.
    virtual void showPrintDialog() = 0;
    // Ends the program without asking anything more.
    virtual void endProgram() = 0;
    // The session was just read from or written to the file `fullName`: the
    // archive notes it. Whatever becomes of that, the command has succeeded.
    virtual void sessionFileSeen(const std::string& fullName) { (void)fullName; }
    // Whether a save may replace the file that exists under `name`, asked with
    // No as the default. `fullPath`: Save As names the whole path, Save the
    // session's own name and extension.
    virtual bool replaceExisting(const std::string& name, bool fullPath) = 0;
    // Whether File > New keeps the drivers' names (the user's choice in Drivers).
    virtual bool keepDriverNames() const { return false; }
};

}  // namespace orvex
