#include <gtest/gtest.h>

#include "platform/SerialPortNames.h"

using namespace orvex;

TEST(SerialPortNames, AListingNamesPortNByItsEntryNAndHidesTheSystemPorts) {
    const std::optional<std::string> listing = "::/dev/pts/7:/dev/ttyS0";
    const std::vector<std::string> system = {"/dev/ttyUSB0"};
    EXPECT_EQ(serialPortPath(1, listing, system), "");  // empty entries do not exist
    EXPECT_EQ(serialPortPath(3, listing, system), "/dev/pts/7");
    EXPECT_EQ(serialPortPath(4, listing, system), "/dev/ttyS0");
    EXPECT_EQ(serialPortPath(5, listing, system), "");
    EXPECT_EQ(serialPortPath(0, listing, system), "");
}

TEST(SerialPortNames, UsbAdaptersComeFirstThenTheOthersInNumericOrder) {
    const std::vector<std::string> system = {"/dev/ttyS10",   "/dev/ttyS2",   "/dev/ttyACM0",
                                             "/dev/ttyUSB10", "/dev/ttyUSB2", "/dev/ttyAMA0",
                                             "/dev/ttyS1"};
    EXPECT_EQ(
        orderSystemPorts(system),
        (std::vector<std::string>{"/dev/ttyUSB2", "/dev/ttyUSB10", "/dev/ttyACM0", "/dev/ttyAMA0",
                                  "/dev/ttyS1", "/dev/ttyS2", "/dev/ttyS10"}));
    EXPECT_EQ(serialPortPath(7, std::nullopt, system), "/dev/ttyS10");
    EXPECT_EQ(serialPortPath(8, std::nullopt, system), "");
}
