#pragma once
#include <cstdint>
#include <vector>

namespace orvex {

class DeviceHost;
class SetupControls;

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

    // The program is closing: no later tick runs, a download is abandoned,
    // and a command still waiting for the device ends without a word.
    void shutdown();

    bool running() const { return running_; }
    bool downloading() const { return downloading_; }

    static constexpr const char* kUnreadLapsText = "Laps that could not be read:";

private:
    void runCommand();
    void shortCommand(std::int16_t code);
    // Clears the pending code if it still holds the one that ran: a request
    // made while a command waits for the device is kept for the next tick.
    static void endCommand(std::int16_t code);
    SetupControls* setupDialog();
    void startDownload();
    void readBlock();
    void finishDownload();
    void updateIndicator();

    DeviceHost& host_;
    bool running_ = false;
    bool downloading_ = false;
    bool closing_ = false;
    std::vector<std::int32_t> staging_;
    // Records of the running download that failed their check bytes.
    int unreadLaps_ = 0;
};

}  // namespace orvex
