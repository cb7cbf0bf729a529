#include "platform/CellPrintJob.h"

#include "platform/RunError.h"

namespace orvex {

void CellPrintJob::setScaleMode(int mode) {
    if (mode != Twips && mode != Characters) throw RunError(ErrorNo::InvalidCall);
    scaleMode_ = mode;
}

void CellPrintJob::newPage() {
    startNextPage();
    ++page_;
    x_ = 0;
    y_ = 0;
}

void CellPrintJob::print(const std::string& text) {
    if (text.empty()) return;
    drawText(x_, y_, text);
    x_ += cellCount(text) * double(kCellWidthTwips);
}

void CellPrintJob::tab(int column) {
    const double target = (column < 1 ? 0 : column - 1) * double(kCellWidthTwips);
    // Half a twip of slack for positions set in fractional units.
    if (x_ > target + 0.5) endLine();
    x_ = target;
}

void CellPrintJob::endLine() {
    x_ = 0;
    y_ += kCellHeightTwips;
}

}  // namespace orvex
