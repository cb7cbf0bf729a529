#include "device/DeviceFrames.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>

#include "platform/RunError.h"

namespace orvex {

namespace {

std::uint8_t byteSum(const std::uint8_t* bytes, std::size_t count) {
    unsigned sum = 0;
    for (std::size_t i = 0; i < count; ++i) sum += bytes[i];
    return static_cast<std::uint8_t>(sum);
}

double roundHalfEven(double value) {
    const double below = std::floor(value);
    const double rest = value - below;
    if (rest > 0.5) return below + 1;
    if (rest < 0.5) return below;
    return std::fmod(below, 2.0) == 0 ? below : below + 1;
}

}  // namespace

std::string CheckSum(const Bytes& bytes) {
    static const char digits[] = "0123456789ABCDEF";
    const std::uint8_t sum = byteSum(bytes.data(), bytes.size());
    return {digits[sum >> 4], digits[sum & 0x0F]};
}

Bytes deviceFrame(std::uint8_t code, const Bytes& payload) {
    Bytes frame;
    frame.reserve(payload.size() + 4);
    frame.push_back(kFrameStart);
    frame.push_back(code);
    frame.insert(frame.end(), payload.begin(), payload.end());
    const std::string sum = CheckSum(frame);
    frame.insert(frame.end(), sum.begin(), sum.end());
    return frame;
}

int payloadLength(std::uint8_t code) {
    switch (code) {
        case DeviceCode::MemoryClear:
        case DeviceCode::Identify:
        case DeviceCode::SetupRead:
            return 0;
        case DeviceCode::TestMode:
            return 1;
        case DeviceCode::BlockRead:
            return 2;
        case DeviceCode::SetupWrite:
            return 3;
        default:
            return -1;
    }
}

int blockAddress(int block) { return (block - 1) * kBlockBytes; }

Bytes blockReadFrame(int block) {
    const int address = blockAddress(block);
    return deviceFrame(DeviceCode::BlockRead, {static_cast<std::uint8_t>(address >> 8),
                                               static_cast<std::uint8_t>(address & 0xFF)});
}

Bytes testModeFrame(std::uint8_t mode) { return deviceFrame(DeviceCode::TestMode, {mode}); }

Bytes setupWriteFrame(const SettingsRecord& record) {
    return deviceFrame(DeviceCode::SetupWrite, {record.flags, record.pause, record.correction});
}

Bytes setupWriteAck() {
    // Sized once and filled: GCC 12 at -O2 takes growing the two-byte head
    // for a write out of bounds (-Warray-bounds).
    const Bytes head{kReplyStart, DeviceCode::SetupWrite};
    const std::string sum = CheckSum(head);
    Bytes ack(head.size() + sum.size());
    std::copy(head.begin(), head.end(), ack.begin());
    std::copy(sum.begin(), sum.end(), ack.begin() + static_cast<std::ptrdiff_t>(head.size()));
    return ack;
}

Bytes encodeRecord(std::uint32_t value) {
    Bytes record{static_cast<std::uint8_t>(value >> 24), static_cast<std::uint8_t>(value >> 16),
                 static_cast<std::uint8_t>(value >> 8), static_cast<std::uint8_t>(value)};
    record.push_back(byteSum(record.data(), 4));
    return record;
}

bool recordCheckOk(const std::uint8_t* record) { return byteSum(record, 4) == record[4]; }

bool recordErased(const std::uint8_t* record) {
    return std::all_of(record, record + kRecordBytes, [](std::uint8_t b) { return b == 0xFF; });
}

std::int32_t decodeRecord(const std::uint8_t* record) {
    if (!recordCheckOk(record)) return 0;
    const std::uint32_t value = (std::uint32_t{record[0]} << 24) |
                                (std::uint32_t{record[1]} << 16) | (std::uint32_t{record[2]} << 8) |
                                std::uint32_t{record[3]};
    return static_cast<std::int32_t>(value);
}

BlockReading decodeBlockReply(const Bytes& reply) {
    BlockReading reading;
    if (reply.size() < static_cast<std::size_t>(kBlockReplyRecordsAt + kBlockBytes)) {
        reading.failed = kRecordsPerBlock;
        return reading;
    }
    for (int k = 0; k < kRecordsPerBlock; ++k) {
        const std::uint8_t* record = reply.data() + kBlockReplyRecordsAt + k * kRecordBytes;
        reading.laps[k] = decodeRecord(record);
        if (recordErased(record))
            ++reading.erased;
        else if (!recordCheckOk(record))
            ++reading.failed;
    }
    return reading;
}

SettingsFields decodeSettings(const Bytes& reply) {
    SettingsFields fields;
    if (reply.size() < static_cast<std::size_t>(kSetupReadReplyLength)) return fields;
    const std::uint8_t flags = reply[2];
    fields.brightness = (flags & 0x01) != 0;
    fields.lapDisplay = (flags & 0x02) != 0;
    fields.pause = std::to_string(reply[3]);
    fields.correction = std::to_string(static_cast<int>(reply[4]) - (reply[4] & 0x80 ? 256 : 0));
    return fields;
}

std::uint8_t settingsByte(const std::string& text, const std::string& decimal) {
    std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return 0;
    std::size_t last = text.find_last_not_of(" \t");
    std::string number = text.substr(first, last - first + 1);
    if (!decimal.empty() && decimal != ".") {
        for (std::size_t at = number.find(decimal); at != std::string::npos;
             at = number.find(decimal, at + 1)) {
            // A one-letter fill, not a literal: GCC 12 at -O3 warns (-Wrestrict) on that.
            number.replace(at, decimal.size(), 1, '.');
        }
    }
    const char* begin = number.data();
    if (*begin == '+') ++begin;
    // from_chars alone would accept "inf", "nan" and hexadecimal forms.
    for (const char* c = begin; c != number.data() + number.size(); ++c) {
        if (!(std::isdigit(static_cast<unsigned char>(*c)) || *c == '.' || *c == '-' || *c == 'e' ||
              *c == 'E' || *c == '+'))
            throw RunError(ErrorNo::TypeMismatch);
    }
    double value = 0;
    const auto [end, ec] = std::from_chars(begin, number.data() + number.size(), value);
    if (ec == std::errc::result_out_of_range) throw RunError(ErrorNo::Overflow);
    if (ec != std::errc() || end != number.data() + number.size())
        throw RunError(ErrorNo::TypeMismatch);
    const double whole = roundHalfEven(value);
    if (!(whole >= -32768.0 && whole <= 32767.0)) throw RunError(ErrorNo::Overflow);
    return static_cast<std::uint8_t>(static_cast<int>(whole) & 0xFF);
}

SettingsRecord encodeSettings(const SettingsFields& fields, const std::string& decimal) {
    SettingsRecord record;
    record.flags =
        static_cast<std::uint8_t>((fields.brightness ? 1 : 0) | (fields.lapDisplay ? 2 : 0));
    record.pause = settingsByte(fields.pause, decimal);
    record.correction = settingsByte(fields.correction, decimal);
    return record;
}

}  // namespace orvex
