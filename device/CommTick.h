#pragma once
#include <cstdint>
#include <vector>

namespace orvex {

class DeviceHost;

// The body of the 50 ms polling tick: carries out the pending DeviceCommand,
// then keeps the connection indicator current. Every conversation with the
// device happens here.
//
// A download reads the 30 memory blocks, one per tick, into a staging copy;
// only a complete download replaces the session's laps. An abandoned one
// (no device, no reply, a failure inside the tick) leaves the session exactly
// as it was.
class CommTick {
public:
    static constexpr int kImageNotConnected = 10;
    static constexpr int kImageConnected = 11;

    explicit CommTick(DeviceHost& host) : host_(host) {}

    // One tick. A tick that starts while another is still running (the port
    // waits let events run) returns at once.
    void Tick();

    // Abandons a running download: progress window closed, main window
    // enabled, port closed, nothing of the session touched.
    void ErrorUpload();

    bool running() const { return running_; }
    bool downloading() const { return downloading_; }

private:
    void runCommand();
    void shortCommand(std::int16_t code);
    void startDownload();
    void readBlock();
    void finishDownload();
    void updateIndicator();

    DeviceHost& host_;
    bool running_ = false;
    bool downloading_ = false;
    std::vector<std::int32_t> staging_;
};

}  // namespace orvex
