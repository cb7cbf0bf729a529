#pragma once
#include <QFont>

namespace orvex {

// The system's fixed-pitch font at 10 points, without kerning, so every
// character takes the same advance; the printed report and the slips size it
// from there to their grid of characters.
QFont fixedPitchFont();

}  // namespace orvex
