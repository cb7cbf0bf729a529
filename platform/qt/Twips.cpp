#include "platform/qt/Twips.h"

#include <QWidget>
#include <QWindow>
#include <cmath>

#include "platform/Platform.h"
#include "platform/ScreenInfo.h"

namespace orvex {

namespace {
int perPixelX() { return platform().screen ? platform().screen->twipsPerPixelX() : 15; }
int perPixelY() { return platform().screen ? platform().screen->twipsPerPixelY() : 15; }
int toPixels(int twips, int perPixel) {
    return static_cast<int>(std::lround(static_cast<double>(twips) / perPixel));
}
}  // namespace

int twipsToPixelsX(int twips) { return toPixels(twips, perPixelX()); }
int twipsToPixelsY(int twips) { return toPixels(twips, perPixelY()); }
int pixelsToTwipsX(int pixels) { return pixels * perPixelX(); }
int pixelsToTwipsY(int pixels) { return pixels * perPixelY(); }

QRect twipsToPixels(int left, int top, int width, int height) {
    return QRect(twipsToPixelsX(left), twipsToPixelsY(top), twipsToPixelsX(width),
                 twipsToPixelsY(height));
}

TwipsRect rectTwips(const QRect& g) {
    return {pixelsToTwipsX(g.x()), pixelsToTwipsY(g.y()), pixelsToTwipsX(g.width()),
            pixelsToTwipsY(g.height())};
}

TwipsRect geometryTwips(const QWidget* w) { return rectTwips(w->geometry()); }

void moveTwips(QWidget* w, int left, int top, int width, int height) {
    w->setGeometry(twipsToPixels(left, top, width, height));
}

void moveTwips(QWidget* w, int left, int top) {
    w->move(twipsToPixelsX(left), twipsToPixelsY(top));
}

int widthTwips(const QWidget* w) { return pixelsToTwipsX(w->width()); }
int heightTwips(const QWidget* w) { return pixelsToTwipsY(w->height()); }

void centreOnScreen(QWidget* window) {
    const ScreenInfo& screen = *platform().screen;
    centreIn(window, twipsToPixels(0, 0, screen.widthTwips(), screen.heightTwips()));
}

// The frame is known once the window manager has drawn it; until then the
// frame of the window's parent is the best guess.
void centreIn(QWidget* window, const QRect& area) {
    QMargins frame = window->windowHandle() ? window->windowHandle()->frameMargins() : QMargins();
    const QWidget* parent = window->parentWidget() ? window->parentWidget()->window() : nullptr;
    if (frame.isNull() && parent && parent->windowHandle())
        frame = parent->windowHandle()->frameMargins();
    const QSize outer = window->size().grownBy(frame);
    // move() places the frame's top left corner.
    window->move(area.left() + (area.width() - outer.width()) / 2,
                 area.top() + (area.height() - outer.height()) / 2);
}

// The lists' columns are sized for an 8-point font, as small as a dialog's.
QFont listFont(QFont font) {
    font.setPointSize(8);
    return font;
}

}  // namespace orvex
