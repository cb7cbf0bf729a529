#include <gtest/gtest.h>

#include "device/DeviceFrames.h"
#include "device/DeviceProtocol.h"
#include "fakes/FakePlatform.h"
#include "fakes/FakeSetupControls.h"
#include "fakes/ScriptedDevice.h"
#include "platform/RunError.h"

using namespace orvex;

namespace {

// The operations report; they show nothing and leave the pointer alone.
struct ProtocolTest : ::testing::Test {
    FakePlatform fakes;
    FakeSerialPort& port = fakes.serial;
    ScriptedDevice device;
    std::vector<std::int32_t> laps = std::vector<std::int32_t>(751, 77);
    int failed = -1;
    void SetUp() override {
        port.device = [this](const Bytes& f) { return device(f); };
    }
    void TearDown() override {
        EXPECT_TRUE(fakes.messages.shown.empty());
        EXPECT_TRUE(fakes.pointer.history.empty());
    }
};

}  // namespace

TEST_F(ProtocolTest, ConnectSkipsMissingBusyAndSilentPortsAndKeepsAnOpenOne) {
    port.existing = {2, 3, 5};
    port.busy = {2};
    port.devicePort = 5;
    EXPECT_EQ(Device_Connect(), LinkStatus::Ok);
    EXPECT_EQ(port.openedPorts, (std::vector<int>{3, 5}));
    EXPECT_EQ(port.commPort(), 5);
    EXPECT_EQ(device.frames, std::vector<Bytes>{bytesOf({0x48, 0x02, 0x34, 0x41})});
    EXPECT_GE(fakes.ticks.now, 1000u);  // port 3 stayed silent for its full second
    EXPECT_EQ(Device_Connect(), LinkStatus::Ok);
    EXPECT_EQ(device.frames.size(), 1u);

    port.setPortOpen(false);
    port.devicePort = 21;
    port.existing = {1, 7, 20, 21};
    port.openedPorts.clear();
    EXPECT_EQ(Device_Connect(), LinkStatus::NoDevice);
    EXPECT_FALSE(port.portOpen());
    EXPECT_EQ(port.openedPorts, (std::vector<int>{1, 7, 20}));
    port.devicePort = 1;
    port.device = [](const Bytes&) { return Bytes(12, 0x49); };  // a short identify reply
    EXPECT_EQ(Device_Connect(), LinkStatus::NoDevice);
}

TEST_F(ProtocolTest, Block30ComesFromAddress3625IntoSlots726To750ByTheirCheckBytes) {
    for (int k = 1; k <= 25; ++k) device.put(725 + k, deviceRecord(1000u + k));
    device.put(727, deviceRecord(6000, 1));
    device.put(728, deviceRecord(0xFFFFFFFFu));
    port.setPortOpen(true);
    EXPECT_EQ(Block_Read(30, laps, failed), LinkStatus::Ok);
    EXPECT_EQ(failed, 1);
    EXPECT_EQ(device.frames.back(), bytesOf({0x48, 0x0C, 0x0E, 0x29, 0x38, 0x42}));
    EXPECT_EQ(std::count(device.frames.begin(), device.frames.end(), device.frames.back()),
              kBlockAttempts);
    for (int slot = 1; slot <= 725; ++slot) ASSERT_EQ(laps[slot], 77) << slot;
    EXPECT_EQ(laps[726], 1001);
    EXPECT_EQ(laps[727], 0);
    EXPECT_EQ(laps[728], -1);
    EXPECT_EQ(laps[750], 1025);
    EXPECT_TRUE(port.portOpen());
}

TEST_F(ProtocolTest, BlockWithoutReplyOrGoodRecordStoresNothingAndClosesThePort) {
    for (int k = 1; k <= 25; ++k) device.put(k, deviceRecord(1000u + k, 1));
    port.setPortOpen(true);
    EXPECT_EQ(Block_Read(1, laps, failed), LinkStatus::NotTheDevice);
    EXPECT_FALSE(port.portOpen());
    device.answerBlocks = false;
    port.setPortOpen(true);
    EXPECT_EQ(Block_Read(2, laps, failed), LinkStatus::NoReply);
    EXPECT_FALSE(port.portOpen());
    EXPECT_EQ(laps, std::vector<std::int32_t>(751, 77));

    port.setPortOpen(true);
    EXPECT_THROW(Block_Read(0, laps, failed), RunError);
    EXPECT_THROW(Block_Read(31, laps, failed), RunError);
    laps.resize(750);
    EXPECT_THROW(Block_Read(30, laps, failed), RunError);
}

TEST_F(ProtocolTest, SettingsReadFillsTheDialogOnlyFromAReplyAndWriteNeedsTheExactAck) {
    device.settings = bytesOf({0x02, 0x0A, 0xFE});
    FakeSetupControls dialog;
    dialog.brightness = true;
    port.setPortOpen(true);
    EXPECT_EQ(Setup_Read([&] { return &dialog; }), LinkStatus::Ok);
    EXPECT_EQ(
        (SettingsFields{dialog.brightness, dialog.lapDisplay, dialog.pause, dialog.correction}),
        (SettingsFields{false, true, "10", "-2"}));
    EXPECT_EQ(Setup_Read([] { return nullptr; }), LinkStatus::DialogClosed);

    dialog.pause = "255";
    dialog.correction = "-128";
    EXPECT_EQ(Setup_Write(dialog), LinkStatus::Ok);
    EXPECT_EQ(device.frames.back(), bytesOf({0x48, 0x06, 0x02, 0xFF, 0x80, 0x43, 0x46}));

    port.device = [](const Bytes& f) {
        return f[1] == 0x06 ? bytesOf({0x52, 0x06, 0x35, 0x39}) : bytesOf({0x52, 0x07, 0x01});
    };
    EXPECT_EQ(Setup_Write(dialog), LinkStatus::NoReply);
    EXPECT_EQ(Setup_Read([&] { return &dialog; }), LinkStatus::NoReply);
    EXPECT_EQ(dialog.pause, "255");
}

TEST_F(ProtocolTest, TestModeReportsAMissingReplyMemoryClearWaitsForNothing) {
    port.setPortOpen(true);
    EXPECT_EQ(Test_Mode(TestModes::Display), LinkStatus::Ok);
    EXPECT_EQ(port.written.back(), bytesOf({0x48, 0x05, 0x80, 0x43, 0x44}));
    port.device = [](const Bytes&) { return Bytes{}; };
    EXPECT_EQ(Test_Mode(TestModes::End), LinkStatus::NoReply);

    const std::uint32_t start = fakes.ticks.now;
    Memory_Clear();
    EXPECT_EQ(port.written.back(), bytesOf({0x48, 0x01, 0x34, 0x39}));
    EXPECT_LT(fakes.ticks.now - start, 10u);
}
