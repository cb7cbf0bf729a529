#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QAction>
#include <QDir>
#include <QDropEvent>
#include <QLineEdit>
#include <QMdiArea>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include "ItemBytes.h"
#include "fakes/MainWindowFixture.h"
#include "session/FileCommands.h"
#include "shell/DesktopDevice.h"
#include "ui/lists/ChildWindows.h"
#include "ui/lists/frmLaps.h"
#include "ui/lists/frmSession.h"
#include "ui/lists/frmStat.h"

using namespace orvex;

namespace {

const std::string kIni = "/orvex/ORVEX.INI";
const QString kTitle = "  ORVEX Timing System : ";

class DesktopFilesTest : public MainWindowFixture {
protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        fakes.files.folders.insert("/data");
        load();
    }
    ChildWindows& w() { return desk->childWindows(); }
    // New, with the laps, statistics and session data windows open.
    void allWindows() {
        desk->menuFile_Click(0);
        desk->toolbarButton("Laps")->trigger();
        desk->MenuView(0)->trigger();
    }
    void saveAs(const std::string& name) {
        fakes.fileDialogs.answers.push_back(name);
        desk->menuFile_Click(3);
    }
    std::vector<std::string> messages() const { return fakes.messages.texts(); }
};

}  // namespace

TEST_F(DesktopFilesTest, ASavedLayoutComesBackWhenTheFileIsOpenedAndMovingItAsks) {
    allWindows();
    w().laps()->move(100, 50);
    saveAs("/data/Layout.DAT");
    ASSERT_EQ(session().FileState, FileState::Saved);
    desk->menuFile_Click(0);
    EXPECT_EQ(w().laps(), nullptr);

    fakes.fileDialogs.answers.push_back("/data/Layout.DAT");
    desk->menuFile_Click(1);
    fakes.messages.shown.clear();  // the question about New
    EXPECT_TRUE(w().laps() && w().stat() && w().sessionData());
    EXPECT_EQ(desk->buttonValue("Laps"), 1);
    EXPECT_EQ(session().LapsWin.Left, 100 * 15);
    // Everything is where the file says, so nothing asks to be saved.
    EXPECT_TRUE(desk->fileCommands().SaveQuery());
    EXPECT_TRUE(messages().empty());

    w().laps()->move(200, 50);
    fakes.messages.answers = {MessageBox::Cancel};
    EXPECT_FALSE(desk->close());
    EXPECT_EQ(messages(),
              std::vector<std::string>{"File modified. Save your changes to 'Layout' ?"});
}

TEST_F(DesktopFilesTest, NamesKeepTheirDatSpellingAndSaveAsReplacesADatOnlyOnYes) {
    fakes.files.files["/data/race.dat"] = items::filledFile().bytes();
    fakes.fileDialogs.answers.push_back("/data/race.dat");
    desk->menuFile_Click(1);
    EXPECT_EQ(desk->windowTitle(), kTitle + "race");
    desk->menuFile_Click(2);
    EXPECT_EQ(fakes.files.files.count("/data/race.DAT"), 0u);
    EXPECT_NE(fakes.files.files["/data/race.dat"], items::filledFile().bytes());

    fakes.files.files["/data/copy.DAT"] = "old";
    fakes.messages.answers = {MessageBox::No, MessageBox::Yes};
    saveAs("/data/copy.TXT");
    EXPECT_EQ(fakes.files.files["/data/copy.DAT"], "old");
    saveAs("/data/copy.TXT");
    EXPECT_EQ(messages(), std::vector<std::string>(
                              2, "/data/copy.DAT already exists.\nDo you want to replace it ?"));
    EXPECT_NE(fakes.files.files["/data/copy.DAT"], "old");
    EXPECT_EQ(desk->windowTitle(), kTitle + "copy");
}

TEST_F(DesktopFilesTest, WindowsFarFromTheCornerAreStoredAtTheRangesEdge) {
    allWindows();
    w().laps()->move(2300, 20);
    w().sessionData()->move(20, 2400);
    qobject_cast<QLineEdit*>(w().sessionData()->txtSession[0])->setText("typed");
    w().sessionData()->close();
    EXPECT_EQ(session().SessionWin.Top, 32767);
    saveAs("/data/Far.DAT");
    EXPECT_EQ(session().SavedLapsWin.Left, 32767);
    EXPECT_EQ(session().SessionDate, "typed");
    EXPECT_EQ(session().FileState, FileState::Saved);
    EXPECT_TRUE(messages().empty());
}

