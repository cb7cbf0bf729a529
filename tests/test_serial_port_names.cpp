#include <gtest/gtest.h>

#include "platform/SerialPortNames.h"

using namespace orvex;

TEST(SerialPortNames, ListingEntryNIsPortNAndEmptyEntriesDoNotExist) {
    const std::optional<std::string> listing = "::/dev/pts/7:/dev/ttyS0";
    EXPECT_EQ(serialPortPath(1, listing, {}), "");
    EXPECT_EQ(serialPortPath(2, listing, {}), "");
    EXPECT_EQ(serialPortPath(3, listing, {}), "/dev/pts/7");
    EXPECT_EQ(serialPortPath(4, listing, {}), "/dev/ttyS0");
    EXPECT_EQ(serialPortPath(5, listing, {}), "");
    EXPECT_EQ(serialPortPath(0, listing, {}), "");
}

TEST(SerialPortNames, AListingHidesTheSystemPorts) {
    EXPECT_EQ(serialPortPath(1, std::string(), {"/dev/ttyUSB0"}), "");
}

TEST(SerialPortNames, UsbAdaptersComeFirstThenTheOthersInNumericOrder) {
    const std::vector<std::string> system = {"/dev/ttyS10",   "/dev/ttyS2",   "/dev/ttyACM0",
                                             "/dev/ttyUSB10", "/dev/ttyUSB2", "/dev/ttyAMA0",
                                             "/dev/ttyS1"};
    EXPECT_EQ(
        orderSystemPorts(system),
        (std::vector<std::string>{"/dev/ttyUSB2", "/dev/ttyUSB10", "/dev/ttyACM0", "/dev/ttyAMA0",
                                  "/dev/ttyS1", "/dev/ttyS2", "/dev/ttyS10"}));
    EXPECT_EQ(serialPortPath(1, std::nullopt, system), "/dev/ttyUSB2");
    EXPECT_EQ(serialPortPath(7, std::nullopt, system), "/dev/ttyS10");
    EXPECT_EQ(serialPortPath(8, std::nullopt, system), "");
}
