#include <gtest/gtest.h>

#include "device/DeviceFrames.h"
#include "device/DeviceProtocol.h"
#include "fakes/FakePlatform.h"
#include "fakes/FakeSetupControls.h"
#include "fakes/ScriptedDevice.h"
#include "platform/RunError.h"

using namespace orvex;

namespace {

struct ProtocolTest : ::testing::Test {
    FakePlatform fakes;
    FakeSerialPort& port = fakes.serial;
    ScriptedDevice device;
    void SetUp() override {
        port.device = [this](const Bytes& f) { return device(f); };
    }
};

}  // namespace

using DeviceConnect = ProtocolTest;

TEST_F(DeviceConnect, FindsTheDeviceOnPortThreeWhenOneAndTwoDoNotExist) {
    port.existing = {3, 4};
    port.devicePort = 3;
    EXPECT_TRUE(Device_Connect());
    EXPECT_TRUE(port.portOpen());
    EXPECT_EQ(port.commPort(), 3);
    EXPECT_EQ(port.openedPorts, std::vector<int>{3});
    EXPECT_EQ(device.frames, std::vector<Bytes>{bytesOf({0x48, 0x02, 0x34, 0x41})});
    EXPECT_EQ(port.settings, "9600,N,8,1");
    EXPECT_LT(fakes.ticks.now, 1000u);
}

TEST_F(DeviceConnect, SkipsSilentAndBusyPortsAndClosesThem) {
    port.existing = {1, 2, 5};
    port.busy = {2};
    port.devicePort = 5;
    EXPECT_TRUE(Device_Connect());
    EXPECT_EQ(port.openedPorts, (std::vector<int>{1, 5}));
    EXPECT_EQ(port.commPort(), 5);
    // Port 1 opened but stayed silent for its full second.
    EXPECT_GE(fakes.ticks.now, 1000u);
    EXPECT_TRUE(fakes.messages.shown.empty());
}

TEST_F(DeviceConnect, NoDeviceIsFalseWithThePortClosedAndNoMessage) {
    port.existing = {1, 7, 20, 21};
    port.devicePort = 21;
    fakes.pointer.shape = MousePointer::Hourglass;
    EXPECT_FALSE(Device_Connect());
    EXPECT_FALSE(port.portOpen());
    EXPECT_EQ(port.openedPorts, (std::vector<int>{1, 7, 20}));
    EXPECT_EQ(fakes.pointer.shape, MousePointer::Normal);
    EXPECT_TRUE(fakes.messages.shown.empty());

    port.device = [](const Bytes&) { return Bytes(12, 0x49); };  // a short identify reply
    EXPECT_FALSE(Device_Connect());
}

TEST_F(DeviceConnect, AnOpenPortIsKeptWithoutAScan) {
    port.setCommPort(4);
    port.existing = {4};
    port.setPortOpen(true);
    EXPECT_TRUE(Device_Connect());
    EXPECT_TRUE(device.frames.empty());
    EXPECT_EQ(port.commPort(), 4);
}

using BlockRead = ProtocolTest;

TEST_F(BlockRead, Block30ComesFromAddress3625IntoSlots726To750ByTheirCheckBytes) {
    for (int k = 1; k <= 25; ++k) device.put(725 + k, deviceRecord(1000u + k));
    std::vector<std::int32_t> laps(751, 77);
    port.setPortOpen(true);
    EXPECT_TRUE(Block_Read(30, laps));
    EXPECT_EQ(device.frames.back(), bytesOf({0x48, 0x0C, 0x0E, 0x29, 0x38, 0x42}));
    for (int slot = 1; slot <= 725; ++slot) ASSERT_EQ(laps[slot], 77) << slot;
    for (int k = 1; k <= 25; ++k) EXPECT_EQ(laps[725 + k], 1000 + k);
    EXPECT_TRUE(port.portOpen());

    // Records are stored by their check byte.
    device.put(26, deviceRecord(6000));
    device.put(27, deviceRecord(6000, 1));
    device.put(28, deviceRecord(0xFFFFFFFFu));
    laps.assign(751, 5);
    EXPECT_TRUE(Block_Read(2, laps));
    EXPECT_EQ(laps[26], 6000);
    EXPECT_EQ(laps[27], 0);
    EXPECT_EQ(laps[28], -1);
    EXPECT_EQ(laps[29], 0);
    EXPECT_EQ(laps[25], 5);
    EXPECT_EQ(laps[51], 5);
}

