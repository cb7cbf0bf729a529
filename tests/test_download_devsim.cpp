#include <gtest/gtest.h>

#include <QTest>
#include <set>

#include "device/DeviceLink.h"
#include "device/SerialLink.h"
#include "fakes/DevsimProcess.h"
#include "fakes/FakePlatform.h"
#include "platform/QtPlatform.h"
#include "platform/SerialPort.h"
#include "session/Session.h"
#include "session/TimeFormat.h"
#include "shell/DesktopDevice.h"
#include "shell/frmDesktop.h"

using namespace orvex;

namespace {

std::uint32_t raceLap(int slot) { return 6000u + (slot * 7919u) % 4000u; }

// The real port, clock, timer and main window; recorded boxes and pointer.
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
        DeviceCommand = DownloadActive = BlocksToRead = 0;
        s.ResetSession();
        s.FileState = FileState::Saved;
        s.SessionTrack = "Vallelunga";
        s.LapTimes[1] = 4242;  // the earlier session a failed download must keep
        s.MakeTotals();
        s.SortTotals();
        s.MakeLapList(1);
        desk = std::make_unique<frmDesktop>();
        desk->Form_Load();
    }
    void TearDown() override {
        desk.reset();
        Port_Close();
        qunsetenv("ORVEX_PORTS");
        DeviceCommand = 0;
        s.FileState = FileState::NoSession;
    }
    void usePort(const QString& path) { qputenv("ORVEX_PORTS", path.toUtf8()); }

    // Chooses Device > Download data and lets the timer run until it ends.
    void download() {
        desk->MenuDevice_Click(0);
        ASSERT_TRUE(
            QTest::qWaitFor([] { return DeviceCommand == 0 && DownloadActive == 0; }, 30000));
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
        EXPECT_EQ(s.TotalList[1].Text, "00:00.42.42");
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
    EXPECT_EQ(s.LapCount, 750);
    std::int64_t driver3 = 0;
    for (int l = 1; l <= 25; ++l) driver3 += raceLap(50 + l);
    EXPECT_EQ(s.TotalList[3].Text, FormatTime(std::int32_t(driver3)));
    EXPECT_EQ(messages.texts(), std::vector<std::string>{"Laps that could not be read: 4"});
    expectUsable();
}

TEST_F(DownloadTest, OneLapOfDriverTwoEndsInSlot26) {
    DevsimProcess sim(ORVEX_DEVSIM, {},
                      deviceMemoryImage([](int slot) { return slot == 26 ? 6000u : 0u; }));
    usePort(sim.path());
    download();
    for (int i = 1; i <= 750; ++i) ASSERT_EQ(s.LapTimes[i], i == 26 ? 6000 : 0) << i;
    EXPECT_EQ(s.SortedTotalList[30].Number, 2);
}

TEST_F(DownloadTest, NoDeviceSaysSoAndKeepsTheSession) {
    usePort("/dev/orvex-no-such-port");
    download();
    EXPECT_EQ(messages.texts(), std::vector<std::string>{"Device NOT Connected !"});
    expectUsableAndUntouched();
}

TEST_F(DownloadTest, EveryDeviceFaultKeepsTheSession) {
    const QStringList faults[] = {{"--silent"},
                                  {"--short-reply"},
                                  {"--no-reply-block", "15"},
                                  {"--slow-block", "29"},
                                  {"--hang-up-after", "4"}};
    for (const QStringList& fault : faults) {
        SCOPED_TRACE(fault.join(' ').toStdString());
        messages.shown.clear();
        DevsimProcess sim(ORVEX_DEVSIM, fault, deviceMemoryImage(raceLap));
        usePort(sim.path());
        download();
        expectUsableAndUntouched();
        // A device that never answered is "not connected"; one that stopped
        // answering mid-way abandons the download without a word.
        const bool neverAnswered = fault.first() == "--silent" || fault.first() == "--short-reply";
        const std::vector<std::string> expected =
            neverAnswered ? std::vector<std::string>{"Device NOT Connected !"}
                          : std::vector<std::string>{};
        EXPECT_EQ(messages.texts(), expected);
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
    ASSERT_TRUE(QTest::qWaitFor([] { return DownloadActive == 1; }, 5000));
    EXPECT_TRUE(desk->close());
    EXPECT_EQ(desk->device().progressWindow(), nullptr);
    EXPECT_FALSE(platform().serial->portOpen());
    EXPECT_FALSE(desk->device().tmrComm.isActive());
    EXPECT_EQ(DeviceCommand, 0);
    EXPECT_EQ(s.LapTimes[1], 4242);
    EXPECT_EQ(s.LapTimes[750], 0);
}
