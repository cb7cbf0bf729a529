#pragma once
#include <QFont>
#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

namespace orvex {

// Twips <-> pixels on the installed screen. Positions are rounded to whole
// pixels, as every window layout of the program expects.
int twipsToPixelsX(int twips);
int twipsToPixelsY(int twips);
int pixelsToTwipsX(int pixels);
int pixelsToTwipsY(int pixels);
QRect twipsToPixels(int left, int top, int width, int height);

// A widget's rectangle in twips, relative to its parent.
struct TwipsRect {
    int left = 0, top = 0, width = 0, height = 0;
    bool operator==(const TwipsRect&) const = default;
};

TwipsRect geometryTwips(const QWidget* w);
TwipsRect rectTwips(const QRect& pixels);
void moveTwips(QWidget* w, int left, int top, int width, int height);
void moveTwips(QWidget* w, int left, int top);
int widthTwips(const QWidget* w);
int heightTwips(const QWidget* w);

// `font` at the size the list windows and the session data window use.
QFont listFont(QFont font);

// Centres a window by its outer frame: on the screen, or in `area` (pixels,
// in the coordinates the window moves in).
void centreOnScreen(QWidget* window);
void centreIn(QWidget* window, const QRect& area);

}  // namespace orvex
