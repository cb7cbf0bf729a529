#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "platform/SerialPort.h"

namespace orvex {

// The device's wire format: request frames, replies, memory records and the
// settings record. Pure functions over bytes, shared by the program and the
// device simulator.

constexpr std::uint8_t kFrameStart = 0x48;  // 'H'
constexpr std::uint8_t kReplyStart = 0x52;  // 'R'

namespace DeviceCode {
constexpr std::uint8_t MemoryClear = 1;
constexpr std::uint8_t Identify = 2;
constexpr std::uint8_t TestMode = 5;
constexpr std::uint8_t SetupWrite = 6;
constexpr std::uint8_t SetupRead = 7;
constexpr std::uint8_t BlockRead = 12;
}  // namespace DeviceCode

namespace TestModes {
constexpr std::uint8_t Display = 0x80;
constexpr std::uint8_t Inputs = 0x40;
constexpr std::uint8_t End = 0x00;
}  // namespace TestModes

constexpr int kRecordBytes = 5;
constexpr int kRecordsPerBlock = 25;
constexpr int kBlockBytes = kRecordBytes * kRecordsPerBlock;  // 125
constexpr int kBlocks = 30;
constexpr int kMemoryRecords = kBlocks * kRecordsPerBlock;   // 750
constexpr int kMemoryBytes = kMemoryRecords * kRecordBytes;  // 3750

// Reply lengths the program reads.
constexpr int kIdentifyReplyLength = 13;
constexpr int kTestReplyLength = 2;
constexpr int kSetupReadReplyLength = 5;
constexpr int kBlockReplyLength = 130;
// Where the first record starts in a block reply, counted from 0.
constexpr int kBlockReplyRecordsAt = 2;

// The sum of `bytes` modulo 256 as two upper-case hexadecimal digits.
std::string CheckSum(const Bytes& bytes);

// 'H', the code, the payload, then CheckSum of all of them as two ASCII digits.
Bytes deviceFrame(std::uint8_t code, const Bytes& payload = {});

// Payload length a request with this code carries; -1 for an unknown code.
int payloadLength(std::uint8_t code);

// Byte address of memory block `block` (1..30): 0, 125, ..., 3625.
int blockAddress(int block);
Bytes blockReadFrame(int block);
Bytes testModeFrame(std::uint8_t mode);

// The three bytes of the device's settings record.
struct SettingsRecord {
    std::uint8_t flags = 0;       // bit 0 high brightness, bit 1 lap display
    std::uint8_t pause = 0;       // seconds
    std::uint8_t correction = 0;  // signed, two's complement
    bool operator==(const SettingsRecord&) const = default;
};

Bytes setupWriteFrame(const SettingsRecord& record);
// The only acknowledgement of a settings write: 'R', the code, and the
// CheckSum digits of those two bytes.
Bytes setupWriteAck();

// A memory record (5 bytes): big-endian 32-bit value, then the low byte of
// the sum of those four bytes.
Bytes encodeRecord(std::uint32_t value);
bool recordCheckOk(const std::uint8_t* record);
// An erased record: memory wiped to FF bytes, a slot no lap was written to.
bool recordErased(const std::uint8_t* record);
// The lap time a record holds, with the same bit pattern as sent; 0 when the
// check byte does not match or the record is erased (an empty slot).
std::int32_t decodeRecord(const std::uint8_t* record);

// The 25 lap times of a block reply of kBlockReplyLength bytes, how many
// records failed their check byte and how many are erased (both read as 0).
struct BlockReading {
    std::array<std::int32_t, kRecordsPerBlock> laps{};
    int failed = 0;
    int erased = 0;
};
BlockReading decodeBlockReply(const Bytes& reply);

// The settings record as the configuration dialog shows it.
struct SettingsFields {
    bool brightness = false;  // "Luminositá alta"
    bool lapDisplay = false;  // "Visualizzazione Lap"
    std::string pause;
    std::string correction;
    bool operator==(const SettingsFields&) const = default;
};

// Bytes 3 to 5 (counted from 1) of a settings reply.
SettingsFields decodeSettings(const Bytes& reply);

// Throws RunError: 13 for text that is not a number, 6 for a number beyond
// 16 bits.
SettingsRecord encodeSettings(const SettingsFields& fields, const std::string& decimal = ".");

// A field's number rounded to the nearest whole (a half to the even
// neighbour) and reduced to its lowest 8 bits; empty text is 0. `decimal` is
// the user's decimal separator, accepted beside '.'.
std::uint8_t settingsByte(const std::string& text, const std::string& decimal = ".");

}  // namespace orvex
