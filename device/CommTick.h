#pragma once
#include <cstdint>
#include <vector>

#include "device/DeviceHost.h"
#include "device/DeviceLink.h"

namespace orvex {

class SetupControls;

// The body of the 50 ms polling tick: carries out the command pending in its
// mailbox, then keeps the connection indicator current. Every conversation
// with the device happens here, and so does everything the user is told of
// it: the device operations only report how they ended.
//
// A download reads the 30 memory blocks, one per tick, into a staging copy;
// only a complete download replaces the session's laps, and one that brings
// another race makes the session a new one (Session::startNewRace). An abandoned one
// (no device, no reply, answers that are not lap records, a failure inside
// the tick) leaves the session exactly as it was and says so in one box.
class CommTick {
public:
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

    // Where the windows post their requests.
    DeviceRequests& requests() { return requests_; }
    const DeviceRequests& requests() const { return requests_; }

    bool running() const { return running_; }
    // Records of the running or last download that failed their check bytes.
    int unreadLaps() const { return unreadLaps_; }
    bool downloading() const { return downloading_; }
    // A download is talking to the device: the indicator shows it connected.
    bool downloadActive() const { return downloadActive_; }

    // Blocks in a row with every record unreadable after which the answers
    // are taken for another instrument's.
    static constexpr int kUnreadableBlocksInRow = 3;

private:
    void runCommand();
    void shortCommand(DeviceCommand code);
    SetupControls* setupDialog();
    void startDownload();
    void readBlock();
    void finishDownload();
    // ErrorUpload, then the one box that says why (none while closing).
    void abandonDownload(DownloadStop why);
    void updateIndicator();

    DeviceHost& host_;
    DeviceRequests requests_;
    bool running_ = false;
    bool downloadActive_ = false;
    // Blocks of the running download still to read; also the next block's number.
    int blocksToRead_ = 0;
    bool downloading_ = false;
    bool closing_ = false;
    std::vector<std::int32_t> staging_;
    // Records of the running download that failed their check bytes.
    int unreadLaps_ = 0;
    // Blocks just read in a row with every record unreadable.
    int unreadableBlocks_ = 0;
};

}  // namespace orvex
