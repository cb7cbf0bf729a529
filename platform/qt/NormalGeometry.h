#pragma once
#include <QRect>
#include <optional>

class QWidget;

namespace orvex {

// The rectangle a window had when it was last neither minimised nor
// maximised: what it returns to, and so what is stored for its next opening.
class NormalGeometry {
public:
    // Called from the window's moveEvent and resizeEvent.
    void follow(const QWidget& window);
    // The rectangle to store: the current one while the window is normal, else
    // the last normal one; nullopt when it has never been normal.
    std::optional<QRect> of(const QWidget& window) const;

private:
    QRect normal_;
};

}  // namespace orvex
