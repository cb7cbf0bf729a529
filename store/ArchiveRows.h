#pragma once
#include <QDate>
#include <QString>
#include <cstdint>

namespace orvex {

// What the archive's lists show, one struct per kind of row, as the store
// reads them: plain values, no SQL.

// The Sessions list's filter: words that must all be found in a session's
// texts (any part of a word, case and accents ignored) and a range of the
// first-seen day (a null date is no bound).
struct SessionFilter {
    QString search;
    QDate from, to;
};

struct SessionRow {
    qint64 id = 0;
    QString date, time, track;
    int drivers = 0;
    std::int32_t best = 0;
    QString bestBy;        // "number name", empty without a best lap
    QString path;          // the file that gave the texts while it is there, else another
    bool present = false;  // the index's mark of that file
};

// The best lap of one track (its spellings joined by the track key).
struct TrackRecordRow {
    QString track, trackKey;
    std::int32_t best = 0;
    QString bestBy, date, firstSeen;
};

// One of a track's best laps.
struct TrackLapRow {
    std::int32_t best = 0;
    QString driver, date, time, firstSeen;
};

// One session of a driver.
struct DriverSessionRow {
    QString firstSeen, date, track;
    int number = 0, laps = 0;
    std::int32_t best = 0;
    int rank = 0;
};

}  // namespace orvex
