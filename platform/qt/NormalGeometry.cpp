#include "platform/qt/NormalGeometry.h"

#include <QMdiArea>
#include <QWidget>
#include <algorithm>

namespace orvex {

namespace {

bool isNormal(const QWidget& w) { return !w.isMinimized() && !w.isMaximized(); }

}  // namespace

void NormalGeometry::follow(const QWidget& window) {
    if (isNormal(window)) normal_ = window.geometry();
}

std::optional<QRect> NormalGeometry::of(const QWidget& window) const {
    if (isNormal(window)) return window.geometry();
    if (normal_.isValid()) return normal_;
    return std::nullopt;
}

QRect inSight(const QRect& window, const QMdiArea* area) {
    const QWidget* view = area ? area->viewport() : nullptr;
    if (!view || !view->isVisible() || view->width() <= 0 || view->height() <= 0) return window;
    QRect r(window.topLeft(), window.size().boundedTo(view->size()));
    r.moveLeft(std::max(0, std::min(r.left(), view->width() - r.width())));
    r.moveTop(std::max(0, std::min(r.top(), view->height() - r.height())));
    return r;
}

}  // namespace orvex
