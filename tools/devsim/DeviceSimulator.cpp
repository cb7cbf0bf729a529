#include "tools/devsim/DeviceSimulator.h"

#include <algorithm>
#include <iterator>
#include <random>
#include <string>

namespace orvex {

namespace {

// Nine bytes of identification; the program only counts the reply's length.
const char kIdentity[] = "LT750 1.2";

Bytes withCheckSum(Bytes reply) {
    const std::string sum = CheckSum(reply);
    reply.insert(reply.end(), sum.begin(), sum.end());
    return reply;
}

// Start byte, command code, then the data: sized once and filled, which also
// keeps GCC 12 from a false bounds warning about inserting into a short vector.
template <typename It>
Bytes replyWith(std::uint8_t code, It first, It last) {
    Bytes reply(2 + static_cast<std::size_t>(std::distance(first, last)));
    reply[0] = kReplyStart;
    reply[1] = code;
    std::copy(first, last, reply.begin() + 2);
    return reply;
}

}  // namespace

DeviceSimulator::DeviceSimulator(Bytes memory, SimulatorFaults faults)
    : faults_(std::move(faults)) {
    hold(std::move(memory));
}

void DeviceSimulator::hold(Bytes memory) {
    memory_ = std::move(memory);
    memory_.resize(kMemoryBytes, 0);
    // Memory no lap was written to since it was erased, as after a race with
    // fewer drivers.
    if (faults_.erasedFromBlock >= 1 && faults_.erasedFromBlock <= kBlocks)
        std::fill(memory_.begin() + (faults_.erasedFromBlock - 1) * kBlockBytes, memory_.end(),
                  0xFF);
    for (int r : faults_.badCheckRecords) {
        if (r >= 1 && r <= kMemoryRecords) memory_[(r - 1) * kRecordBytes + 4] ^= 0x5A;
    }
}

bool DeviceSimulator::takeFrame(std::uint8_t& code, Bytes& payload) {
    for (;;) {
        std::size_t start = 0;
        while (start < pending_.size() && pending_[start] != kFrameStart) ++start;
        pending_.erase(pending_.begin(), pending_.begin() + static_cast<std::ptrdiff_t>(start));
        if (pending_.size() < 2) return false;
        const int length = payloadLength(pending_[1]);
        if (length >= 0 && pending_.size() < static_cast<std::size_t>(length) + 4) return false;
        if (length >= 0) {
            const Bytes body(pending_.begin(), pending_.begin() + 2 + length);
            const Bytes frame(pending_.begin(), pending_.begin() + 4 + length);
            const std::string sum = CheckSum(body);
            if (frame[2 + length] == sum[0] && frame[3 + length] == sum[1]) {
                if (onFrame) onFrame(frame, true);
                code = frame[1];
                payload.assign(body.begin() + 2, body.end());
                pending_.erase(pending_.begin(), pending_.begin() + 4 + length);
                return true;
            }
        }
        // Not a frame after all: resynchronise on the next start byte.
        if (onFrame) onFrame(Bytes(pending_.begin(), pending_.begin() + 2), false);
        pending_.erase(pending_.begin());
    }
}

std::vector<SimulatorAnswer> DeviceSimulator::receive(const Bytes& bytes) {
    pending_.insert(pending_.end(), bytes.begin(), bytes.end());
    std::vector<SimulatorAnswer> answers;
    std::uint8_t code = 0;
    Bytes payload;
    while (takeFrame(code, payload)) {
        SimulatorAnswer a = answer(code, payload);
        if (faults_.silent || a.bytes.empty()) continue;
        if (faults_.shortReply) a.bytes.pop_back();
        a.bytes.insert(a.bytes.end(), static_cast<std::size_t>(faults_.extraBytes), 0xEE);
        answers.push_back(std::move(a));
    }
    return answers;
}

SimulatorAnswer DeviceSimulator::answer(std::uint8_t code, const Bytes& payload) {
    SimulatorAnswer a;
    switch (code) {
        case DeviceCode::MemoryClear:
            memory_.assign(kMemoryBytes, 0);
            break;
        case DeviceCode::Identify:
            a.bytes = withCheckSum(replyWith(code, kIdentity, kIdentity + sizeof kIdentity - 1));
            break;
        case DeviceCode::TestMode:
            a.bytes = Bytes{kReplyStart, code};
            break;
        case DeviceCode::SetupWrite:
            settings_ = {payload[0], payload[1], payload[2]};
            a.bytes = setupWriteAck();
            break;
        case DeviceCode::SetupRead:
            a.bytes = {kReplyStart, code, settings_.flags, settings_.pause, settings_.correction};
            break;
        case DeviceCode::BlockRead: {
            const int address = payload[0] * 256 + payload[1];
            if (address % kBlockBytes != 0 || address + kBlockBytes > kMemoryBytes) break;
            const int block = address / kBlockBytes + 1;
            // Block 1 ends a download, but a repeated request for it must
            // still read this race: the next one comes with another block.
            if (raceRead_ && block != 1) {
                raceRead_ = false;
                hold(generateRace(nextSeed_++));
            }
            if (block == faults_.noReplyBlock) break;
            a.bytes = withCheckSum(replyWith(code, memory_.begin() + address,
                                             memory_.begin() + address + kBlockBytes));
            a.bytes.push_back(0x0D);
            if (block == faults_.slowBlock) a.spreadMs = kSlowReplyMs;
            ++blocksAnswered_;
            a.hangUp =
                faults_.hangUpAfterBlocks > 0 && blocksAnswered_ >= faults_.hangUpAfterBlocks;
            if (newRace_ && block == 1) raceRead_ = true;
            break;
        }
        default:
            break;
    }
    return a;
}

Bytes DeviceSimulator::memoryOf(const std::vector<std::uint32_t>& laps) {
    Bytes memory;
    for (int slot = 0; slot < kMemoryRecords; ++slot) {
        const Bytes r = encodeRecord(slot < static_cast<int>(laps.size()) ? laps[slot] : 0);
        memory.insert(memory.end(), r.begin(), r.end());
    }
    return memory;
}

Bytes DeviceSimulator::generateRace(unsigned seed) {
    // The engine's raw output is the same everywhere; the library's
    // distributions are not, so the arithmetic is done here.
    std::mt19937 random(seed);
    auto pick = [&](std::uint32_t lo, std::uint32_t hi) { return lo + random() % (hi - lo + 1); };
    std::vector<std::uint32_t> laps(kMemoryRecords, 0);
    const std::uint32_t drivers = pick(8, 30);
    const std::uint32_t raceLaps = pick(12, 25);
    for (std::uint32_t d = 1; d <= drivers; ++d) {
        const std::uint32_t pace = pick(8400, 9600);  // hundredths
        const std::uint32_t done = raceLaps - (pick(0, 9) == 0 ? pick(1, raceLaps - 1) : 0);
        std::vector<std::uint32_t> times;
        for (std::uint32_t l = 1; l <= done; ++l) {
            std::uint32_t lap = pace + pick(0, 600);
            if (l == 1) lap += 1500;  // standing start
            times.push_back(lap);
        }
        // Now and then a timer at a track sees a crossing that was none (a
        // lap split in a very short one and the rest) or misses one (two laps
        // recorded as one).
        if (times.size() >= 4 && pick(0, 5) == 0) {
            const std::size_t at = pick(1, static_cast<std::uint32_t>(times.size()) - 2);
            const std::uint32_t early = pick(200, 1200);
            times[at] -= early;
            times.insert(times.begin() + static_cast<std::ptrdiff_t>(at), early);
        }
        if (times.size() >= 4 && pick(0, 5) == 0) {
            const std::size_t at = pick(1, static_cast<std::uint32_t>(times.size()) - 2);
            times[at] += times[at + 1];
            times.erase(times.begin() + static_cast<std::ptrdiff_t>(at) + 1);
        }
        times.resize(std::min<std::size_t>(times.size(), kRecordsPerBlock));
        for (std::size_t l = 0; l < times.size(); ++l)
            laps[(d - 1) * kRecordsPerBlock + l] = times[l];
    }
    return memoryOf(laps);
}

}  // namespace orvex
