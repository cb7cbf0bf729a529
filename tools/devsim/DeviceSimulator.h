#pragma once
#include <cstdint>
#include <functional>
#include <set>
#include <vector>

#include "device/DeviceFrames.h"

namespace orvex {

// Misbehaviours the simulator can show on request.
struct SimulatorFaults {
    bool silent = false;            // answers nothing
    int noReplyBlock = 0;           // no answer to this block (1..30)
    bool shortReply = false;        // every reply one byte short
    std::set<int> badCheckRecords;  // records (1..750) stored with a wrong check byte
    int extraBytes = 0;             // junk bytes after every reply
    int hangUpAfterBlocks = 0;      // drops the line after answering this many blocks
    int slowBlock = 0;              // the reply to this block takes longer than a second
    int erasedFromBlock = 0;        // blocks from this one (1..30) on erased to FF bytes
};

// One reply as it should go out.
struct SimulatorAnswer {
    Bytes bytes;
    int spreadMs = 0;     // spread the bytes evenly over this long (0: wire speed)
    bool hangUp = false;  // drop the line once sent
};

// The lap-timing device as seen from its serial line: request frames in,
// replies out, 750 records of memory and a settings record. No I/O here.
class DeviceSimulator {
public:
    static constexpr int kSlowReplyMs = 1500;

    DeviceSimulator(Bytes memory, SimulatorFaults faults);

    // Takes bytes from the line and answers every complete, well-formed
    // request among them. Anything else is skipped, as the device would.
    std::vector<SimulatorAnswer> receive(const Bytes& bytes);

    // Called with every frame taken from the line; `valid` false for one the
    // device ignored (bad checksum, unknown code).
    std::function<void(const Bytes& frame, bool valid)> onFrame;

    // After every download (block 1 is the last one read) the memory holds the
    // race of the next seed, as a device would after another session.
    void newRaceAfterDownload(unsigned nextSeed) {
        newRace_ = true;
        nextSeed_ = nextSeed;
    }

    const Bytes& memory() const { return memory_; }
    const SettingsRecord& settings() const { return settings_; }

    // A plausible race: a few dozen laps of about a minute and a half for
    // some of the 30 drivers, the same for the same seed, now and then with
    // a false crossing or a missed one. 3750 bytes.
    static Bytes generateRace(unsigned seed);
    // Memory built from 750 lap times (index 0 is slot 1).
    static Bytes memoryOf(const std::vector<std::uint32_t>& laps);

private:
    bool takeFrame(std::uint8_t& code, Bytes& payload);
    SimulatorAnswer answer(std::uint8_t code, const Bytes& payload);
    // Takes `memory` with the faults that shape memory applied.
    void hold(Bytes memory);

    Bytes memory_;
    SimulatorFaults faults_;
    SettingsRecord settings_{0, 5, 0};
    Bytes pending_;
    int blocksAnswered_ = 0;
    bool newRace_ = false;
    bool raceRead_ = false;  // block 1 was read: the next download gets the next race
    unsigned nextSeed_ = 0;
};

}  // namespace orvex
