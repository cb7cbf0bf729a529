#pragma once

namespace orvex {

struct CalendarDate {
    int year = 0;
    int month = 0;  // 1..12
    int day = 0;
};

// Seconds since local midnight, with a fractional part. Wraps to 0 at midnight.
class DayClock {
public:
    virtual ~DayClock() = default;
    virtual double secondsSinceMidnight() = 0;
    // Today's local date.
    virtual CalendarDate today() = 0;
};

}  // namespace orvex
