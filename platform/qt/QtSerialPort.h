#pragma once
#include <memory>

#include "platform/SerialPort.h"

class QSerialPort;

namespace orvex {

// The serial port on QSerialPort. Port n is COMn on Windows; elsewhere it is
// found by serialPortPath (ORVEX_PORTS or the system's port list), looked up
// anew at every open.
//
// QSerialPort moves bytes only while events run or while it is asked to
// wait, so every read of the input side first collects what the line has
// delivered; a wait loop that lets no events run still sees the reply.
class QtSerialPort : public SerialPort {
public:
    QtSerialPort();
    ~QtSerialPort() override;

    void setCommPort(int number) override;
    int commPort() const override { return commPort_; }
    void setPortOpen(bool open) override;
    bool portOpen() const override;
    void setSettings(const std::string& settings) override;
    void setHandshaking(int mode) override;
    void setInBufferSize(int bytes) override;
    int inBufferCount() override;
    int outBufferCount() override;
    void discardInBuffer() override;
    void discardOutBuffer() override;
    void setInputLen(int bytes) override { inputLen_ = bytes < 0 ? 0 : bytes; }
    int inputLen() const override { return inputLen_; }
    Bytes input() override;
    void output(const Bytes& bytes) override;
    void setDTREnable(bool on) override;
    void setRTSEnable(bool on) override;

    // The device path port `number` leads to here; empty when there is none.
    static std::string devicePath(int number);

private:
    void requireOpen() const;
    void applyLine();
    void applySignals();
    void collect();
    void checkLine();

    std::unique_ptr<QSerialPort> port_;
    int commPort_ = 1;
    int baud_ = 9600;
    char parity_ = 'N';
    int dataBits_ = 8;
    int stopBits_ = 1;
    int handshaking_ = 0;
    int inBufferSize_ = 1024;
    int inputLen_ = 0;
    bool dtr_ = false;
    bool rts_ = false;
};

}  // namespace orvex
