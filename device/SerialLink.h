#pragma once
#include <cstdint>

#include "platform/SerialPort.h"

namespace orvex {

// The exchange layer over the installed serial port (platform().serial):
// write a frame, collect a reply of known length, all within one-second
// deadlines on the tick counter.

constexpr std::uint32_t kPortTimeoutMs = 1000;
constexpr int kPortBufferSize = 300;

// The fixed line settings (9600,N,8,1, no flow control, DTR off, RTS on,
// 300-byte buffers). A setting the port refuses in its present state (buffer
// sizes while open, discarding while closed) is skipped; the rest still apply.
void Port_Setup();

// Discards stale bytes both ways, writes `frame` and waits (letting events
// run) until it has left or a second has passed. Does nothing on a closed port.
void Port_Send(const Bytes& frame);

// Writes `frame` and waits, without letting events run, for exactly
// `expected` to arrive within a second. Bytes of the right count but other
// content are dropped and the wait goes on.
bool Port_SendExpect(const Bytes& frame, const Bytes& expected);

// Exactly `count` bytes if they all arrive within a second of the call,
// otherwise empty (also when some arrived or the port closed meanwhile).
// Surplus bytes stay waiting until the next send discards them.
Bytes Port_Receive(int count);

// Closes the port if it is open.
void Port_Close();

}  // namespace orvex
