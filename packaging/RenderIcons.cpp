// Renders the program's icon for the desktop's icon theme from the same
// drawing as the window icon, so the two cannot drift apart:
//   orvex-icons OUTDIR NAME  ->  OUTDIR/hicolor/scalable/apps/NAME.svg and
//                                OUTDIR/hicolor/NxN/apps/NAME.png
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QString>
#include <QSvgGenerator>
#include <cstdio>

#include "shell/ImageList1.h"

namespace {

constexpr int kGrid = 24;  // the drawing's own size
constexpr int kPngSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

bool renderPng(const QDir& out, const QString& name, int size) {
    const QString dir = QString("hicolor/%1x%1/apps").arg(size);
    if (!out.mkpath(dir)) return false;
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter p(&image);
        p.scale(double(size) / kGrid, double(size) / kGrid);
        orvex::ImageList1::draw(p, orvex::ImageList1::Logo);
    }
    return image.save(out.filePath(dir + "/" + name + ".png"), "PNG");
}

bool renderSvg(const QDir& out, const QString& name) {
    const QString dir = "hicolor/scalable/apps";
    if (!out.mkpath(dir)) return false;
    QSvgGenerator svg;
    svg.setFileName(out.filePath(dir + "/" + name + ".svg"));
    svg.setSize(QSize(kGrid, kGrid));
    svg.setViewBox(QRect(0, 0, kGrid, kGrid));
    svg.setTitle("ORVEX Timing System");
    QPainter p;
    if (!p.begin(&svg)) return false;
    orvex::ImageList1::draw(p, orvex::ImageList1::Logo);
    return p.end();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fputs("usage: orvex-icons OUTDIR NAME\n", stderr);
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    const QString name = QString::fromLocal8Bit(argv[2]);
    bool ok = renderSvg(out, name);
    for (int size : kPngSizes) ok = renderPng(out, name, size) && ok;
    if (!ok) std::fputs("orvex-icons: cannot write the icons\n", stderr);
    return ok ? 0 : 1;
}
