#pragma once
#include <cstdint>

namespace orvex {

// The device link's shared values. Other parts of the program request device
// work only by storing a command code; the polling tick carries it out.
namespace DeviceCommandCode {
constexpr std::int16_t None = 0;
constexpr std::int16_t MemoryClear = 1;
constexpr std::int16_t ReadBlock = 3;
constexpr std::int16_t StartDownload = 4;
constexpr std::int16_t SetupWrite = 6;
constexpr std::int16_t SetupRead = 7;
constexpr std::int16_t DisplayTest = 81;
constexpr std::int16_t InputsTest = 82;
constexpr std::int16_t EndTest = 83;
}  // namespace DeviceCommandCode

// The pending device command; 0 = none.
extern std::int16_t DeviceCommand;
// 1 while a download is talking to the device; drives the connection indicator.
extern std::int16_t DownloadActive;
// Blocks of the running download still to read; also the next block's number.
extern std::int16_t BlocksToRead;

}  // namespace orvex
