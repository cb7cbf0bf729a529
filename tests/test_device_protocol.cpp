#include <gtest/gtest.h>

#include "device/DeviceFrames.h"
#include "device/DeviceProtocol.h"
#include "fakes/FakePlatform.h"
#include "fakes/FakeSetupControls.h"
#include "fakes/ScriptedDevice.h"
#include "platform/RunError.h"

using namespace orvex;

namespace {

// The operations on the fake port, reporting a status.
struct ProtocolTest : ::testing::Test {
    FakePlatform fakes;
    FakeSerialPort& port = fakes.serial;
    ScriptedDevice device;
    std::vector<std::int32_t> laps = std::vector<std::int32_t>(751, 77);
    BlockReading stored;
    void SetUp() override {
        port.device = [this](const Bytes& f) { return device(f); };
    }
};

}  // namespace

TEST_F(ProtocolTest, ConnectSkipsMissingBusyAndSilentPortsAndKeepsAnOpenOne) {
    port.existing = {2, 3, 5};
    port.busy = {2};
    port.devicePort = 5;
    EXPECT_EQ(Device_Connect(), LinkStatus::Ok);
    EXPECT_EQ(port.openedPorts, (std::vector<int>{3, 5}));
    EXPECT_EQ(device.frames, std::vector<Bytes>{deviceFrame(DeviceCode::Identify)});
    EXPECT_EQ(Device_Connect(), LinkStatus::Ok);
    EXPECT_EQ(device.frames.size(), 1u);

    port.setPortOpen(false);
    port.devicePort = 3;
    port.device = [](const Bytes&) { return Bytes(12, 0x49); };  // a short identify reply
    EXPECT_EQ(Device_Connect(), LinkStatus::NoDevice);
}

TEST_F(ProtocolTest, ABlockFillsItsSlotsByTheirCheckBytesErasedRecordsAreEmptyOrItStoresNothing) {
    for (int k = 1; k <= 25; ++k) device.put(725 + k, deviceRecord(1000u + k));
    device.put(727, deviceRecord(6000, 1));
    device.put(728, bytesOf({0xFF, 0xFF, 0xFF, 0xFF, 0xFF}));  // erased: an empty slot
    port.setPortOpen(true);
    EXPECT_EQ(Block_Read(30, laps, stored), LinkStatus::Ok);
    EXPECT_EQ(stored.failed, 1);
    EXPECT_EQ(stored.erased, 1);
    EXPECT_EQ(device.frames.size(), std::size_t(kBlockAttempts));
    for (int slot = 1; slot <= 725; ++slot) ASSERT_EQ(laps[slot], 77) << slot;
    EXPECT_EQ(laps[726], 1001);
    EXPECT_EQ(laps[727] + laps[728], 0);
    EXPECT_EQ(laps[750], 1025);

    // Nothing readable in three readings: stored as empty, judged by the caller.
    for (int k = 1; k <= 25; ++k) device.put(k, deviceRecord(1000u + k, 1));
    EXPECT_EQ(Block_Read(1, laps, stored), LinkStatus::Ok);
    EXPECT_EQ(stored.failed, 25);
    EXPECT_TRUE(port.portOpen());
    laps.assign(751, 77);
    device.answerBlocksUpTo = 0;
    EXPECT_EQ(Block_Read(2, laps, stored), LinkStatus::NoReply);
    EXPECT_FALSE(port.portOpen());
    EXPECT_EQ(laps, std::vector<std::int32_t>(751, 77));
    EXPECT_THROW(Block_Read(31, laps, stored), RunError);
    laps.resize(750);
    EXPECT_THROW(Block_Read(30, laps, stored), RunError);
}

TEST_F(ProtocolTest, SettingsReadFillsTheDialogOnlyFromAReplyAndWriteNeedsTheExactAck) {
    device.settings = bytesOf({0x02, 0x0A, 0xFE});
    FakeSetupControls dialog;
    port.setPortOpen(true);
    EXPECT_EQ(Setup_Read([&] { return &dialog; }), LinkStatus::Ok);
    EXPECT_EQ(
        (SettingsFields{dialog.brightness, dialog.lapDisplay, dialog.pause, dialog.correction}),
        (SettingsFields{false, true, "10", "-2"}));
    EXPECT_EQ(Setup_Read([] { return nullptr; }), LinkStatus::DialogClosed);
    dialog.pause = "255";
    EXPECT_EQ(Setup_Write(dialog), LinkStatus::Ok);
    EXPECT_EQ(device.frames.back(), bytesOf({0x48, 0x06, 0x02, 0xFF, 0xFE, 0x34, 0x44}));

    port.device = [](const Bytes& f) {
        return f[1] == 0x06 ? bytesOf({0x52, 0x06, 0x35, 0x39}) : bytesOf({0x52, 0x07, 0x01});
    };
    EXPECT_EQ(Setup_Write(dialog), LinkStatus::NoReply);
    EXPECT_EQ(Setup_Read([&] { return &dialog; }), LinkStatus::NoReply);
    EXPECT_EQ(dialog.pause, "255");
    port.device = [](const Bytes&) { return Bytes{}; };
    EXPECT_EQ(Test_Mode(TestModes::End), LinkStatus::NoReply);
}
