#include <gtest/gtest.h>

#include <QTest>
#include <set>

#include "device/DeviceFrames.h"
#include "device/DeviceProtocol.h"
#include "device/SerialLink.h"
#include "fakes/DevsimProcess.h"
#include "fakes/FakePlatform.h"
#include "fakes/FakeSetupControls.h"
#include "platform/QtPlatform.h"
#include "platform/SerialPort.h"
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
        s.FileState = FileState::Saved;
        s.SessionTrack = "Vallelunga";
        s.LapTimes[1] = 4242;  // the earlier session a failed download must keep
        s.MakeTotals();
        s.SortTotals();
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
    CommTick& tick() { return desk->device().tick(); }

    // Chooses Device > Download data and lets the timer run until it ends.
    void download() {
        desk->MenuDevice_Click(0);
        ASSERT_TRUE(QTest::qWaitFor(
            [this] {
                return tick().requests().pending() == DeviceCommand::None &&
                       !tick().downloadActive();
            },
            30000));
        QTest::qWait(120);  // the indicator follows on the next tick
    }
    void expectUsable() {
        EXPECT_TRUE(desk->isEnabled());
        EXPECT_EQ(desk->device().progressWindow(), nullptr);
        EXPECT_FALSE(platform().serial->portOpen());
        EXPECT_EQ(desk->connectionText(), "NOT Connected");
        EXPECT_EQ(s.SessionTrack, "Vallelunga");
    }
    void expectUsableAndUntouched() {
        expectUsable();
        EXPECT_EQ(s.FileState, FileState::Saved);
        EXPECT_EQ(s.LapTimes[1], 4242);
        for (int i = 2; i <= 750; ++i) ASSERT_EQ(s.LapTimes[i], 0) << i;
        EXPECT_EQ(s.LapCount, 0);
    }
};

}  // namespace

TEST_F(DownloadTest, FullDownloadEqualsTheDevicesMemory) {
    const std::set<int> bad = {1, 26, 400, 750};
    DevsimProcess sim(ORVEX_DEVSIM, {"--bad-check", "1,26,400,750"}, deviceMemoryImage(raceLap));
    usePort(sim.path());
    download();
    for (int slot = 1; slot <= 750; ++slot)
        ASSERT_EQ(s.LapTimes[slot], bad.count(slot) ? 0 : std::int32_t(raceLap(slot))) << slot;
    EXPECT_EQ(s.FileState, FileState::Modified);
    EXPECT_EQ(messages.texts(), std::vector<std::string>{"Laps that could not be read: 4"});
    expectUsable();
}

TEST_F(DownloadTest, NoDeviceOrEveryDeviceFaultKeepsTheSession) {
    const QStringList faults[] = {{},
                                  {"--silent"},
                                  {"--short-reply"},
                                  {"--no-reply-block", "15"},
                                  {"--slow-block", "29"},
                                  {"--hang-up-after", "4"}};
    for (const QStringList& fault : faults) {
        SCOPED_TRACE(fault.join(' ').toStdString());
        messages.shown.clear();
        std::unique_ptr<DevsimProcess> sim;
        if (fault.isEmpty()) {
            usePort("/dev/orvex-no-such-port");
        } else {
            sim = std::make_unique<DevsimProcess>(ORVEX_DEVSIM, fault, deviceMemoryImage(raceLap));
            usePort(sim->path());
        }
        download();
        expectUsableAndUntouched();
        // A device that never answered is "not connected"; one that stopped
        // answering mid-way abandons the download without a word.
        const bool neverAnswered = fault.size() <= 1;
        EXPECT_EQ(messages.texts(), neverAnswered
                                        ? std::vector<std::string>{"Device NOT Connected !"}
                                        : std::vector<std::string>{});
    }
}

TEST_F(DownloadTest, BytesAfterRepliesAtWireSpeedDoNotDisturbTheDownload) {
    DevsimProcess sim(ORVEX_DEVSIM, {"--baud", "9600", "--extra", "4"}, deviceMemoryImage(raceLap));
    usePort(sim.path());
    download();
    for (int slot = 1; slot <= 750; ++slot)
        ASSERT_EQ(s.LapTimes[slot], std::int32_t(raceLap(slot))) << slot;
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(DownloadTest, ClosingTheMainWindowMidDownloadAbandonsIt) {
    DevsimProcess sim(ORVEX_DEVSIM, {"--baud", "9600"}, deviceMemoryImage(raceLap));
    usePort(sim.path());
    desk->MenuDevice_Click(0);
    ASSERT_TRUE(QTest::qWaitFor([this] { return tick().downloadActive(); }, 5000));
    EXPECT_TRUE(desk->close());
    EXPECT_EQ(desk->device().progressWindow(), nullptr);
    EXPECT_FALSE(platform().serial->portOpen());
    EXPECT_FALSE(desk->device().tmrComm.isActive());
    EXPECT_EQ(tick().requests().pending(), DeviceCommand::None);
    EXPECT_EQ(s.LapTimes[1], 4242);
    EXPECT_EQ(s.LapTimes[750], 0);
}

TEST_F(DownloadTest, TheScanFindsPortThreeAndTheShortCommandsReachTheDevice) {
    DevsimProcess sim(ORVEX_DEVSIM, {"--extra", "9"}, deviceMemoryImage(raceLap));
    // Port 1 does not exist and port 2 is an empty entry.
    usePort("/dev/orvex-no-such-port::" + sim.path());
    desk->device().shutdown();
    ASSERT_EQ(Device_Connect(), LinkStatus::Ok);
    EXPECT_EQ(platform().serial->commPort(), 3);
    FakeSetupControls sent;
    sent.brightness = true;
    sent.pause = "300";
    sent.correction = "-2.5";
    // The simulator's extra bytes after its acknowledgement make it inexact.
    EXPECT_EQ(Setup_Write(sent), LinkStatus::NoReply);
    FakeSetupControls back;
    EXPECT_EQ(Setup_Read([&] { return &back; }), LinkStatus::Ok);
    EXPECT_EQ((SettingsFields{back.brightness, back.lapDisplay, back.pause, back.correction}),
              (SettingsFields{true, false, "44", "-2"}));
    EXPECT_EQ(Test_Mode(TestModes::Display), LinkStatus::Ok);
    Memory_Clear();
    std::vector<std::int32_t> laps(751, 1);
    int failed = -1;
    ASSERT_EQ(Block_Read(7, laps, failed), LinkStatus::Ok);
    for (int k = 1; k <= 25; ++k) EXPECT_EQ(laps[150 + k], 0);

    EXPECT_TRUE(sim.stop());
    const QString log = sim.frameLog();
    for (const char* frame : {"RX 48 02 34 41", "RX 48 06 01 2C FE 37 39", "RX 48 07 34 46",
                              "RX 48 05 80 43 44", "RX 48 01 34 39", "RX 48 0C 02 EE 34 34"})
        EXPECT_TRUE(log.contains(frame)) << frame << "\n" << log.toStdString();
}
