#pragma once
#include <string>
#include <vector>

#include "platform/DayClock.h"
#include "platform/Status.h"

namespace orvex {

// The club's list of drivers' names, which outlives every session: it feeds
// the completion of the Drivers dialog.
class Roster {
public:
    virtual ~Roster() = default;
    // Every name, the most recently used first.
    virtual std::vector<std::string> names() = 0;
    // Adds the names, or moves their last use to `day`, all at once. A failure
    // wrote nothing; the caller goes on without it.
    virtual Status remember(const std::vector<std::string>& names, const CalendarDate& day) = 0;
};

}  // namespace orvex
