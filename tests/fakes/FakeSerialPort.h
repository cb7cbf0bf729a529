#pragma once
#include <cstdint>
#include <deque>
#include <functional>
#include <initializer_list>
#include <set>
#include <string>
#include <vector>

#include "platform/SerialPort.h"

namespace orvex {

class FakeTickClock;

// Bytes written as numbers, as the format tables give them: bytesOf({0x48, 0x02}).
inline Bytes bytesOf(std::initializer_list<int> values) {
    Bytes b;
    for (int v : values) b.push_back(static_cast<std::uint8_t>(v));
    return b;
}

// A serial port with a scripted device behind it, on the virtual clock. Each
// look at the input costs 1 ms, so even a loop that lets no events run
// reaches its deadline. It refuses what a real port refuses
// (discarding or reading while closed, buffer sizes while open).
class FakeSerialPort : public SerialPort {
public:
    explicit FakeSerialPort(FakeTickClock& clock) : clock_(clock) {}

    // Ports that exist and those of them in use elsewhere.
    std::set<int> existing{1};
    std::set<int> busy;
    // The port the device is on (0: none) and its answer to each frame.
    int devicePort = 1;
    std::function<Bytes(const Bytes& frame)> device;
    std::uint32_t drainMs = 0;

    Bytes trailing;  // sent shortly after each reply
    std::vector<Bytes> written;
    std::vector<int> openedPorts;

    // Bytes that arrive `afterMs` from now (opening the port drops them).
    void arrive(const Bytes& bytes, std::uint32_t afterMs = 0);

    void setCommPort(int number) override;
    int commPort() const override { return commPort_; }
    void setPortOpen(bool open) override;
    bool portOpen() const override { return open_; }
    void setSettings(const std::string&) override {}
    void setHandshaking(int) override {}
    void setInBufferSize(int bytes) override;
    int inBufferCount() override;
    int outBufferCount() override;
    void discardInBuffer() override;
    void discardOutBuffer() override;
    void setInputLen(int bytes) override { inputLen_ = bytes; }
    int inputLen() const override { return inputLen_; }
    Bytes input() override;
    void output(const Bytes& bytes) override;
    void setDTREnable(bool) override {}
    void setRTSEnable(bool) override {}

private:
    struct Arrival {
        std::uint32_t scheduledAt;
        std::uint32_t afterMs;
        Bytes bytes;
    };
    void requireOpen() const;
    void poll();

    FakeTickClock& clock_;
    int commPort_ = 1;
    bool open_ = false;
    int inputLen_ = 0;
    Bytes inBuffer_;
    std::deque<Arrival> arrivals_;
    std::uint32_t lastWriteAt_ = 0;
    std::size_t outPending_ = 0;
};

}  // namespace orvex
