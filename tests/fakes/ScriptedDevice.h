#pragma once
#include <algorithm>
#include <vector>

#include "fakes/FakeSerialPort.h"

namespace orvex {

// A memory record: 4 bytes big-endian, their sum's low byte (+ `checkOffset`).
inline Bytes deviceRecord(std::uint32_t v, int checkOffset = 0) {
    const int b0 = v >> 24, b1 = (v >> 16) & 0xFF, b2 = (v >> 8) & 0xFF, b3 = v & 0xFF;
    return bytesOf({b0, b1, b2, b3, (b0 + b1 + b2 + b3 + checkOffset) & 0xFF});
}

// The device behind a FakeSerialPort, written from the wire format's tables.
struct ScriptedDevice {
    Bytes memory = Bytes(3750, 0);
    Bytes settings = bytesOf({0, 0, 0});
    std::vector<Bytes> frames;
    int answerBlocksUpTo = 1000;  // hang up after this many block replies

    Bytes operator()(const Bytes& frame) {
        frames.push_back(frame);
        if (frame == bytesOf({0x48, 0x02, 0x34, 0x41})) return Bytes(13, 0x49);
        if (frame.size() == 6 && frame[1] == 0x0C) {
            if (answerBlocksUpTo-- <= 0) return {};
            const int address = frame[2] * 256 + frame[3];
            Bytes reply = bytesOf({0x52, 0x0C});
            reply.insert(reply.end(), memory.begin() + address, memory.begin() + address + 125);
            reply.insert(reply.end(), {0x30, 0x30, 0x0D});
            return reply;
        }
        if (frame == bytesOf({0x48, 0x07, 0x34, 0x46})) {
            Bytes reply = bytesOf({0x52, 0x07});
            reply.insert(reply.end(), settings.begin(), settings.end());
            return reply;
        }
        if (frame.size() == 7 && frame[1] == 0x06) {
            settings.assign(frame.begin() + 2, frame.begin() + 5);
            return bytesOf({0x52, 0x06, 0x35, 0x38});
        }
        if (frame.size() == 5 && frame[1] == 0x05) return bytesOf({0x52, 0x05});
        return {};
    }
    // Puts a record at lap slot `slot` (1..750).
    void put(int slot, const Bytes& rec) {
        std::copy(rec.begin(), rec.end(), memory.begin() + (slot - 1) * 5);
    }
};

}  // namespace orvex
