#pragma once
#include <string>
#include <vector>

#include "slips/Slip.h"

namespace orvex {

class Session;

// The slips of every driver with laps, in the order of the ranking. This is
// the one place that knows where a slip's figures come from.
std::vector<SlipDriver> slipDrivers(const Session& s, const std::string& decimalSeparator);
// The same with the user's decimal separator.
std::vector<SlipDriver> slipDrivers(const Session& s);

// Only the slips of `drivers`, in the order of `all`.
std::vector<SlipDriver> slipsOf(const std::vector<SlipDriver>& all,
                                const std::vector<int>& drivers);

}  // namespace orvex
