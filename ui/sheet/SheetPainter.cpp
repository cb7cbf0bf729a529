#include "ui/sheet/SheetPainter.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPrinter>
#include <QTextLayout>
#include <algorithm>
#include <numeric>

#include "platform/RunError.h"

namespace orvex {

namespace {

constexpr double kA4Short = 210, kA4Long = 297, kMargin = 12;
// Body sizes tried, largest first: below 7.5 points a posted sheet is hard
// to read, so a table that needs less turns the page instead.
constexpr double kLargest = 12, kSmallest = 7.5, kStep = 0.5;
const QColor kShade(236, 236, 236);

QString qs(const std::string& s) { return QString::fromStdString(s); }

double px(const QPaintDevice& device, double mm) { return mm / 25.4 * device.logicalDpiY(); }

struct Fonts {
    QFont body, bold, note, title, status, foot;
};

Fonts fontsOf(double points) {
    Fonts f;
    f.body = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    f.body.setStyleHint(QFont::SansSerif);
    f.body.setStretch(QFont::SemiCondensed);
    f.body.setPointSizeF(points);
    f.bold = f.body;
    f.bold.setBold(true);
    f.note = f.body;
    f.note.setItalic(true);
    f.title = f.bold;
    f.title.setPointSizeF(points * 1.8);
    f.status = f.bold;
    f.status.setPointSizeF(points * 1.3);
    f.foot = f.body;
    f.foot.setPointSizeF(points * 0.85);
    return f;
}

// The room a text takes at `width` with word wrap.
double heightOf(const QFont& font, const QPaintDevice& device, double width, const QString& text) {
    const QFontMetricsF m(font, &device);
    if (text.isEmpty()) return m.lineSpacing();
    return m.boundingRect(QRectF(0, 0, width, 1e9), Qt::TextWordWrap, text).height();
}

// A note breaks between words, and inside a word too long for its line, so
// a pasted text without blanks stays inside the page.
QTextOption noteOption() {
    QTextOption option(Qt::AlignLeft | Qt::AlignTop);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    return option;
}

double noteHeight(const QFont& font, const QPaintDevice& device, double width,
                  const QString& text) {
    QTextLayout layout(text, font, const_cast<QPaintDevice*>(&device));
    layout.setTextOption(noteOption());
    layout.beginLayout();
    double height = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        height += line.height();
    }
    layout.endLayout();
    return height;
}

double widestWord(const QFont& font, const QPaintDevice& device, const QString& text) {
    const QFontMetricsF m(font, &device);
    double widest = 0;
    for (const QString& word : text.split(' ', Qt::SkipEmptyParts))
        widest = std::max(widest, m.horizontalAdvance(word));
    return widest;
}

QString detailsLine(const ResultsSheet& sheet) {
    QStringList items;
    for (const std::string& d : sheet.details) items << qs(d);
    // Wide gaps between the items, but a wrap may still fall in one.
    return items.join(QStringLiteral("     "));
}

// Where everything goes at one body size on one orientation.
struct Plan {
    bool landscape = false;
    double pageW = 0, pageH = 0, margin = 0;
    Fonts fonts;
    double gap = 0, pad = 0;
    std::vector<double> widths;
    double noteX = 0;  // from the page's left edge
    double headH = 0, titlesH = 0, footH = 0;
    std::vector<double> rowH;
    // Rows of each page, as [first, last) indices.
    std::vector<std::pair<std::size_t, std::size_t>> pages;

