#pragma once
#include <QIcon>
#include <QPixmap>

#include "device/DeviceLink.h"

class QPainter;

namespace orvex {

// The main window's pictures, drawn at run time so the program ships no image
// files. Indexes are fixed: 10 and 11 are the connection indicator's.
namespace ImageList1 {
enum Image {
    New = 1,
    Open = 2,
    Save = 3,
    Print = 4,
    Session = 5,
    Statistics = 6,
    Laps = 7,
    Upload = 8,
    Logo = 9,
    NotConnected = static_cast<int>(Indicator::NotConnected),
    Connected = static_cast<int>(Indicator::Connected),
};
// Draws `image` on a 24 x 24 grid; scale the painter for other sizes. The
// packaged program icons are rendered from the same drawing as the window's.
void draw(QPainter& p, int image);
QPixmap pixmap(int image, int size = 24);
QIcon icon(int image);
}  // namespace ImageList1

}  // namespace orvex
