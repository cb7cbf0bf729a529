#include "store/ArchiveIndex.h"

#include <QFileInfo>
#include <QHash>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QVariant>
#include <algorithm>
#include <tuple>

#include "autocopy/DownloadCopy.h"
#include "store/TextFold.h"

namespace orvex {

namespace {

QString q(const std::string& text) { return QString::fromStdString(text); }

Status failure(const char* text, const QString& detail) {
    return Status::fail(StatusCode::Database, text, {},
                        detail.trimmed().isEmpty() ? std::string("SQLite gave no reason")
                                                   : detail.trimmed().toStdString());
}

const char* const kNotWritten = QT_TRANSLATE_NOOP("Status", "The archive could not be written.");
const char* const kNotRead = QT_TRANSLATE_NOOP("Status", "The archive could not be read.");

// Runs `body` inside an IMMEDIATE transaction; rolls back when it fails.
template <class Body>
Status transaction(QSqlDatabase db, Body body) {
    QSqlQuery begin(db);
    if (!begin.exec("BEGIN IMMEDIATE"))
        return failure(kNotWritten,
                       db.isOpen() ? begin.lastError().text() : "the club database is closed");
    QString why;
    if (body(why)) {
        // A full disk shows only here, when the pages reach the journal.
        QSqlQuery commit(db);
        if (commit.exec("COMMIT")) return Status::ok();
        why = commit.lastError().text();
    }
    QSqlQuery(db).exec("ROLLBACK");
    return failure(kNotWritten, why);
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

// Runs a read with its values; a failure says why.
Status read(QSqlQuery& query, const QString& sql, const QVariantList& binds) {
    query.setForwardOnly(true);
    if (!query.prepare(sql)) return failure(kNotRead, query.lastError().text());
    for (int i = 0; i < binds.size(); ++i) query.bindValue(i, binds[i]);
    if (!query.exec()) return failure(kNotRead, query.lastError().text());
    return Status::ok();
}

// Every word of [from, to) in the search text, as a balanced tree of ANDs:
// SQLite refuses an expression nested more than 1,000 deep, which a chain of
// 1,000 words would be.
QString allWords(int from, int to) {
    if (to - from == 1) return "instr(s.search, ?) > 0";
    const int middle = from + (to - from) / 2;
    return "(" + allWords(from, middle) + " AND " + allWords(middle, to) + ")";
}

// Above this many sessions found through the trigram index, the words are
// common enough that reading the newest sessions in order finds a screenful
// sooner than sorting every one found.
constexpr int kDenseHits = 1000;
constexpr int kMostTrigrams = 24;

// A GLOB pattern that finds `word` anywhere in a text.
QString anywhere(const QString& word) {
    QString pattern;
    for (const QChar c : word)
        pattern += c == '*' || c == '?' || c == '[' ? QString('[') + c + ']' : QString(c);
    return '*' + pattern + '*';
}

Result<qint64> count(QSqlDatabase db, const char* sql) {
    QSqlQuery query(db);
    if (const Status st = read(query, sql, {}); !st.isOk()) return st;
    if (!query.next()) return failure(kNotRead, query.lastError().text());
    return query.value(0).toLongLong();
}

}  // namespace

QString ArchiveIndex::nameKey(const std::string& name) { return q(name).simplified().toLower(); }

QString ArchiveIndex::searchText(const ArchiveEntry& e, const QString& firstSeen) {
    // The first-seen day first, at a fixed width, so an older file can move it alone.
    QStringList parts = {firstSeen.left(10), q(e.track), q(e.vehicle),
                         q(e.note),          q(e.date),  q(e.time)};
    for (const ArchiveDriver& d : e.rows)
        if (!d.name.empty()) parts << q(d.name);
    return foldText(parts.join('\n'));
}

Result<int> ArchiveIndex::add(const std::vector<Seen>& batch) {
    QSqlDatabase base = db();
    int added = 0;
    const Status st = transaction(base, [&](QString& why) {
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
            "INSERT INTO archive_driver (session_id, number, name_id, laps, best, race_time, "
            "rank) VALUES (?, ?, ?, ?, ?, ?, ?)");
        // Each name is kept once: a club's drivers race many sessions.
        QSqlQuery addName(base), findName(base);
        addName.prepare(
            "INSERT INTO archive_name (name, name_key) VALUES (?, ?) ON CONFLICT (name) DO "
            "NOTHING");
        findName.prepare("SELECT id FROM archive_name WHERE name = ?");
        QHash<QString, qint64> nameIds;
        const auto nameId = [&](const std::string& name, QString& why) -> qint64 {
            const QString text = q(name);
            if (const auto known = nameIds.constFind(text); known != nameIds.cend()) return *known;
            addName.bindValue(0, text);
            addName.bindValue(1, nameKey(name));
            findName.bindValue(0, text);
            if (!exec(addName, why) || !exec(findName, why) || !findName.next()) {
                if (why.isEmpty()) why = findName.lastError().text();
                return -1;
            }
            const qint64 id = findName.value(0).toLongLong();
            findName.finish();
            nameIds.insert(text, id);
            return id;
        };
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
                    const qint64 id = nameId(d.name, why);
                    if (id < 0) return false;
                    const QVariantList values = {qint64(e.id),   d.number,           id,    d.laps,
                                                 qint64(d.best), qint64(d.raceTime), d.rank};
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
    if (!st.isOk()) return st;
    return added;
}

Status ArchiveIndex::removeFile(const QString& path) {
    QSqlDatabase base = db();
    return transaction(base, [&](QString& why) {
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

Result<int> ArchiveIndex::checkFiles() {
    QSqlDatabase base = db();
    // The look at the disk happens outside the lock; only the marks are written in it.
    std::vector<std::pair<QString, int>> marks;
    {
        QSqlQuery all(base);
        if (const Status st = read(all, "SELECT path, present FROM archive_file", {}); !st.isOk())
            return st;
        while (all.next()) marks.emplace_back(all.value(0).toString(), all.value(1).toInt());
    }
    int gone = 0;
    const Status st = transaction(base, [&](QString& why) {
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
    if (!st.isOk()) return st;
    return gone;
}

Result<int> ArchiveIndex::orphanSessions() {
    const Result<qint64> n =
        count(db(),
              "SELECT count(*) FROM archive_session s WHERE NOT EXISTS (SELECT 1 FROM "
              "archive_file f WHERE f.session_id = s.id AND f.present = 1)");
    if (!n.isOk()) return n.status();
    return static_cast<int>(n.value());
}

Result<int> ArchiveIndex::dropOrphans() {
    QSqlDatabase base = db();
    int dropped = 0;
    const Status st = transaction(base, [&](QString& why) {
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
    if (!st.isOk()) return st;
    return dropped;
}

Result<qint64> ArchiveIndex::sessionCount() {
    return count(db(), "SELECT count(*) FROM archive_session");
}

Result<qint64> ArchiveIndex::fileCount() {
    return count(db(), "SELECT count(*) FROM archive_file");
}

Result<std::vector<SessionRow>> ArchiveIndex::sessions(const SessionFilter& filter, int offset,
                                                       int limit) {
    QStringList words = foldText(filter.search).split(' ', Qt::SkipEmptyParts);
    words.removeDuplicates();
    // The trigrams of the words of three letters or more, all of them in one
    // MATCH: it reads only the index, so counting the sessions that hold them
    // all costs little. It may find a few sessions too many (the trigrams of a
    // word apart); every word is then compared with each one found. When they
    // are many, reading the newest sessions in order finds a screenful sooner
    // than sorting every one found. A few trigrams are enough to narrow.
    QStringList grams;
    for (const QString& word : words) {
        const QList<uint> letters = word.toUcs4();
        for (qsizetype i = 0; i + 3 <= letters.size() && grams.size() < kMostTrigrams; ++i) {
            QString gram = QString::fromUcs4(reinterpret_cast<const char32_t*>(&letters[i]), 3);
            grams << '"' + gram.replace('"', "\"\"") + '"';
        }
    }
    grams.removeDuplicates();
    const QString match = grams.join(" AND ");
    bool dense = grams.isEmpty();
    if (!dense) {
        QSqlQuery hits(db());
        if (const Status st = read(hits,
                                   QString("SELECT count(*) FROM (SELECT 1 FROM archive_search "
                                           "WHERE archive_search MATCH ? LIMIT %1)")
                                       .arg(kDenseHits),
                                   {match});
            !st.isOk())
            return st;
        dense = !hits.next() || hits.value(0).toInt() >= kDenseHits;
    }
    QStringList where;
    QVariantList binds;
    QString from = "archive_session s";
    if (!dense) {
        // The few sessions the index finds, sorted.
        from =
            "(SELECT rowid AS id FROM archive_search WHERE archive_search MATCH ?) m CROSS JOIN "
            "archive_session s ON s.id = m.id";
        binds << match;
    }
    if (!words.isEmpty()) {
        where << allWords(0, static_cast<int>(words.size()));
        for (const QString& word : words) binds << word;
    }
    if (filter.from.isValid()) {
        where << "s.first_seen >= ?";
        binds << filter.from.toString("yyyy-MM-dd");
    }
    if (filter.to.isValid()) {
        where << "s.first_seen < ?";
        binds << filter.to.addDays(1).toString("yyyy-MM-dd");
    }
    binds << limit << offset;
    const QString sql =
        "SELECT s.id, s.date, s.time, s.track, s.drivers, s.best, CASE WHEN s.best_no > 0 THEN "
        "rtrim(s.best_no || ' ' || s.best_name) ELSE '' END, "
        // The file that gave the texts while it is there, else another.
        "coalesce((SELECT '1' || f.path FROM archive_file f WHERE f.path = s.source_path AND "
        "f.present = 1), (SELECT f.present || f.path FROM archive_file f WHERE f.session_id = "
        "s.id ORDER BY f.present DESC, f.path LIMIT 1)) FROM " +
        from + (where.isEmpty() ? QString() : " WHERE " + where.join(" AND ")) +
        " ORDER BY s.first_seen DESC, s.id LIMIT ? OFFSET ?";
    QSqlQuery query(db());
    if (const Status st = read(query, sql, binds); !st.isOk()) return st;
    std::vector<SessionRow> rows;
    while (query.next()) {
        SessionRow r;
        r.id = query.value(0).toLongLong();
        r.date = query.value(1).toString();
        r.time = query.value(2).toString();
        r.track = query.value(3).toString();
        r.drivers = query.value(4).toInt();
        r.best = query.value(5).toInt();
        r.bestBy = query.value(6).toString();
        const QString file = query.value(7).toString();
        r.present = file.startsWith('1');
        r.path = file.mid(1);
        rows.push_back(std::move(r));
    }
    return rows;
}

Result<std::vector<TrackRecordRow>> ArchiveIndex::trackRecords() {
    QSqlQuery query(db());
    // SQLite gives the other columns of the row that holds the minimum.
    if (const Status st = read(query,
                               "SELECT s.track, min(s.best), rtrim(s.best_no || ' ' || "
                               "s.best_name), s.date, substr(s.first_seen, 1, 10), s.track_key "
                               "FROM archive_session s WHERE s.best > 0 GROUP BY s.track_key "
                               "ORDER BY s.track_key",
                               {});
        !st.isOk())
        return st;
    std::vector<TrackRecordRow> rows;
    while (query.next())
        rows.push_back({query.value(0).toString(), query.value(5).toString(),
                        query.value(1).toInt(), query.value(2).toString(),
                        query.value(3).toString(), query.value(4).toString()});
    return rows;
}

Result<std::vector<TrackLapRow>> ArchiveIndex::trackLaps(const QString& trackKey) {
    QSqlQuery query(db());
    // A lap among the track's 10 best lies in a session whose own best is among the
    // track's 10 best sessions: only their drivers are looked at.
    if (const Status st =
            read(query,
                 "SELECT d.best, rtrim(d.number || ' ' || n.name), s.date, s.time, "
                 "substr(s.first_seen, 1, 10) FROM archive_driver d JOIN (SELECT id, date, time, "
                 "first_seen FROM archive_session WHERE track_key = ? AND best > 0 ORDER BY best "
                 "LIMIT 10) s ON s.id = d.session_id JOIN archive_name n ON n.id = d.name_id WHERE "
                 "d.best > 0 ORDER BY d.best, s.first_seen LIMIT 10",
                 {trackKey});
        !st.isOk())
        return st;
    std::vector<TrackLapRow> rows;
    while (query.next())
        rows.push_back({query.value(0).toInt(), query.value(1).toString(),
                        query.value(2).toString(), query.value(3).toString(),
                        query.value(4).toString()});
    return rows;
}

Result<std::vector<DriverSessionRow>> ArchiveIndex::driverHistory(const QString& name) {
    // The sessions whose search text holds each word of the name (every name
    // is in it) are found through the trigram index; their drivers are then
    // compared by name. A name with no word of three letters reads every driver.
    const QString key = nameKey(name.toStdString());
    QStringList globs;
    QVariantList binds;
    for (const QString& word : foldText(key).split(' ', Qt::SkipEmptyParts))
        if (word.size() >= 3) {
            globs << "search GLOB ?";
            binds << anywhere(word);
        }
    binds << key;
    const QString sessions =
        globs.isEmpty() ? QString("archive_session s JOIN archive_driver d ON d.session_id = s.id")
                        : "(SELECT rowid AS id FROM archive_search WHERE " + globs.join(" AND ") +
                              ") m CROSS JOIN archive_session s ON s.id = m.id CROSS JOIN "
                              "archive_driver d ON d.session_id = s.id";
    QSqlQuery query(db());
    if (const Status st = read(query,
                               "SELECT substr(s.first_seen, 1, 10), s.date, s.track, d.number, "
                               "d.laps, d.best, d.rank FROM " +
                                   sessions +
                                   " JOIN archive_name n ON n.id = d.name_id WHERE n.name_key = "
                                   "? ORDER BY s.first_seen, s.id",
                               binds);
        !st.isOk())
        return st;
    std::vector<DriverSessionRow> rows;
    while (query.next())
        rows.push_back({query.value(0).toString(), query.value(1).toString(),
                        query.value(2).toString(), query.value(3).toInt(), query.value(4).toInt(),
                        query.value(5).toInt(), query.value(6).toInt()});
    return rows;
}

}  // namespace orvex
