#include <gtest/gtest.h>

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <set>

#include "autocopy/DownloadCopy.h"
#include "fakes/ChildProcess.h"
#include "fakes/MainWindowFixture.h"
#include "fakes/ScriptedDevice.h"
#include "platform/qt/QtFileSystem.h"
#include "session/FileCommands.h"
#include "shell/DesktopDevice.h"
#include "ui/results/frmResults.h"

using namespace orvex;

namespace {

const std::string kFolder = "/orvex/downloads";
const std::string kName = "2026-12-04 12-00-00";
const std::string kFirst = kFolder + "/" + kName + ".DAT";

// A new session on the main window, then downloads from the device behind the
// fake port (driver 2's first lap is 6000) at 12:00:00 on the fake clock.
class DownloadCopyTest : public MainWindowFixture {
protected:
    ScriptedDevice device;

    void SetUp() override {
        MainWindowFixture::SetUp();
        fakes.serial.device = [this](const Bytes& f) { return device(f); };
        device.put(26, deviceRecord(6000));
        load();
        desk->menuFile_Click(0);
    }
    void download() {
        session().LapTimes.assign(751, 0);
        desk->device().requests().post(DeviceCommand::StartDownload);
        for (int i = 0; i < 40 && desk->device().requests().pending() != DeviceCommand::None; ++i)
            desk->device().tick().Tick();
        ASSERT_EQ(session().LapTimes[26], 6000);
    }
    std::vector<std::string> copies() { return downloadCopies(fakes.files.fileNames(kFolder)); }
};

}  // namespace

TEST_F(DownloadCopyTest, EachDownloadGetsACopyWithTheBytesOfSaveAndTheSessionKeepsItsName) {
    frmResults* results = desk->showResultsWindow();
    ASSERT_EQ(results->model()->rowCount(), 0);
    download();
    EXPECT_EQ(results->model()->rowCount(), 1);  // the open Results window shows the race
    // What came in, then where its copy went.
    EXPECT_EQ(desk->statusText().toStdString(),
              "Downloaded: 1 driver, 1 lap. Download copied to " + kFirst);
    std::vector<std::int32_t> laps(kLapSlots + 1, 0);
    for (int d = 1; d <= 18; ++d)
        for (int l = 1; l <= 17; ++l) laps[lapSlot(d, l)] = 5000;
    EXPECT_EQ(DesktopDevice::downloadSummary(laps, 2),
              "Downloaded: 18 drivers, 306 laps, 2 unreadable");
    EXPECT_EQ(session().DataFileName, "New");
    EXPECT_EQ(session().FileState, FileState::Modified);

    fakes.fileDialogs.answers.push_back("/orvex/Saved.DAT");
    desk->menuFile_Click(3);
    EXPECT_EQ(fakes.files.files.at(kFirst), fakes.files.files.at("/orvex/Saved.DAT"));

    download();
    EXPECT_EQ(copies(), (std::vector<std::string>{kName + ".DAT", kName + " (2).DAT"}));
    EXPECT_TRUE(fakes.messages.shown.empty());
}

// Copies from a clock set ahead: the copy just written sorts first and is
// kept; of the others the oldest goes (in its second, the one without a number).
TEST_F(DownloadCopyTest, TheNewestTwoHundredAndTheNewCopyAreKeptAndNothingElseIsDeleted) {
    fakes.files.folders.insert(kFolder);
    std::vector<std::string> later;
    for (int i = 0; i < 199; ++i)
        later.push_back(downloadCopyName({{2027, 1, 1}, 0, i / 60, i % 60}, 1));
    later.insert(later.begin() + 1, downloadCopyName({{2027, 1, 1}, 0, 0, 0}, 2));
    const std::vector<std::string> foreign = {"notes.txt", "2026-12-01 00-00-00.dat",
                                              "2026-12-01 00-00-00 (x).DAT", "2026-12-01.DAT"};
    for (const auto& n : later) fakes.files.files[kFolder + "/" + n] = "later";
    for (const auto& n : foreign) fakes.files.files[kFolder + "/" + n] = "mine";

    download();
    EXPECT_EQ(desk->statusText().toStdString(),
              "Downloaded: 1 driver, 1 lap. Download copied to " + kFirst);
    const auto kept = copies();
    ASSERT_EQ(kept.size(), kDownloadCopiesKept);
    EXPECT_EQ(kept[0], kName + ".DAT");
    EXPECT_EQ(kept[1], later[1]);
    for (const auto& n : foreign) EXPECT_TRUE(fakes.files.fileExists(kFolder + "/" + n)) << n;
}

