#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace orvex {

// A byte string on the wire: every element is one byte 0 to 255.
using Bytes = std::vector<std::uint8_t>;

// Error numbers a serial port raises (as RunError), in the classic
// serial-control numbering so a reported number means the same as ever.
namespace PortError {
constexpr int InvalidWhileOpen = 8000;   // buffer sizes or port number changed while open
constexpr int InvalidPortNumber = 8002;  // no such port, or it cannot be opened
constexpr int AlreadyOpen = 8005;
constexpr int NotAvailable = 8010;  // the port exists but is busy or not permitted
constexpr int NotOpen = 8018;       // the operation needs an open port
constexpr int ReadFailed = 8020;    // the line went away (device unplugged, hung up)
}  // namespace PortError

// The one serial port the program drives, with the properties of a classic
// serial-port control. Port numbers are 1 to 20; how a number maps to a
// device is the implementation's business. Failures throw RunError with a
// PortError number.
class SerialPort {
public:
    virtual ~SerialPort() = default;

    virtual void setCommPort(int number) = 0;
    virtual int commPort() const = 0;

    // Opening a port that cannot be opened throws; closing never does.
    virtual void setPortOpen(bool open) = 0;
    virtual bool portOpen() const = 0;

    // "baud,parity,data bits,stop bits", e.g. "9600,N,8,1".
    virtual void setSettings(const std::string& settings) = 0;
    // 0 = no flow control.
    virtual void setHandshaking(int mode) = 0;

    // Only while the port is closed.
    virtual void setInBufferSize(int bytes) = 0;

    // Bytes waiting in each direction. Only while the port is open.
    virtual int inBufferCount() = 0;
    virtual int outBufferCount() = 0;
    // Only while the port is open.
    virtual void discardInBuffer() = 0;
    virtual void discardOutBuffer() = 0;

    // At most this many bytes per input(); 0 = everything waiting.
    virtual void setInputLen(int bytes) = 0;
    virtual int inputLen() const = 0;
    // Takes (and removes) up to inputLen() waiting bytes, possibly none.
    virtual Bytes input() = 0;
    // Queues bytes for sending.
    virtual void output(const Bytes& bytes) = 0;

    virtual void setDTREnable(bool on) = 0;
    virtual void setRTSEnable(bool on) = 0;
};

}  // namespace orvex
