#pragma once

namespace orvex {

// Lets pending window events (timers included) run once. Long waits call it
// so the windows stay responsive on the single user-interface thread.
class EventPump {
public:
    virtual ~EventPump() = default;
    virtual void processEvents() = 0;
};

}  // namespace orvex
