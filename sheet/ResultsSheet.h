#pragma once
#include <string>
#include <vector>

#include "results/Results.h"

namespace orvex {

class Session;

// The words of the results sheet in the user's language; the window layer
// makes them (SheetPainter::Words). "%1" stands for a figure.
struct SheetWords {
    // Column titles: "Pos", "No.", "Name", "Laps", "Gap", "Best lap",
    // "Average", "Best speed (km/h)", "Penalty".
    std::string pos, number, name, laps, gap, bestLap, average, bestSpeed, penalty;
    // The ranking's own figure: "Race time", "Best %1 consecutive".
    std::string raceTime, bestRun;
    // "Ranking: %1" with "Best lap", "Race", "Best %1 consecutive".
    std::string ranking, rankBestLap, rankRace, rankRun;
    std::string date, time, vehicle;    // "Date: %1", "Time: %1", "Vehicle: %1"
    std::string dsq, oneLap, manyLaps;  // "DSQ", "+1 lap", "+%1 laps"
    std::string seconds;                // "%1 s"
};

// The texts above and below the table.
struct SheetHeader {
    std::string title;  // the track, or the program's name when there is none
    std::string date, time, vehicle;
    // A line of its own under the title ("Provisional", "Official (issue 2)");
    // none when empty.
    std::string status;
    std::string printed;  // the foot: when it was printed
};

enum class SheetAlign { Left, Right };

struct SheetColumn {
    std::string title;
    SheetAlign align = SheetAlign::Right;
};

struct SheetRow {
    std::vector<std::string> cells;  // a text per column
    // The reason of a penalty or a disqualification, on a line of its own
    // under the driver's, so a long one takes no width from the names.
    std::string note;
    bool operator==(const SheetRow&) const = default;
};

// One page's worth of results as texts, in the order they are drawn.
struct ResultsSheet {
    std::string title, status, foot;
    // "Date: ...", "Time: ...", "Vehicle: ...", "Ranking: ...": one line, the
    // empty texts left out.
    std::vector<std::string> details;
    std::vector<SheetColumn> columns;
    int nameColumn = 2;          // the one left-aligned column, where notes start
    std::vector<SheetRow> rows;  // one per driver in the results' order
};

// The sheet of `results`: ranked drivers, then those without a position, as
// the results order them. A column no driver has a figure for (the best run
// when ranking by best lap, speeds without a track length) is left out.
ResultsSheet makeResultsSheet(const RaceResults& results, const SheetHeader& header,
                              const SheetWords& words, const std::string& decimal);

// The session's texts for the header; `status` and `printed` stay empty.
SheetHeader sheetHeader(const Session& s);

}  // namespace orvex
