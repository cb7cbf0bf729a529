#include <gtest/gtest.h>

#include "platform/SerialPortNames.h"

using namespace orvex;

TEST(SerialPortNames, AListingNamesPortNByItsEntryNElseUsbAdaptersComeFirstInNumericOrder) {
    const std::optional<std::string> listing = "::/dev/pts/7";
    EXPECT_EQ(serialPortPath(1, listing, {"/dev/ttyUSB0"}), "");  // empty entries do not exist
    EXPECT_EQ(serialPortPath(3, listing, {"/dev/ttyUSB0"}), "/dev/pts/7");
    EXPECT_EQ(serialPortPath(4, listing, {"/dev/ttyUSB0"}), "");
    EXPECT_EQ(orderSystemPorts(
                  {"/dev/ttyS10", "/dev/ttyS2", "/dev/ttyACM0", "/dev/ttyUSB10", "/dev/ttyUSB2"}),
              (std::vector<std::string>{"/dev/ttyUSB2", "/dev/ttyUSB10", "/dev/ttyACM0",
                                        "/dev/ttyS2", "/dev/ttyS10"}));
    EXPECT_EQ(serialPortPath(2, std::nullopt, {"/dev/ttyS10", "/dev/ttyUSB2"}), "/dev/ttyS10");
    EXPECT_EQ(serialPortPath(0, std::nullopt, {"/dev/ttyS10"}), "");
}
