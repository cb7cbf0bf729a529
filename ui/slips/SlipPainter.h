#pragma once
#include <QCoreApplication>
#include <QFont>
#include <vector>

#include "slips/Slip.h"

class QPagedPaintDevice;
class QPaintDevice;

namespace orvex {

// The one drawing of slips, for the printer, the preview and the PDF file.
// It sets the device's pages itself: A4 portrait with one or four slips to a
// sheet, or for the receipt a page 80 mm wide and as long as the slip, so no
// slip is ever split. A printer keeps one page size for a job, so there the
// receipts of one call are all as long as the longest.
class SlipPainter {
    Q_DECLARE_TR_FUNCTIONS(SlipPainter)

public:
    // Every slip on `device`, in order. Throws RunError when the device
    // cannot be drawn on or fails.
    static void Draw(QPagedPaintDevice& device, const std::vector<SlipDriver>& slips,
                     SlipPaper paper);

    // The fixed-pitch font of `paper` on `device`: `paper`'s width in
    // characters fills the printable width, and `lines` lines fit one slip's
    // height (the receipt grows instead).
    static QFont Font(const QPaintDevice& device, SlipPaper paper, int lines);
    // The slip's words in the user's language.
    static SlipWords Words();
    // Printable width of one slip on `paper`, in millimetres.
    static double PrintableWidthMm(SlipPaper paper);
};

}  // namespace orvex
