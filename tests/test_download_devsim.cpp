#include <gtest/gtest.h>

#include <QTest>
#include <set>

#include "device/DeviceProtocol.h"
#include "device/SerialLink.h"
#include "fakes/DevsimProcess.h"
#include "fakes/FakePlatform.h"
#include "platform/qt/QtPlatform.h"
#include "session/Session.h"
#include "shell/DesktopDevice.h"
#include "shell/frmDesktop.h"

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
