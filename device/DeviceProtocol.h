#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace orvex {

class SetupControls;

// The device's commands, each one request and at most one reply over the
// serial link. All but Device_Connect expect the port Device_Connect opened.

// Makes sure the open port leads to a device: when the port is closed, tries
// ports 1 to 20 in turn with the identify command and keeps the first that
// answers within a second. Every port error is ignored. True when the port is
// open afterwards.
bool Device_Connect();

// Erases the device's memory. No reply is awaited.
void Memory_Clear();

// Switches the device's test mode (TestModes). A missing reply only resets
// the mouse pointer.
void Test_Mode(std::uint8_t mode);

// Sends the dialog's settings and waits for the acknowledgement. On failure
// shows "Comunicazione Impossibile" and returns false. Text that is not a
// number throws RunError before anything is sent.
bool Setup_Write(const SetupControls& dialog);

// The configuration dialog's controls, or null once it has closed. Asked
// again after every wait, since events run while the reply is awaited.
using SetupLookup = std::function<SetupControls*()>;

// Reads the device's settings into the dialog. On no reply shows
// "Comunicazione Impossibile", leaves the dialog alone and returns false. A
// dialog closed meanwhile drops the reply silently (false).
bool Setup_Read(const SetupLookup& dialog);

// How many times a block is requested at most while its records fail their
// check bytes.
constexpr int kBlockAttempts = 3;

// Reads memory block `block` (1..30: driver `block`'s 25 laps) into slots
// (block - 1) * 25 + 1 .. block * 25 of `lapTimes` (indexed like LapTimes,
// 0 unused). While records fail their check bytes the block is requested
// again, up to kBlockAttempts in all, and the reading with the fewest
// failures is stored, those records as 0; the result is how many failed.
// Without a reply, or when every record of every reading failed (not the
// device's data: some other instrument answered), nothing is stored, the
// pointer goes back to normal, the port is closed and the result is empty:
// the caller abandons the download.
std::optional<int> Block_Read(int block, std::vector<std::int32_t>& lapTimes);

}  // namespace orvex
