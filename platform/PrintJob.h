#pragma once
#include <string>

namespace orvex {

// One job on a page printer, addressed the way the report thinks of a page:
// in character cells once the scale mode is 4 (a cell is 120 twips wide and
// 240 twips high). Positions are in the current scale mode's units; page
// sizes are always in twips. Every operation may throw RunError when the
// printer fails.
class PrintJob {
public:
    enum ScaleMode { Twips = 1, Characters = 4 };
    static constexpr int kCellWidthTwips = 120;
    static constexpr int kCellHeightTwips = 240;

    virtual ~PrintJob() = default;

    virtual void setScaleMode(int mode) = 0;
    // Height of the whole sheet, in twips.
    virtual int height() const = 0;
    // Width of the printable part of a line, in twips.
    virtual int width() const = 0;
    virtual double currentX() const = 0;
    virtual double currentY() const = 0;
    virtual void setCurrentX(double x) = 0;
    virtual void setCurrentY(double y) = 0;
    // The page being printed, 1 for the first.
    virtual int page() const = 0;
    virtual void newPage() = 0;

    // Prints text at the print position and moves the position behind it.
    virtual void print(const std::string& text) = 0;
    // Moves the print position to the 1-based column; from beyond it, to that
    // column on the next line.
    virtual void tab(int column) = 0;
    // Ends the line: the position goes to the start of the next row.
    virtual void endLine() = 0;
    // Hands the job to the printer. A job dropped without it prints nothing.
    virtual void endDoc() = 0;

    // Cells a UTF-8 text takes: one per character.
    static int cellCount(const std::string& text) {
        int n = 0;
        for (unsigned char c : text) {
            if ((c & 0xC0) != 0x80) ++n;  // continuation bytes share their character's cell
        }
        return n;
    }
};

}  // namespace orvex
