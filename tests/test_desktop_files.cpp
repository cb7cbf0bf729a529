#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QUrl>

#include "ItemBytes.h"
#include "fakes/MainWindowFixture.h"
#include "lists/ChildWindows.h"
#include "lists/frmLaps.h"
#include "lists/frmSession.h"
#include "lists/frmStat.h"
#include "session/FileCommands.h"

using namespace orvex;

namespace {

const std::string kIni = "/orvex/ORVEX.INI";

class DesktopFilesTest : public MainWindowFixture {
protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        fakes.files.folders.insert("/data");
    }
};

}  // namespace

TEST_F(DesktopFilesTest, TheStoredRecentFilesFillTheFileMenu) {
    fakes.files.files[kIni] = "[File]\r\nFile1=/data/R&D.DAT\r\nFile2=/data/B.DAT\r\n";
    load();
    EXPECT_TRUE(desk->menuFile(8)->isVisible());
    EXPECT_FALSE(desk->menuFile(9)->isVisible());
    // An "&" in a name is shown as such and read back exactly.
    EXPECT_EQ(desk->menuFile(7)->text(), "/data/R&&D.DAT");
    EXPECT_EQ(desk->menuFile(8)->text(), "/data/B.DAT");

    desk->menuFile_Click(8);
    EXPECT_EQ(fakes.messages.texts(),
              std::vector<std::string>{"/DATA/B.DAT\nErrore : Impossibile trovare il file"});
    EXPECT_EQ(desk->menuFile(7)->text(), "/data/B.DAT");
    EXPECT_EQ(desk->menuFile(8)->text(), "/data/R&&D.DAT");
}

TEST_F(DesktopFilesTest, TheCloseBoxAsksBeforeDroppingUnsavedWork) {
    load();
    EXPECT_TRUE(desk->close());  // nothing to save
    desk->show();
    desk->menuFile_Click(0);
    fakes.messages.answers = {MessageBox::Cancel};
    EXPECT_FALSE(desk->close());
    EXPECT_TRUE(desk->isVisible());
    EXPECT_EQ(fakes.messages.texts(),
              std::vector<std::string>{"File modified. Save your changes to 'New' ?"});
    fakes.messages.answers = {MessageBox::No};
    EXPECT_TRUE(desk->close());
}

TEST_F(DesktopFilesTest, ASavedLayoutComesBackWhenTheFileIsOpened) {
    load();
    desk->menuFile_Click(0);
    desk->toolbarButton("Laps")->trigger();
    desk->MenuView(0)->trigger();
    ASSERT_NE(desk->childWindows().laps(), nullptr);
    desk->childWindows().laps()->move(100, 50);
    fakes.fileDialogs.answers.push_back("/data/Layout.DAT");
    desk->menuFile_Click(3);
    ASSERT_EQ(session().FileState, FileState::Saved);
    EXPECT_EQ(desk->windowTitle(), "  ORVEX Timing System : Layout");
    EXPECT_EQ(desk->menuFile(7)->text(), "/data/Layout.DAT");

    desk->menuFile_Click(0);
    EXPECT_EQ(desk->childWindows().laps(), nullptr);
    EXPECT_EQ(desk->childWindows().stat(), nullptr);
    EXPECT_EQ(desk->childWindows().sessionData(), nullptr);

    fakes.fileDialogs.answers.push_back("/data/Layout.DAT");
    fakes.messages.answers = {MessageBox::No};
    desk->menuFile_Click(1);
    ASSERT_NE(desk->childWindows().laps(), nullptr);
    EXPECT_NE(desk->childWindows().stat(), nullptr);
    EXPECT_NE(desk->childWindows().sessionData(), nullptr);
    EXPECT_EQ(desk->buttonValue("Laps"), 1);
    EXPECT_EQ(session().LapsWin.Left, 100 * 15);
    // Everything is where the file says, so nothing asks to be saved.
    fakes.messages.shown.clear();
    EXPECT_TRUE(desk->fileCommands().SaveQuery());
    EXPECT_TRUE(fakes.messages.shown.empty());

    desk->childWindows().laps()->move(200, 50);
    fakes.messages.answers = {MessageBox::Cancel};
    desk->menuFile_Click(12);
    EXPECT_TRUE(desk->isVisible());
    EXPECT_EQ(fakes.messages.texts(),
              std::vector<std::string>{"File modified. Save your changes to 'Layout' ?"});
}

