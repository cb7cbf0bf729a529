#include "platform/qt/NormalGeometry.h"

#include <QWidget>

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

}  // namespace orvex
