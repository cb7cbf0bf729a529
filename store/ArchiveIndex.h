#pragma once
#include <QDateTime>
#include <QSqlDatabase>
#include <QString>
#include <vector>

#include "archive/ArchiveEntry.h"
#include "platform/Status.h"
#include "store/ArchiveRows.h"

namespace orvex {

// The archive's index in the club database: one row per distinct session, its
// drivers, and every file it was seen in. It is only an index: the data files
// stay the record, and the index can be deleted and rebuilt from them. Writes
// are one IMMEDIATE transaction per batch, whose busy timeout lets two copies
// of the program index at once. Every statement the archive runs is here.
class ArchiveIndex {
public:
    // `connection`: a Qt SQL connection to the club database, of this thread.
    explicit ArchiveIndex(const QString& connection) : connection_(connection) {}

    QSqlDatabase db() const { return QSqlDatabase::database(connection_, false); }

    // One file seen: its session, its full name and when it was written.
    struct Seen {
        ArchiveEntry entry;
        QString path;
        QDateTime written;
    };
    // Adds a batch in one transaction. A session already known keeps the
    // time it was first seen, and takes the texts, names and figures of the
    // new file when it ranks above the one they came from: a saved file above
    // a download copy, then the newer. How many sessions were new; a failure
    // wrote nothing.
    Result<int> add(const std::vector<Seen>& batch);

    // Forgets the file; a session left without a file is dropped with it.
    Status removeFile(const QString& path);

    // Marks every known file present or gone, in one transaction; how many are gone.
    Result<int> checkFiles();
    // Sessions whose every file is gone.
    Result<int> orphanSessions();
    // Drops them; how many.
    Result<int> dropOrphans();

    Result<qint64> sessionCount();
    Result<qint64> fileCount();

    // The Sessions list, newest first: `limit` rows from `offset`. The rarest
    // word of three letters or more is looked up in the trigram index; a search
    // of shorter or common words reads the sessions newest first.
    Result<std::vector<SessionRow>> sessions(const SessionFilter& filter, int offset, int limit);
    // The best lap of every track.
    Result<std::vector<TrackRecordRow>> trackRecords();
    // The 10 best laps of the track `trackKey`.
    Result<std::vector<TrackLapRow>> trackLaps(const QString& trackKey);
    // Every session of the driver `name` (as nameKey compares it), oldest first.
    Result<std::vector<DriverSessionRow>> driverHistory(const QString& name);

    // The folded text the search runs over: the first-seen day, track,
    // vehicle, note, date and time texts, driver names.
    static QString searchText(const ArchiveEntry& e, const QString& firstSeen);
    // A driver's name as the index compares it.
    static QString nameKey(const std::string& name);
    // SQLite's text of a time.
    static QString timeText(const QDateTime& t) { return t.toString("yyyy-MM-dd HH:mm:ss"); }

private:
    QString connection_;
};

}  // namespace orvex
