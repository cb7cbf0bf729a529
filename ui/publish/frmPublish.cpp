#include "ui/publish/frmPublish.h"

#include <qrencode.h>

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QNetworkInterface>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QVBoxLayout>

#include "platform/MessageBox.h"
#include "platform/Platform.h"
#include "ui/publish/Publishing.h"

namespace orvex {

namespace {
constexpr const char* kPortKey = "Publish/port";
constexpr const char* kChampionshipKey = "Publish/championship";
QSettings programSettings() { return QSettings("ORVEX", "ORVEX"); }
}  // namespace

QString lanAddress() {
    for (const QNetworkInterface& i : QNetworkInterface::allInterfaces()) {
        const auto flags = i.flags();
        if (!(flags & QNetworkInterface::IsUp) || !(flags & QNetworkInterface::IsRunning) ||
            (flags & QNetworkInterface::IsLoopBack))
            continue;
        for (const QNetworkAddressEntry& e : i.addressEntries())
            if (e.ip().protocol() == QAbstractSocket::IPv4Protocol && !e.ip().isLoopback())
                return e.ip().toString();
    }
    return QStringLiteral("127.0.0.1");
}

QImage qrImage(const QString& text, int scale) {
    const QByteArray bytes = text.toUtf8();
    QRcode* code = QRcode_encodeString(bytes.constData(), 0, QR_ECLEVEL_M, QR_MODE_8, 1);
    if (!code) return {};
    const int quiet = 4;
    const int side = (code->width + 2 * quiet) * scale;
    QImage image(side, side, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    for (int y = 0; y < code->width; ++y)
        for (int x = 0; x < code->width; ++x)
            if (code->data[y * code->width + x] & 1)
                p.fillRect((x + quiet) * scale, (y + quiet) * scale, scale, scale, Qt::black);
    p.end();
    QRcode_free(code);
    return image;
}

frmPublish::frmPublish(Publishing& publishing, QWidget* parent)
    : QDialog(parent), publishing_(publishing) {
    setWindowTitle(tr("Publish on network"));
    setObjectName("frmPublish");
    auto* layout = new QVBoxLayout(this);
    auto* intro = new QLabel(
        tr("Phones and computers on this network can read the results while publishing is on."),
        this);
    intro->setWordWrap(true);
    layout->addWidget(intro);

    auto* form = new QFormLayout;
    port_ = new QSpinBox(this);
    // Any number may be typed: one below 1024 gets its own clear message.
    port_->setRange(1, 65535);
    port_->setValue(programSettings().value(kPortKey, kDefaultPort).toInt());
    form->addRow(tr("&Port:"), port_);
    championship_ = new QComboBox(this);
    championship_->addItem(tr("(none)"), QString());
    for (const std::string& name : publishing_.championships())
        championship_->addItem(QString::fromStdString(name), QString::fromStdString(name));
    const int chosen = championship_->findData(QString::fromStdString(
        publishing_.championship().empty()
            ? programSettings().value(kChampionshipKey).toString().toStdString()
            : publishing_.championship()));
    championship_->setCurrentIndex(std::max(0, chosen));
    form->addRow(tr("&Championship:"), championship_);
    layout->addLayout(form);
    connect(championship_, &QComboBox::currentIndexChanged, this, [this] {
        const QString name = championship_->currentData().toString();
        programSettings().setValue(kChampionshipKey, name);
        publishing_.setChampionship(name.toStdString());
    });
    publishing_.setChampionship(championship_->currentData().toString().toStdString());

    auto* buttons = new QHBoxLayout;
    start_ = new QPushButton(tr("&Start"), this);
    stop_ = new QPushButton(tr("S&top"), this);
    buttons->addWidget(start_);
    buttons->addWidget(stop_);
    buttons->addStretch();
    layout->addLayout(buttons);

    address_ = new QLabel(this);
    address_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    address_->setAlignment(Qt::AlignCenter);
    layout->addWidget(address_);
    qr_ = new QLabel(this);
    qr_->setAlignment(Qt::AlignCenter);
    layout->addWidget(qr_);
    served_ = new QLabel(this);
    served_->setAlignment(Qt::AlignCenter);
    layout->addWidget(served_);

    auto* close = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(close, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(close);

    connect(start_, &QPushButton::clicked, this, &frmPublish::startServer);
    connect(stop_, &QPushButton::clicked, this, &frmPublish::stopServer);
    connect(&poll_, &QTimer::timeout, this, [this] {
        if (publishing_.server().running())
            served_->setText(tr("Requests served: %1").arg(publishing_.server().requestsServed()));
    });
    poll_.start(1000);
    updateState();
}

void frmPublish::startServer() {
    const int port = port_->value();
    programSettings().setValue(kPortKey, port);
    error_ = publishing_.start(quint16(port));
    if (!error_.isEmpty())
        platform().messages->show(error_.toStdString(),
                                  MessageBox::OkOnly | MessageBox::Exclamation,
                                  windowTitle().toStdString());
    updateState();
}

void frmPublish::stopServer() {
    publishing_.stop();
    updateState();
}

void frmPublish::updateState() {
    const bool on = publishing_.server().running();
    start_->setEnabled(!on);
    stop_->setEnabled(on);
    port_->setEnabled(!on);
    if (!on) {
        address_->setText(tr("Publishing is off."));
        qr_->clear();
        qr_->hide();
        served_->clear();
        return;
    }
    // The port it runs on, which the box may not hold when it was started elsewhere.
    port_->setValue(publishing_.server().port());
    const QString url =
        QStringLiteral("http://%1:%2/").arg(lanAddress()).arg(publishing_.server().port());
    address_->setText(tr("Open %1 on a phone or a computer of this network.").arg(url));
    qr_->setPixmap(QPixmap::fromImage(qrImage(url, 5)));
    qr_->show();
    served_->setText(tr("Requests served: %1").arg(publishing_.server().requestsServed()));
}

}  // namespace orvex
