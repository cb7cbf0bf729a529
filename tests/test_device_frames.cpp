#include <gtest/gtest.h>

#include "device/DeviceFrames.h"
#include "fakes/FakeSerialPort.h"
#include "platform/RunError.h"

using namespace orvex;

TEST(
    DeviceFrames,
    TheChecksumWrapsRecordsAndSettingsBytesDecodeToSignedTextsAndTextsEncodeToTheirLowestEightBitsOrAnError) {
    EXPECT_EQ(CheckSum(bytesOf({0xFF, 0xFF, 0x02})), "00");  // the last two hex digits
    EXPECT_EQ(decodeRecord(bytesOf({0xFF, 0xFF, 0xFF, 0xFF, 0xFC}).data()), -1);
    EXPECT_EQ(decodeSettings(bytesOf({0x00, 0x00, 0xFD, 0xFF, 0x80})),
              (SettingsFields{true, false, "255", "-128"}));
    EXPECT_EQ(encodeSettings({true, true, "300", "-2"}), (SettingsRecord{3, 0x2C, 0xFE}));
    EXPECT_EQ(encodeSettings({false, true, "", " "}), (SettingsRecord{2, 0, 0}));
    // Halves go to the even neighbour.
    EXPECT_EQ(settingsByte("2.5"), 2);
    EXPECT_EQ(settingsByte("-3.5"), 0xFC);
    EXPECT_EQ(settingsByte("7,5", ","), 8);
    const std::pair<const char*, int> errors[] = {{"inf", ErrorNo::TypeMismatch},
                                                  {"1e400", ErrorNo::Overflow}};
    for (const auto& [text, error] : errors) {
        try {
            settingsByte(text);
            ADD_FAILURE() << text;
        } catch (const RunError& e) {
            EXPECT_EQ(e.number(), error) << text;
        }
    }
}
