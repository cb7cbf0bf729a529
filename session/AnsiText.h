#pragma once
#include <string>

namespace orvex {

// Data files store texts in Windows-1252, one byte per character, so that
// they move between this program and the Windows one. In memory texts are
// UTF-8.

// One byte per character; a character outside the code page becomes "?".
std::string toAnsi(const std::string& utf8);
// Every byte is a character; the five bytes the code page leaves undefined
// come back as the control characters of the same number, so they survive a
// round trip.
std::string fromAnsi(const std::string& ansi);
// Capital letters, as the error messages show file names.
std::string upperCase(const std::string& utf8);
// Appends one code point to a UTF-8 text.
void appendUtf8(std::string& out, char32_t c);

}  // namespace orvex
