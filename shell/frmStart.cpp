#include "shell/frmStart.h"

#include <QPainter>
#include <cmath>

#include "platform/DayClock.h"
#include "platform/EventPump.h"
#include "platform/Messages.h"
#include "platform/Platform.h"
#include "platform/qt/Twips.h"
#include "shell/ImageList1.h"

namespace orvex {

frmStart::frmStart(QWidget* parent) : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint) {
    setFixedSize(twipsToPixelsX(6000), twipsToPixelsY(3600));
}

void frmStart::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    centreOnScreen(this);
}

void frmStart::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, height());
    sky.setColorAt(0, QColor(20, 30, 60));
    sky.setColorAt(1, QColor(60, 80, 130));
    p.fillRect(rect(), sky);
    // A chequered band, as on a finish line.
    const int cell = 10;
    for (int x = 0; x < width(); x += cell)
        for (int row = 0; row < 2; ++row)
            p.fillRect(x, height() - (row + 1) * cell, cell, cell,
                       ((x / cell + row) % 2) ? Qt::white : Qt::black);
    p.drawPixmap(24, 24, ImageList1::pixmap(ImageList1::Logo, 64));
    p.setPen(Qt::white);
    QFont title = font();
    title.setPointSize(22);
    title.setBold(true);
    p.setFont(title);
    p.drawText(QRect(100, 20, width() - 110, 60), Qt::AlignVCenter, kProgramTitle);
    QFont sub = font();
    sub.setPointSize(13);
    p.setFont(sub);
    p.drawText(QRect(100, 75, width() - 110, 30), Qt::AlignVCenter, tr("Timing System 1.0"));
}

double SplashWait(DayClock& clock, EventPump& events) {
    constexpr double kDay = 86400.0;
    const double start = clock.secondsSinceMidnight();
    const double wait = std::nearbyint(start + 3.0) - start;  // ties to the even second
    for (;;) {
        double elapsed = clock.secondsSinceMidnight() - start;
        if (elapsed < 0) elapsed += kDay;
        if (elapsed >= wait) break;
        events.processEvents();
    }
    return wait;
}

}  // namespace orvex
