#pragma once
#include <cstdint>
#include <string>
#include <variant>

namespace orvex {

// A 16-bit boolean: true is stored as -1, false as 0.
struct Boolean {
    bool value = false;
    bool operator==(const Boolean&) const = default;
};

// A tagged value as it crosses the record-file interface: empty, 16-bit
// integer, 32-bit integer, boolean or text.
using Variant = std::variant<std::monostate, std::int16_t, std::int32_t, Boolean, std::string>;

inline bool isText(const Variant& v) { return std::holds_alternative<std::string>(v); }

// Conversions into a field's type. A value that does not fit raises
// RunError 6, a text that is no number RunError 13. Empty is 0 or false.
std::int16_t toInteger(const Variant& v);
std::int32_t toLong(const Variant& v);
bool toBoolean(const Variant& v);
// True and false read "True" and "False"; empty is the empty text.
std::string toText(const Variant& v);

}  // namespace orvex
