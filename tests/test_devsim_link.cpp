#include <gtest/gtest.h>

#include "device/DeviceFrames.h"
#include "device/DeviceProtocol.h"
#include "device/SerialLink.h"
#include "fakes/DevsimProcess.h"
#include "fakes/FakePlatform.h"
#include "fakes/FakeSetupControls.h"
#include "platform/QtPlatform.h"
#include "platform/RunError.h"
#include "platform/SerialPort.h"

using namespace orvex;

namespace {

// Lap time of memory slot `slot`: distinct everywhere, some with high bits set.
std::uint32_t lapOf(int slot) {
    return slot % 50 == 0 ? 0xFFFFFF00u + slot % 7 : 5000u + slot * 37;
}

// The simulator holding the memory of lapOf, as port 3: port 1 does not exist
// and port 2 is an empty entry.
class Simulator : public DevsimProcess {
public:
    explicit Simulator(QStringList args)
        : DevsimProcess(ORVEX_DEVSIM, std::move(args), deviceMemoryImage(lapOf)) {
        EXPECT_TRUE(path().startsWith("/dev/")) << path().toStdString();
    }
    void asPortThree() const {
        qputenv("ORVEX_PORTS", ("/dev/orvex-no-such-port::" + path()).toUtf8());
    }
};

// The real port, clock and event loop; recorded message boxes and pointer.
struct DevsimLink : ::testing::Test {
    QtPlatform qt;
    FakeMessageBox messages;
    FakeMousePointer pointer;
    std::vector<std::int32_t> laps = std::vector<std::int32_t>(751, 0);

    void SetUp() override {
        Platform p = qt.interfaces();
        p.messages = &messages;
        p.pointer = &pointer;
        installPlatform(p);
    }
    void TearDown() override {
        Port_Close();
        qunsetenv("ORVEX_PORTS");
    }
    std::int32_t expected(int slot, const std::set<int>& bad = {}) const {
        return bad.count(slot) ? 0 : static_cast<std::int32_t>(lapOf(slot));
    }
};

}  // namespace

TEST_F(DevsimLink, ScanFindsTheDeviceOnPortThree) {
    Simulator sim({});
    sim.asPortThree();
    EXPECT_TRUE(Device_Connect());
    EXPECT_EQ(platform().serial->commPort(), 3);
    EXPECT_TRUE(platform().serial->portOpen());
}

TEST_F(DevsimLink, WholeMemoryReadsBlockByBlockWithBadRecordsAsZero) {
    const std::set<int> bad = {1, 26, 377, 750};
    Simulator sim({"--bad-check", "1,26,377,750"});
    sim.asPortThree();
    ASSERT_TRUE(Device_Connect());
    for (int block = 30; block >= 1; --block) ASSERT_TRUE(Block_Read(block, laps)) << block;
    for (int slot = 1; slot <= 750; ++slot) ASSERT_EQ(laps[slot], expected(slot, bad)) << slot;
    EXPECT_TRUE(sim.stop());
}

TEST_F(DevsimLink, SettingsRoundTripTestModeAndMemoryClearWithEveryFrameLogged) {
    Simulator sim({});
    sim.asPortThree();
    ASSERT_TRUE(Device_Connect());
    FakeSetupControls sent;
    sent.brightness = true;
    sent.pause = "300";
    sent.correction = "-2.5";
    EXPECT_TRUE(Setup_Write(sent));
    FakeSetupControls back;
    EXPECT_TRUE(Setup_Read([&] { return &back; }));
    EXPECT_TRUE(back.brightness);
    EXPECT_FALSE(back.lapDisplay);
    EXPECT_EQ(back.pause, "44");
    EXPECT_EQ(back.correction, "-2");

    Test_Mode(TestModes::Display);
    Memory_Clear();
    laps.assign(751, 1);
    ASSERT_TRUE(Block_Read(7, laps));
    for (int k = 1; k <= 25; ++k) EXPECT_EQ(laps[150 + k], 0);
    EXPECT_TRUE(messages.shown.empty());

    EXPECT_TRUE(sim.stop());
    const QString log = sim.frameLog();
    for (const char* frame : {"RX 48 02 34 41", "RX 48 06 01 2C FE 37 39", "RX 48 07 34 46",
                              "RX 48 05 80 43 44", "RX 48 01 34 39", "RX 48 0C 02 EE 34 34"})
        EXPECT_TRUE(log.contains(frame)) << frame << "\n" << log.toStdString();
}

