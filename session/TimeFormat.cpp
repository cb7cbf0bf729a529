#include "session/TimeFormat.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <vector>

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

std::optional<std::int64_t> speedOf(std::int64_t metres, std::int64_t hundredths) {
    // A lap shown with a minus sign has no speed, nor has one beyond 64 bits.
    if (hundredths <= 0) return std::nullopt;
    // 128-bit product: any length TrackMetres gives, times 36000, fits.
    const __int128 wide = static_cast<__int128>(metres) * 36000 / hundredths;
    if (wide > std::numeric_limits<std::int64_t>::max()) return std::nullopt;
    return static_cast<std::int64_t>(wide);
}

std::string speedText(std::int64_t speed, const std::string& decimalSeparator) {
    std::string text = std::to_string(speed / 100);
    if (const std::int64_t frac = speed % 100; frac != 0) {
        std::string digits = twoDigits(frac);
        if (digits.back() == '0') digits.pop_back();
        text += decimalSeparator + digits;
    }
    return text;
}

std::string secondsText(std::int64_t hundredths, const std::string& decimalSeparator) {
    return std::to_string(hundredths / 100) + decimalSeparator + twoDigits(hundredths % 100);
}

std::string kmhText(std::int64_t speed, const std::string& decimalSeparator) {
    return secondsText(speed, decimalSeparator);  // the same digits: hundredths, two decimals
}

std::string LapSpeed(const std::string& lapText, const std::string& trackLength,
                     const std::string& decimalSeparator) {
    const auto speed = speedOf(TrackMetres(trackLength), TimeTextValue(lapText));
    return speed ? speedText(*speed, decimalSeparator) : std::string();
}

std::optional<std::int32_t> parseTime(const std::string& text) {
    std::size_t b = text.find_first_not_of(" \t");
    if (b == std::string::npos) return 0;
    const std::size_t e = text.find_last_not_of(" \t") + 1;
    // Fields of digits and the separators between them.
    std::vector<std::string> fields(1);
    std::string seps;
    for (std::size_t i = b; i < e; ++i) {
        const char c = text[i];
        if (std::isdigit(static_cast<unsigned char>(c))) {
            if (fields.back().size() >= 9) return std::nullopt;
            fields.back() += c;
        } else if (c == ':' || c == '.' || c == ',') {
            seps += c == ',' ? '.' : c;
            fields.emplace_back();
        } else {
            return std::nullopt;
        }
    }
    for (const std::string& f : fields)
        if (f.empty()) return std::nullopt;
    // The hundredths: one digit is tenths; more than two are not a time.
    std::int64_t cc = 0;
    std::size_t whole = fields.size();
    if (!seps.empty() && seps.back() == '.') {
        const std::string& f = fields.back();
        if (f.size() > 2) return std::nullopt;
        cc = std::stoll(f) * (f.size() == 1 ? 10 : 1);
        --whole;
        seps.pop_back();
    }
    // What is left: s, m:s, h:m:s, or h:m.s as the program writes times.
    if (seps != "" && seps != ":" && seps != "::" && seps != ":.") return std::nullopt;
    std::int64_t seconds = 0;
    for (std::size_t i = 0; i < whole; ++i) {
        const std::int64_t v = std::stoll(fields[i]);
        if (i > 0 && v >= 60) return std::nullopt;
        seconds = seconds * 60 + v;
    }
    const std::int64_t t = seconds * 100 + cc;
    if (t > std::numeric_limits<std::int32_t>::max()) return std::nullopt;
    return static_cast<std::int32_t>(t);
}

std::string minutesText(std::int32_t hundredths) {
    if (hundredths <= 0) return {};
    const std::int64_t s = hundredths / 100;
    return twoDigits(s / 60) + ":" + twoDigits(s % 60) + "." + twoDigits(hundredths % 100);
}

std::string clockText(std::int64_t hundredths) {
    if (hundredths <= 0) return {};
    const std::int64_t s = hundredths / 100;
    // Appended in place: GCC 12 at -O3 warns (-Wrestrict) on "x" + text.
    std::string text;
    if (s >= 3600) text.append(std::to_string(s / 3600)).append(":");
    if (s >= 60)
        text.append(s >= 3600 ? twoDigits(s / 60 % 60) : std::to_string(s / 60)).append(":");
    text.append(s >= 60 ? twoDigits(s % 60) : std::to_string(s));
    text.append(".").append(twoDigits(hundredths % 100));
    return text;
}

std::string gapTimeText(std::int64_t hundredths) {
    std::string text = clockText(hundredths);
    if (!text.empty()) text.insert(text.begin(), '+');
    return text;
}

std::string LapSpeed(const std::string& lapText) {
    return LapSpeed(lapText, session().SessionLength, platform().regional->decimalSeparator());
}

}  // namespace orvex
