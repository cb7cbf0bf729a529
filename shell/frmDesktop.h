#pragma once
#include <QMainWindow>
#include <QPointer>
#include <QString>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "session/Session.h"
#include "shell/CommandTable.h"
#include "ui/archive/frmArchive.h"
#include "ui/lists/ChildWindows.h"
#include "ui/season/frmChampionship.h"

class QAction;
class QDialog;
class QLabel;
class QMenu;
class QMdiArea;
class QToolBar;

namespace orvex {

class ArchiveIndex;
class ArchiveScanner;
class IssueStore;
class ChildWindows;
class RaceCommands;
class DesktopDevice;
class DesktopFileViews;
class FileCommands;
class frmResults;
class Publishing;
class Roster;

// The main window: a multiple-document frame with the menus, the toolbar
// Toolbar1 and the status bar. It wires the subsystems together.
class frmDesktop : public QMainWindow, public SessionViews {
    Q_OBJECT

public:
    explicit frmDesktop(QWidget* parent = nullptr);
    ~frmDesktop() override;

    // The load handler: centre, help file, recent files, command enabling.
    void Form_Load();

    // The File menu's commands; endProgram closes the window once File > Exit
    // has allowed it, without asking again.
    FileCommands& fileCommands() { return *fileCommands_; }
    void endProgram();

    // Opens a file named on the command line or dropped on the window, exactly
    // as named, as File > Open does; a relative name is taken from the current
    // folder. A name that is no file, or no session file, is told of and
    // changes nothing.
    void openDataFile(const QString& name);

    QMdiArea* mdiArea() const { return mdiArea_; }
    // The laps, statistics and session data windows.
    ChildWindows& childWindows() const { return *children_; }
    // What changes the session's race-day data, with its undo stack; the
    // windows it changes are refreshed from here.
    RaceCommands& raceCommands() const { return *commands_; }
    // The Results window, or null; the shell wires it to the child windows' refresh.
    frmResults* resultsWindow() const;
    frmResults* showResultsWindow();

    // Command enabling by group code (Group::); the recent files' codes
    // switch visibility and, when switched on, take the file's caption.
    void MenuAbilita(int code, const QString& caption = QString());
    void MenuDisabilita(int code);
    void MenuRefresh();

    // Menu and toolbar handlers, by index as in the menu tables.
    void menuFile_Click(int index);
    void MenuView_Click(int index);
    void MenuDevice_Click(int index);
    void MenuHelp_Click(int index);
    void Toolbar1_ButtonClick(const QString& key);

    // The widgets, for the handlers of the other subsystems and for tests.
    QAction* menuItem(MenuId menu, int index) const { return menus_[int(menu)].at(index); }
    QAction* menuFile(int index) const { return menuItem(MenuId::File, index); }
    QAction* MenuView(int index) const { return menuItem(MenuId::View, index); }
    QAction* MenuDevice(int index) const { return menuItem(MenuId::Device, index); }
    QAction* MenuHelp(int index) const { return menuItem(MenuId::Help, index); }
    QAction* toolbarButton(const QString& key) const;
    QToolBar* Toolbar1() const { return toolbar_; }

    // The enabled state a menu item has been given, also while it is hidden.
    static bool itemEnabled(const QAction* item);

    // A toolbar button's pressed state (value 1) or released (value 0).
    void setButtonValue(const QString& key, int value);
    int buttonValue(const QString& key) const;

    // Status panel 2: the connection indicator. Image 0 = no picture yet.
    void setConnectionPanel(int image, const QString& text);
    int connectionImage() const { return connectionImage_; }
    QString connectionText() const;

    // The help file the Help menu opens.
    QString helpFile() const { return helpFile_; }

    // The device link: polling timer, progress window, device dialogs.
    DesktopDevice& device() const { return *device_; }
    // After a download the open list windows show the new laps and totals.
    void refreshListsAfterDownload();
    // Writes the copy of a download that has just completed; status panel 1
    // says `lead` (what came in), then where the copy went or why it could not
    // be written.
    void copyDownload(const QString& lead = {});
    QString statusText() const;
    // Status panel 1 says `text` (the club database's notices).
    void showStatus(const QString& text);

