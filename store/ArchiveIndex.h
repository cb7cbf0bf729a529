#pragma once
#include <QDateTime>
#include <QSqlDatabase>
#include <QString>
#include <vector>

#include "archive/ArchiveEntry.h"

namespace orvex {

// The archive's index in the club database (schema versions 2 and 3): one row per
// distinct session, its drivers, and every file it was seen in. It is only an
// index: the data files stay the record, and the index can be deleted and
// rebuilt from them. Writes are one IMMEDIATE transaction per batch on the
// club database's connection, whose busy timeout lets two copies of the
// program index at once.
class ArchiveIndex {
public:
    // `connection`: the Qt SQL connection of an open ClubDatabase.
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
    // a download copy, then the newer. Returns
    // how many sessions were new, or -1 (with `error`) when nothing was written.
    int add(const std::vector<Seen>& batch, QString* error = nullptr);

    // Forgets the file; a session left without a file is dropped with it.
    bool removeFile(const QString& path);

    // Marks every known file present or gone, in one transaction; -1 on failure,
    // else how many are gone.
    int checkFiles();
    // Sessions whose every file is gone.
    int orphanSessions();
    // Drops them; how many, or -1.
    int dropOrphans();

    qint64 sessionCount();
    qint64 fileCount();

    // The lower-case text the search runs over: the first-seen day, track,
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
