#include "ui/slips/SlipPainter.h"

#include <QFontMetricsF>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPrinter>
#include <algorithm>

#include "platform/RunError.h"
#include "platform/qt/FixedFont.h"

namespace orvex {

namespace {

constexpr double kA4Width = 210, kA4Height = 297;
constexpr double kA4Margin = 12;
constexpr double kGutter = 10;  // between the four slips of a sheet, room to cut
// A receipt printer reaches 72 mm of its 80 mm paper, in the middle.
constexpr double kReceiptWidth = 80, kReceiptPrintable = 72;
constexpr double kReceiptMargin = (kReceiptWidth - kReceiptPrintable) / 2;
// Paper fed past the last line, so the tear does not cut into it.
constexpr double kReceiptFeed = 10;
// Beyond this a whole sheet's slip would only look loud.
constexpr double kLargestPoints = 14;

double printableHeightMm(SlipPaper paper) {
    const double sheet = kA4Height - 2 * kA4Margin;
    return paper == SlipPaper::A4Four ? (sheet - kGutter) / 2 : sheet;
}

double px(const QPaintDevice& device, double mm) { return mm / 25.4 * device.logicalDpiY(); }

QPageLayout pageOf(double widthMm, double heightMm) {
    const QPageSize size(QSizeF(widthMm, heightMm), QPageSize::Millimeter, QString(),
                         QPageSize::ExactMatch);
    return QPageLayout(size, QPageLayout::Portrait, QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
}

class SlipDrawing {
public:
    SlipDrawing(QPagedPaintDevice& device, SlipPaper paper)
        : device_(device), printer_(dynamic_cast<QPrinter*>(&device)), paper_(paper) {}

    void run(const std::vector<SlipDriver>& slips) {
        const int width = slipWidth(paper_);
        const SlipWords words = SlipPainter::Words();
        std::vector<std::vector<SlipLine>> all;
        for (const SlipDriver& d : slips) {
            // A whole sheet's slip uses the sheet's width for its laps.
            all.push_back(slipLines(d, width, words, paper_ == SlipPaper::A4One));
            most_ = std::max(most_, all.back().size());
        }
        // One size on every sheet, so the slips of a session look alike.
        font_ = SlipPainter::Font(device_, paper_, static_cast<int>(most_));
        bold_ = font_;
        bold_.setBold(true);
        const QFontMetricsF metrics(font_, &device_);
        line_ = metrics.lineSpacing();
        ascent_ = metrics.ascent();

        const int perSheet = paper_ == SlipPaper::A4Four ? 4 : 1;
        for (std::size_t i = 0; i < all.size(); ++i) {
            const int cell = static_cast<int>(i) % perSheet;
            if (cell == 0) startPage(all[i]);
            const double cellW = px(device_, SlipPainter::PrintableWidthMm(paper_));
            const double cellH = px(device_, printableHeightMm(paper_));
            const double margin =
                px(device_, paper_ == SlipPaper::Receipt ? kReceiptMargin : kA4Margin);
            const double gutter = px(device_, kGutter);
            const QPointF at(margin + (cell % 2) * (cellW + gutter),
                             margin + (cell / 2) * (cellH + gutter));
            drawSlip(all[i], at, cellW);
            if (perSheet == 4 && (cell == 3 || i + 1 == all.size()))
                drawCutMarks(cellW, cellH, margin, gutter);
        }
        if (painter_.isActive() && !painter_.end()) throw RunError(ErrorNo::PrinterError);
        check();
    }

private:
    void startPage(const std::vector<SlipLine>& lines) {
        // Qt's printer keeps one page size for a whole job: there every
        // receipt is as long as the longest, while a PDF fits each one.
        const std::size_t rows = printer_ ? most_ : lines.size();
        const QPageLayout page =
            paper_ == SlipPaper::Receipt
                ? pageOf(kReceiptWidth, 2 * kReceiptMargin + kReceiptFeed +
                                            rows * line_ / device_.logicalDpiY() * 25.4)
                : pageOf(kA4Width, kA4Height);
        if (!painter_.isActive()) {
            if (printer_) printer_->setFullPage(true);
            device_.setPageLayout(page);
            if (!painter_.begin(&device_)) throw RunError(ErrorNo::PrinterError);
        } else {
            // Takes effect with the page that follows.
            if (!printer_) device_.setPageLayout(page);
            if (!device_.newPage()) throw RunError(ErrorNo::PrinterError);
        }
        check();
    }

    void drawSlip(const std::vector<SlipLine>& lines, QPointF at, double width) {
        double y = at.y();
        for (const SlipLine& l : lines) {
            if (l.style == SlipStyle::Rule) {
                painter_.setPen(QPen(Qt::black, px(device_, 0.2)));
                painter_.drawLine(QPointF(at.x(), y + line_ / 2),
                                  QPointF(at.x() + width, y + line_ / 2));
            } else {
                painter_.setFont(l.style == SlipStyle::Normal ? font_ : bold_);
                painter_.drawText(QPointF(at.x(), y + ascent_), QString::fromStdString(l.text));
            }
            y += line_;
        }
    }

    // Dashed lines down and across the middle of the gutters.
    void drawCutMarks(double cellW, double cellH, double margin, double gutter) {
        painter_.setPen(QPen(Qt::gray, px(device_, 0.2), Qt::DashLine));
        const double x = margin + cellW + gutter / 2;
        const double y = margin + cellH + gutter / 2;
        painter_.drawLine(QPointF(x, margin), QPointF(x, margin + 2 * cellH + gutter));
        painter_.drawLine(QPointF(margin, y), QPointF(margin + 2 * cellW + gutter, y));
    }

    void check() {
        if (printer_ && printer_->printerState() == QPrinter::Error)
            throw RunError(ErrorNo::PrinterError);
    }

    QPagedPaintDevice& device_;
    QPrinter* printer_;  // null for a PDF writer
    SlipPaper paper_;
    std::size_t most_ = 1;
    QPainter painter_;
    QFont font_, bold_;
    double line_ = 0, ascent_ = 0;
};

}  // namespace

void SlipPainter::Draw(QPagedPaintDevice& device, const std::vector<SlipDriver>& slips,
                       SlipPaper paper) {
    SlipDrawing(device, paper).run(slips);
}

double SlipPainter::PrintableWidthMm(SlipPaper paper) {
    switch (paper) {
        case SlipPaper::A4One:
            return kA4Width - 2 * kA4Margin;
        case SlipPaper::A4Four:
            return (kA4Width - 2 * kA4Margin - kGutter) / 2;
        case SlipPaper::Receipt:
            break;
    }
    return kReceiptPrintable;
}

SlipWords SlipPainter::Words() {
    auto text = [](const QString& s) { return s.toStdString(); };
    SlipWords w;
    w.number = text(tr("No. %1"));
    w.position = text(tr("Pos %1 of %2"));
    w.dsq = text(tr("DSQ"));
    w.notRanked = text(tr("Not ranked"));
    w.ranking = text(tr("Ranking: %1"));
    w.rankBestLap = text(tr("Best lap"));
    w.rankRace = text(tr("Race"));
    w.rankRun = text(tr("Best %1 consecutive"));
    w.lapCount = text(tr("Laps"));
    w.raceTime = text(tr("Race time"));
    w.bestLap = text(tr("Best lap"));
    w.lapOf = text(tr("%1 (lap %2)"));
    w.gap = text(tr("Gap to leader"));
    w.oneLap = text(tr("+1 lap"));
    w.laps = text(tr("+%1 laps"));
    w.average = text(tr("Average lap"));
    w.bestSpeed = text(tr("Best speed"));
    w.kmh = text(tr("%1 km/h"));
    w.penalty = text(tr("Penalty"));
    w.seconds = text(tr("+%1 s"));
    w.reason = text(tr("%1: %2"));
    w.noLaps = text(tr("No laps recorded."));
    w.lapHeader = text(tr("Lap"));
    w.timeHeader = text(tr("Time"));
    w.best = text(tr("best"));
    w.joined = text(tr("joined"));
    w.voided = text(tr("void"));
    return w;
}

QFont SlipPainter::Font(const QPaintDevice& device, SlipPaper paper, int lines) {
    QFont font = fixedPitchFont();
    // Measured in bold, the wider of the two weights where they differ.
    QFont bold = font;
    bold.setBold(true);
    const double advance = QFontMetricsF(bold, &device).horizontalAdvance(QLatin1Char('M'));
    double points =
        advance > 0 ? 10 * px(device, PrintableWidthMm(paper)) / (slipWidth(paper) * advance) : 8;
    if (paper != SlipPaper::Receipt) {
        const double spacing = QFontMetricsF(font, &device).lineSpacing();
        if (spacing > 0)
            points = std::min(
                points, 10 * px(device, printableHeightMm(paper)) / (std::max(lines, 1) * spacing));
    }
    // A hair smaller, so rounding in the font engine never pushes a line over.
    font.setPointSizeF(std::min(points * 0.98, kLargestPoints));
    return font;
}

}  // namespace orvex
