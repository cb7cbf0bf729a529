#pragma once
#include <cstdint>

#include "platform/SerialPort.h"

namespace orvex {

// The exchange layer over the installed serial port (platform().serial):
// write a frame, collect a reply of known length, all within one-second
// deadlines on the tick counter.

constexpr std::uint32_t kPortTimeoutMs = 1000;
constexpr int kPortBufferSize = 300;

// How long the line must have been silent before a request goes out. Some
// devices send a few bytes after a reply (a CR LF, an echo, a status byte);
// a request sent before they arrive would have them read as the start of its
// own reply. Bytes sent back to back are never further apart than one
// character time (1.04 ms at 9600 baud) plus the 1 ms USB frame and latency
// timer of a serial adapter in its low-latency setting; 4 ms is above that
// with the tick counter's 1 ms resolution to spare. It is paid once per
// request, so it is kept that short: an adapter that holds bytes back longer
// spoils a block's check bytes instead, and the repeat waits kRetryQuietGapMs.
constexpr std::uint32_t kQuietGapMs = 4;
// The gap before repeating a request whose reply failed its checks: longer
// than the 16 ms default latency timer of the commonest adapter chip, which
// may have held the stray bytes back.
constexpr std::uint32_t kRetryQuietGapMs = 20;

// The fixed line settings (9600,N,8,1, no flow control, DTR off, RTS on,
// 300-byte buffers). A setting the port refuses in its present state (buffer
// sizes while open, discarding while closed) is skipped; the rest still apply.
void Port_Setup();

// Discards stale bytes both ways, waits (letting events run) until no byte
// has arrived for `quietMs` (at most a second: a line that never falls silent
// gets the frame anyway), writes `frame` and waits (letting events run) until
// it has left or a second has passed. Does nothing on a closed port, nor when
// the port closes while it waits.
void Port_Send(const Bytes& frame, std::uint32_t quietMs = kQuietGapMs);

// Like Port_Send up to the write, then waits, without letting events run,
// for exactly `expected` to arrive within a second. Bytes of the right count
// but other content are dropped and the wait goes on.
bool Port_SendExpect(const Bytes& frame, const Bytes& expected);

// Exactly `count` bytes if they all arrive within a second of the call,
// otherwise empty (also when some arrived or the port closed meanwhile).
// Surplus bytes stay waiting until the next send discards them.
Bytes Port_Receive(int count);

// Closes the port if it is open.
void Port_Close();

}  // namespace orvex
