#pragma once
#include <cstdint>

namespace orvex {

// A free-running 32-bit millisecond counter. It wraps after about 49.7 days,
// so callers compare readings by difference, never by magnitude.
class TickClock {
public:
    virtual ~TickClock() = default;
    virtual std::uint32_t ticks() = 0;
};

// Milliseconds from `since` to `now`, correct across one wrap of the counter.
inline std::uint32_t ticksElapsed(std::uint32_t since, std::uint32_t now) { return now - since; }

}  // namespace orvex
