#pragma once
#include <cstdint>
#include <functional>
#include <vector>

#include "device/DeviceFrames.h"

namespace orvex {

class SetupControls;

// How an exchange with the device ended. The operations show nothing and
// leave the mouse pointer alone; the caller decides what the user sees.
enum class LinkStatus {
    Ok,
    NoDevice,      // no port led to a device
    NoReply,       // no reply, a short one or a wrong one within the second
    DialogClosed,  // the configuration dialog closed while the reply was awaited
};

// The device's commands, each one request and at most one reply over the
// serial link. All but Device_Connect expect the port Device_Connect opened.

// Makes sure the open port leads to a device: when the port is closed, tries
// ports 1 to 20 in turn with the identify command and keeps the first that
// answers within a second. Every port error is ignored. Ok when the port is
// open afterwards, else NoDevice.
LinkStatus Device_Connect();

// Erases the device's memory. No reply is awaited.
void Memory_Clear();

// Switches the device's test mode (TestModes); NoReply when it did not answer.
LinkStatus Test_Mode(std::uint8_t mode);

// Sends the dialog's settings and waits for the exact acknowledgement
// (NoReply without it). Text that is not a number throws RunError before
// anything is sent.
LinkStatus Setup_Write(const SetupControls& dialog);

// The configuration dialog's controls, or null once it has closed. Asked
// again after every wait, since events run while the reply is awaited.
using SetupLookup = std::function<SetupControls*()>;

// Reads the device's settings into the dialog. Without a reply the dialog is
// left alone (NoReply); a dialog closed meanwhile drops the reply
// (DialogClosed).
LinkStatus Setup_Read(const SetupLookup& dialog);

// How many times a block is requested at most while its records fail their
// check bytes.
constexpr int kBlockAttempts = 3;

// Reads memory block `block` (1..30: driver `block`'s 25 laps) into slots
// (block - 1) * 25 + 1 .. block * 25 of `lapTimes` (indexed like LapTimes,
// 0 unused). While records fail their check bytes the block is requested
// again, up to kBlockAttempts in all, and the reading with the fewest
// failures is stored, those records as 0; `stored` tells how many failed and
// how many were erased (empty slots, also 0). Without a reply (NoReply)
// nothing is stored and the port is closed: the caller abandons the download.
// Whether unreadable records mean that another instrument answered is the
// caller's judgement, over the whole download.
LinkStatus Block_Read(int block, std::vector<std::int32_t>& lapTimes, BlockReading& stored);

}  // namespace orvex