    double width() const { return pageW - 2 * margin; }
};

// Nothing when the sheet does not fit one page this way, unless `mustPlace`:
// then the names wrap if they must and the rows go on over more pages.
Plan plan(const QPaintDevice& device, const ResultsSheet& sheet, bool landscape, double points,
          bool mustPlace) {
    Plan p;
    p.landscape = landscape;
    p.pageW = px(device, landscape ? kA4Long : kA4Short);
    p.pageH = px(device, landscape ? kA4Short : kA4Long);
    p.margin = px(device, kMargin);
    p.fonts = fontsOf(points);
    const QFontMetricsF body(p.fonts.body, &device);
    p.gap = body.horizontalAdvance(QStringLiteral("00"));
    p.pad = body.lineSpacing() * 0.2;
    // A hair of room, so rounding in the text layout never wraps a measured line.
    const double slack = body.horizontalAdvance(QLatin1Char(' ')) * 0.25;

    // Each column as wide as its widest text; a title wraps between its words.
    const std::size_t n = sheet.columns.size();
    const auto name = static_cast<std::size_t>(sheet.nameColumn);
    p.widths.assign(n, 0);
    double least = 0;
    for (std::size_t c = 0; c < n; ++c) {
        double widest = widestWord(p.fonts.bold, device, qs(sheet.columns[c].title));
        for (const SheetRow& row : sheet.rows) {
            widest = std::max(widest, body.horizontalAdvance(qs(row.cells[c])));
            if (c == name)
                least = std::max(least, widestWord(p.fonts.body, device, qs(row.cells[c])));
        }
        p.widths[c] = widest + slack;
    }
    const double used =
        std::accumulate(p.widths.begin(), p.widths.end(), 0.0) + p.gap * static_cast<double>(n - 1);
    if (used > p.width() && !mustPlace) return p;
    // Room left over first keeps titles on one line, left to right; the names
    // take the rest, or give up what is missing.
    double spare = p.width() - used;
    for (std::size_t c = 0; c < n; ++c) {
        const double whole =
            QFontMetricsF(p.fonts.bold, &device).horizontalAdvance(qs(sheet.columns[c].title)) +
            slack;
        if (c != name && whole > p.widths[c] && whole - p.widths[c] <= spare) {
            spare -= whole - p.widths[c];
            p.widths[c] = whole;
        }
    }
    p.widths[name] = std::max(least + slack, p.widths[name] + spare);
    p.noteX = p.margin +
              std::accumulate(p.widths.begin(), p.widths.begin() + sheet.nameColumn, 0.0) +
              p.gap * sheet.nameColumn;

    const QFontMetricsF title(p.fonts.title, &device), status(p.fonts.status, &device);
    p.headH = title.lineSpacing() +
              (sheet.status.empty() ? 0 : status.lineSpacing() + body.lineSpacing() * 0.2) +
              heightOf(p.fonts.body, device, p.width(), detailsLine(sheet)) +
              body.lineSpacing() * 0.8;
    for (std::size_t c = 0; c < n; ++c)
        p.titlesH = std::max(
            p.titlesH, heightOf(p.fonts.bold, device, p.widths[c], qs(sheet.columns[c].title)));
    p.titlesH += 2 * p.pad;
    p.footH = QFontMetricsF(p.fonts.foot, &device).lineSpacing() + body.lineSpacing();
    const double noteWidth = p.margin + p.width() - p.noteX;
    for (const SheetRow& row : sheet.rows) {
        double h = heightOf(p.fonts.body, device, p.widths[name], qs(row.cells[name]));
        if (!row.note.empty()) h += noteHeight(p.fonts.note, device, noteWidth, qs(row.note));
        p.rowH.push_back(h + 2 * p.pad);
    }

    // Pages: the header block on the first, the column titles on each.
    const double bottom = p.pageH - 2 * p.margin - p.footH;
    double y = p.headH + p.titlesH;
    std::size_t first = 0;
    for (std::size_t r = 0; r < sheet.rows.size(); ++r) {
        if (y + p.rowH[r] > bottom && r > first) {
            if (!mustPlace) return p;
            p.pages.emplace_back(first, r);
            first = r;
            y = p.titlesH;
        }
        y += p.rowH[r];
    }
    if (!mustPlace && y > bottom) return p;
    p.pages.emplace_back(first, sheet.rows.size());
    return p;
}

Plan bestPlan(const QPaintDevice& device, const ResultsSheet& sheet) {
    for (const bool landscape : {false, true})
        for (double points = kLargest; points >= kSmallest; points -= kStep) {
            Plan p = plan(device, sheet, landscape, points, false);
            if (!p.pages.empty()) return p;
        }
    return plan(device, sheet, false, kSmallest, true);
}

class SheetDrawing {
public:
    SheetDrawing(QPagedPaintDevice& device, const ResultsSheet& sheet)
        : device_(device), printer_(dynamic_cast<QPrinter*>(&device)), sheet_(sheet) {}

    void run() {
        plan_ = bestPlan(device_, sheet_);
        const QPageLayout page(QPageSize(QPageSize::A4),
                               plan_.landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                               QMarginsF(0, 0, 0, 0));
        if (printer_) printer_->setFullPage(true);
        device_.setPageLayout(page);
        if (!painter_.begin(&device_)) throw RunError(ErrorNo::PrinterError);
        check();
        for (std::size_t i = 0; i < plan_.pages.size(); ++i) {
            if (i > 0 && !device_.newPage()) throw RunError(ErrorNo::PrinterError);
            double y = plan_.margin;
            if (i == 0) y = drawHead(y);
            y = drawTitles(y);
            for (std::size_t r = plan_.pages[i].first; r < plan_.pages[i].second; ++r)
                y = drawRow(y, r);
            drawFoot(i);
            check();
        }
        if (!painter_.end()) throw RunError(ErrorNo::PrinterError);
        check();
    }

private:
    double width() const { return plan_.width(); }

    double drawHead(double y) {
        const double x = plan_.margin;
        auto line = [&](const QFont& font, const QString& text) {
            const double h = heightOf(font, device_, width(), text);
            painter_.setFont(font);
            painter_.drawText(QRectF(x, y, width(), h), Qt::AlignLeft | Qt::TextWordWrap, text);
            y += h;
        };
        line(plan_.fonts.title, QFontMetricsF(plan_.fonts.title, &device_)
                                    .elidedText(qs(sheet_.title), Qt::ElideRight, width()));
        if (!sheet_.status.empty()) line(plan_.fonts.status, qs(sheet_.status));
        line(plan_.fonts.body, detailsLine(sheet_));
        const double space = QFontMetricsF(plan_.fonts.body, &device_).lineSpacing() * 0.8;
        return y + space;
    }

