#pragma once
#include <string>

#include "platform/PrintJob.h"

namespace orvex {

// The print position of a job whose font sits on the character grid: every
// character takes one 120-twip cell and every line one 240-twip row. The
// printer behind it only has to put text at a place and turn pages.
class CellPrintJob : public PrintJob {
public:
    void setScaleMode(int mode) override;
    double currentX() const override { return x_ / unitWidth(); }
    double currentY() const override { return y_ / unitHeight(); }
    void setCurrentX(double x) override { x_ = x * unitWidth(); }
    void setCurrentY(double y) override { y_ = y * unitHeight(); }
    int page() const override { return page_; }
    void newPage() override;
    void print(const std::string& text) override;
    void tab(int column) override;
    void endLine() override;

protected:
    double xTwips() const { return x_; }
    double yTwips() const { return y_; }

    // Puts text whose top left corner is at (x, y) twips from the top left
    // corner of the printable area of the current page.
    virtual void drawText(double x, double y, const std::string& text) = 0;
    // Ejects the current page and starts the next one.
    virtual void startNextPage() = 0;

private:
    double unitWidth() const { return scaleMode_ == Characters ? kCellWidthTwips : 1.0; }
    double unitHeight() const { return scaleMode_ == Characters ? kCellHeightTwips : 1.0; }

    int scaleMode_ = Twips;
    double x_ = 0;  // twips
    double y_ = 0;  // twips
    int page_ = 1;
};

}  // namespace orvex
