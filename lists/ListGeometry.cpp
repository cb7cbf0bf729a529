#include "lists/ListGeometry.h"

#include <algorithm>
#include <cmath>

#include "platform/RunError.h"

namespace orvex {

std::int16_t toInt16(double value) {
    const double r = std::nearbyint(value);  // halves to even in the default rounding mode
    if (!(r >= -32768.0 && r <= 32767.0)) throw RunError(ErrorNo::Overflow);
    return static_cast<std::int16_t>(r);
}

std::int16_t clampInt16(int value) {
    return static_cast<std::int16_t>(std::clamp(value, -32768, 32767));
}

std::int16_t pixelFloor(int value, int twipsPerPixel) {
    if (twipsPerPixel <= 0) throw RunError(ErrorNo::InvalidCall);
    return toInt16(static_cast<double>(value / twipsPerPixel * twipsPerPixel));
}

}  // namespace orvex
