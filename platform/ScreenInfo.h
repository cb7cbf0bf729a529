#pragma once

namespace orvex {

// The screen in twips. Twips are the unit of every layout in the program;
// only the platform layer converts them to pixels.
class ScreenInfo {
public:
    virtual ~ScreenInfo() = default;
    virtual int widthTwips() const = 0;
    virtual int heightTwips() const = 0;
    // 1440 / logical DPI: 15 on a usual 96 DPI display.
    virtual int twipsPerPixelX() const = 0;
    virtual int twipsPerPixelY() const = 0;
};

}  // namespace orvex
