#include "fakes/FakeSerialPort.h"

#include <algorithm>

#include "fakes/FakePlatform.h"
#include "platform/RunError.h"

namespace orvex {

void FakeSerialPort::arrive(const Bytes& bytes, std::uint32_t afterMs) {
    arrivals_.push_back({clock_.now, afterMs, bytes});
}

void FakeSerialPort::setCommPort(int number) {
    if (open_) throw RunError(PortError::AlreadyOpen);
    if (number < 1) throw RunError(PortError::InvalidPortNumber);
    commPort_ = number;
}

void FakeSerialPort::setPortOpen(bool open) {
    if (!open) {
        open_ = false;
        return;
    }
    if (open_) throw RunError(PortError::AlreadyOpen);
    if (!existing.count(commPort_)) throw RunError(PortError::InvalidPortNumber);
    if (busy.count(commPort_)) throw RunError(PortError::NotAvailable);
    open_ = true;
    openedPorts.push_back(commPort_);
    inBuffer_.clear();
    arrivals_.clear();
    outPending_ = 0;
}

void FakeSerialPort::setInBufferSize(int) {
    if (open_) throw RunError(PortError::InvalidWhileOpen);
}

int FakeSerialPort::inBufferCount() {
    requireOpen();
    poll();
    return static_cast<int>(inBuffer_.size());
}

int FakeSerialPort::outBufferCount() {
    requireOpen();
    if (ticksElapsed(lastWriteAt_, clock_.now) >= drainMs) outPending_ = 0;
    return static_cast<int>(outPending_);
}

void FakeSerialPort::discardInBuffer() {
    requireOpen();
    poll();
    inBuffer_.clear();
}

void FakeSerialPort::discardOutBuffer() {
    requireOpen();
    outPending_ = 0;
}

Bytes FakeSerialPort::input() {
    requireOpen();
    poll();
    const std::size_t take = inputLen_ == 0
                                 ? inBuffer_.size()
                                 : std::min(inBuffer_.size(), static_cast<std::size_t>(inputLen_));
    Bytes taken(inBuffer_.begin(), inBuffer_.begin() + static_cast<std::ptrdiff_t>(take));
    inBuffer_.erase(inBuffer_.begin(), inBuffer_.begin() + static_cast<std::ptrdiff_t>(take));
    return taken;
}

void FakeSerialPort::output(const Bytes& bytes) {
    requireOpen();
    written.push_back(bytes);
    lastWriteAt_ = clock_.now;
    outPending_ = drainMs > 0 ? bytes.size() : 0;
    if (device && commPort_ == devicePort) {
        const Bytes reply = device(bytes);
        if (!reply.empty()) arrive(reply, 5);
        if (!reply.empty() && !trailing.empty()) arrive(trailing, 7);
    }
}

void FakeSerialPort::requireOpen() const {
    if (!open_) throw RunError(PortError::NotOpen);
}

void FakeSerialPort::poll() {
    clock_.advance(1);
    while (!arrivals_.empty() &&
           ticksElapsed(arrivals_.front().scheduledAt, clock_.now) >= arrivals_.front().afterMs) {
        const Bytes& b = arrivals_.front().bytes;
        inBuffer_.insert(inBuffer_.end(), b.begin(), b.end());
        arrivals_.pop_front();
    }
}

}  // namespace orvex