// Every seed of the fuzz run, valid or damaged, opens into the stored layout
// or is refused without harm; each goes to the top of the recent files.
TEST_F(DesktopFilesTest, EveryFuzzSeedOpensOrIsRefusedAndTopsTheRecentList) {
    fakes.files.files[kIni] = "[File]\r\nFile1=/data/R&D.DAT\r\n";
    load();
    EXPECT_EQ(desk->menuFile(7)->text(), "/data/R&&D.DAT");  // shown as an "&"
    allWindows();
    std::vector<std::string> opened{"/data/R&D.DAT"};
    auto refused = items::badFiles();
    std::erase_if(refused, [](const auto& b) { return !b.refused; });
    for (const auto& [name, bytes] : items::seedFiles()) {
        SCOPED_TRACE(name);
        fakes.files.files["/data/" + name] = bytes;
        fakes.fileDialogs.answers.push_back("/data/" + name);
        desk->menuFile_Click(1);
        opened.insert(opened.begin(), "/data/" + name);
        opened.resize(std::min<std::size_t>(opened.size(), 4));
        std::string ini = "[File]\r\n";
        for (std::size_t i = 0; i < opened.size(); ++i)
            ini += "File" + std::to_string(i + 1) + "=" + opened[i] + "\r\n";
        EXPECT_EQ(fakes.files.files[kIni], ini);
        EXPECT_EQ(desk->menuFile(7)->text().toStdString(), opened[0]);
        EXPECT_EQ(fakes.files.files["/data/" + name], bytes);
        if (name == "valid.DAT" || name == "long-texts.DAT") {
            EXPECT_TRUE(w().laps() && w().stat() && w().sessionData());
        }
    }
}

