#include "ui/season/StandingsPainter.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <algorithm>

#include "platform/RunError.h"
#include "season/StandingsCsv.h"

namespace orvex {

namespace {

// The layout in points (1/72 inch) on A4.
constexpr double kMargin = 40;
constexpr double kPosW = 28, kNameW = 160, kPointsW = 48, kWinsW = 36, kRoundW = 40;
constexpr double kFixedW = kPosW + kNameW + kPointsW + kWinsW;
constexpr double kRowH = 14;
constexpr double kHeadH = 56;  // title, state line, column heads
constexpr double kLegendLineH = 11;
constexpr double kA4W = 595, kA4H = 842;

std::size_t fitting(double width) {
    return static_cast<std::size_t>(std::max(1.0, (width - 2 * kMargin - kFixedW) / kRoundW));
}

}  // namespace

QString StandingsPainter::stateText(const Standings& s) {
    return s.provisional ? tr("Provisional") : tr("Official");
}

StandingsPainter::Plan StandingsPainter::plan(const Standings& s) {
    Plan p;
    const std::size_t rounds = s.roundTitles.size();
    p.landscape = rounds > fitting(kA4W);
    const std::size_t across = fitting(p.landscape ? kA4H : kA4W);
    for (std::size_t first = 0; first < rounds; first += across)
        p.roundSpans.emplace_back(first, std::min(rounds, first + across));
    if (p.roundSpans.empty()) p.roundSpans.emplace_back(0, 0);
    // The legend names each round of the page on a line of its own.
    const double height = (p.landscape ? kA4W : kA4H) - 2 * kMargin - kHeadH -
                          static_cast<double>(std::min(rounds, across) + 1) * kLegendLineH;
    p.rowsPerPage = static_cast<std::size_t>(std::max(1.0, height / kRowH));
    const std::size_t rowPages =
        std::max<std::size_t>(1, (s.rows.size() + p.rowsPerPage - 1) / p.rowsPerPage);
    p.pages = rowPages * p.roundSpans.size();
    return p;
}

void StandingsPainter::Draw(QPagedPaintDevice& device, const Standings& s,
                            const QString& printedOn) {
    const Plan p = plan(s);
    auto* printer = dynamic_cast<QPrinter*>(&device);
    if (printer) printer->setFullPage(true);
    device.setPageLayout(QPageLayout(QPageSize(QPageSize::A4),
                                     p.landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                                     QMarginsF(0, 0, 0, 0), QPageLayout::Point));
    QPainter painter;
    if (!painter.begin(&device)) throw RunError(ErrorNo::PrinterError);
    // Points on the device.
    const double k = device.logicalDpiX() / 72.0;
    painter.scale(k, device.logicalDpiY() / 72.0);
    QFont body("Sans Serif");
    body.setPixelSize(9);
    // No ligatures: "Official" stays six letters for a search in the PDF.
    body.setStyleStrategy(QFont::PreferNoShaping);
    QFont bold = body;
    bold.setBold(true);
    QFont title = bold;
    title.setPixelSize(14);
    // The painter's scale makes a pixel of these fonts one point.
    const auto text = [&](double x, double y, double w, const QString& t, Qt::Alignment a) {
        painter.drawText(QRectF(x, y, w, kRowH), a | Qt::AlignVCenter, t);
    };
    const QString state = stateText(s);
    const std::size_t rowPages = p.pages / p.roundSpans.size();
    std::size_t page = 0;
    for (const auto& [first, end] : p.roundSpans) {
        for (std::size_t rp = 0; rp < rowPages; ++rp) {
            if (page > 0 && !device.newPage()) throw RunError(ErrorNo::PrinterError);
            ++page;
            double y = kMargin;
            painter.setFont(title);
            painter.drawText(QRectF(kMargin, y, 600, 20), Qt::AlignLeft | Qt::AlignVCenter,
                             QString::fromStdString(s.championship));
            y += 20;
            painter.setFont(bold);
            text(kMargin, y, 400, tr("Standings: %1").arg(state), Qt::AlignLeft);
            painter.setFont(body);
            text(kMargin + 300, y, 400,
                 tr("%1 · page %2 of %3").arg(printedOn).arg(page).arg(p.pages), Qt::AlignLeft);
            y += kHeadH - 20 - kRowH;
            painter.setFont(bold);
            double x = kMargin;
            text(x, y, kPosW - 4, tr("Pos"), Qt::AlignRight);
            x += kPosW;
            text(x, y, kNameW, tr("Name"), Qt::AlignLeft);
            x += kNameW;
            text(x, y, kPointsW - 4, tr("Points"), Qt::AlignRight);
            x += kPointsW;
            for (std::size_t r = first; r < end; ++r, x += kRoundW)
                text(x, y, kRoundW - 4, tr("R%1").arg(r + 1), Qt::AlignRight);
            text(x, y, kWinsW - 4, tr("Wins"), Qt::AlignRight);
            const double right = x + kWinsW;
            y += kRowH;
            painter.setPen(QPen(Qt::black, 0.5));
            painter.drawLine(QPointF(kMargin, y), QPointF(right, y));
            painter.setFont(body);
            const std::size_t from = rp * p.rowsPerPage;
            const std::size_t to = std::min(s.rows.size(), from + p.rowsPerPage);
            for (std::size_t i = from; i < to; ++i, y += kRowH) {
                const StandingsRow& row = s.rows[i];
                x = kMargin;
                text(x, y, kPosW - 4, row.pos > 0 ? QString::number(row.pos) : QString(),
                     Qt::AlignRight);
                x += kPosW;
                painter.drawText(QRectF(x, y, kNameW - 4, kRowH), Qt::AlignLeft | Qt::AlignVCenter,
                                 QFontMetricsF(body).elidedText(QString::fromStdString(row.name),
                                                                Qt::ElideRight, kNameW - 4));
                x += kNameW;
                text(x, y, kPointsW - 4, QString::number(row.points), Qt::AlignRight);
                x += kPointsW;
                for (std::size_t r = first; r < end; ++r, x += kRoundW)
                    text(x, y, kRoundW - 4, QString::fromStdString(roundCellText(row, r)),
                         Qt::AlignRight);
                text(x, y, kWinsW - 4, QString::number(row.wins), Qt::AlignRight);
            }
            if (s.rows.empty()) text(kMargin, y, 500, tr("No results yet."), Qt::AlignLeft);
            y = std::max(y, kMargin + kHeadH + kRowH) + kLegendLineH;
            for (std::size_t r = first; r < end; ++r, y += kLegendLineH) {
                QString line =
                    tr("R%1: %2").arg(r + 1).arg(QString::fromStdString(s.roundTitles[r]));
                if (r < s.roundInfo.size() && s.roundInfo[r].missing)
                    line += tr(" (session missing)");
                painter.drawText(QRectF(kMargin, y, 700, kLegendLineH),
                                 Qt::AlignLeft | Qt::AlignVCenter, line);
            }
            if (printer && printer->printerState() == QPrinter::Error)
                throw RunError(ErrorNo::PrinterError);
        }
    }
    if (!painter.end()) throw RunError(ErrorNo::PrinterError);
}

}  // namespace orvex
