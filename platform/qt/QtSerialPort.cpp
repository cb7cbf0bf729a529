#include "platform/qt/QtSerialPort.h"

#include <QLoggingCategory>
#include <QSerialPort>
#include <QSerialPortInfo>
#include <QStringList>
#include <QtGlobal>

#ifdef Q_OS_UNIX
#include <sys/ioctl.h>
#include <termios.h>
#endif

#include "platform/RunError.h"
#include "platform/SerialPortNames.h"

namespace orvex {

namespace {

constexpr int kInvalidPropertyValue = 380;

// How long one look at the line may block when nothing new has arrived: short
// enough to keep a wait loop responsive, long enough not to spin a core.
constexpr int kCollectWaitMs = 1;

// Every frame, reply and port event in hex, for "the device is not found"
// reports. Silent unless switched on: QT_LOGGING_RULES="orvex.frames.debug=true".
Q_LOGGING_CATEGORY(lcFrames, "orvex.frames", QtWarningMsg)

QByteArray hex(const char* data, qint64 size) {
    return QByteArray::fromRawData(data, static_cast<qsizetype>(size)).toHex(' ');
}

}  // namespace

QtSerialPort::QtSerialPort() : port_(std::make_unique<QSerialPort>()) {}

QtSerialPort::~QtSerialPort() = default;

std::string QtSerialPort::devicePath(int number) {
#ifdef Q_OS_WIN
    return number >= 1 ? "COM" + std::to_string(number) : std::string();
#else
    std::optional<std::string> listing;
    if (qEnvironmentVariableIsSet("ORVEX_PORTS"))
        listing = qEnvironmentVariable("ORVEX_PORTS").toStdString();
    std::vector<std::string> system;
    if (!listing) {
        for (const auto& info : QSerialPortInfo::availablePorts())
            system.push_back(info.systemLocation().toStdString());
    }
    return serialPortPath(number, listing, system);
#endif
}

void QtSerialPort::setCommPort(int number) {
    if (port_->isOpen()) throw RunError(PortError::AlreadyOpen);
    if (number < 1) throw RunError(PortError::InvalidPortNumber);
    commPort_ = number;
}

bool QtSerialPort::portOpen() const { return port_->isOpen(); }

void QtSerialPort::setPortOpen(bool open) {
    if (!open) {
        if (port_->isOpen()) {
            port_->close();
            qCDebug(lcFrames) << "port" << commPort_ << "closed";
        }
        return;
    }
    if (port_->isOpen()) throw RunError(PortError::AlreadyOpen);
    const std::string path = devicePath(commPort_);
    if (path.empty()) throw RunError(PortError::InvalidPortNumber);
    port_->setPortName(QString::fromStdString(path));
    port_->setReadBufferSize(inBufferSize_);
    if (!port_->open(QIODevice::ReadWrite)) {
        qCDebug(lcFrames).noquote()
            << "port" << commPort_ << path.c_str() << "cannot be opened:" << port_->errorString();
        const auto error = port_->error();
        port_->clearError();
        throw RunError(error == QSerialPort::DeviceNotFoundError ? PortError::InvalidPortNumber
                                                                 : PortError::NotAvailable);
    }
    applyLine();
    applySignals();
    port_->clearError();
    qCDebug(lcFrames).noquote() << "port" << commPort_ << path.c_str() << "opened";
}

void QtSerialPort::setSettings(const std::string& settings) {
    const QStringList parts = QString::fromStdString(settings).split(',');
    if (parts.size() != 4) throw RunError(kInvalidPropertyValue);
    bool okBaud = false, okData = false;
    const int baud = parts[0].trimmed().toInt(&okBaud);
    const QString parity = parts[1].trimmed().toUpper();
    const int data = parts[2].trimmed().toInt(&okData);
    const QString stop = parts[3].trimmed();
    if (!okBaud || baud <= 0 || parity.size() != 1 || !QString("NEOMS").contains(parity) ||
        !okData || data < 5 || data > 8 || (stop != "1" && stop != "2"))
        throw RunError(kInvalidPropertyValue);
    baud_ = baud;
    parity_ = parity[0].toLatin1();
    dataBits_ = data;
    stopBits_ = stop.toInt();
    if (port_->isOpen()) applyLine();
}

void QtSerialPort::setHandshaking(int mode) {
    if (mode < 0 || mode > 3) throw RunError(kInvalidPropertyValue);
    handshaking_ = mode;
    if (port_->isOpen()) applyLine();
}

void QtSerialPort::setInBufferSize(int bytes) {
    if (port_->isOpen()) throw RunError(PortError::InvalidWhileOpen);
    if (bytes <= 0) throw RunError(kInvalidPropertyValue);
    inBufferSize_ = bytes;
}

int QtSerialPort::inBufferCount() {
    requireOpen();
    collect();
    return static_cast<int>(port_->bytesAvailable());
}

int QtSerialPort::outBufferCount() {
    requireOpen();
    port_->flush();
    checkLine();
    int queued = 0;
#ifdef Q_OS_UNIX
    // What the driver still has to put on the wire counts too (a
    // pseudo-terminal reports 0: its bytes are with the far end at once).
    if (::ioctl(static_cast<int>(port_->handle()), TIOCOUTQ, &queued) != 0) queued = 0;
#endif
    return static_cast<int>(port_->bytesToWrite()) + queued;
}

void QtSerialPort::discardInBuffer() {
    requireOpen();
    port_->clear(QSerialPort::Input);
    port_->clearError();
}

void QtSerialPort::discardOutBuffer() {
    // Only what is still waiting by outBufferCount: a flush of a line that
    // has nothing left to send could still take bytes the far end has not
    // read yet (a pseudo-terminal's), and those are sent already.
    if (outBufferCount() == 0) return;
    port_->clear(QSerialPort::Output);
    port_->clearError();
}

Bytes QtSerialPort::input() {
    requireOpen();
    collect();
    const qint64 waiting = port_->bytesAvailable();
    const qint64 take = inputLen_ == 0 ? waiting : qMin<qint64>(waiting, inputLen_);
    const QByteArray data = port_->read(take);
    if (!data.isEmpty()) qCDebug(lcFrames).noquote() << "<-" << data.toHex(' ');
    return Bytes(data.begin(), data.end());
}

void QtSerialPort::output(const Bytes& bytes) {
    requireOpen();
    const auto* data = reinterpret_cast<const char*>(bytes.data());
    qCDebug(lcFrames).noquote() << "->" << hex(data, static_cast<qint64>(bytes.size()));
    port_->write(data, static_cast<qint64>(bytes.size()));
    // Hand the bytes to the line now: the caller may wait without letting
    // events run, and QSerialPort writes only from the event loop otherwise.
    port_->flush();
    checkLine();
}

void QtSerialPort::setDTREnable(bool on) {
    dtr_ = on;
    if (port_->isOpen()) applySignals();
}

void QtSerialPort::setRTSEnable(bool on) {
    rts_ = on;
    if (port_->isOpen()) applySignals();
}

void QtSerialPort::requireOpen() const {
    if (!port_->isOpen()) throw RunError(PortError::NotOpen);
}

void QtSerialPort::applyLine() {
    port_->setBaudRate(baud_);
    switch (parity_) {
        case 'E':
            port_->setParity(QSerialPort::EvenParity);
            break;
        case 'O':
            port_->setParity(QSerialPort::OddParity);
            break;
        case 'M':
            port_->setParity(QSerialPort::MarkParity);
            break;
        case 'S':
            port_->setParity(QSerialPort::SpaceParity);
            break;
        default:
            port_->setParity(QSerialPort::NoParity);
            break;
    }
    port_->setDataBits(static_cast<QSerialPort::DataBits>(dataBits_));
    port_->setStopBits(stopBits_ == 2 ? QSerialPort::TwoStop : QSerialPort::OneStop);
    port_->setFlowControl(handshaking_ == 0   ? QSerialPort::NoFlowControl
                          : handshaking_ == 1 ? QSerialPort::SoftwareControl
                                              : QSerialPort::HardwareControl);
    port_->clearError();
}

void QtSerialPort::applySignals() {
    // Pseudo-terminals and some adapters have no modem lines; the device
    // needs none, so a refusal is no error.
    port_->setDataTerminalReady(dtr_);
    if (handshaking_ < 2) port_->setRequestToSend(rts_);
    port_->clearError();
}

void QtSerialPort::collect() {
    port_->waitForReadyRead(kCollectWaitMs);
    checkLine();
}

void QtSerialPort::checkLine() {
    const auto error = port_->error();
    if (error == QSerialPort::NoError) return;
    const QString reason = port_->errorString();
    port_->clearError();
    if (error == QSerialPort::ResourceError || error == QSerialPort::ReadError ||
        error == QSerialPort::WriteError) {
        // The line is gone (device unplugged or hung up): close, so the wait
        // loops see it, and let the command's handler report it.
        qCDebug(lcFrames).noquote() << "port" << commPort_ << "line lost:" << reason;
        port_->close();
        throw RunError(PortError::ReadFailed);
    }
}

}  // namespace orvex
