#pragma once

class QWidget;

namespace orvex {

// The windows are laid out in twips for the font of the system they were drawn
// on; another default font or another DPI can make a caption wider than its
// control. fitCaptions makes every caption of `window` readable whole, keeping
// the layout: when a caption is too wide, the window's captions get a smaller
// font, all the same, down to kMinCaptionPoints; a caption still too wide has
// its control grow to the right, moving what stands right of it, and the
// panels and the window grow with it. Nothing else changes the layout: a
// title is the window manager's to draw, and to cut. Hidden controls and
// controls in a Qt layout (which sizes them itself) are left as they are.
// Call it once the window's controls are set.
void fitCaptions(QWidget* window);

// The layouts were drawn for a narrow 8-point face; common sans-serif faces
// are wider, and at 7 points still as readable as the list windows' 8.
inline constexpr double kMinCaptionPoints = 7.0;

}  // namespace orvex
