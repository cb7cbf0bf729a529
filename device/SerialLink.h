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
// own reply. 5 ms is about five characters at 9600 baud (1.04 ms each), more
// than a device needs between the end of its reply and such an afterthought,
// and it covers the 1 ms latency timer and USB frame of serial adapters in
// their low-latency setting. It is counted from the last byte received, so
// the time the windows take between two exchanges already counts towards it;
// a longer gap would cost every block of a download its full length.
constexpr std::uint32_t kQuietGapMs = 5;
// The gap before repeating a request whose reply failed its checks: longer
// than the 16 ms default latency timer of the commonest adapter chip, which
// may have held the stray bytes back.
constexpr std::uint32_t kRetryQuietGapMs = 20;

// The fixed line settings (9600,N,8,1, no flow control, DTR off, RTS on,
// 300-byte buffers). A setting the port refuses in its present state (buffer
// sizes while open, discarding while closed) is skipped; the rest still apply.
void Port_Setup();

// Discards stale bytes both ways, waits until no byte has arrived for
// `quietMs` (at most a second: a line that never falls silent gets the frame
// anyway), writes `frame` and waits (letting events run) until it has left or
// a second has passed. Does nothing on a closed port.
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
