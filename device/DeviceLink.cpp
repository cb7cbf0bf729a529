#include "device/DeviceLink.h"

namespace orvex {

std::int16_t DeviceCommand = 0;
std::int16_t DownloadActive = 0;
std::int16_t BlocksToRead = 0;

}  // namespace orvex
