#include "ui/lists/Elenco.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <cmath>

#include "lists/ListGeometry.h"
#include "platform/Platform.h"
#include "platform/RunError.h"
#include "platform/ScreenInfo.h"
#include "platform/qt/Twips.h"
#include "ui/lists/ListForm.h"

namespace orvex {

namespace {

// A title wider than its column gets a smaller font rather than losing its
// first and last letters.
void shrinkToFit(QLabel* label) {
    QFont font = label->font();
    const int room = label->contentsRect().width() - 2;
    while (font.pointSizeF() > 5.0 && QFontMetrics(font).horizontalAdvance(label->text()) > room)
        font.setPointSizeF(font.pointSizeF() - 0.5);
    label->setFont(font);
}

int tppx() { return platform().screen->twipsPerPixelX(); }
int tppy() { return platform().screen->twipsPerPixelY(); }

const QColor kHighlightBack(128, 128, 128);
const QColor kHighlightText(255, 255, 255);

// Qt widgets cannot be cloned, so a new array element takes over, one by one,
// the properties a template carries.
void copyCommon(const QWidget* from, QWidget* to, int index) {
    to->setObjectName(from->objectName());
    to->setProperty("Index", index);
    to->setAutoFillBackground(from->autoFillBackground());
    to->setPalette(from->palette());
    to->setFont(from->font());
    to->setFocusPolicy(from->focusPolicy());
    to->resize(from->size());
}

QLabel* copyLabel(const QLabel* t, int index) {
    auto* l = new QLabel(t->parentWidget());
    copyCommon(t, l, index);
    l->setFrameStyle(t->frameStyle());
    l->setLineWidth(t->lineWidth());
    l->setAlignment(t->alignment());
    l->setText(t->text());
    return l;
}

QCheckBox* copyCheck(const QCheckBox* t, int index) {
    auto* c = new QCheckBox(t->parentWidget());
    copyCommon(t, c, index);
    c->setText(t->text());
    return c;
}

QPushButton* copyButton(const QPushButton* t, int index) {
    auto* b = new QPushButton(t->parentWidget());
    copyCommon(t, b, index);
    return b;
}

template <class W>
void growTo(std::vector<W*>& array, std::size_t index, W* element) {
    if (array.size() <= index) array.resize(index + 1, nullptr);
    array[index] = element;
}

void paintCell(QWidget* cell, const QWidget* model, bool highlighted) {
    if (!cell) return;
    QPalette p = cell->palette();
    p.setColor(QPalette::Window,
               highlighted ? kHighlightBack : model->palette().color(QPalette::Window));
    p.setColor(QPalette::WindowText,
               highlighted ? kHighlightText : model->palette().color(QPalette::WindowText));
    cell->setPalette(p);
    // Painted on the next pass of the event loop, which every long operation
    // lets run; painting each cell at once made a scroll step ten times dearer.
    cell->update();
}

}  // namespace

void Elenco::Create(ListForm& form) {
    frmForm = &form;
    FormLoad = 0;
    FirstLine = 1;
    Lines = 0;
    ItemSelect = 0;
    NextTop = 0;
}

int Elenco::lineCount() const { return frmForm->Line_Count(); }

std::int16_t Elenco::pixelWidth(int column) const {
    if (column < 1 || column > static_cast<int>(PixelWidths.size()))
        throw RunError(ErrorNo::InvalidCall);
    return PixelWidths[column - 1];
}

std::int16_t Elenco::chrome(int ty) const {
    return hasButtons() ? toInt16(3 * ty + 3 * Border + ButHeight) : toInt16(3 * ty + 2 * Border);
}

std::int16_t Elenco::listFrameTop() const {
    return hasButtons() ? toInt16(2 * Border + ButHeight) : Border;
}

void Elenco::placeViewport() {
    const int tx = tppx(), ty = tppy();
    const int w = widthTwips(frmForm->sspList[1]), h = heightTwips(frmForm->sspList[1]);
    if (!Titles.empty())
        moveTwips(frmForm->picList1, tx, LineHeight + ty, w - 2 * tx, h - 2 * ty - LineHeight);
    else
        moveTwips(frmForm->picList1, tx, ty, w - 2 * tx, h - 2 * ty);
}

void Elenco::FormMake() {
    ListForm& f = *frmForm;
    const int tx = tppx(), ty = tppy();
    const ScreenInfo& screen = *platform().screen;

    if (Border == 0) Border = 100;
    Border = pixelFloor(Border, ty);
    ButOffset = pixelFloor(ButOffset, ty);
    ButWidth = pixelFloor(ButWidth, ty);
    ButHeight = pixelFloor(ButHeight, ty);
    LineHeight = pixelFloor(LineHeight, ty);

    f.cmdList[0]->resize(twipsToPixelsX(ButWidth), twipsToPixelsY(ButHeight));
    PixelWidths.clear();
    for (std::int16_t w : ColumnWidth) PixelWidths.push_back(pixelFloor(w, tx));
    for (QWidget* t :
         std::initializer_list<QWidget*>{f.lblList[0], f.picList[0], f.chkList[0], f.lblTitle[0]})
        t->resize(t->width(), twipsToPixelsY(LineHeight));

    if (hasButtons()) {
        moveTwips(f.cmdList[0], Border, Border);
        f.cmdList[0]->setText(QString::fromStdString(ButText[0]));
        for (std::size_t i = 1; i != ButText.size(); ++i) {
            QPushButton* b = copyButton(f.cmdList[0], static_cast<int>(i));
            growTo(f.cmdList, i, b);
            f.adoptCell(b, static_cast<int>(i));
            moveTwips(b, (ButWidth - tx + ButOffset) * static_cast<int>(i) + Border, Border);
            b->show();
            b->setText(QString::fromStdString(ButText[i]));
        }
    } else {
        f.cmdList[0]->setEnabled(false);
        f.cmdList[0]->hide();
    }

    const TwipsRect window = f.windowRect();
    if (FormLeft == 0) FormLeft = toInt16(screen.widthTwips() / 2.0 - window.width / 2.0);
    if (FormTop == 0) FormTop = toInt16(screen.heightTwips() / 2.0 - window.height / 2.0);
    if (FormWidth == 0) FormWidth = toInt16(screen.widthTwips() / 4.0);
    if (FormHeight == 0) FormHeight = toInt16(screen.heightTwips() / 4.0);

    if (hasButtons()) {
        const std::int32_t w = ButWidth * static_cast<std::int32_t>(ButText.size()) + 2 * Border +
                               (window.width - f.clientWidth());
        if (FormWidth < w) FormWidth = toInt16(w);
    }
    if (FormMaxWidth < FormWidth) FormMaxWidth = FormWidth;
    f.moveWindow(FormLeft, FormTop, FormWidth, FormHeight);

    const int cw = f.clientWidth(), ch = f.clientHeight();
    moveTwips(f.sspList[0], 0, 0, cw, ch);
    const int top = listFrameTop();
    moveTwips(f.sspList[1], Border, top, cw - 2 * Border, ch - Border - top);

    if (!Titles.empty()) {
        int x = tx;
        for (std::size_t i = 1; i <= Titles.size(); ++i) {
            QLabel* t = copyLabel(f.lblTitle[0], static_cast<int>(i));
            growTo(f.lblTitle, i, t);
            const int w = pixelWidth(static_cast<int>(i));
            moveTwips(t, x, ty, w, heightTwips(f.lblTitle[0]));
            t->show();
            t->setText(QString::fromStdString(Titles[i - 1]));
            shrinkToFit(t);
            // Neighbouring titles share one pixel column, so their borders coincide.
            x += w - tx;
        }
    }
    placeViewport();

    // The last column reaches past the viewport's right edge, which clips it.
    if (!PixelWidths.empty()) PixelWidths.pop_back();
    PixelWidths.push_back(static_cast<std::int16_t>(std::min(screen.widthTwips(), 32767)));
    FormLoad = 1;
}

void Elenco::ListMake(bool keepRows) {
    if (FormLoad == 0) return;
    const int step = LineHeight - tppy();
    if (step <= 0) throw RunError(ErrorNo::InvalidCall);
    RowsFit = toInt16(heightTwips(frmForm->picList1) / step);
    const int count = lineCount();
    const int rows = std::max(0, std::min<int>(RowsFit, count));
    Lines = static_cast<std::int16_t>(rows);
    const int loadedAtStart = RowsLoaded;

    if (RowsLoaded > rows && !keepRows) {
        while (RowsLoaded > rows) ListLineRemove();
        if (RowsLoaded < 1) {
            ItemSelect = 0;
            LineSelect = 0;
        } else if (ItemSelect > count) {
            ListSelect(count);
        }
    }
    if (RowsLoaded < rows) {
        while (RowsLoaded < rows) ListLineAdd();
        if (ItemSelect == 0) ListSelect(1);
    }
    if (loadedAtStart == rows && ItemSelect > count) ListSelect(count);
    FormRedim();
}

void Elenco::ListLineAdd() {
    ListForm& f = *frmForm;
    const int tx = tppx();
    const int r = RowsLoaded + 1;
    // 32 bits: the last column is as wide as the screen, which a 16-bit
    // advance past it would overflow on a wide display.
    int left = 0;
    int k = 1;
    auto place = [&](QWidget* cell) {
        const int w = pixelWidth(k);
        moveTwips(cell, left, NextTop, w, heightTwips(cell));
        cell->show();
        left += w - tx;
        ++k;
    };
    if (Checks > 0) {
        QCheckBox* c = copyCheck(f.chkList[0], r);
        growTo(f.chkList, r, c);
        f.adoptCell(c, r);
        c->setFocusPolicy(Qt::TabFocus);
        place(c);
    }
    if (Pictures > 0) {
        QLabel* p = copyLabel(f.picList[0], r);
        growTo(f.picList, r, p);
        f.adoptCell(p, r);
        place(p);
    }
    for (int c = 1; c <= Labels; ++c) {
        const int index = (r - 1) * Labels + c;
        QLabel* l = copyLabel(f.lblList[0], index);
        growTo(f.lblList, index, l);
        f.adoptCell(l, index);
        place(l);
    }
    RowsLoaded = static_cast<std::int16_t>(r);
    // Consecutive rows share one pixel row, so their borders coincide.
    NextTop = toInt16(NextTop + LineHeight - tppy());
}

void Elenco::ListLineRemove() {
    if (RowsLoaded == 0) return;
    ListForm& f = *frmForm;
    const int r = RowsLoaded;
    for (int index = r * Labels; index >= (r - 1) * Labels + 1; --index) {
        delete f.lblList[index];
        f.lblList[index] = nullptr;
    }
    f.lblList.resize((r - 1) * Labels + 1);
    if (Pictures > 0) {
        delete f.picList[r];
        f.picList.resize(r);
    }
    if (Checks > 0) {
        delete f.chkList[r];
        f.chkList.resize(r);
    }
    RowsLoaded = static_cast<std::int16_t>(r - 1);
    NextTop = toInt16(NextTop - LineHeight + tppy());
}

void Elenco::FormRedim() {
    ListForm& f = *frmForm;
    if (FormLoad == 0 || f.isMinimized()) return;
    const int tx = tppx(), ty = tppy();
    f.scrList->hide();
    // A maximised window has the size of the area: only its inside follows.
    if (!f.isMaximized()) fitWindow();

    const int cw = f.clientWidth(), chh = f.clientHeight();
    moveTwips(f.sspList[0], 0, 0, cw, chh);
    const int top = listFrameTop();
    f.sspList[1]->resize(twipsToPixelsX(cw - 2 * Border), twipsToPixelsY(chh - Border - top));

    if (Lines >= 1 && lineCount() > RowsFit) {
        const int w1 = widthTwips(f.sspList[1]), h1 = heightTwips(f.sspList[1]);
        const int bar = widthTwips(f.scrList);
        const int viewportTop = !Titles.empty() ? LineHeight + ty : ty;
        moveTwips(f.scrList, w1 - bar - 2 * tx, 0, bar, h1 - viewportTop - ty);
        f.scrList->show();
        f.scrList->setMaximum(lineCount() - Lines);
        f.scrList->setPageStep(Lines);
        f.scrList->setSingleStep(1);
        f.scrList->setValue(FirstLine - 1);
    }
    placeViewport();
    ListRefresh();
}

void Elenco::fitWindow() {
    ListForm& f = *frmForm;
    const int ty = tppy();
    const TwipsRect window = f.windowRect();
    FormLeft = clampInt16(window.left);
    FormTop = clampInt16(window.top);
    FormWidth = clampInt16(window.width);
    FormHeight = clampInt16(window.height);

    const int ch = chrome(ty);
    const int frame = FormHeight - f.clientHeight();
    if (FormHeight < frame + ch + 2 * LineHeight) FormHeight = toInt16(frame + ch + 2 * LineHeight);
    const int step = LineHeight - ty;
    if (step <= 0) throw RunError(ErrorNo::InvalidCall);
    const std::int32_t k = (FormHeight - frame - ch) / step;
    FormHeight = toInt16(toInt16(static_cast<double>(step) * k + ch) + frame);

    if (hasButtons()) {
        const std::int32_t n = static_cast<std::int32_t>(ButText.size());
        const std::int32_t w =
            (n - 1) * ButOffset + ButWidth * n + 2 * Border + (window.width - f.clientWidth());
        if (FormWidth < w) FormWidth = toInt16(w);
    }
    if (FormWidth > FormMaxWidth) FormWidth = FormMaxWidth;
    // Moved from where it is, not from the stored place, which a window far
    // from the corner exceeds.
    f.moveWindow(window.left, window.top, FormWidth, FormHeight);
}

void Elenco::ListRefresh() {
    if (Lines < 1) return;
    ListForm& f = *frmForm;
    int last = FirstLine + Lines - 1;
    const int firstBefore = FirstLine;
    Refreshing = -1;
    const int count = lineCount();
    while (last > count) {
        if (FirstLine > 1) {
            --FirstLine;
            --last;
        } else {
            // The list became shorter than the rows: fill what it still has,
            // its last line included.
            last = count;
            break;
        }
    }
    int r = 1;
    for (int line = FirstLine; line <= last; ++line, ++r) {
        const auto L = static_cast<std::int16_t>(line);
        if (Checks > 0) f.Item_Get(CellKind::Check, 1, L, f.chkList[r]);
        if (Pictures > 0) f.Item_Get(CellKind::Picture, 1, L, f.picList[r]);
        for (int c = 1; c <= Labels; ++c)
            f.Item_Get(CellKind::Label, static_cast<std::int16_t>(c), L,
                       f.lblList[(r - 1) * Labels + c]);
    }
    Refreshing = 0;
    // The rows now show other lines: the highlight moves with the selected one.
    if (FirstLine != firstBefore && ItemSelect >= 1) ListSelect(ItemSelect);
}

void Elenco::ListModify(QWidget* Controllo) {
    if (Refreshing != 0 || Lines < 1) return;
    auto* check = qobject_cast<QCheckBox*>(Controllo);
    if (!check || check->objectName() != "chkList") return;
    const auto L = toInt16(FirstLine - 1 + check->property("Index").toInt());
    frmForm->Item_Set(CellKind::Check, 1, L, check);
    frmForm->Item_Get(CellKind::Check, 1, L, check);
}

void Elenco::ListScroll(std::int16_t intValue) {
    FirstLine = toInt16(intValue + 1);
    ListRefresh();
    ListSelect(ItemSelect);
}

int Elenco::rowOf(QWidget* cell) const {
    if (!cell) return 0;
    const QString name = cell->objectName();
    const int index = cell->property("Index").toInt();
    if (name == "chkList" || name == "picList") return index;
    if (name == "lblList" && Labels > 0) return (index + Labels - 1) / Labels;
    return 0;
}

void Elenco::ListSelect(QWidget* Controllo, double y) {
    selectLine(rowOf(Controllo) + FirstLine - 1, y);
}

void Elenco::ListSelect(double line, double y) { selectLine(toInt16(line), y); }

void Elenco::selectLine(int line, double y) {
    if (y < 0) --line;
    line += static_cast<int>(std::nearbyint(y)) / LineHeight;
    if (line < 1) line = 1;
    const int count = lineCount();
    if (line > count) line = count;
    const int row = line - FirstLine + 1;
    // Only a row on screen is "already selected": with the selection off
    // screen, the line just above the first row also computes row 0.
    if (LineSelect != 0 && row == LineSelect) return;
    if (LineSelect >= 1 && LineSelect <= RowsLoaded) paintRow(LineSelect, false);
    ItemSelect = toInt16(line);
    LineSelect = toInt16(row);
    if (row >= 1 && row <= Lines)
        paintRow(row, true);
    else
        LineSelect = 0;
}

void Elenco::paintRow(int row, bool highlighted) {
    ListForm& f = *frmForm;
    if (Pictures > 0) paintCell(f.picList[row], f.picList[0], highlighted);
    if (Checks > 0) paintCell(f.chkList[row], f.chkList[0], highlighted);
    for (int index = (row - 1) * Labels + 1; index <= row * Labels; ++index)
        paintCell(f.lblList[index], f.lblList[0], highlighted);
}

std::int16_t Elenco::ListLineNumber(QWidget* Controllo) const {
    return toInt16(FirstLine + rowOf(Controllo) - 1);
}

}  // namespace orvex
