#include "store/ArchiveIndex.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QVariant>
#include <algorithm>
#include <tuple>

#include "autocopy/DownloadCopy.h"

namespace orvex {

namespace {

QString q(const std::string& text) { return QString::fromStdString(text); }

// Runs `body` inside an IMMEDIATE transaction; rolls back when it fails.
template <class Body>
bool transaction(QSqlDatabase db, QString* error, Body body) {
    QSqlQuery begin(db);
    if (!begin.exec("BEGIN IMMEDIATE")) {
        if (error)
            *error = db.isOpen() ? begin.lastError().text()
                                 : QCoreApplication::translate("ArchiveIndex",
                                                               "the club database is closed");
        return false;
    }
    QString why;
    if (body(why)) {
        // A full disk shows only here, when the pages reach the journal.
        QSqlQuery commit(db);
        if (commit.exec("COMMIT")) return true;
        why = commit.lastError().text();
    }
    QSqlQuery(db).exec("ROLLBACK");
    if (error)
        *error = !why.trimmed().isEmpty()
                     ? why.trimmed()
                     : QCoreApplication::translate("ArchiveIndex", "SQLite gave no reason");
    return false;
}

// A file that could give a session its texts. A download's copy holds only
// the laps and the texts of the moment; any other file is one the user
// saved, so it ranks above every copy, and then the most recently written
// wins (the path breaks a tie, so the order of a scan does not matter). A
// row of before the path was kept counts as a saved file.
struct Source {
    QString written, path;
    bool isCopy() const {
        return !path.isEmpty() &&
               !downloadCopies({QFileInfo(path).fileName().toStdString()}).empty();
    }
    bool operator<(const Source& other) const {
        return std::tuple(!isCopy(), written, path) <
               std::tuple(!other.isCopy(), other.written, other.path);
    }
};

bool exec(QSqlQuery& query, QString& why) {
    if (query.exec()) return true;
    why = query.lastError().text();
    return false;
}

}  // namespace

QString ArchiveIndex::nameKey(const std::string& name) { return q(name).simplified().toLower(); }

QString ArchiveIndex::searchText(const ArchiveEntry& e, const QString& firstSeen) {
    // The first-seen day first, at a fixed width, so an older file can move it alone.
    QStringList parts = {firstSeen.left(10), q(e.track), q(e.vehicle),
                         q(e.note),          q(e.date),  q(e.time)};
    for (const ArchiveDriver& d : e.rows)
        if (!d.name.empty()) parts << q(d.name);
    return parts.join('\n').toLower();
}

int ArchiveIndex::add(const std::vector<Seen>& batch, QString* error) {
    QSqlDatabase base = db();
    int added = 0;
    const bool ok = transaction(base, error, [&](QString& why) {
        QSqlQuery known(base), insert(base), update(base), older(base), dropDrivers(base),
            driver(base), file(base);
        known.prepare(
            "SELECT source_time, first_seen, source_path FROM archive_session WHERE id = ?");
        insert.prepare(
            "INSERT INTO archive_session (id, date, time, track, track_key, length, vehicle, "
            "note, drivers, best, best_no, best_name, first_seen, source_time, search, "
            "source_path) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
        update.prepare(
            "UPDATE archive_session SET date = ?, time = ?, track = ?, track_key = ?, length = ?, "
            "vehicle = ?, note = ?, drivers = ?, best = ?, best_no = ?, best_name = ?, "
            "first_seen = ?, source_time = ?, search = ?, source_path = ? WHERE id = ?");
        older.prepare(
            "UPDATE archive_session SET first_seen = ?, search = substr(?, 1, 10) || "
            "substr(search, 11) WHERE id = ?");
        dropDrivers.prepare("DELETE FROM archive_driver WHERE session_id = ?");
        driver.prepare(
            "INSERT INTO archive_driver (session_id, number, name, name_key, laps, best, "
            "race_time, rank) VALUES (?, ?, ?, ?, ?, ?, ?, ?)");
        file.prepare(
            "INSERT INTO archive_file (path, session_id, present) VALUES (?, ?, 1) ON CONFLICT "
            "(path) DO UPDATE SET session_id = excluded.session_id, present = 1");
        for (const Seen& seen : batch) {
            const ArchiveEntry& e = seen.entry;
            const QString written = timeText(seen.written);
            known.bindValue(0, qint64(e.id));
            if (!exec(known, why)) return false;
            const bool isKnown = known.next();
            const Source stored{isKnown ? known.value(0).toString() : QString(),
                                isKnown ? known.value(2).toString() : QString()};
            const QString storedFirst = isKnown ? known.value(1).toString() : written;
            known.finish();
            // The oldest file dates the session; the best one gives its
            // texts, names and figures, all of them.
            const QString firstSeen = std::min(written, storedFirst);
            const bool newer = !isKnown || !(Source{written, seen.path} < stored);
            if (newer) {
                QSqlQuery& write = isKnown ? update : insert;
                QVariantList values = {q(e.date),      q(e.time),
                                       q(e.track),     q(e.trackKey),
                                       q(e.length),    q(e.vehicle),
                                       q(e.note),      e.drivers,
                                       qint64(e.best), e.bestNo,
                                       q(e.bestName),  firstSeen,
                                       written,        searchText(e, firstSeen),
                                       seen.path};
                if (isKnown)
                    values.append(qint64(e.id));
                else
                    values.prepend(qint64(e.id));
                for (int i = 0; i < values.size(); ++i) write.bindValue(i, values[i]);
                if (!exec(write, why)) return false;
                if (!isKnown) ++added;
            } else if (firstSeen != storedFirst) {
                // An older file of a known session only moves its first-seen time back.
                older.bindValue(0, firstSeen);
                older.bindValue(1, firstSeen);
                older.bindValue(2, qint64(e.id));
                if (!exec(older, why)) return false;
            }
            if (newer) {
                dropDrivers.bindValue(0, qint64(e.id));
                if (!exec(dropDrivers, why)) return false;
                for (const ArchiveDriver& d : e.rows) {
                    const QVariantList values = {qint64(e.id),       d.number, q(d.name),
                                                 nameKey(d.name),    d.laps,   qint64(d.best),
                                                 qint64(d.raceTime), d.rank};
                    for (int i = 0; i < values.size(); ++i) driver.bindValue(i, values[i]);
                    if (!exec(driver, why)) return false;
                }
            }
            file.bindValue(0, seen.path);
            file.bindValue(1, qint64(e.id));
            if (!exec(file, why)) return false;
        }
        return true;
    });
    return ok ? added : -1;
}

bool ArchiveIndex::removeFile(const QString& path) {
    QSqlDatabase base = db();
    return transaction(base, nullptr, [&](QString& why) {
        QSqlQuery find(base), drop(base);
        find.prepare("SELECT session_id FROM archive_file WHERE path = ?");
        find.bindValue(0, path);
        if (!exec(find, why)) return false;
        if (!find.next()) return true;
        const qint64 id = find.value(0).toLongLong();
        find.finish();
        drop.prepare("DELETE FROM archive_file WHERE path = ?");
        drop.bindValue(0, path);
        if (!exec(drop, why)) return false;
        for (const char* sql :
             {"DELETE FROM archive_driver WHERE session_id = :id AND NOT EXISTS (SELECT 1 FROM "
              "archive_file WHERE session_id = :id)",
              "DELETE FROM archive_session WHERE id = :id AND NOT EXISTS (SELECT 1 FROM "
              "archive_file WHERE session_id = :id)"}) {
            QSqlQuery q(base);
            q.prepare(sql);
            q.bindValue(":id", id);
            if (!exec(q, why)) return false;
        }
        return true;
    });
}

int ArchiveIndex::checkFiles() {
    QSqlDatabase base = db();
    // The look at the disk happens outside the lock; only the marks are written in it.
    std::vector<std::pair<QString, int>> marks;
    {
        QSqlQuery all(base);
        all.setForwardOnly(true);
        if (!all.exec("SELECT path, present FROM archive_file")) return -1;
        while (all.next()) marks.emplace_back(all.value(0).toString(), all.value(1).toInt());
    }
    int gone = 0;
    const bool ok = transaction(base, nullptr, [&](QString& why) {
        QSqlQuery mark(base);
        mark.prepare("UPDATE archive_file SET present = ? WHERE path = ?");
        for (const auto& [path, was] : marks) {
            const int now = QFileInfo::exists(path) ? 1 : 0;
            gone += 1 - now;
            if (now == was) continue;
            mark.bindValue(0, now);
            mark.bindValue(1, path);
            if (!exec(mark, why)) return false;
        }
        return true;
    });
    return ok ? gone : -1;
}

int ArchiveIndex::orphanSessions() {
    QSqlQuery query(db());
    return query.exec(
               "SELECT count(*) FROM archive_session s WHERE NOT EXISTS (SELECT 1 FROM "
               "archive_file f WHERE f.session_id = s.id AND f.present = 1)") &&
                   query.next()
               ? query.value(0).toInt()
               : -1;
}

int ArchiveIndex::dropOrphans() {
    QSqlDatabase base = db();
    int dropped = 0;
    const bool ok = transaction(base, nullptr, [&](QString& why) {
        QSqlQuery query(base);
        const char* orphans =
            "SELECT id FROM archive_session s WHERE NOT EXISTS (SELECT 1 FROM "
            "archive_file f WHERE f.session_id = s.id AND f.present = 1)";
        for (const QString& sql :
             {QString("DELETE FROM archive_driver WHERE session_id IN (%1)").arg(orphans),
              QString("DELETE FROM archive_file WHERE session_id IN (%1)").arg(orphans),
              QString("DELETE FROM archive_session WHERE id IN (%1)").arg(orphans)}) {
            query.prepare(sql);
            if (!exec(query, why)) return false;
            if (sql.startsWith("DELETE FROM archive_session")) dropped = query.numRowsAffected();
        }
        return true;
    });
    return ok ? dropped : -1;
}

qint64 ArchiveIndex::sessionCount() {
    QSqlQuery query(db());
    return query.exec("SELECT count(*) FROM archive_session") && query.next()
               ? query.value(0).toLongLong()
               : -1;
}

qint64 ArchiveIndex::fileCount() {
    QSqlQuery query(db());
    return query.exec("SELECT count(*) FROM archive_file") && query.next()
               ? query.value(0).toLongLong()
               : -1;
}

}  // namespace orvex