TEST_F(DesktopFilesTest, ANamedOrDroppedFileOpensExactlyAsNamedAndNoSessionFileChangesNothing) {
    desk->menuFile_Click(0);
    saveAs("/data/Race1.DAT");
    const std::string race = fakes.files.files["/data/Race1.DAT"];
    // A relative name is the current folder's; the recent list keeps it whole.
    const QString here = QDir(QDir::currentPath()).filePath("Here.DAT");
    fakes.files.folders.insert(QDir::currentPath().toStdString());
    fakes.files.files[here.toStdString()] = race;
    desk->openDataFile("Here.DAT");
    EXPECT_EQ(desk->menuFile(7)->text(), here);
    // Neither ".DAT" added nor letters upper-cased.
    fakes.files.files["/data/race"] = race;
    desk->openDataFile("/data/race");
    EXPECT_EQ(desk->windowTitle(), kTitle + "race");
    EXPECT_EQ(desk->menuFile(7)->text(), "/data/race");
    EXPECT_TRUE(messages().empty());

    fakes.files.files["/data/notes.txt"] = "Shopping list";
    fakes.files.files["/data/Bad.DAT"] = items::text("ORVEX:1.1");
    QTemporaryDir dir;
    const QString fifo = dir.filePath("line");
    ASSERT_EQ(mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
    const std::string ini = fakes.files.files[kIni];
    const std::vector<std::pair<QString, std::string>> refused = {
        {"/data/notes.txt", "/data/notes.txt is not an ORVEX session file."},
        {"/data/Bad.DAT", "/data/Bad.DAT is not an ORVEX session file."},
        {dir.path(), dir.path().toStdString() + " is not a file."},
        {fifo, fifo.toStdString() + " is not a file."},
        {"/dev/zero", "/dev/zero is not a file."},
        {"/data/Gone.DAT", "/data/Gone.DAT does not exist."}};
    for (const auto& [name, message] : refused) {
        fakes.messages.shown.clear();
        desk->openDataFile(name);
        EXPECT_EQ(messages(), std::vector<std::string>{message});
    }
    EXPECT_EQ(desk->windowTitle(), kTitle + "race");
    EXPECT_EQ(fakes.files.files[kIni], ini);
    fakes.messages.shown.clear();

    auto drop = [&](const QList<QUrl>& urls) {
        QMimeData data;
        data.setUrls(urls);
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(desk.get(), &enter);
        QDropEvent dropped(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(desk.get(), &dropped);
        QCoreApplication::processEvents();
        return enter.isAccepted();
    };
    // A session is one local file: two files, or a web address, are refused.
    EXPECT_FALSE(
        drop({QUrl::fromLocalFile("/data/Race1.DAT"), QUrl::fromLocalFile("/data/B.DAT")}));
    EXPECT_FALSE(drop({QUrl("https://example.org/Race1.DAT")}));
    EXPECT_TRUE(drop({QUrl::fromLocalFile("/data/Bad.DAT")}));
    EXPECT_EQ(messages(), std::vector<std::string>{"/data/Bad.DAT is not an ORVEX session file."});
    EXPECT_TRUE(drop({QUrl::fromLocalFile("/data/Race1.DAT")}));
    EXPECT_EQ(desk->windowTitle(), kTitle + "Race1");
}

// Under X11's key bindings a line box claims Ctrl+U (erase the line); here it
// claims it the same way, through its shortcut check.
struct ClaimsCtrlU : QObject {
    bool eventFilter(QObject*, QEvent* e) override {
        const bool key = e->type() == QEvent::ShortcutOverride || e->type() == QEvent::KeyPress;
        if (!key || static_cast<QKeyEvent*>(e)->key() != Qt::Key_U) return false;
        e->accept();
        if (e->type() == QEvent::KeyPress) qobject_cast<QLineEdit*>(parent())->clear();
        return e->type() == QEvent::KeyPress;
    }
};

// Ctrl+U in a text box downloads rather than erasing the box; the box keeps
// the standard editing keys, so Ctrl+X cuts rather than exits.
TEST_F(DesktopFilesTest, MenuShortcutsWinInATextBoxWhichKeepsItsEditingKeys) {
    allWindows();
    desk->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(desk.get()));
    auto* date = qobject_cast<QLineEdit*>(w().sessionData()->txtSession[0]);
    ClaimsCtrlU claim;
    claim.setParent(date);
    date->installEventFilter(&claim);
    date->setFocus();
    QTest::keyClicks(date, "12/06");
    QTest::keyClick(date, Qt::Key_U, Qt::ControlModifier);
    EXPECT_EQ(date->text(), "12/06");
    EXPECT_EQ(desk->device().requests().pending(), DeviceCommand::StartDownload);
    desk->device().requests().clear();
    QTest::keyClick(date, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(date, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(date->text(), "");
    // Only the download asked about the typed date (No); Exit would have asked again.
    EXPECT_EQ(messages(), std::vector<std::string>{"File modified. Save your changes to 'New' ?"});
    claim.setParent(nullptr);
}

// Outputs show what Save would write; a session never saved stays so.
TEST_F(DesktopFilesTest, EveryOutputTakesTheTextsAsTheyStandInTheOpenWindow) {
    allWindows();
    frmSession* f = w().sessionData();
    qobject_cast<QLineEdit*>(f->txtSession[0])->setText("typed date");
    qobject_cast<QLineEdit*>(f->txtSession[1])->setText("typed time");
    QAction* lapsCsv = nullptr;
    for (QAction* a : desk->findChildren<QAction*>())
        if (a->text() == "&Laps CSV...") lapsCsv = a;
    ASSERT_NE(lapsCsv, nullptr);
    lapsCsv->trigger();  // its file dialog is cancelled
    EXPECT_EQ(session().SessionDate + session().SessionTime, "typed datetyped time");
    EXPECT_EQ(session().FileState, FileState::New);
}

// Places stored between two pixels (the session data window's first place is
// 10 twips, a file saved at another resolution has others) come back from the
// window rounded to whole pixels: that is no move, and nothing asks to save.
TEST_F(DesktopFilesTest, AFileOpenedAndLeftAloneIsNeverReportedModified) {
    items::DataFile f;
    f.session = {true, 10, 10};
    f.laps = {true, 100, 212, 3300, 6720};
    f.stat = {true, 4250, 12, 0, 0};
    fakes.files.files["/data/Race1.DAT"] = f.bytes();
    desk->openDataFile("/data/Race1.DAT");
    ASSERT_TRUE(w().sessionData() && w().laps());
    EXPECT_TRUE(desk->fileCommands().SaveQuery());
    EXPECT_EQ(session().FileState, FileState::Saved);
    EXPECT_TRUE(messages().empty());
}

// Saved under a maximised main window on a large screen, opened in the
// smallest: every window opens inside the area, and the file still holds
// its places, so nothing asks to be saved until a window is moved.
TEST_F(DesktopFilesTest, WindowsStoredBeyondTheAreaOpenInsideAndAskNothingUntilMoved) {
    ASSERT_EQ(desk->size(), QSize(800, 600));
    items::DataFile f;
    f.session = {true, 15000, 12000};
    f.laps = {true, 20000, 9000, 3300, 14000};
    f.stat = {true, 24000, 300, 0, 0};
    fakes.files.files["/data/Big.DAT"] = f.bytes();
    desk->openDataFile("/data/Big.DAT");
    ASSERT_TRUE(w().sessionData() && w().laps() && w().stat());
    const QRect area = desk->mdiArea()->viewport()->rect();
    for (QWidget* child :
         std::initializer_list<QWidget*>{w().sessionData(), w().laps(), w().stat()})
        EXPECT_TRUE(area.contains(child->geometry())) << child->windowTitle().toStdString();
    EXPECT_TRUE(desk->fileCommands().SaveQuery());
    EXPECT_EQ(session().LapsWin, session().SavedLapsWin);
    EXPECT_EQ(session().SessionWin, session().SavedSessionWin);
    EXPECT_EQ(session().StatWin.Left, 24000);
    EXPECT_EQ(session().FileState, FileState::Saved);
    EXPECT_TRUE(messages().empty());

    w().stat()->move(w().stat()->pos() + QPoint(0, 1));
    fakes.messages.answers = {MessageBox::Cancel};
    EXPECT_FALSE(desk->fileCommands().SaveQuery());
}
