#include "device/SerialLink.h"

#include "platform/EventPump.h"
#include "platform/Messages.h"
#include "platform/Platform.h"
#include "platform/TickClock.h"

namespace orvex {

namespace {

SerialPort& port() { return *platform().serial; }

std::uint32_t now() { return platform().ticks->ticks(); }

// By difference, so a deadline that straddles the 32-bit wrap still lasts
// exactly one second.
bool timedOut(std::uint32_t start) { return ticksElapsed(start, now()) >= kPortTimeoutMs; }

// When the last byte came in, on the tick counter.
std::uint32_t lastByteAt = 0;

// Discard stale bytes first, so a late reply to an earlier request is never
// read as this one's; then keep discarding until the line has been quiet for
// `quietMs`, so bytes a device sends after its reply are not either. A line
// that never falls silent holds the request for a whole second: past the
// first `quietMs` events run, as in every other wait (not before, so that a
// repaint never lengthens the usual short gap). False when the port closed
// meanwhile.
bool discardStale(std::uint32_t quietMs) {
    SerialPort& p = port();
    p.discardOutBuffer();
    p.setInputLen(0);
    const std::uint32_t start = now();
    for (;;) {
        if (p.inBufferCount() > 0) {
            p.discardInBuffer();
            lastByteAt = now();
        }
        if (ticksElapsed(lastByteAt, now()) >= quietMs || timedOut(start)) return true;
        if (ticksElapsed(start, now()) < quietMs) continue;
        platform().events->processEvents();
        if (!p.portOpen()) return false;
    }
}

}  // namespace

void Port_Setup() {
    SerialPort& p = port();
    runSilently([&] { p.setSettings("9600,N,8,1"); });
    runSilently([&] { p.setHandshaking(0); });
    runSilently([&] { p.discardOutBuffer(); });
    runSilently([&] { p.discardInBuffer(); });
    runSilently([&] { p.setInBufferSize(kPortBufferSize); });
    runSilently([&] { p.setInputLen(0); });
    runSilently([&] { p.setDTREnable(false); });
    runSilently([&] { p.setRTSEnable(true); });
}

void Port_Send(const Bytes& frame, std::uint32_t quietMs) {
    SerialPort& p = port();
    if (!p.portOpen() || !discardStale(quietMs)) return;
    p.output(frame);
    const std::uint32_t start = now();
    while (p.portOpen() && p.outBufferCount() > 0 && !timedOut(start))
        platform().events->processEvents();
}

bool Port_SendExpect(const Bytes& frame, const Bytes& expected) {
    SerialPort& p = port();
    // Checked before discarding: a closed port refuses the discard.
    if (!p.portOpen() || !discardStale(kQuietGapMs)) return false;
    p.output(frame);
    const std::uint32_t start = now();
    // Blocks the windows for up to a second; the reply is short.
    while (!timedOut(start)) {
        if (p.inBufferCount() < static_cast<int>(expected.size())) continue;
        lastByteAt = now();
        if (p.input() == expected) return true;
    }
    return false;
}

Bytes Port_Receive(int count) {
    SerialPort& p = port();
    if (count <= 0 || !p.portOpen()) return {};
    Bytes reply;
    const std::uint32_t start = now();
    for (;;) {
        // Never take more than is missing: surplus stays for the next send to discard.
        p.setInputLen(count - static_cast<int>(reply.size()));
        if (!p.portOpen()) return {};
        const Bytes part = p.input();
        if (!part.empty()) lastByteAt = now();
        reply.insert(reply.end(), part.begin(), part.end());
        if (reply.size() == static_cast<std::size_t>(count)) return reply;
        if (timedOut(start)) return {};
        platform().events->processEvents();
    }
}

void Port_Close() {
    if (port().portOpen()) port().setPortOpen(false);
}

}  // namespace orvex
