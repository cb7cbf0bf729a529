#include "shell/frmDesktop.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

#include "autocopy/DownloadCopy.h"
#include "commands/RaceCommands.h"
#include "device/DeviceLink.h"
#include "device/SerialLink.h"
#include "platform/EventPump.h"
#include "platform/FileSystem.h"
#include "platform/HelpViewer.h"
#include "platform/MessageBox.h"
#include "platform/Messages.h"
#include "platform/MousePointer.h"
#include "platform/Platform.h"
#include "platform/ProgramFolder.h"
#include "platform/Roster.h"
#include "platform/qt/InstallLayout.h"
#include "platform/qt/StatusMessage.h"
#include "platform/qt/Twips.h"
#include "results/Results.h"
#include "season/Issue.h"
#include "session/FileCommands.h"
#include "session/RecentFiles.h"
#include "shell/DesktopDevice.h"
#include "shell/DesktopFileViews.h"
#include "shell/ImageList1.h"
#include "shell/frmAbout.h"
#include "store/ArchiveIndex.h"
#include "store/ArchiveScan.h"
#include "store/ArchiveScanner.h"
#include "store/IssueStore.h"
#include "ui/archive/frmArchive.h"
#include "ui/lists/ChildWindows.h"
#include "ui/lists/frmLaps.h"
#include "ui/lists/frmSession.h"
#include "ui/lists/frmStat.h"
#include "ui/names/frmDrivers.h"
#include "ui/publish/Publishing.h"
#include "ui/publish/frmPublish.h"
#include "ui/results/frmLapRules.h"
#include "ui/results/frmResults.h"