TEST_F(DevsimLink, WireTimeOf9600BaudStillFitsTheSecond) {
    Simulator sim({"--baud", "9600", "--delay", "100"});
    sim.asPortThree();
    ASSERT_TRUE(Device_Connect());
    ASSERT_TRUE(Block_Read(12, laps));
    for (int k = 1; k <= 25; ++k) EXPECT_EQ(laps[275 + k], expected(275 + k));
}

TEST_F(DevsimLink, SilentOrShortReplyingDeviceIsNotFoundAndBlocksFail) {
    for (const char* fault : {"--silent", "--short-reply"}) {
        SCOPED_TRACE(fault);
        Simulator sim({fault});
        sim.asPortThree();
        EXPECT_FALSE(Device_Connect());
        EXPECT_FALSE(platform().serial->portOpen());
        platform().serial->setCommPort(3);
        platform().serial->setPortOpen(true);
        EXPECT_FALSE(Block_Read(1, laps));
        EXPECT_FALSE(platform().serial->portOpen());
        EXPECT_EQ(laps, std::vector<std::int32_t>(751, 0));
        EXPECT_TRUE(messages.shown.empty());
    }
}

TEST_F(DevsimLink, ABlockWithoutOrWithASlowReplyAbandonsOnlyFromThere) {
    Simulator sim({"--no-reply-block", "29"});
    sim.asPortThree();
    ASSERT_TRUE(Device_Connect());
    pointer.shape = MousePointer::Hourglass;
    EXPECT_TRUE(Block_Read(30, laps));
    EXPECT_FALSE(Block_Read(29, laps));
    EXPECT_FALSE(platform().serial->portOpen());
    EXPECT_EQ(pointer.shape, MousePointer::Normal);
    EXPECT_EQ(laps[726], expected(726));
    EXPECT_EQ(laps[701], 0);

    Simulator slow({"--slow-block", "30"});  // a reply slower than one second is none
    slow.asPortThree();
    ASSERT_TRUE(Device_Connect());
    laps.assign(751, 0);
    EXPECT_FALSE(Block_Read(30, laps));
    EXPECT_EQ(laps[750], 0);
}

TEST_F(DevsimLink, ExtraBytesAfterRepliesAreDiscardedBeforeTheNextRequest) {
    Simulator sim({"--extra", "9"});
    sim.asPortThree();
    ASSERT_TRUE(Device_Connect());
    for (int block = 30; block >= 1; --block) ASSERT_TRUE(Block_Read(block, laps)) << block;
    for (int slot = 1; slot <= 750; ++slot) ASSERT_EQ(laps[slot], expected(slot)) << slot;
    FakeSetupControls dialog;
    EXPECT_FALSE(Setup_Write(dialog));  // the acknowledgement must be exact
}

TEST_F(DevsimLink, HangUpMidDownloadClosesThePortWithoutStoring) {
    Simulator sim({"--hang-up-after", "2"});
    sim.asPortThree();
    ASSERT_TRUE(Device_Connect());
    EXPECT_TRUE(Block_Read(30, laps));
    EXPECT_TRUE(Block_Read(29, laps));
    EXPECT_TRUE(sim.exitedByItself(5000));
    // A line that went away is the port's error, for the command's handler.
    int error = 0;
    try {
        Block_Read(28, laps);
    } catch (const RunError& e) {
        error = e.number();
    }
    EXPECT_EQ(error, PortError::ReadFailed);
    EXPECT_FALSE(platform().serial->portOpen());
    EXPECT_EQ(laps[676], 0);
    Port_Close();
}
