#pragma once
#include <cstdint>
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

// Reads the device's settings into the dialog. On no reply shows
// "Comunicazione Impossibile", leaves the dialog alone and returns false.
bool Setup_Read(SetupControls& dialog);

// Reads memory block `block` (1..30: driver `block`'s 25 laps) into slots
// (block - 1) * 25 + 1 .. block * 25 of `lapTimes` (indexed like LapTimes,
// 0 unused). A record with a bad check byte is stored as 0. Without a reply
// nothing is stored, the pointer goes back to normal, the port is closed and
// the result is false: the caller abandons the download.
bool Block_Read(int block, std::vector<std::int32_t>& lapTimes);

}  // namespace orvex
