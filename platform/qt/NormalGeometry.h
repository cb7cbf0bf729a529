#pragma once
#include <QRect>
#include <optional>

class QMdiArea;
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

// Where a child window whose place was stored under a larger main window is
// seen whole: `window` (pixels, in the area's coordinates) no larger than
// `area` and moved the least that puts it inside. A window of an area not
// shown yet (sized by nothing) stays as it is.
QRect inSight(const QRect& window, const QMdiArea* area);

}  // namespace orvex
