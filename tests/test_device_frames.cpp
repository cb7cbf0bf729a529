#include <gtest/gtest.h>

#include "device/DeviceFrames.h"
#include "fakes/FakeSerialPort.h"
#include "platform/RunError.h"

using namespace orvex;

TEST(DeviceFrames, EveryCommandFrameAndTheAcknowledgementIsByteExact) {
    EXPECT_EQ(CheckSum(bytesOf({0xFF, 0xFF, 0x02})), "00");  // the last two hex digits
    EXPECT_EQ(deviceFrame(DeviceCode::Identify), bytesOf({0x48, 0x02, 0x34, 0x41}));
    EXPECT_EQ(deviceFrame(DeviceCode::MemoryClear), bytesOf({0x48, 0x01, 0x34, 0x39}));
    EXPECT_EQ(deviceFrame(DeviceCode::SetupRead), bytesOf({0x48, 0x07, 0x34, 0x46}));
    EXPECT_EQ(testModeFrame(TestModes::Display), bytesOf({0x48, 0x05, 0x80, 0x43, 0x44}));
    EXPECT_EQ(testModeFrame(TestModes::End), bytesOf({0x48, 0x05, 0x00, 0x34, 0x44}));
    // Blocks start every 125 bytes, block 30 at 3625.
    EXPECT_EQ(blockReadFrame(2), bytesOf({0x48, 0x0C, 0x00, 0x7D, 0x44, 0x31}));
    EXPECT_EQ(blockReadFrame(30), bytesOf({0x48, 0x0C, 0x0E, 0x29, 0x38, 0x42}));
    EXPECT_EQ(setupWriteFrame({3, 5, 0xFE}), bytesOf({0x48, 0x06, 0x03, 0x05, 0xFE, 0x35, 0x34}));
    EXPECT_EQ(setupWriteAck(), bytesOf({0x52, 0x06, 0x35, 0x38}));
}

TEST(Records, TheCheckByteDecidesBetweenTheBigEndianValueAndAnEmptySlot) {
    EXPECT_EQ(decodeRecord(bytesOf({0x00, 0x00, 0x17, 0x70, 0x88}).data()), 0);
    EXPECT_EQ(decodeRecord(bytesOf({0xFF, 0xFF, 0xFF, 0xFF, 0xFC}).data()), -1);
    EXPECT_EQ(encodeRecord(6000), bytesOf({0x00, 0x00, 0x17, 0x70, 0x87}));
}

TEST(Settings, BytesDecodeToTicksAndSignedTextsAndTextsEncodeToTheirLowestEightBits) {
    EXPECT_EQ(decodeSettings(bytesOf({0x52, 0x07, 0x02, 0x0A, 0xFE})),
              (SettingsFields{false, true, "10", "-2"}));
    EXPECT_EQ(decodeSettings(bytesOf({0x00, 0x00, 0xFD, 0xFF, 0x80})),
              (SettingsFields{true, false, "255", "-128"}));
    EXPECT_EQ(encodeSettings({true, true, "300", "-2"}), (SettingsRecord{3, 0x2C, 0xFE}));
    EXPECT_EQ(encodeSettings({false, true, "", " "}), (SettingsRecord{2, 0, 0}));
    // Halves go to the even neighbour.
    EXPECT_EQ(settingsByte("2.5"), 2);
    EXPECT_EQ(settingsByte("2.51"), 3);
    EXPECT_EQ(settingsByte("-3.5"), 0xFC);
    EXPECT_EQ(settingsByte("7,5", ","), 8);
}

TEST(Settings, TextThatIsNotANumberIsAnError) {
    const std::pair<const char*, int> cases[] = {
        {"abc", ErrorNo::TypeMismatch}, {"12x", ErrorNo::TypeMismatch},
        {"inf", ErrorNo::TypeMismatch}, {"0x10", ErrorNo::TypeMismatch},
        {"99999", ErrorNo::Overflow},   {"1e400", ErrorNo::Overflow}};
    for (const auto& [text, error] : cases) {
        try {
            settingsByte(text);
            ADD_FAILURE() << text;
        } catch (const RunError& e) {
            EXPECT_EQ(e.number(), error) << text;
        }
    }
}
