#include "shell/frmDesktop.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

#include "device/DeviceLink.h"
#include "device/SerialLink.h"
#include "export/LapsCsv.h"
#include "export/frmExport.h"
#include "lists/frmLaps.h"
#include "lists/frmStat.h"
#include "platform/EventPump.h"
#include "platform/HelpViewer.h"
#include "platform/InstallLayout.h"
#include "platform/Messages.h"
#include "platform/MousePointer.h"
#include "platform/Platform.h"
#include "platform/ProgramFolder.h"
#include "platform/Twips.h"
#include "session/FileCommands.h"
#include "session/RecentFiles.h"
#include "session/frmSession.h"
#include "shell/DesktopDevice.h"
#include "shell/DesktopFileViews.h"
#include "shell/ImageList1.h"
#include "shell/frmAbout.h"

namespace orvex {

namespace {
// The designed size of the main window, in twips.
constexpr int kDesktopWidth = 12000;
constexpr int kDesktopHeight = 9000;

struct ToolbarButton {
    const char* key;
    const char* tooltip;
    int image;
    bool pressable;
};
const ToolbarButton kButtons[] = {
    {"New", "New", ImageList1::New, false},
    {"Open", "Open file", ImageList1::Open, false},
    {"Save", "Save file", ImageList1::Save, false},
    {"Print", "Print", ImageList1::Print, false},
    {"Session", "Session note", ImageList1::Session, true},
    {"Statistics", "Statistics", ImageList1::Statistics, true},
    {"Laps", "Times", ImageList1::Laps, true},
    {"Upload", "Download data", ImageList1::Upload, false},
};

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
    buildMenus();
    buildToolbar();
    buildStatusBar();
    fileViews_ = std::make_unique<DesktopFileViews>(*this);
    fileCommands_ = std::make_unique<FileCommands>(*fileViews_);
    resize(twipsToPixelsX(kDesktopWidth), twipsToPixelsY(kDesktopHeight));
    device_ = new DesktopDevice(*this);
    setAcceptDrops(true);
}

frmDesktop::~frmDesktop() {
    if (session().views == this) session().views = nullptr;
}

QAction* frmDesktop::addItem(QMenu* menu, std::vector<QAction*>& items, const QString& caption,
                             const QKeySequence& shortcut, bool visible, bool enabled) {
    QAction* a = caption.isEmpty() ? menu->addSeparator() : menu->addAction(caption);
    if (!shortcut.isEmpty()) a->setShortcut(shortcut);
    a->setVisible(visible);
    setItemEnabled(a, enabled);
    items.push_back(a);
    return a;
}

void frmDesktop::buildMenus() {
    const QKeySequence none;
    QMenu* file = menuBar()->addMenu("&File");
    addItem(file, menuFile_, "&New", QKeySequence("Ctrl+N"), true, true);
    addItem(file, menuFile_, "&Open...", QKeySequence("Ctrl+O"), true, true);
    addItem(file, menuFile_, "&Save", QKeySequence("Ctrl+S"), true, true);
    addItem(file, menuFile_, "Save &As...", none, true, true);
    addItem(file, menuFile_, QString(), none, true, true);
    addItem(file, menuFile_, "&Print...", QKeySequence("Ctrl+P"), true, true);
    buildExportItems(file);
    addItem(file, menuFile_, QString(), none, false, true);
    for (int i = 1; i <= 4; ++i)
        addItem(file, menuFile_, QString("RecentFile%1").arg(i), none, false, true);
    addItem(file, menuFile_, QString(), none, true, true);
    addItem(file, menuFile_, "E&xit", QKeySequence("Ctrl+X"), true, true);

    QMenu* view = menuBar()->addMenu("&View");
    addItem(view, menuView_, "S&ession data", none, true, true);
    // Shown, so the statistics window has a way in of its own; "I", because
    // "T" belongs to Times.
    addItem(view, menuView_, "Stat&istics", none, true, false);
    addItem(view, menuView_, "&Times", none, true, true);

    QMenu* device = menuBar()->addMenu("&Device");
    addItem(device, menuDevice_, "&Download data", QKeySequence("Ctrl+U"), true, true);
    // Shown, so the device dialogs can be reached.
    addItem(device, menuDevice_, "&Config device...", none, true, false);
    addItem(device, menuDevice_, "&Test device...", none, true, false);

    QMenu* help = menuBar()->addMenu("&Help");
    addItem(help, menuHelp_, "Help &Topics", none, true, true);
    addItem(help, menuHelp_, "&About...", none, true, true);

    // View items carry check marks that only the View handler sets.
    for (QAction* a : menuView_) a->setCheckable(true);

    auto connectArray = [this](const std::vector<QAction*>& items, void (frmDesktop::*handler)(int)) {
        for (int i = 0; i < static_cast<int>(items.size()); ++i) {
            QAction* a = items[i];
            connect(a, &QAction::triggered, this, [this, a, i, handler] {
                // A click must not flip the check mark by itself.
                if (a->isCheckable()) a->setChecked(!a->isChecked());
                (this->*handler)(i);
            });
        }
    };
    connectArray(menuFile_, &frmDesktop::menuFile_Click);
    connectArray(menuView_, &frmDesktop::MenuView_Click);
    connectArray(menuDevice_, &frmDesktop::MenuDevice_Click);
    connectArray(menuHelp_, &frmDesktop::MenuHelp_Click);
}

// Print Preview and the Export submenu follow Print and share its enabling
// (group 8); they stay out of menuFile_, whose indices the File commands use.
void frmDesktop::buildExportItems(QMenu* file) {
    previewItem_ = file->addAction("Print Pre&view...");
    exportMenu_ = file->addMenu("&Export");
    QAction* csv = exportMenu_->addAction("&Laps CSV...");
    QAction* pdf = exportMenu_->addAction("P&DF...");
    auto exportCommand = [this](void (*command)(QWidget*)) {
        return [this, command] {
            if (platform().pointer->current() == MousePointer::Hourglass) return;
            trapErrors([&] { command(this); });
        };
    };
    connect(previewItem_, &QAction::triggered, this, exportCommand(&frmExport::ShowPreview));
    connect(pdf, &QAction::triggered, this, exportCommand(&frmExport::ExportPdf));
    connect(csv, &QAction::triggered, this, exportCommand([](QWidget*) { ExportLapsCsv(); }));
}

void frmDesktop::buildToolbar() {
    toolbar_ = addToolBar("Toolbar1");
    toolbar_->setObjectName("Toolbar1");
    toolbar_->setMovable(false);
    toolbar_->setIconSize(QSize(24, 24));
    for (const ToolbarButton& button : kButtons) {
        const QString key = button.key;
        QAction* a = toolbar_->addAction(ImageList1::icon(button.image), button.tooltip);
        a->setObjectName(key);
        a->setToolTip(button.tooltip);
        a->setCheckable(button.pressable);
        buttons_[key] = a;
        buttonValues_[key] = 0;
        connect(a, &QAction::triggered, this, [this, key, a] {
            // The pressed state belongs to the View handler, not to the click.
            if (a->isCheckable()) a->setChecked(buttonValues_[key] == 1);
            Toolbar1_ButtonClick(key);
        });
        if (key == "Print" || key == "Laps") toolbar_->addSeparator();
    }
}

void frmDesktop::buildStatusBar() {
    panel1_ = new QLabel(this);
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

bool frmDesktop::itemEnabled(const QAction* item) { return item->property("orvexEnabled").toBool(); }

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
    MenuRefresh();
}

std::vector<QAction*> frmDesktop::groupMenuItems(int code) const {
    switch (code) {
        case 1: return {menuFile_[0]};
        case 2: return {menuFile_[1]};
        case 3: return {menuFile_[2]};
        case 4: return {menuFile_[3]};
        case 8: {
            std::vector<QAction*> items{menuFile_[5], previewItem_, exportMenu_->menuAction()};
            for (QAction* a : exportMenu_->actions()) items.push_back(a);
            return items;
        }
        case 9: return {menuFile_[12]};
        case 50: return {menuFile_[6], menuFile_[7]};
        case 51: return {menuFile_[8]};
        case 52: return {menuFile_[9]};
        case 53: return {menuFile_[10]};
        case 100: return {menuView_[0]};
        case 101: return {menuView_[1]};
        case 102: return {menuView_[2]};
        case 200: return {menuDevice_[0]};
        case 201: return {menuDevice_[1]};
        case 202: return {menuDevice_[2]};
        case 300: return {menuHelp_[0]};
        default: return {};
    }
}

QAction* frmDesktop::groupButton(int code) const {
    switch (code) {
        case 1: return toolbarButton("New");
        case 2: return toolbarButton("Open");
        case 3: return toolbarButton("Save");
        case 8: return toolbarButton("Print");
        case 100: return toolbarButton("Session");
        case 101: return toolbarButton("Statistics");
        case 102: return toolbarButton("Laps");
        case 200: return toolbarButton("Upload");
        default: return nullptr;
    }
}

void frmDesktop::MenuAbilita(int code, const QString& caption) {
    if (code >= 50 && code <= 53) {
        for (QAction* a : groupMenuItems(code)) a->setVisible(true);
        menuFile_[code - 43]->setText(caption);
        return;
    }
    for (QAction* a : groupMenuItems(code)) setItemEnabled(a, true);
    if (QAction* b = groupButton(code)) b->setEnabled(true);
}

void frmDesktop::MenuDisabilita(int code) {
    if (code >= 50 && code <= 53) {
        for (QAction* a : groupMenuItems(code)) a->setVisible(false);
        return;
    }
    for (QAction* a : groupMenuItems(code)) setItemEnabled(a, false);
    if (QAction* b = groupButton(code)) b->setEnabled(false);
}

void frmDesktop::MenuRefresh() {
    for (int code : {1, 2, 3, 4, 8, 100, 101, 102, 200, 201, 202, 300}) MenuDisabilita(code);
    if (session().FileState == FileState::NoSession) {
        for (int code : {1, 2, 300}) MenuAbilita(code);
    } else {
        for (int code : {1, 2, 3, 4, 8, 100, 101, 102, 300, 201, 202, 200}) MenuAbilita(code);
    }
}

void frmDesktop::menuFile_Click(int index) { fileCommands_->menuFile_Click(index); }

void frmDesktop::MenuView_Click(int index) {
    if (platform().pointer->current() == MousePointer::Hourglass) return;
    trapErrors([&] {
        Session& s = session();
        switch (index) {
            case 0:
                if (s.SessionWin.isOpen()) {
                    if (frmSession* f = frmSession::instance()) f->close();
                } else {
                    frmSession::Show(mdiArea_);
                }
                break;
            case 1:
                if (s.StatWin.isOpen()) {
                    if (frmStat* f = frmStat::instance()) f->close();
                } else {
                    frmStat::Show(mdiArea_);
                }
                break;
            case 2:
                if (!s.LapsWin.isOpen()) {
                    frmStat::Show(mdiArea_);
                    frmLaps::Show(mdiArea_);
                    s.MakeTotals();
                    s.MakeLapList(1);
                    s.SortTotals();
                    lapListChanged();
                } else {
                    if (frmStat* f = frmStat::instance()) f->close();
                    if (frmLaps* f = frmLaps::instance()) f->close();
                }
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
    if (frmSession* f = frmSession::instance())
        connect(f, &frmSession::unloaded, this, &frmDesktop::followWindows, Qt::UniqueConnection);
    for (ListForm* f : std::initializer_list<ListForm*>{frmStat::instance(), frmLaps::instance()})
        if (f)
            connect(f, &ListForm::unloaded, this, &frmDesktop::followWindows, Qt::UniqueConnection);
    const Session& s = session();
    setViewToggle(0, "Session", s.SessionWin.isOpen());
    setViewToggle(1, "Statistics", s.StatWin.isOpen());
    setViewToggle(2, "Laps", s.LapsWin.isOpen());
}

void frmDesktop::setViewToggle(int index, const QString& key, bool on) {
    setButtonValue(key, on ? 1 : 0);
    menuView_.at(index)->setChecked(on);
}

void frmDesktop::MenuDevice_Click(int index) {
    if (platform().pointer->current() == MousePointer::Hourglass) return;
    trapErrors([&] {
        switch (index) {
            case 0: DeviceCommand = DeviceCommandCode::StartDownload; break;
            case 1: device_->showSetup(); break;
            case 2: device_->showTest(); break;
            default: break;
        }
    });
}

void frmDesktop::MenuHelp_Click(int index) {
    trapErrors([&] {
        if (index == 0) {
            if (!platform().help->showContents(helpFile_.toStdString()))
                ShowMessage("The help file " + helpFile_.toStdString() + " cannot be opened.");
        } else if (index == 1) {
            frmAbout about(this);
            about.exec();
        }
    });
}

void frmDesktop::Toolbar1_ButtonClick(const QString& key) {
    if (key == "New") menuFile_Click(0);
    else if (key == "Open") menuFile_Click(1);
    else if (key == "Save") menuFile_Click(2);
    else if (key == "Print") menuFile_Click(5);
    else if (key == "Session") MenuView_Click(0);
    else if (key == "Statistics") MenuView_Click(1);
    else if (key == "Laps") MenuView_Click(2);
    else if (key == "Upload") MenuDevice_Click(0);
}

void frmDesktop::lapListChanged() {
    if (frmLaps* f = session().LapsWin.isOpen() ? frmLaps::instance() : nullptr) {
        f->RemakeLista();
        f->RefreshDati();
    }
}

void frmDesktop::refreshListsAfterDownload() {
    Session& s = session();
    lapListChanged();
    if (frmStat* f = s.StatWin.isOpen() ? frmStat::instance() : nullptr) {
        s.MakeLapList(1);
        f->Line_Select(1);
        if (s.StatWin.isOpen() && frmStat::instance() == f) f->RefreshData();
    }
}

void frmDesktop::endProgram() {
    ending_ = true;
    close();
}

void frmDesktop::openDataFile(const QString& name) {
    const QString full = QDir::toNativeSeparators(QFileInfo(name).absoluteFilePath());
    fileCommands_->OpenNamed(full.toStdString());
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
    // Let anything still queued (a tick, a repaint) finish before the end.
    platform().events->processEvents();
    platform().events->processEvents();
    event->accept();
    emit unloaded();
}

}  // namespace orvex
