#pragma once

namespace orvex {

// The screen's mouse pointer. Long operations show the hourglass; several
// command handlers ignore clicks while it is shown.
class MousePointer {
public:
    enum Shape { Normal = 0, Hourglass = 11 };
    virtual ~MousePointer() = default;
    virtual void set(Shape shape) = 0;
    virtual Shape current() const = 0;
};

}  // namespace orvex
