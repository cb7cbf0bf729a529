#pragma once

class QWidget;

namespace orvex {

// The windows are laid out in twips for the font of the system they were drawn
// on; another default font or another DPI can make a caption wider than its
// control. fitCaptions makes every caption of `window` readable whole, keeping
// the layout: when a caption is too wide, the window's captions get a smaller
// font, all the same, down to kMinCaptionPoints; a caption still too wide has
// its control grow to the right, moving what stands right of it, and the
// panels and the window grow with it. A window too
// narrow for its title grows too, its controls staying centred. Hidden
// controls and controls in a Qt layout (which sizes them itself) are left as
// they are. Call it once the window's controls and title are set.
void fitCaptions(QWidget* window);

// As small as the list windows' font.
inline constexpr double kMinCaptionPoints = 8.0;

// The width a title bar takes beside its title: the window's icon and buttons.
int titleBarExtra(const QWidget* window);

}  // namespace orvex