TEST_F(DownloadCopyTest, TheTemporaryFilesOfKilledCopiesAndNothingElseAreRemoved) {
    const std::vector<std::string> stay = {kName + ".DAT", temporaryNameFor("notes.txt", "a1B2c3"),
                                           kName + ".DAT.tmp-a1", kName + ".DAT~"};
    for (const auto& n : stay) fakes.files.files[kFolder + "/" + n] = "x";
    fakes.files.files[kFolder + "/" + temporaryNameFor(kName + " (2).DAT", "a1B2c3")] = "cut";
    RemoveUnfinishedCopies();
    auto left = fakes.files.fileNames(kFolder);
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{stay[0], stay[2], stay[3], stay[1]}));
}

TEST_F(DownloadCopyTest, OnDiskTwoInstancesWithinOneSecondKeepEveryCopyAndAFullDiskSaysSo) {
    QTemporaryDir dir;
    QtFileSystem disk;
    Platform real = fakes.interfaces();
    real.files = &disk;
    installPlatform(real);
    fakes.folder.folder = dir.path().toStdString();
    const std::vector<int> failures = inChildren(2, [&](int instance) {
        int failed = 0;
        for (int i = 0; i < 6; ++i) {
            session().SessionNote = "copy " + std::to_string(instance) + std::to_string(i);
            failed += !Download_Copy(nullptr).isOk();
        }
        return failed;
    });
    EXPECT_EQ(failures, (std::vector<int>{0, 0}));
    std::set<QByteArray> distinct;  // each copy has its own note
    for (const auto& n : downloadCopies(disk.fileNames(downloadCopyFolder()))) {
        QFile f(QString::fromStdString(downloadCopyFolder() + "/" + n));
        if (f.open(QIODevice::ReadOnly)) distinct.insert(f.readAll());
    }
    EXPECT_EQ(distinct.size(), 12u);
    // A full disk: no cut copy, and the status line says so.
    const auto full = [&](int) {
        const Result<std::string> copy = Download_Copy(nullptr);
        return copy.status().code() == StatusCode::DiskFull;
    };
    EXPECT_EQ(inChildren(1, full, 4096), std::vector<int>{1});
    EXPECT_EQ(downloadCopies(disk.fileNames(downloadCopyFolder())).size(), 12u);
    installPlatform(fakes.interfaces());
}

TEST_F(DownloadCopyTest, AnUnwritableFolderStillCompletesTheDownloadAndSaysWhy) {
    fakes.files.readOnlyFolders.insert("/orvex");
    download();
    EXPECT_TRUE(desk->isEnabled());
    EXPECT_EQ(desk->device().requests().pending(), DeviceCommand::None);
    const QString why =
        "Downloaded: 1 driver, 1 lap. Download copy not saved: permission denied (" +
        QString::fromStdString(kFolder) + ")";
    EXPECT_EQ(desk->statusText(), why);
    EXPECT_EQ(desk->findChild<QLabel*>("StatusPanel1")->toolTip(), why);
    EXPECT_TRUE(fakes.messages.shown.empty());

    fakes.files.folders.insert(kFolder);
    fakes.files.readOnlyFolders = {kFolder};
    download();
    EXPECT_EQ(desk->statusText(), why);
    EXPECT_TRUE(copies().empty());
}

TEST_F(DownloadCopyTest, OpenDownloadOpensACopyAsFileOpenDoes) {
    download();
    QAction* item = nullptr;
    for (QAction* a : desk->findChildren<QAction*>())
        if (a->text() == "Open do&wnload...") item = a;
    ASSERT_TRUE(item && item->isEnabled());
    fakes.fileDialogs.answers.push_back(kFirst);
    item->trigger();

    EXPECT_EQ(fakes.fileDialogs.shown.back().settings.initialFolder, kFolder);
    EXPECT_EQ(fakes.messages.texts(),
              std::vector<std::string>{"File modified. Save your changes to 'New' ?"});
    EXPECT_EQ(session().LapTimes[26], 6000);
    EXPECT_EQ(session().FileState, FileState::Saved);
    EXPECT_EQ(desk->windowTitle().toStdString(), FileCommands::titleFor(kName));
    EXPECT_EQ(desk->menuFile(7)->text().toStdString(), kFirst);
}
