#pragma once

namespace orvex {

// Seconds since local midnight, with a fractional part. Wraps to 0 at midnight.
class DayClock {
public:
    virtual ~DayClock() = default;
    virtual double secondsSinceMidnight() = 0;
};

}  // namespace orvex
