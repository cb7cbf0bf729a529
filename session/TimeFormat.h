#pragma once
#include <cstdint>
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

}  // namespace orvex
