#pragma once
#include <QCoreApplication>
#include <QString>
#include <cstddef>
#include <vector>

#include "season/Season.h"

class QPagedPaintDevice;

namespace orvex {

// The one drawing of the standings, for the printer, the preview and the PDF:
// A4, portrait while every round fits across, else landscape; rounds that
// still do not fit go on further pages, each repeating Pos, Name, Points and Wins.
class StandingsPainter {
    Q_DECLARE_TR_FUNCTIONS(StandingsPainter)

public:
    struct Plan {
        bool landscape = false;
        std::vector<std::pair<std::size_t, std::size_t>> roundSpans;  // [first, end) per page set
        std::size_t rowsPerPage = 0;
        std::size_t pages = 0;
    };
    static Plan plan(const Standings& s);

    // Throws RunError when the device cannot be drawn on or fails.
    static void Draw(QPagedPaintDevice& device, const Standings& s, const QString& printedOn);

    // "Provisional" or "Official" in the user's language.
    static QString stateText(const Standings& s);
};

}  // namespace orvex
