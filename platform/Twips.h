#pragma once
#include <QPoint>
#include <QRect>
#include <QSize>

namespace orvex {

// Twips <-> pixels on the installed screen. Positions are rounded to whole
// pixels, as every window layout of the program expects.
int twipsToPixelsX(int twips);
int twipsToPixelsY(int twips);
int pixelsToTwipsX(int pixels);
int pixelsToTwipsY(int pixels);
QRect twipsToPixels(int left, int top, int width, int height);

}  // namespace orvex
