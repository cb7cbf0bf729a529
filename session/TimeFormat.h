#pragma once
#include <cstdint>
#include <optional>
#include <string>

namespace orvex {

// Time values are 32-bit counts of hundredths of a second; 0 means no time.

// "hh:mm.ss.cc", each field zero-padded to two digits (hours to at least two).
// Fixed-width fields make text order equal time order below 100 hours.
std::string FormatTime(std::int64_t t);

// A non-negative number with at least two digits ("07"), as times and dates write it.
std::string twoDigits(std::int64_t n);

// Speed in km/h of one lap of `trackLength` metres shown as the time text
// `lapText`, truncated to hundredths and written in the shortest form with the
// given decimal separator. Empty when the text stands for 0 or the length
// gives no sensible speed (never negative, however absurd the length).
std::string LapSpeed(const std::string& lapText, const std::string& trackLength,
                     const std::string& decimalSeparator);

// The same for the session's track length and the user's decimal separator.
std::string LapSpeed(const std::string& lapText);

// The leading number of a track-length text, rounded to whole metres with
// ties to even; 0 when the text does not start with a number.
std::int64_t TrackMetres(const std::string& trackLength);

// Hundredths shown by a time text in the layout FormatTime writes.
std::int64_t TimeTextValue(const std::string& text);

// The speed of a lap of `hundredths` over `metres`, in hundredths of km/h,
// truncated as LapSpeed does; nothing for a lap of no time or a speed beyond 64 bits.
std::optional<std::int64_t> speedOf(std::int64_t metres, std::int64_t hundredths);

// A speed in hundredths of km/h in the shortest form: "80", "80.5", "80.64".
std::string speedText(std::int64_t speed, const std::string& decimalSeparator);

// Hundredths as seconds with two decimals: "10.50".
std::string secondsText(std::int64_t hundredths, const std::string& decimalSeparator);

// A short time as a box shows it: "mm:ss.cc" (minutes beyond 99 in full);
// empty for 0, which stands for none.
std::string minutesText(std::int32_t hundredths);

// A time in the results' own form: "58.20", "1:24.53", "1:02:04.53" (minutes
// and hours only when there are any); empty for 0 or less, which stands for none.
std::string clockText(std::int64_t hundredths);

// A gap behind the leader in time: "+2.15", "+2:29.05"; empty for none.
std::string gapTimeText(std::int64_t hundredths);

// A speed in hundredths of km/h with both decimals, as the results write
// speeds beside the unit: "80.50", "80.64".
std::string kmhText(std::int64_t speed, const std::string& decimalSeparator);

// A time as typed: seconds ("30", "30.5"), or the way the program writes
// times ("00:30.00", "00:00.30.00", "1:02:03.45"). Blank gives 0 (no time);
// anything else that does not read gives nothing.
std::optional<std::int32_t> parseTime(const std::string& text);

}  // namespace orvex
