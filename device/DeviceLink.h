#pragma once
#include <cstdint>

namespace orvex {

// The work the polling tick can be asked to do. The values are the codes the
// program has always stored.
enum class DeviceCommand : std::int16_t {
    None = 0,
    MemoryClear = 1,
    ReadBlock = 3,
    StartDownload = 4,
    SetupWrite = 6,
    SetupRead = 7,
    DisplayTest = 81,
    InputsTest = 82,
    EndTest = 83,
};

// The connection indicator's pictures, by their index in the main window's
// image list; None before the first tick.
enum class Indicator : int { None = 0, NotConnected = 10, Connected = 11 };

// The pending device command. Windows post a request; the polling tick
// carries it out. A later request replaces one not yet started.
class DeviceRequests {
public:
    void post(DeviceCommand command) { pending_ = command; }
    DeviceCommand pending() const { return pending_; }
    // A command that ended clears the mailbox only if it still holds that
    // command: a request made while it waited for the device runs next.
    void finish(DeviceCommand ran) {
        if (pending_ == ran) pending_ = DeviceCommand::None;
    }
    void clear() { pending_ = DeviceCommand::None; }

private:
    DeviceCommand pending_ = DeviceCommand::None;
};

}  // namespace orvex
