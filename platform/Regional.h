#pragma once
#include <string>

namespace orvex {

// The user's regional settings, as far as the program's texts depend on them.
class Regional {
public:
    virtual ~Regional() = default;
    virtual std::string decimalSeparator() const = 0;
    // Full month name, month 1..12.
    virtual std::string monthName(int month) const = 0;
};

}  // namespace orvex