TEST_F(BlockRead, NoReplyStoresNothingAndClosesThePort) {
    device.answerBlocks = false;
    std::vector<std::int32_t> laps(751, 9);
    port.setPortOpen(true);
    fakes.pointer.shape = MousePointer::Hourglass;
    EXPECT_FALSE(Block_Read(1, laps));
    EXPECT_EQ(laps, std::vector<std::int32_t>(751, 9));
    EXPECT_FALSE(port.portOpen());
    EXPECT_EQ(fakes.pointer.shape, MousePointer::Normal);
    EXPECT_TRUE(fakes.messages.shown.empty());
}

TEST_F(BlockRead, RefusesABlockOutsideTheMemoryOrATooSmallArray) {
    std::vector<std::int32_t> laps(751);
    port.setPortOpen(true);
    EXPECT_THROW(Block_Read(0, laps), RunError);
    EXPECT_THROW(Block_Read(31, laps), RunError);
    std::vector<std::int32_t> small(750);
    EXPECT_THROW(Block_Read(30, small), RunError);
    EXPECT_TRUE(device.frames.empty());
}

using Settings = ProtocolTest;

TEST_F(Settings, ReadFillsTheDialogFromTheReplyOrKeepsItAndSaysSo) {
    Bytes reply = bytesOf({0x52, 0x07, 0x02, 0x0A, 0xFE});
    port.device = [&](const Bytes& f) {
        return f == bytesOf({0x48, 0x07, 0x34, 0x46}) ? reply : Bytes{};
    };
    FakeSetupControls dialog;
    dialog.brightness = true;
    port.setPortOpen(true);
    EXPECT_TRUE(Setup_Read([&] { return &dialog; }));
    EXPECT_EQ(
        (SettingsFields{dialog.brightness, dialog.lapDisplay, dialog.pause, dialog.correction}),
        (SettingsFields{false, true, "10", "-2"}));

    reply.pop_back();
    dialog.pause = "4";
    fakes.pointer.shape = MousePointer::Hourglass;
    EXPECT_FALSE(Setup_Read([&] { return &dialog; }));
    EXPECT_EQ(dialog.pause, "4");
    EXPECT_EQ(fakes.messages.shown,
              (std::vector<FakeMessageBox::Shown>{
                  {"Comunicazione Impossibile", MessageBox::OkOnly, "ORVEX Timing System"}}));
    EXPECT_EQ(fakes.pointer.shape, MousePointer::Normal);
}

TEST_F(Settings, WriteSendsTheEncodedRecordAndNeedsTheExactAcknowledgement) {
    std::vector<Bytes> frames;
    Bytes ack = bytesOf({0x52, 0x06, 0x35, 0x38});
    port.device = [&](const Bytes& f) {
        frames.push_back(f);
        return ack;
    };
    FakeSetupControls dialog;
    dialog.pause = "255";
    dialog.correction = "-128";
    port.setPortOpen(true);
    EXPECT_TRUE(Setup_Write(dialog));
    dialog = FakeSetupControls{};
    EXPECT_TRUE(Setup_Write(dialog));
    EXPECT_EQ(frames, (std::vector<Bytes>{bytesOf({0x48, 0x06, 0x00, 0xFF, 0x80, 0x43, 0x44}),
                                          bytesOf({0x48, 0x06, 0x00, 0x00, 0x00, 0x34, 0x45})}));
    EXPECT_TRUE(fakes.messages.shown.empty());

    ack = bytesOf({0x52, 0x06, 0x35, 0x39});
    EXPECT_FALSE(Setup_Write(dialog));
    EXPECT_EQ(fakes.messages.texts(), std::vector<std::string>{"Comunicazione Impossibile"});
}

TEST_F(ProtocolTest, TestModeWithoutReplyOnlyResetsThePointerMemoryClearWaitsForNothing) {
    port.device = [](const Bytes&) { return Bytes{}; };
    port.setPortOpen(true);
    fakes.pointer.shape = MousePointer::Hourglass;
    Test_Mode(TestModes::Display);
    EXPECT_EQ(port.written.back(), bytesOf({0x48, 0x05, 0x80, 0x43, 0x44}));
    EXPECT_EQ(fakes.pointer.shape, MousePointer::Normal);
    EXPECT_TRUE(fakes.messages.shown.empty());

    port.device = [](const Bytes&) { return bytesOf({0x52, 0x05}); };
    fakes.pointer.shape = MousePointer::Hourglass;
    Test_Mode(TestModes::End);
    EXPECT_EQ(fakes.pointer.shape, MousePointer::Hourglass);

    const std::uint32_t start = fakes.ticks.now;
    Memory_Clear();  // sends its frame and waits for nothing
    EXPECT_EQ(port.written.back(), bytesOf({0x48, 0x01, 0x34, 0x39}));
    EXPECT_LT(fakes.ticks.now - start, 10u);
}
