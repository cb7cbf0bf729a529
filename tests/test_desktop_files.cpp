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
#include "session/FileCommands.h"

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
// without harm, and each goes to the top of the recent files.
TEST_F(DesktopFilesTest, EveryFuzzSeedOpensAndTheRecentListStaysIntact) {
    fakes.files.files[kIni] = "[File]\r\nFile1=/data/R&D.DAT\r\n";
    load();
    EXPECT_EQ(desk->menuFile(7)->text(), "/data/R&&D.DAT");  // shown as an "&"
    allWindows();
    std::vector<std::string> opened{"/data/R&D.DAT"};
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

TEST_F(DesktopFilesTest, ANamedOrDroppedFileOpensAsFileOpenDoes) {
    desk->menuFile_Click(0);
    saveAs("/data/Race1.DAT");
    fakes.files.files["/data/Bad.DAT"] = items::text("ORVEX:1.1");
    // A relative name is the current folder's; the recent list keeps it whole.
    const QString here = QDir(QDir::currentPath()).filePath("Here.DAT");
    fakes.files.folders.insert(QDir::currentPath().toStdString());
    fakes.files.files[here.toStdString()] = fakes.files.files["/data/Race1.DAT"];
    desk->openDataFile("Here.DAT");
    EXPECT_EQ(desk->menuFile(7)->text(), here);

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
    EXPECT_EQ(messages(), std::vector<std::string>{"File not valid Bad.DAT"});
    EXPECT_TRUE(drop({QUrl::fromLocalFile("/data/Race1.DAT")}));
    EXPECT_EQ(desk->windowTitle(), kTitle + "Race1");
}
