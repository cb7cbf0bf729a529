#pragma once
#include <QDialog>
#include <QImage>
#include <QTimer>

class QComboBox;
class QLabel;
class QPushButton;
class QSpinBox;

namespace orvex {

class Publishing;

// Race > Publish on network: starts and stops the results server. It never
// starts by itself; the port is remembered.
class frmPublish : public QDialog {
    Q_OBJECT

public:
    frmPublish(Publishing& publishing, QWidget* parent = nullptr);

    static constexpr int kDefaultPort = 8080;

    QPushButton* startButton() const { return start_; }
    QPushButton* stopButton() const { return stop_; }
    QSpinBox* portBox() const { return port_; }
    QLabel* addressLabel() const { return address_; }
    // Why the last start failed; empty when it did not.
    QString lastError() const { return error_; }

private:
    void startServer();
    void stopServer();
    void updateState();

    Publishing& publishing_;
    QSpinBox* port_ = nullptr;
    QComboBox* championship_ = nullptr;
    QPushButton* start_ = nullptr;
    QPushButton* stop_ = nullptr;
    QLabel* address_ = nullptr;
    QLabel* qr_ = nullptr;
    QLabel* served_ = nullptr;
    QTimer poll_;
    QString error_;
};

// The address phones reach this computer at: its first IPv4 address on a
// network that is up, else the loopback.
QString lanAddress();
// The QR code of `text`, `scale` pixels a module, with the quiet zone; null
// when it cannot be encoded.
QImage qrImage(const QString& text, int scale);

}  // namespace orvex