namespace orvex {

namespace {
// The designed size of the main window, in twips.
constexpr int kDesktopWidth = 12000;
constexpr int kDesktopHeight = 9000;

// A session is one file: a drop is taken only when it is exactly one local file.
QString droppedFile(const QMimeData* data) {
    if (!data || !data->hasUrls() || data->urls().size() != 1) return QString();
    const QUrl url = data->urls().front();
    return url.isLocalFile() ? url.toLocalFile() : QString();
}
}  // namespace

frmDesktop::frmDesktop(QWidget* parent) : QMainWindow(parent) {
    setWindowTitle(QString("  ") + kProgramName);
    setWindowIcon(ImageList1::icon(ImageList1::Logo));
    mdiArea_ = new QMdiArea(this);
    mdiArea_->setObjectName("MDIClient");
    setCentralWidget(mdiArea_);
    children_ = std::make_unique<ChildWindows>(mdiArea_);
    commands_ = new RaceCommands(session(), this);
    connect(commands_, &RaceCommands::changed, this, [this](RaceChange what) {
        // What the standings read to tell a round changed since its issue.
        if (issues_ && session().Issue.issue > 0) {
            (void)issues_->noteCurrent(static_cast<std::int64_t>(lapHash(session().LapTimes)),
                                       issueHash(session()));
            // An open standings turns Provisional (or back) with the round.
            if (championshipWindow_) championshipWindow_->refresh();
        }
        children_->refreshLists(what == RaceChange::Names ? ListChange::Names
                                                          : ListChange::Corrections);
    });
    buildMenus();
    buildToolbar();
    buildStatusBar();
    fileViews_ = std::make_unique<DesktopFileViews>(*this);
    fileCommands_ = std::make_unique<FileCommands>(*fileViews_);
    resize(twipsToPixelsX(kDesktopWidth), twipsToPixelsY(kDesktopHeight));
    device_ = new DesktopDevice(*this);
    publishing_ = new Publishing(this);
    children_->addView(publishing_, [this] { publishing_->refresh(); });
    wirePublishing();
    setAcceptDrops(true);
    // Sees the shortcut checks of every widget, to let the menus' shortcuts win.
    qApp->installEventFilter(this);
}

frmDesktop::~frmDesktop() {
    if (session().views == this) session().views = nullptr;
}

namespace {
// A text of the command table as shown: the texts added to the design's menus
// are marked for the "CommandTable" catalogue, the design's own are not in it
// and come back unchanged.
QString commandText(const char* text) { return QCoreApplication::translate("CommandTable", text); }
}  // namespace

void frmDesktop::buildMenus() {
    QMenu** menus = menuBarMenus_;
    for (int m = 0; m < kMenuCount; ++m)
        menus[m] = menuBar()->addMenu(commandText(menuTitle(MenuId(m))));
    const auto table = commandTable();
    for (std::size_t row = 0; row < table.size(); ++row) {
        const Command& c = table[row];
        QMenu* menu = menus[int(c.menu)];
        if (c.submenu) {
            QMenu*& sub = submenus_[c.submenu];
            if (!sub) sub = menu->addMenu(commandText(c.submenu));
            menu = sub;
        }
        QAction* a = c.caption ? menu->addAction(commandText(c.caption)) : menu->addSeparator();
        if (*c.shortcut) a->setShortcut(QKeySequence(c.shortcut));
        a->setVisible(c.shown);
        setItemEnabled(a, c.enabled);
        a->setCheckable(c.toggle);
        if (c.action) {
            connect(a, &QAction::triggered, this, [this, row] { runRow(row); });
            rows_.push_back(a);
            continue;
        }
        connect(a, &QAction::triggered, this, [this, a, row] {
            // A click must not flip the check mark by itself.
            if (a->isCheckable()) a->setChecked(!a->isChecked());
            runRow(row);
        });
        menus_[int(c.menu)].push_back(a);
        rows_.push_back(a);
    }
}

void frmDesktop::buildToolbar() {
    toolbar_ = addToolBar("Toolbar1");
    toolbar_->setObjectName("Toolbar1");
    toolbar_->setMovable(false);
    toolbar_->setIconSize(QSize(24, 24));
    for (const Command& c : commandTable()) {
        if (!c.key) continue;
        const QString key = c.key;
        QAction* a = toolbar_->addAction(ImageList1::icon(c.image), commandText(c.tooltip));
        a->setObjectName(key);
        a->setToolTip(commandText(c.tooltip));
        a->setCheckable(c.toggle);
        buttons_[key] = a;
        buttonValues_[key] = 0;
        connect(a, &QAction::triggered, this, [this, key, a] {
            // The pressed state belongs to the View handler, not to the click.
            if (a->isCheckable()) a->setChecked(buttonValues_[key] == 1);
            Toolbar1_ButtonClick(key);
        });
        if (c.gapAfter) toolbar_->addSeparator();
    }
}

void frmDesktop::buildStatusBar() {
    panel1_ = new QLabel(this);
    panel1_->setObjectName("StatusPanel1");
    panel2Picture_ = new QLabel(this);
    panel2Text_ = new QLabel(this);
    panel2Picture_->setObjectName("StatusPanel2Picture");
    panel2Text_->setObjectName("StatusPanel2Text");
    panel2Text_->setMinimumWidth(twipsToPixelsX(1800));
    statusBar()->addWidget(panel1_, 1);
    statusBar()->addPermanentWidget(panel2Picture_);
    statusBar()->addPermanentWidget(panel2Text_);
}

// Qt reports a hidden action as disabled; the program's enabled state of a
// hidden item is kept beside it so it survives until the item is shown.
void frmDesktop::setItemEnabled(QAction* item, bool enabled) {
    item->setEnabled(enabled);
    item->setProperty("orvexEnabled", enabled);
}

bool frmDesktop::itemEnabled(const QAction* item) {
    return item->property("orvexEnabled").toBool();
}

QAction* frmDesktop::toolbarButton(const QString& key) const {
    auto it = buttons_.find(key);
    return it == buttons_.end() ? nullptr : it->second;
}

void frmDesktop::setButtonValue(const QString& key, int value) {
    auto it = buttons_.find(key);
    if (it == buttons_.end()) return;
    buttonValues_[key] = value;
    it->second->setChecked(value == 1);
}

int frmDesktop::buttonValue(const QString& key) const {
    auto it = buttonValues_.find(key);
    return it == buttonValues_.end() ? 0 : it->second;
}

void frmDesktop::setConnectionPanel(int image, const QString& text) {
    connectionImage_ = image;
    panel2Picture_->setPixmap(ImageList1::pixmap(image, 16));
    panel2Text_->setText(text);
}

QString frmDesktop::connectionText() const { return panel2Text_->text(); }

void frmDesktop::Form_Load() {
    centreOnScreen(this);

    // The user guide is HTML beside the program; fall back to the program's
    // own folder when the settings folder is elsewhere, and to the installed
    // data folder when the program is installed.
    helpFile_ = QString::fromStdString(session().AppPath) + QChar(platform().folder->separator()) +
                "ORVEX.html";
    if (!QFileInfo::exists(helpFile_)) {
        const QString installed = installedDataFolder();
        helpFile_ = QDir(installed.isEmpty() ? QCoreApplication::applicationDirPath() : installed)
                        .filePath("ORVEX.html");
    }

    session().views = this;
    // The polling tick runs for the whole life of the main window.
    device_->start();
    FileRecentiRead(*fileViews_);
    RemoveUnfinishedCopies();
    MenuRefresh();
}

void frmDesktop::setRow(std::size_t row, bool on, const QString& caption) {
    const Command& c = commandTable()[row];
    QAction* a = rows_[row];
    if (!c.shown) {
        a->setVisible(on);
        if (on && c.caption) a->setText(caption);
        return;
    }
    setItemEnabled(a, on);
    if (c.key) toolbarButton(c.key)->setEnabled(on);
    if (c.submenu) setItemEnabled(submenus_.at(c.submenu)->menuAction(), on);
}

void frmDesktop::setGroup(int code, bool on, const QString& caption) {
    if (code == Group::None) return;
    const auto table = commandTable();
    for (std::size_t row = 0; row < table.size(); ++row)
        if (table[row].group == code) setRow(row, on, caption);
}

void frmDesktop::MenuAbilita(int code, const QString& caption) { setGroup(code, true, caption); }

void frmDesktop::MenuDisabilita(int code) { setGroup(code, false); }

void frmDesktop::MenuRefresh() {
    const bool open = session().FileState != FileState::NoSession;
    const auto table = commandTable();
    for (std::size_t row = 0; row < table.size(); ++row) {
        const Needs needs = table[row].needs;
        if (needs != Needs::Nothing) setRow(row, needs == Needs::Program || open);
    }
    // Championship works without a session; the rows that need one are off.
    menuBarMenus_[int(MenuId::Race)]->menuAction()->setEnabled(true);
}

void frmDesktop::runRow(std::size_t row) {
    const Command& c = commandTable()[row];
    if (c.group == Group::Print) takeWindowTexts();
    if (!c.action) {
        runCommand(c.menu, indexInMenu(row));
        return;
    }
    if (platform().pointer->current() == MousePointer::Hourglass) return;
    trapErrors([&] { c.action(this); });
}

// What the outputs show is what Save would write: the texts as they stand in
// an open Session Data window. A session never saved stays so, and Save still
// asks for its name.
void frmDesktop::takeWindowTexts() {
    if (platform().pointer->current() == MousePointer::Hourglass) return;
    Session& s = session();
    const FileState state = s.FileState;
    trapErrors([&] { fileViews_->copySessionTexts(); });
    if (state == FileState::New) s.FileState = state;
}

void frmDesktop::runCommand(MenuId menu, int index) {
    switch (menu) {
        case MenuId::File:
            menuFile_Click(index);
            break;
        case MenuId::View:
            MenuView_Click(index);
            break;
        case MenuId::Race:  // its rows have handlers of their own
            break;
        case MenuId::Device:
            MenuDevice_Click(index);
            break;
        case MenuId::Help:
            MenuHelp_Click(index);
            break;
    }
}

void frmDesktop::menuFile_Click(int index) { fileCommands_->menuFile_Click(index); }

void frmDesktop::MenuView_Click(int index) {
    if (platform().pointer->current() == MousePointer::Hourglass) return;
    trapErrors([&] {
        Session& s = session();
        ChildWindows& w = *children_;
        switch (index) {
            case 0:
                if (s.SessionWin.isOpen()) {
                    if (frmSession* f = w.sessionData()) f->close();
                } else {
                    w.showSessionData();
                }
                break;
            case 1:
                if (s.StatWin.isOpen()) {
                    if (frmStat* f = w.stat()) f->close();
                } else {
                    w.showStat();
                }
                break;
            case 2:
                if (!s.LapsWin.isOpen()) {
                    // The lists first, so each window is built once with them.
                    s.MakeTotals();
                    s.MakeLapList(1);
                    s.SortTotals();
                    w.showStat();
                    w.showLaps();
                } else {
                    if (frmStat* f = w.stat()) f->close();
                    if (frmLaps* f = w.laps()) f->close();
                }
                break;
            case 3:
                if (frmResults* f = resultsWindow())
                    f->close();
                else
                    showResultsWindow();
                break;
            default:
                break;
        }
    });
    followWindows();
}

// Every child window, whichever way it opens, is opened by a View command;
// each one tells the main window when it closes, however that happens.
void frmDesktop::followWindows() {
    if (frmSession* f = children_->sessionData())
        connect(f, &frmSession::unloaded, this, &frmDesktop::followWindows, Qt::UniqueConnection);
    for (ListForm* f : std::initializer_list<ListForm*>{children_->stat(), children_->laps()})
        if (f)
            connect(f, &ListForm::unloaded, this, &frmDesktop::followWindows, Qt::UniqueConnection);
    if (frmResults* f = resultsWindow())
        connect(f, &frmResults::unloaded, this, &frmDesktop::followWindows, Qt::UniqueConnection);
    const Session& s = session();
    MenuView(3)->setChecked(resultsWindow() != nullptr);
    setViewToggle(0, "Session", s.SessionWin.isOpen());
    setViewToggle(1, "Statistics", s.StatWin.isOpen());
    setViewToggle(2, "Laps", s.LapsWin.isOpen());
}

void frmDesktop::setViewToggle(int index, const QString& key, bool on) {
    setButtonValue(key, on ? 1 : 0);
    MenuView(index)->setChecked(on);
}

void frmDesktop::MenuDevice_Click(int index) {
    if (platform().pointer->current() == MousePointer::Hourglass) return;
    trapErrors([&] {
        switch (index) {
            case 0:
                // Unsaved changes are asked about first, as New and Open do:
                // the download may bring another race and a new session.
                if (fileCommands_->SaveQuery(false))
                    device_->requests().post(DeviceCommand::StartDownload);
                break;
            case 1:
                device_->showSetup();
                break;
            case 2:
                device_->showTest();
                break;
            default:
                break;
        }
    });
}

void frmDesktop::MenuHelp_Click(int index) {
    trapErrors([&] {
        if (index == 0) {
            if (!platform().help->showContents(helpFile_.toStdString()))
                ShowMessage(tr("The help file %1 cannot be opened.").arg(helpFile_).toStdString());
        } else if (index == 1) {
            frmAbout about(this);
            about.exec();
        }
    });
}

void frmDesktop::Toolbar1_ButtonClick(const QString& key) {
    const auto table = commandTable();
    for (std::size_t row = 0; row < table.size(); ++row)
        if (table[row].key && key == table[row].key) runRow(row);
}

void frmDesktop::lapListChanged() { children_->refreshLists(ListChange::LapList); }

void frmDesktop::copyDownload(const QString& lead) {
    const Result<std::string> copy = Download_Copy(fileViews_.get());
    QString message = copy.isOk()
                          ? tr("Download copied to %1").arg(QString::fromStdString(copy.value()))
                          : orvex::statusText(copy.status());
    if (!lead.isEmpty()) message = tr("%1. %2").arg(lead, message);
    panel1_->setText(message);
    // A narrow window cuts the line off; its tip shows it whole.
    panel1_->setToolTip(message);
    if (copy.isOk()) noteSessionFile(QString::fromStdString(copy.value()));
}

void frmDesktop::noteSessionFile(const QString& path) {
    syncIssue();
    if (!archive_) return;
    bool hasLaps = false;
    ArchiveEntry entry = makeArchiveEntry(session(), hasLaps);
    if (!hasLaps) return;
    // The figures are taken now; the write waits until the command is over.
    QTimer::singleShot(0, this, [this, entry = std::move(entry), path]() mutable {
        if (const Status st = indexEntry(*archive_, std::move(entry), path); !st.isOk())
            panel1_->setText(
                tr("The archive could not note %1 (%2); the file is safe.")
                    .arg(QDir::toNativeSeparators(path), QString::fromStdString(st.detail())));
        else if (archiveWindow_)
            archiveWindow_->refresh();
    });
}

void frmDesktop::rebuildArchiveIfEmpty() {
    if (!archive_) return;
    const Result<qint64> sessions = archive_->sessionCount();
    if (!sessions.isOk() || sessions.value() != 0) return;
    const QString folder = QString::fromStdString(downloadCopyFolder());
    if (!QFileInfo(folder).isDir()) return;
    // On a thread of its own: the window is up and answers meanwhile.
    rebuild_ = std::make_unique<ArchiveScanner>(archive_->db().databaseName());
    connect(rebuild_.get(), &ArchiveScanner::finished, this, [this](const ArchiveScanResult& r) {
        if (r.newSessions > 0 || !r.error.isOk())
            panel1_->setText((panel1_->text() + " " +
                              tr("The archive was rebuilt from the download copies: %1")
                                  .arg(r.summary().section('\n', 0, 0)))
                                 .trimmed());
        if (archiveWindow_) archiveWindow_->refresh();
        emit archiveRebuilt();
    });
    rebuild_->start(folder);
}

void frmDesktop::showArchive() {
    if (archiveWindow_) {
        mdiArea_->setActiveSubWindow(archiveWindow_);
        return;
    }
    if (!archive_) {
        platform().messages->show(
            tr("The archive cannot be used: the club database is not open.").toStdString(),
            MessageBox::OkOnly + MessageBox::Exclamation, kProgramTitle);
        return;
    }
    archiveWindow_ = frmArchive::Load(
        mdiArea_, *archive_, roster_ ? roster_->names() : std::vector<std::string>{},
        [this](const std::string& path) { openDataFile(QString::fromStdString(path)); });
    archiveWindow_->show();
}

void frmDesktop::showChampionship() {
    if (championshipWindow_) {
        mdiArea_->setActiveSubWindow(championshipWindow_);
        return;
    }
    if (!championships_ || !archive_) {
        platform().messages->show(
            tr("Championships cannot be used: the club database is not open, or belongs to a "
               "newer version of the program.")
                .toStdString(),
            MessageBox::OkOnly + MessageBox::Exclamation, kProgramTitle);
        return;
    }
    championshipWindow_ =
        frmChampionship::Load(mdiArea_, *championships_, *archive_, issuedRounds_);
    championshipWindow_->show();
}

QString frmDesktop::statusText() const { return panel1_->text(); }

void frmDesktop::showStatus(const QString& text) { panel1_->setText(text); }

void frmDesktop::editDriverNames() {
    if (session().FileState == FileState::NoSession) return;
    frmDrivers::Edit(this, *commands_, roster_);
}

void frmDesktop::editLapRules() {
    if (session().FileState == FileState::NoSession) return;
    frmLapRules::Edit(this, *commands_);
}

void frmDesktop::syncIssue() {
    if (!issues_ || session().FileState == FileState::NoSession) return;
    const auto key = static_cast<std::int64_t>(lapHash(session().LapTimes));
    const Result<std::optional<IssueSnapshot>> last = issues_->last(key);
    if (!last.isOk() || !last.value()) return;
    const IssueSnapshot& db = *last.value();
    IssueMark& mark = session().Issue;
    if (mark.issue > 0 && mark.issue != db.number)
        panel1_->setText(
            tr("Issue %1 in the file, %2 in the club database").arg(mark.issue).arg(db.number));
    mark = {db.number, db.hash, db.issuedAt};
    (void)issues_->noteCurrent(key, issueHash(session()));
    if (frmResults* f = resultsWindow()) f->refresh();
    if (championshipWindow_) championshipWindow_->refresh();
    publishing_->refresh();
}

void frmDesktop::issueResults() {
    Session& s = session();
    if (s.FileState == FileState::NoSession) return;
    const auto say = [](const QString& text) {
        platform().messages->show(text.toStdString(), MessageBox::OkOnly + MessageBox::Exclamation,
                                  kProgramTitle);
    };
    if (makeResults(s).rows.empty()) {
        say(tr("A session without laps has no results to issue."));
        return;
    }
    if (!issues_) {
        say(tr("The results cannot be issued: the club database is not open."));
        return;
    }
    takeWindowTexts();
    const QString name = QString::fromStdString(s.DataFileName);
    if (platform().messages->show(
            tr("Issue the results of %1 as official?").arg(name).toStdString(),
            MessageBox::YesNo + MessageBox::Question, kProgramTitle) != MessageBox::Yes)
        return;
    const Result<IssueSnapshot> made = issues_->issue(
        static_cast<std::int64_t>(lapHash(s.LapTimes)), makeIssueSnapshot(s), s.Issue.issue);
    if (!made.isOk()) {
        say(tr("The results could not be issued (%1); nothing was changed.")
                .arg(QString::fromStdString(made.status().detail())));
        return;
    }
    s.Issue = {made->number, made->hash, made->issuedAt};
    // The file keeps the last issue once the user saves it.
    s.markModified();
    MenuRefresh();
    panel1_->setText(
        tr("The results of %1 were issued as official: issue %2").arg(name).arg(made->number));
    if (frmResults* f = resultsWindow()) f->refresh();
    if (championshipWindow_) championshipWindow_->refresh();
    publishing_->refresh();
}

// The scoreboard and the pages read the issue state and the standings through
// the stores the main window is given later, so each call looks them up then.
void frmDesktop::wirePublishing() {
    PublishSources& sources = publishing_->sources();
    sources.issueState = [] { return issueState(session()); };
    sources.championships = [this] {
        std::vector<std::string> names;
        if (!championships_) return names;
        if (const auto rows = championships_->list(); rows.isOk())
            for (const ChampionshipRow& row : rows.value()) names.push_back(row.name.toStdString());
        return names;
    };
    sources.standings = [this](const std::string& name) -> std::optional<Standings> {
        if (!championships_) return std::nullopt;
        const auto rows = championships_->list();
        if (!rows.isOk()) return std::nullopt;
        for (const ChampionshipRow& row : rows.value()) {
            if (row.name.toStdString() != name) continue;
            if (auto standings = championships_->standings(row.id, issuedRounds_); standings.isOk())
                return std::move(standings.value());
            return std::nullopt;
        }
        return std::nullopt;
    };
}

void frmDesktop::showPublishDialog() {
    if (!publishDialog_) {
        publishDialog_ = new frmPublish(*publishing_, this);
        publishDialog_->setAttribute(Qt::WA_DeleteOnClose);
    }
    publishDialog_->show();
    publishDialog_->raise();
    publishDialog_->activateWindow();
}

frmResults* frmDesktop::resultsWindow() const { return results_.get(); }

frmResults* frmDesktop::showResultsWindow() {
    return results_.show([this] {
        frmResults* f = frmResults::Load(mdiArea_, *commands_, issues_);
        children_->addView(f, [f] { f->refresh(); });
        return f;
    });
}

void frmDesktop::refreshListsAfterDownload() {
    children_->refreshLists(ListChange::Download);
    // Another race's figures may need other widths.
    if (frmResults* f = resultsWindow()) f->fitAllColumns();
}

void frmDesktop::endProgram() {
    ending_ = true;
    close();
}

// Opened exactly as named. What cannot be a session is told before the save
// question: the recent list and the session stay as they were.
void frmDesktop::openDataFile(const QString& name) {
    if (platform().pointer->current() == MousePointer::Hourglass) return;
    const QFileInfo info(name);
    const QString full = QDir::toNativeSeparators(info.absoluteFilePath());
    QString problem;
    // Never opened: reading a FIFO or a device could wait for ever.
    if (info.exists() && !info.isFile())
        problem = tr("%1 is not a file.").arg(full);
    else if (!platform().files->fileExists(full.toStdString()))
        problem = tr("%1 does not exist.").arg(full);
    if (!problem.isEmpty()) {
        ShowMessage(problem.toStdString());
        return;
    }
    fileCommands_->OpenNamed(full.toStdString(),
                             tr("%1 is not an ORVEX session file.").arg(full).toStdString());
}

void frmDesktop::dragEnterEvent(QDragEnterEvent* event) {
    if (!droppedFile(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void frmDesktop::dropEvent(QDropEvent* event) {
    const QString name = droppedFile(event->mimeData());
    if (name.isEmpty()) return;
    event->acceptProposedAction();
    // Opened once the drop has finished, so the save question and any message
    // box do not hold the drag source waiting.
    QTimer::singleShot(0, this, [this, name] { openDataFile(name); });
}

// A text box claims some keys for its own bindings (Ctrl+U erases a line); the
// menus' shortcuts win over them, so a key does the same wherever the focus
// is. The standard editing keys stay with the box: Ctrl+X in a box cuts.
bool frmDesktop::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::ShortcutOverride || !watched->isWidgetType() ||
        static_cast<QWidget*>(watched)->window() != this)
        return QMainWindow::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    for (QKeySequence::StandardKey editing :
         {QKeySequence::Cut, QKeySequence::Copy, QKeySequence::Paste, QKeySequence::Undo,
          QKeySequence::Redo, QKeySequence::SelectAll})
        if (key->matches(editing)) return false;
    const QKeySequence pressed(key->keyCombination());
    for (const QAction* a : rows_) {
        if (a->isEnabled() && !a->shortcut().isEmpty() && a->shortcut() == pressed) {
            event->ignore();
            return true;
        }
    }
    return false;
}

void frmDesktop::closeEvent(QCloseEvent* event) {
    // Closing with something unsaved asks as File > Exit does; Cancel, or a
    // cancelled save dialog, keeps the program open.
    if (!ending_ && !fileCommands_->queryClose()) {
        event->ignore();
        return;
    }
    // No tick may reopen the port, and a download in progress is abandoned
    // so its progress window does not outlive the main window.
    device_->shutdown();
    Port_Close();
    publishing_->closeAll();
    // Let anything still queued (a tick, a repaint) finish before the end.
    platform().events->processEvents();
    platform().events->processEvents();
    event->accept();
    emit unloaded();
}

}  // namespace orvex
