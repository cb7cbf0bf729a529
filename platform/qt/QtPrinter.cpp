#include "platform/qt/QtPrinter.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

#include "platform/CellPrintJob.h"
#include "platform/RunError.h"
#include "platform/qt/FixedFont.h"

namespace orvex {

namespace {

constexpr double kTwipsPerPoint = 20.0;
// A quarter inch on every side: inside what usual printers can reach, and
// small enough for the 64 rows a report puts on an A4 sheet.
constexpr double kMarginPoints = 18.0;

class QtPrintJob : public CellPrintJob {
public:
    QtPrintJob(QPrinter* printer, std::unique_ptr<QPrinter> owned)
        : owned_(std::move(owned)), printer_(printer) {
        printer_->setFullPage(false);
        printer_->setPageMargins(
            QMarginsF(kMarginPoints, kMarginPoints, kMarginPoints, kMarginPoints),
            QPageLayout::Point);
        const QPageLayout layout = printer_->pageLayout();
        height_ = qRound(layout.fullRect(QPageLayout::Point).height() * kTwipsPerPoint);
        width_ = qRound(layout.paintRect(QPageLayout::Point).width() * kTwipsPerPoint);
    }

    ~QtPrintJob() override {
        // A report that failed half way is not sent.
        if (painter_.isActive()) {
            printer_->abort();
            painter_.end();
        }
    }

    int height() const override { return height_; }
    int width() const override { return width_; }

    void endDoc() override {
        if (!painter_.isActive()) return;
        const bool ended = painter_.end();
        if (!ended || printer_->printerState() == QPrinter::Error) {
            throw RunError(ErrorNo::PrinterError);
        }
    }

protected:
    void drawText(double x, double y, const std::string& text) override {
        begin();
        // One character to a cell, each at its own place: the grid holds even
        // when the font's advance is not quite a cell.
        const double baseline = px(y) + ascent_;
        const QString s = QString::fromStdString(text);
        double column = x;
        for (qsizetype i = 0; i < s.size(); ++i) {
            const qsizetype n = s[i].isHighSurrogate() && i + 1 < s.size() ? 2 : 1;
            if (!s[i].isSpace()) painter_.drawText(QPointF(px(column), baseline), s.mid(i, n));
            i += n - 1;
            column += kCellWidthTwips;
        }
        check();
    }

    void startNextPage() override {
        begin();
        if (!printer_->newPage()) throw RunError(ErrorNo::PrinterError);
    }

private:
    double px(double twips) const { return twips * printer_->resolution() / 1440.0; }

    // The job reaches the printer only with its first mark, so a report with
    // nothing to print sends nothing.
    void begin() {
        if (painter_.isActive()) return;
        if (!painter_.begin(printer_)) throw RunError(ErrorNo::PrinterError);
        painter_.setFont(gridFont());
        painter_.setPen(Qt::black);
        ascent_ = QFontMetricsF(painter_.font(), printer_).ascent();
    }

    void check() {
        if (printer_->printerState() == QPrinter::Error) throw RunError(ErrorNo::PrinterError);
    }

    // A fixed-pitch font sized so that one character is one cell wide.
    QFont gridFont() const {
        QFont font = fixedPitchFont();
        const double advance = QFontMetricsF(font, printer_).horizontalAdvance(QLatin1Char('M'));
        if (advance > 0) font.setPointSizeF(10 * px(kCellWidthTwips) / advance);
        return font;
    }

    std::unique_ptr<QPrinter> owned_;
    QPrinter* printer_;
    QPainter painter_;
    int height_ = 0;
    int width_ = 0;
    double ascent_ = 0;
};

}  // namespace

std::unique_ptr<PrintJob> QtPrinter::startJob() {
    if (target_) return std::make_unique<QtPrintJob>(target_, nullptr);
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    if (pdfFile_.isEmpty()) {
        const QPrinterInfo info = QPrinterInfo::defaultPrinter();
        if (info.isNull()) throw RunError(ErrorNo::NoPrinter);
        printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    } else {
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(pdfFile_);
        printer->setPageSize(QPageSize(QPageSize::A4));
        printer->setPageOrientation(QPageLayout::Portrait);
    }
    printer->setDocName(QStringLiteral("ORVEX"));
    QPrinter* target = printer.get();
    return std::make_unique<QtPrintJob>(target, std::move(printer));
}

}  // namespace orvex