    // The club's roster of names; null runs without one.
    void setRoster(Roster* roster) { roster_ = roster; }
    // The archive's index in the club database; null runs without one.
    void setArchive(ArchiveIndex* archive) { archive_ = archive; }
    // The issues of results in the club database; null runs without them.
    void setIssues(IssueStore* issues) { issues_ = issues; }
    IssueStore* issues() const { return issues_; }
    // The session now held was read from or written to `path`: the archive
    // notes it once the command is over. A failure is one line in the status
    // bar, never a failed command.
    void noteSessionFile(const QString& path);
    // An empty archive (a new or set-aside club database) is rebuilt from the
    // download copies on a thread of its own, quietly; the status bar says how
    // many sessions.
    void rebuildArchiveIfEmpty();
    // File > Archive: the one "Archive" window.
    void showArchive();
    frmArchive* archiveWindow() const { return archiveWindow_; }
    // The championships in the club database and the sessions' issues they
    // count; either null runs without the Championship window.
    void setChampionships(ChampionshipStore* store) { championships_ = store; }
    void setIssuedRounds(IssuedRounds* issued) { issuedRounds_ = issued; }
    // Race > Championship: the one "Championship" window.
    void showChampionship();
    frmChampionship* championshipWindow() const { return championshipWindow_; }

    // The scoreboard, the network page and the web page; the lead's season
    // sources are set through its sources().
    Publishing& publishing() const { return *publishing_; }
    // Race > Publish on network: the one dialog, opened or raised.
    void showPublishDialog();

    // Race > Drivers: the names of this session's drivers.
    void editDriverNames();
    // Race > Lap rules: the minimum and maximum lap of this session.
    void editLapRules();
    // Race > Issue results: asks, then records the results as shown as the
    // session's next issue in the club database.
    void issueResults();
    // The session's last issue from the club database, which wins over the
    // file's (the status bar says when they differ). Never marks it modified.
    void syncIssue();

    // SessionViews
    void lapListChanged() override;

signals:
    // The main window has closed: the program ends, with every other window.
    void unloaded();
    // The rebuild of an empty archive (rebuildArchiveIfEmpty) has ended.
    void archiveRebuilt();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void buildMenus();
    void buildToolbar();
    void buildStatusBar();
    // Presses each window's toolbar button and checks its View item exactly
    // while that window is open.
    void followWindows();
    void setViewToggle(int index, const QString& key, bool on);
    // The command of a row of the command table, from its menu item or button.
    void runRow(std::size_t row);
    // The handler of the command's menu, with the item's index.
    void runCommand(MenuId menu, int index);
    // An open Session Data window's texts into the session, before an output.
    void takeWindowTexts();
    // Switches every row of the group on or off; None is no group.
    void setGroup(int code, bool on, const QString& caption = QString());
    void setRow(std::size_t row, bool on, const QString& caption = QString());
    static void setItemEnabled(QAction* item, bool enabled);

    QMdiArea* mdiArea_ = nullptr;
    QToolBar* toolbar_ = nullptr;
    QLabel* panel1_ = nullptr;
    QLabel* panel2Picture_ = nullptr;
    QLabel* panel2Text_ = nullptr;
    int connectionImage_ = 0;
    std::vector<QAction*> menus_[kMenuCount];  // by MenuId, the items by index
    QMenu* menuBarMenus_[kMenuCount] = {};
    std::vector<QAction*> rows_;              // the items in command-table order
    std::map<std::string, QMenu*> submenus_;  // by caption
    std::map<QString, QAction*> buttons_;
    std::map<QString, int> buttonValues_;
    QString helpFile_;
    std::unique_ptr<ChildWindows> children_;
    RaceCommands* commands_ = nullptr;
    OneWindow<frmResults> results_;
    std::unique_ptr<DesktopFileViews> fileViews_;
    std::unique_ptr<FileCommands> fileCommands_;
    bool ending_ = false;
    DesktopDevice* device_ = nullptr;
    Roster* roster_ = nullptr;
    ArchiveIndex* archive_ = nullptr;
    IssueStore* issues_ = nullptr;
    QPointer<frmArchive> archiveWindow_;
    ChampionshipStore* championships_ = nullptr;
    IssuedRounds* issuedRounds_ = nullptr;
    QPointer<frmChampionship> championshipWindow_;
    void wirePublishing();
    Publishing* publishing_ = nullptr;
    QPointer<QDialog> publishDialog_;
    std::unique_ptr<ArchiveScanner> rebuild_;
};

}  // namespace orvex
