#include "shell/ImageList1.h"

#include <QPainter>
#include <QPainterPath>

namespace orvex::ImageList1 {

namespace {

void drawPage(QPainter& p) {
    QPainterPath page;
    page.moveTo(5, 2);
    page.lineTo(15, 2);
    page.lineTo(20, 7);
    page.lineTo(20, 22);
    page.lineTo(5, 22);
    page.closeSubpath();
    p.setBrush(Qt::white);
    p.drawPath(page);
    p.drawLine(15, 2, 15, 7);
    p.drawLine(15, 7, 20, 7);
}

void drawFolder(QPainter& p) {
    p.setBrush(QColor(230, 190, 80));
    p.drawRect(2, 7, 20, 14);
    p.drawRect(2, 4, 8, 3);
}

void drawDisk(QPainter& p) {
    p.setBrush(QColor(60, 90, 170));
    p.drawRect(3, 3, 18, 18);
    p.setBrush(Qt::white);
    p.drawRect(7, 3, 10, 7);
    p.setBrush(QColor(200, 200, 200));
    p.drawRect(6, 14, 12, 7);
}

void drawPrinter(QPainter& p) {
    p.setBrush(Qt::white);
    p.drawRect(7, 2, 10, 7);
    p.setBrush(QColor(150, 150, 150));
    p.drawRect(2, 9, 20, 9);
    p.setBrush(Qt::white);
    p.drawRect(6, 15, 12, 7);
}

void drawNote(QPainter& p) {
    p.setBrush(QColor(255, 250, 190));
    p.drawRect(4, 2, 16, 20);
    for (int y = 7; y <= 17; y += 4) p.drawLine(7, y, 17, y);
}

void drawBars(QPainter& p) {
    p.setBrush(QColor(70, 150, 70));
    p.drawRect(3, 13, 4, 8);
    p.drawRect(10, 7, 4, 14);
    p.drawRect(17, 3, 4, 18);
}

void drawStopwatch(QPainter& p) {
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(12, 13.5), 8.5, 8.5);
    p.drawRect(10, 1, 4, 3);
    p.drawLine(12, 14, 12, 8);
    p.drawLine(12, 14, 16, 16);
}

void drawUpload(QPainter& p) {
    p.setBrush(QColor(60, 120, 200));
    QPolygonF arrow({{12, 21}, {4, 12}, {9, 12}, {9, 3}, {15, 3}, {15, 12}, {20, 12}});
    p.drawPolygon(arrow);
}

void drawLogo(QPainter& p) {
    p.setBrush(QColor(200, 30, 30));
    p.drawEllipse(2, 2, 20, 20);
    p.setPen(QPen(Qt::white, 2));
    p.drawLine(12, 12, 12, 5);
    p.drawLine(12, 12, 17, 14);
}

void drawPlug(QPainter& p, const QColor& colour) {
    p.setBrush(colour);
    p.drawEllipse(5, 5, 14, 14);
}

}  // namespace

void draw(QPainter& p, int image) {
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(40, 40, 40), 1.2));
    switch (image) {
        case New:
            drawPage(p);
            break;
        case Open:
            drawFolder(p);
            break;
        case Save:
            drawDisk(p);
            break;
        case Print:
            drawPrinter(p);
            break;
        case Session:
            drawNote(p);
            break;
        case Statistics:
            drawBars(p);
            break;
        case Laps:
            drawStopwatch(p);
            break;
        case Upload:
            drawUpload(p);
            break;
        case Logo:
            drawLogo(p);
            break;
        case NotConnected:
            drawPlug(p, QColor(200, 40, 40));
            break;
        case Connected:
            drawPlug(p, QColor(40, 180, 60));
            break;
        default:
            break;
    }
}

QPixmap pixmap(int image, int size) {
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.scale(size / 24.0, size / 24.0);
    draw(p, image);
    return pm;
}

QIcon icon(int image) {
    QIcon icon;
    icon.addPixmap(pixmap(image, 16));
    icon.addPixmap(pixmap(image, 24));
    icon.addPixmap(pixmap(image, 32));
    return icon;
}

}  // namespace orvex::ImageList1