    double drawTitles(double y) {
        painter_.setFont(plan_.fonts.bold);
        double x = plan_.margin;
        for (std::size_t c = 0; c < sheet_.columns.size(); ++c) {
            painter_.drawText(
                QRectF(x, y + plan_.pad, plan_.widths[c], plan_.titlesH - 2 * plan_.pad),
                align(c) | Qt::AlignBottom | Qt::TextWordWrap, qs(sheet_.columns[c].title));
            x += plan_.widths[c] + plan_.gap;
        }
        y += plan_.titlesH;
        painter_.setPen(QPen(Qt::black, px(device_, 0.3)));
        painter_.drawLine(QPointF(plan_.margin, y), QPointF(plan_.margin + width(), y));
        return y;
    }

    double drawRow(double y, std::size_t r) {
        const SheetRow& row = sheet_.rows[r];
        const double h = plan_.rowH[r];
        // Every other row shaded, so a line is easy to follow across the sheet.
        if (r % 2 == 1) painter_.fillRect(QRectF(plan_.margin, y, width(), h), kShade);
        painter_.setFont(plan_.fonts.body);
        painter_.setPen(Qt::black);
        double x = plan_.margin, below = 0;
        for (std::size_t c = 0; c < sheet_.columns.size(); ++c) {
            const QRectF cell(x, y + plan_.pad, plan_.widths[c], h);
            const QString text = qs(row.cells[c]);
            painter_.drawText(cell, align(c) | Qt::AlignTop | Qt::TextWordWrap, text);
            if (c == static_cast<std::size_t>(sheet_.nameColumn))
                below = heightOf(plan_.fonts.body, device_, plan_.widths[c], text);
            x += plan_.widths[c] + plan_.gap;
        }
        if (!row.note.empty()) {
            painter_.setFont(plan_.fonts.note);
            painter_.drawText(
                QRectF(plan_.noteX, y + plan_.pad + below, plan_.margin + width() - plan_.noteX, h),
                qs(row.note), noteOption());
        }
        return y + h;
    }

    void drawFoot(std::size_t page) {
        painter_.setFont(plan_.fonts.foot);
        const double h = QFontMetricsF(plan_.fonts.foot, &device_).lineSpacing();
        const QRectF at(plan_.margin, plan_.pageH - plan_.margin - h, width(), h);
        painter_.drawText(at, Qt::AlignLeft, qs(sheet_.foot));
        if (plan_.pages.size() > 1)
            painter_.drawText(
                at, Qt::AlignRight,
                SheetPainter::tr("Page %1 of %2").arg(page + 1).arg(plan_.pages.size()));
    }

    Qt::Alignment align(std::size_t c) const {
        return sheet_.columns[c].align == SheetAlign::Left ? Qt::AlignLeft : Qt::AlignRight;
    }

    void check() {
        if (printer_ && printer_->printerState() == QPrinter::Error)
            throw RunError(ErrorNo::PrinterError);
    }

    QPagedPaintDevice& device_;
    QPrinter* printer_;  // null for a PDF writer
    const ResultsSheet& sheet_;
    Plan plan_;
    QPainter painter_;
};

}  // namespace

void SheetPainter::Draw(QPagedPaintDevice& device, const ResultsSheet& sheet) {
    SheetDrawing(device, sheet).run();
}

SheetWords SheetPainter::Words() {
    auto text = [](const QString& s) { return s.toStdString(); };
    SheetWords w;
    w.pos = text(tr("Pos"));
    w.number = text(tr("No."));
    w.name = text(tr("Name"));
    w.laps = text(tr("Laps"));
    w.gap = text(tr("Gap"));
    w.bestLap = text(tr("Best lap"));
    w.average = text(tr("Average"));
    w.bestSpeed = text(tr("Best speed (km/h)"));
    w.penalty = text(tr("Penalty"));
    w.raceTime = text(tr("Race time"));
    w.bestRun = text(tr("Best %1 consecutive"));
    w.ranking = text(tr("Ranking: %1"));
    w.rankBestLap = text(tr("Best lap"));
    w.rankRace = text(tr("Race"));
    w.rankRun = text(tr("Best %1 consecutive"));
    w.date = text(tr("Date: %1"));
    w.time = text(tr("Time: %1"));
    w.vehicle = text(tr("Vehicle: %1"));
    w.dsq = text(tr("DSQ"));
    w.oneLap = text(tr("+1 lap"));
    w.manyLaps = text(tr("+%1 laps"));
    w.seconds = text(tr("%1 s"));
    return w;
}

}  // namespace orvex
