#pragma once
#include <cstdint>

namespace orvex {

// Every list geometry value is a 16-bit number of twips, as the window
// records store them. A value outside that range is an overflow error.
std::int16_t toInt16(double value);
// A window's place, which the user can drag beyond that range (a wide screen,
// a second monitor): kept at the nearest 16-bit value, never an error.
std::int16_t clampInt16(int value);

// `value` rounded down to whole pixels of `twipsPerPixel` twips.
std::int16_t pixelFloor(int value, int twipsPerPixel);

}  // namespace orvex