TEST_F(DesktopFilesTest, NamesKeepTheirDatSpellingAndNoFileIsReplacedOrWrittenUnasked) {
    load();
    fakes.files.files["/data/race.dat"] = items::filledFile().bytes();
    fakes.fileDialogs.answers.push_back("/data/race.dat");
    desk->menuFile_Click(1);
    EXPECT_TRUE(fakes.messages.shown.empty());
    EXPECT_EQ(desk->windowTitle(), "  ORVEX Timing System : race");
    desk->menuFile_Click(2);
    EXPECT_EQ(fakes.files.files.count("/data/race.DAT"), 0u);
    EXPECT_NE(fakes.files.files["/data/race.dat"], items::filledFile().bytes());

    // Save As copy.TXT aims at copy.DAT, which is replaced only on Yes.
    fakes.files.files["/data/copy.DAT"] = "old";
    fakes.messages.answers = {MessageBox::No, MessageBox::Yes};
    fakes.fileDialogs.answers = {"/data/copy.TXT", "/data/copy.TXT"};
    desk->menuFile_Click(3);
    EXPECT_EQ(fakes.files.files["/data/copy.DAT"], "old");
    EXPECT_EQ(desk->windowTitle(), "  ORVEX Timing System : race");
    desk->menuFile_Click(3);
    const FakeMessageBox::Shown question{
        "/data/copy.DAT already exists.\nDo you want to replace it ?",
        MessageBox::YesNo | MessageBox::Exclamation | MessageBox::Default2, "ORVEX"};
    EXPECT_EQ(fakes.messages.shown, (std::vector<FakeMessageBox::Shown>{question, question}));
    EXPECT_NE(fakes.files.files["/data/copy.DAT"], "old");
    EXPECT_EQ(desk->windowTitle(), "  ORVEX Timing System : copy");
}

TEST_F(DesktopFilesTest, WindowsFarFromTheCornerAreStoredAtTheRangesEdgeAndNothingFails) {
    load();
    desk->menuFile_Click(0);
    desk->toolbarButton("Laps")->trigger();
    desk->MenuView(0)->trigger();
    desk->childWindows().laps()->move(2300, 20);
    desk->childWindows().sessionData()->move(20, 2400);
    qobject_cast<QLineEdit*>(desk->childWindows().sessionData()->txtSession[0])->setText("typed");
    desk->childWindows().sessionData()->close();
    EXPECT_EQ(session().SessionDate, "typed");
    EXPECT_EQ(session().SessionWin.Top, 32767);

    fakes.fileDialogs.answers.push_back("/data/Far.DAT");
    desk->menuFile_Click(3);
    EXPECT_EQ(session().SavedLapsWin.Left, 32767);
    EXPECT_EQ(session().SessionDate, "typed");
    EXPECT_EQ(session().FileState, FileState::Saved);
    EXPECT_TRUE(fakes.messages.shown.empty());
}

// Every file of the fuzz run's seeds, valid or damaged, opens into the
// stored layout without harm, and each goes to the top of the recent files.
TEST_F(DesktopFilesTest, EveryFuzzSeedOpensIntoTheStoredLayoutAndTheRecentListStaysIntact) {
    load();
    desk->menuFile_Click(0);
    desk->toolbarButton("Laps")->trigger();
    desk->MenuView(0)->trigger();
    std::vector<std::string> opened;
    for (const auto& [name, bytes] : items::seedFiles()) {
        SCOPED_TRACE(name);
        fakes.files.files["/data/" + name] = bytes;
        fakes.fileDialogs.answers.push_back("/data/" + name);
        fakes.messages.answers = {MessageBox::No};
        desk->menuFile_Click(1);
        opened.insert(opened.begin(), "/data/" + name);
        opened.resize(std::min<std::size_t>(opened.size(), 4));
        std::string ini = "[File]\r\n";
        for (std::size_t i = 0; i < opened.size(); ++i) {
            EXPECT_EQ(desk->menuFile(7 + int(i))->text().toStdString(), opened[i]);
            ini += "File" + std::to_string(i + 1) + "=" + opened[i] + "\r\n";
        }
        EXPECT_EQ(fakes.files.files[kIni], ini);
        EXPECT_EQ(fakes.files.files["/data/" + name], bytes);
        if (name == "valid.DAT" || name == "long-texts.DAT") {
            EXPECT_TRUE(desk->childWindows().laps() && desk->childWindows().stat() &&
                        desk->childWindows().sessionData());
        }
    }
}

TEST_F(DesktopFilesTest, ANamedOrDroppedFileOpensAsFileOpenDoesAfterTheSaveQuestion) {
    load();
    desk->menuFile_Click(0);
    fakes.fileDialogs.answers.push_back("/data/Race1.DAT");
    desk->menuFile_Click(3);
    fakes.files.files["/data/Bad.DAT"] = items::text("ORVEX:1.1");
    desk->menuFile_Click(0);

    // A relative name is the current folder's; the recent list keeps it whole.
    const QString here = QDir::currentPath();
    fakes.files.folders.insert(here.toStdString());
    fakes.files.files[QDir(here).filePath("Here.DAT").toStdString()] =
        fakes.files.files["/data/Race1.DAT"];
    fakes.messages.answers = {MessageBox::No};
    desk->openDataFile("Here.DAT");
    EXPECT_EQ(desk->menuFile(7)->text(), QDir(here).filePath("Here.DAT"));

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
    EXPECT_EQ(desk->windowTitle(), "  ORVEX Timing System : Here");

    fakes.messages.shown.clear();
    EXPECT_TRUE(drop({QUrl::fromLocalFile("/data/Bad.DAT")}));
    EXPECT_EQ(fakes.messages.texts(), std::vector<std::string>{"File not valid Bad.DAT"});
    EXPECT_TRUE(drop({QUrl::fromLocalFile("/data/Race1.DAT")}));
    EXPECT_EQ(desk->windowTitle(), "  ORVEX Timing System : Race1");
    EXPECT_EQ(desk->menuFile(7)->text(), "/data/Race1.DAT");
}
