#include "ui/results/LapChart.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <algorithm>
#include <limits>

#include "session/Session.h"
#include "session/TimeFormat.h"

namespace orvex {

namespace {

QColor seriesColor(std::size_t i) {
    static const QColor colors[] = {QColor(0, 90, 200),   QColor(210, 60, 30), QColor(30, 150, 60),
                                    QColor(150, 60, 170), QColor(220, 140, 0), QColor(0, 150, 160)};
    return colors[i % std::size(colors)];
}

}  // namespace

LapChart::LapChart(QWidget* parent) : QWidget(parent) {
    setObjectName("picChart");
    setMinimumHeight(120);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
}

void LapChart::setSeries(std::vector<ChartSeries> series) {
    series_ = std::move(series);
    update();
}

void LapChart::paintEvent(QPaintEvent*) {
    // No antialiasing: it costs fifty times the whole drawing.
    QPainter p(this);
    const QFontMetrics fm = p.fontMetrics();
    std::int64_t lo = std::numeric_limits<std::int64_t>::max(), hi = 0;
    for (const ChartSeries& s : series_) {
        for (const RecordedLap& l : s.laps) {
            lo = std::min<std::int64_t>(lo, l.time);
            hi = std::max<std::int64_t>(hi, l.time);
        }
    }
    const int left = fm.horizontalAdvance(QString::fromStdString(clockText(hi))) + 12;
    const QRect plot(left, fm.height(), width() - left - 10, height() - 3 * fm.height() - 8);
    if (plot.width() < 20 || plot.height() < 20) return;
    p.setPen(palette().color(QPalette::Text));
    p.drawRect(plot);
    if (hi == 0) {
        p.drawText(plot, Qt::AlignCenter, tr("No laps selected"));
        return;
    }
    if (hi == lo) {
        lo = std::max<std::int64_t>(0, lo - 100);
        hi += 100;
    }
    auto x = [&](int lap) {
        return plot.left() + plot.width() * (lap - 1) / double(kLapsPerDriver - 1);
    };
    auto y = [&](std::int64_t t) {
        return plot.bottom() - plot.height() * double(t - lo) / double(hi - lo);
    };
    // Axes: every fourth lap, and five times written as the results write them.
    for (int lap = 1; lap <= kLapsPerDriver; lap += 4) {
        const int px = int(x(lap));
        p.drawLine(px, plot.bottom(), px, plot.bottom() + 4);
        p.drawText(QRect(px - 20, plot.bottom() + 5, 40, fm.height()), Qt::AlignCenter,
                   QString::number(lap));
    }
    p.drawText(QRect(plot.left(), plot.bottom() + 5 + fm.height(), plot.width(), fm.height()),
               Qt::AlignCenter, tr("Lap"));
    for (int i = 0; i <= 4; ++i) {
        const std::int64_t t = lo + (hi - lo) * i / 4;
        const int py = int(y(t));
        p.drawLine(plot.left() - 4, py, plot.left(), py);
        p.drawText(QRect(0, py - fm.height() / 2, left - 6, fm.height()),
                   Qt::AlignRight | Qt::AlignVCenter, QString::fromStdString(clockText(t)));
    }
    int legendX = plot.left() + 6;
    for (std::size_t i = 0; i < series_.size(); ++i) {
        const ChartSeries& s = series_[i];
        const QColor color = seriesColor(i);
        QPainterPath path;
        for (const RecordedLap& l : s.laps) {
            const QPointF pt(x(l.lap), y(l.time));
            if (path.elementCount() == 0)
                path.moveTo(pt);
            else
                path.lineTo(pt);
        }
        p.setPen(QPen(color, 2));
        p.setBrush(Qt::NoBrush);
        p.drawPath(path);
        for (const RecordedLap& l : s.laps) {
            const QPointF pt(x(l.lap), y(l.time));
            // The best lap is a ring, a joined lap a hollow square, a void lap
            // a cross, the others small dots; a suspect one has a diamond too.
            if (l.mark == LapCorrection::Join) {
                p.setBrush(palette().color(QPalette::Base));
                p.drawRect(QRectF(pt.x() - 4, pt.y() - 4, 8, 8));
            } else if (l.mark == LapCorrection::Void) {
                p.drawLine(pt + QPointF(-4, -4), pt + QPointF(4, 4));
                p.drawLine(pt + QPointF(-4, 4), pt + QPointF(4, -4));
            } else if (l.best) {
                p.setBrush(palette().color(QPalette::Base));
                p.drawEllipse(pt, 5, 5);
            } else {
                p.setBrush(color);
                p.drawEllipse(pt, 2, 2);
            }
            // A suspect lap stands apart: a red diamond around its mark.
            if (l.suspect) {
                const QPen pen = p.pen();
                p.setPen(QPen(QColor(220, 0, 0), 2));
                p.setBrush(Qt::NoBrush);
                p.drawPolygon(QPolygonF({pt + QPointF(0, -8), pt + QPointF(8, 0),
                                         pt + QPointF(0, 8), pt + QPointF(-8, 0)}));
                p.setPen(pen);
            }
        }
        const QString name = s.name.isEmpty() ? tr("Driver %1").arg(s.driver)
                                              : QString::number(s.driver) + " " + s.name;
        p.drawText(QPoint(legendX, plot.top() + fm.ascent() + 2), name);
        legendX += fm.horizontalAdvance(name) + 14;
    }
}

}  // namespace orvex
