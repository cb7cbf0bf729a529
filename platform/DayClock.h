#pragma once

namespace orvex {

struct CalendarDate {
    int year = 0;
    int month = 0;  // 1..12
    int day = 0;
};

// A local date and time to the second.
struct LocalTime {
    CalendarDate date;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// Seconds since local midnight, with a fractional part. Wraps to 0 at midnight.
class DayClock {
public:
    virtual ~DayClock() = default;
    virtual double secondsSinceMidnight() = 0;
    // Today's local date.
    virtual CalendarDate today() = 0;
    // The local date and time. A clock that reads both at once overrides it,
    // so a download at midnight cannot get the old date with the new time.
    virtual LocalTime now() {
        const auto secs = static_cast<int>(secondsSinceMidnight());
        return {today(), secs / 3600 % 24, secs / 60 % 60, secs % 60};
    }
};

}  // namespace orvex
