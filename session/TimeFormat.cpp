#include "session/TimeFormat.h"

#include <cmath>
#include <cstdlib>
#include <limits>

#include "platform/Platform.h"
#include "platform/Regional.h"
#include "session/Session.h"

namespace orvex {

// Leading characters go in place: GCC 12 at -O3 takes "0" + text for an
// overlapping copy and warns (-Wrestrict).
std::string twoDigits(std::int64_t n) {
    std::string s = std::to_string(n);
    if (s.size() < 2) s.insert(s.begin(), '0');
    return s;
}

std::string FormatTime(std::int64_t t) {
    // C++ division truncates toward zero, as the format requires.
    const std::int64_t hundredths = t % 100;
    const std::int64_t s = t / 100;
    const std::int64_t seconds = s % 60;
    const std::int64_t m = s / 60;
    const std::int64_t minutes = m % 60;
    const std::int64_t hours = m / 60;
    return twoDigits(hours) + ":" + twoDigits(minutes) + "." + twoDigits(seconds) + "." +
           twoDigits(hundredths);
}

std::int64_t TrackMetres(const std::string& trackLength) {
    // Read like a numeric conversion of the leading text: blanks are skipped,
    // digits and one decimal point continue the number, anything else ends it.
    std::string number;
    bool point = false;
    for (char c : trackLength) {
        if (c == ' ' || c == '\t') continue;
        if (c >= '0' && c <= '9') {
            number += c;
        } else if (c == '.' && !point) {
            point = true;
            number += c;
        } else {
            break;
        }
    }
    if (number.empty() || number == ".") return 0;
    const double value = std::strtod(number.c_str(), nullptr);
    if (!std::isfinite(value) || value > 9.0e15) return 0;
    return static_cast<std::int64_t>(std::nearbyint(value));  // default rounding: ties to even
}

std::int64_t TimeTextValue(const std::string& text) {
    const auto colon = text.find(':');
    const auto p1 = text.find('.', colon == std::string::npos ? 0 : colon + 1);
    const auto p2 = p1 == std::string::npos ? std::string::npos : text.find('.', p1 + 1);
    auto field = [&](std::size_t from, std::size_t to) -> std::int64_t {
        if (from == std::string::npos || from >= text.size()) return 0;
        return std::atoll(
            text.substr(from, to == std::string::npos ? std::string::npos : to - from).c_str());
    };
    if (colon == std::string::npos || p1 == std::string::npos || p2 == std::string::npos) return 0;
    return field(0, colon) * 360000 + field(colon + 1, p1) * 6000 + field(p1 + 1, p2) * 100 +
           field(p2 + 1, std::string::npos);
}

std::string LapSpeed(const std::string& lapText, const std::string& trackLength,
                     const std::string& decimalSeparator) {
    const std::int64_t t = TimeTextValue(lapText);
    // A lap shown with a minus sign has no speed, nor has one beyond 64 bits.
    if (t <= 0) return {};
    // 128-bit product: any length TrackMetres gives, times 36000, fits.
    const __int128 wide = static_cast<__int128>(TrackMetres(trackLength)) * 36000 / t;
    if (wide > std::numeric_limits<std::int64_t>::max()) return {};
    const auto q = static_cast<std::int64_t>(wide);
    const std::int64_t whole = q / 100;
    const std::int64_t frac = q % 100;
    std::string text = std::to_string(whole);
    if (frac != 0) {
        std::string digits = twoDigits(frac);
        if (digits.back() == '0') digits.pop_back();
        text += decimalSeparator + digits;
    }
    return text;
}

std::string LapSpeed(const std::string& lapText) {
    return LapSpeed(lapText, session().SessionLength, platform().regional->decimalSeparator());
}

}  // namespace orvex
