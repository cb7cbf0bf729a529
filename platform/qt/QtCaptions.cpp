#include "platform/qt/QtCaptions.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOption>
#include <QToolButton>
#include <algorithm>

namespace orvex {

namespace {

// The text a control shows: mnemonic marks dropped, "&&" shown as "&". Empty
// for a control without a caption of one line.
QString caption(const QWidget* w) {
    QString text;
    if (auto* label = qobject_cast<const QLabel*>(w)) {
        if (label->wordWrap() || label->textFormat() == Qt::RichText ||
            (label->textFormat() == Qt::AutoText && Qt::mightBeRichText(label->text())))
            return {};
        text = label->text();
    } else if (auto* tool = qobject_cast<const QToolButton*>(w)) {
        if (tool->toolButtonStyle() == Qt::ToolButtonIconOnly) return {};
        text = tool->text();
    } else if (auto* button = qobject_cast<const QAbstractButton*>(w)) {
        text = button->text();
    } else if (auto* box = qobject_cast<const QGroupBox*>(w)) {
        text = box->title();
    }
    if (text.contains('\n')) return {};
    QString shown;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && i + 1 < text.size()) ++i;
        shown += text[i];
    }
    return shown;
}

// The width the style leaves the caption inside the control.
int room(const QWidget* w) {
    QStyleOptionButton option;
    option.initFrom(w);
    if (qobject_cast<const QRadioButton*>(w))
        return w->style()->subElementRect(QStyle::SE_RadioButtonContents, &option, w).width();
    if (qobject_cast<const QCheckBox*>(w))
        return w->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, w).width();
    if (qobject_cast<const QPushButton*>(w))
        return w->style()->subElementRect(QStyle::SE_PushButtonContents, &option, w).width();
    if (auto* label = qobject_cast<const QLabel*>(w)) {
        int indent = std::max(label->indent(), 0);
        if (label->indent() < 0 && label->frameWidth() > 0)
            indent = label->fontMetrics().horizontalAdvance('x') / 2;
        return label->contentsRect().width() - 2 * label->margin() - indent;
    }
    // A group box's title sits between two short stretches of its frame.
    return w->contentsRect().width() - 2 * w->fontMetrics().horizontalAdvance('x');
}

int textWidth(const QFont& font, const QString& text) {
    return QFontMetrics(font).horizontalAdvance(text);
}

bool inLayout(const QWidget* w) {
    const QLayout* layout = w->parentWidget() ? w->parentWidget()->layout() : nullptr;
    return layout && layout->indexOf(w) >= 0;
}

QList<QWidget*> controlsOf(QWidget* parent) {
    QList<QWidget*> controls;
    for (QWidget* c : parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (!c->isWindow() && !c->isHidden()) controls.push_back(c);
    return controls;
}

int rightmost(QWidget* parent) {
    int right = 0;
    for (const QWidget* c : controlsOf(parent)) right = std::max(right, c->geometry().right() + 1);
    return right;
}

void widen(QWidget* window, int dx) {
    const int width = window->width() + dx;
    if (window->minimumWidth() == window->maximumWidth())
        window->setFixedWidth(width);
    else
        window->resize(width, window->height());
}

// Grows `w` by dx to the right within `window`: the controls right of it move
// along, and its parent grows when it no longer keeps its right margin.
void growRight(QWidget* window, QWidget* w, int dx) {
    if (w == window || w->isWindow()) return widen(w, dx);
    QWidget* parent = w->parentWidget();
    if (inLayout(w)) return growRight(window, parent, dx);
    const int margin = parent->width() - rightmost(parent);
    const QRect old = w->geometry();
    w->resize(w->width() + dx, w->height());
    for (QWidget* c : controlsOf(parent)) {
        const QRect g = c->geometry();
        if (c != w && g.center().x() > old.right() && g.top() <= old.bottom() &&
            g.bottom() >= old.top())
            c->move(g.x() + dx, g.y());
    }
    const int needed = rightmost(parent) + std::max(margin, 0) - parent->width();
    if (needed > 0) growRight(window, parent, needed);
}

}  // namespace

void fitCaptions(QWidget* window) {
    QList<QWidget*> captioned;
    for (QWidget* w : window->findChildren<QWidget*>())
        if (!caption(w).isEmpty() && w->window() == window->window() && w->isVisibleTo(window) &&
            !inLayout(w))
            captioned.push_back(w);
    // One size for every caption of the window, the largest at which each fits
    // (or the smallest allowed), so the window keeps one look. A group box's
    // font would pass to the controls inside it.
    double size = 0;
    for (const QWidget* w : captioned) {
        if (qobject_cast<const QGroupBox*>(w) || w->font().pointSizeF() <= 0) continue;
        QFont font = w->font();
        while (font.pointSizeF() > kMinCaptionPoints && textWidth(font, caption(w)) > room(w))
            font.setPointSizeF(std::max(kMinCaptionPoints, font.pointSizeF() - 0.5));
        if (font.pointSizeF() < w->font().pointSizeF() && (size == 0 || font.pointSizeF() < size))
            size = font.pointSizeF();
    }
    for (QWidget* w : captioned) {
        if (size > 0 && !qobject_cast<QGroupBox*>(w) && w->font().pointSizeF() > size) {
            QFont font = w->font();
            font.setPointSizeF(size);
            w->setFont(font);
        }
        const int missing = textWidth(w->font(), caption(w)) - room(w);
        if (missing > 0) growRight(window, w, missing);
    }
}

}  // namespace orvex
