#pragma once
#include <QCoreApplication>

#include "sheet/ResultsSheet.h"

class QPagedPaintDevice;

namespace orvex {

// The one drawing of the results sheet, for the printer, the preview and the
// PDF file. It sets the device's pages itself: one A4 page, portrait when the
// table fits it at a size easy to read from a step away, else landscape; only
// a sheet that fits neither (reasons of many lines) goes on to more pages,
// each with the column titles.
class SheetPainter {
    Q_DECLARE_TR_FUNCTIONS(SheetPainter)

public:
    // Throws RunError when the device cannot be drawn on or fails.
    static void Draw(QPagedPaintDevice& device, const ResultsSheet& sheet);
    // The sheet's words in the user's language.
    static SheetWords Words();
};

}  // namespace orvex
