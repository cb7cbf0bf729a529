#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <set>

#include "device/DeviceProtocol.h"
#include "device/SerialLink.h"
#include "fakes/DevsimProcess.h"
#include "fakes/FakePlatform.h"
#include "platform/qt/QtPlatform.h"
#include "session/Session.h"
#include "session/TimeFormat.h"
#include "shell/DesktopDevice.h"
#include "shell/frmDesktop.h"
#include "ui/results/frmResults.h"

using namespace orvex;

namespace {

std::uint32_t raceLap(int slot) { return 6000u + (slot * 7919u) % 4000u; }

// The simulator over a pseudo-terminal, the real port, clock, timer and main
// window; recorded boxes and pointer.
class DownloadTest : public ::testing::Test {
protected:
    QtPlatform qt;
    FakeMessageBox messages;
    FakeMousePointer pointer;
    std::unique_ptr<frmDesktop> desk;
    Session& s = session();

    void SetUp() override {
        Platform p = qt.interfaces();
        p.messages = &messages;
        p.pointer = &pointer;
        installPlatform(p);
        s.ResetSession();
        s.StoreLayout();  // as a file read leaves it: nothing to ask about
        s.FileState = FileState::Saved;
        desk = std::make_unique<frmDesktop>();
        desk->Form_Load();
    }
    void TearDown() override {
        desk.reset();
        Port_Close();
        qunsetenv("ORVEX_PORTS");
        s.FileState = FileState::NoSession;
    }
    void usePort(const QString& path) { qputenv("ORVEX_PORTS", path.toUtf8()); }
};

}  // namespace

// Memory erased behind driver 19 holds empty slots, not unreadable laps.
TEST_F(DownloadTest, AWholeDownloadAtWireSpeedWithBytesAfterRepliesEqualsTheDevicesMemory) {
    const std::set<int> bad = {1, 26, 400, 450};
    DevsimProcess sim(
        {"--baud", "9600", "--extra", "4", "--bad-check", "1,26,400,450", "--erased-from", "20"},
        raceLap);
    usePort(sim.path);
    desk->MenuDevice_Click(0);  // Device > Download data; the timer runs it
    CommTick& tick = desk->device().tick();
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return tick.requests().pending() == DeviceCommand::None && !tick.downloadActive(); },
        30000));
    for (int slot = 1; slot <= 750; ++slot)
        ASSERT_EQ(s.LapTimes[slot], bad.count(slot) || slot > 475 ? 0 : std::int32_t(raceLap(slot)))
            << slot;
    EXPECT_EQ(s.FileState, FileState::Modified);
    EXPECT_EQ(messages.texts(), std::vector<std::string>{"Laps that could not be read: 4"});
    EXPECT_TRUE(desk->isEnabled());
    EXPECT_FALSE(platform().serial->portOpen());
}

TEST_F(DownloadTest, TheScanFindsTheDeviceOnPortThree) {
    DevsimProcess sim({}, raceLap);
    // Port 1 does not exist and port 2 is an empty entry.
    usePort("/dev/orvex-no-such-port::" + sim.path);
    desk->device().shutdown();
    ASSERT_EQ(Device_Connect(), LinkStatus::Ok);
    EXPECT_EQ(platform().serial->commPort(), 3);
}

// The demo's data: a generated race has its false crossings. Next suspect
// goes from one suspect lap to the next until a very short one; joined with
// the lap after it, the mark is gone and that lap says what it counts for.
TEST_F(DownloadTest, AGeneratedRacesFalseCrossingIsFoundWithNextSuspectAndJoined) {
    DevsimProcess sim({"--baud", "9600", "--seed", "3"}, {});
    usePort(sim.path);
    desk->MenuDevice_Click(0);
    CommTick& tick = desk->device().tick();
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return tick.requests().pending() == DeviceCommand::None && !tick.downloadActive(); },
        30000));
    frmResults* f = desk->showResultsWindow();
    const int suspects = f->model()->results().suspects;
    ASSERT_GT(suspects, 0);
    EXPECT_EQ(f->suspectsLabel()->text(), QString("Suspect laps: %1").arg(suspects));
    auto* next = f->findChild<QPushButton*>("cmdNextSuspect");
    std::set<std::pair<int, int>> seen;
    RecordedLap lap;
    do {
        next->click();
        lap = f->lapsModel()->laps().at(f->lapsTable()->currentIndex().row());
        ASSERT_TRUE(lap.suspect);
        ASSERT_TRUE(seen.insert({f->currentDriver(), lap.lap}).second) << "no false crossing";
    } while (lap.time >= 2000);
    const int driver = f->currentDriver();
    EXPECT_EQ(f->lapsModel()->index(lap.lap - 1, 2).data().toString(), "suspect");
    f->lapAction(LapCorrection::Join)->trigger();
    EXPECT_EQ(f->model()->results().suspects, suspects - 1);
    EXPECT_EQ(f->currentDriver(), driver);
    const RecordedLap& counts = f->lapsModel()->laps().at(lap.lap);
    EXPECT_FALSE(counts.suspect);
    EXPECT_EQ(f->lapsModel()->index(lap.lap, 2).data().toString(),
              QString("%1 (laps %2+%3)")
                  .arg(QString::fromStdString(clockText(counts.countedTime)))
                  .arg(lap.lap)
                  .arg(lap.lap + 1));
}
