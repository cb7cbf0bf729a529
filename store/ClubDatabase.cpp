#include "store/ClubDatabase.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <atomic>
#include <iterator>
#include <span>

#include "store/ChampionshipStore.h"
#include "store/IssueStore.h"
#include "store/TextFold.h"

namespace orvex {

namespace {

// Long enough for another copy's transaction of a few hundred names.
constexpr int kBusyTimeoutMs = 5000;

// SQLite's result codes that mean another connection holds the lock.
bool isBusy(const QSqlError& e) {
    const int code = e.nativeErrorCode().toInt() & 0xFF;
    return code == 5 || code == 6;
}

// Only a file SQLite calls corrupt or no database is set aside: a read-only
// file, a full disk or an I/O error say nothing against the roster it holds.
bool isDamaged(const QSqlError& e) {
    const int code = e.nativeErrorCode().toInt() & 0xFF;
    return code == 11 || code == 26;
}

// One schema step per version: step v takes a database of version v to v + 1.
const char* const kStep1[] = {
    "CREATE TABLE roster (name TEXT NOT NULL PRIMARY KEY, last_used TEXT NOT NULL)",
    "CREATE INDEX roster_by_use ON roster (last_used)",
};
// The archive: an index over the data files, rebuildable from them.
const char* const kStep2[] = {
    "CREATE TABLE archive_session (id INTEGER PRIMARY KEY, date TEXT NOT NULL, time TEXT NOT "
    "NULL, track TEXT NOT NULL, track_key TEXT NOT NULL, length TEXT NOT NULL, vehicle TEXT NOT "
    "NULL, note TEXT NOT NULL, drivers INTEGER NOT NULL, best INTEGER NOT NULL, best_no INTEGER "
    "NOT NULL, best_name TEXT NOT NULL, first_seen TEXT NOT NULL, source_time TEXT NOT NULL, "
    "search TEXT NOT NULL)",
    // Newest first with the text the search reads, so a search looks up only the rows it finds.
    "CREATE INDEX archive_session_by_seen ON archive_session (first_seen, search)",
    "CREATE INDEX archive_session_by_track ON archive_session (track_key, best)",
    "CREATE TABLE archive_driver (session_id INTEGER NOT NULL, number INTEGER NOT NULL, name "
    "TEXT NOT NULL, name_key TEXT NOT NULL, laps INTEGER NOT NULL, "
    "best INTEGER NOT NULL, race_time INTEGER NOT NULL, rank INTEGER NOT NULL, PRIMARY KEY "
    "(session_id, number)) WITHOUT ROWID",
    "CREATE INDEX archive_driver_by_name ON archive_driver (name_key)",
    "CREATE TABLE archive_file (path TEXT NOT NULL PRIMARY KEY, session_id INTEGER NOT NULL, "
    "present INTEGER NOT NULL DEFAULT 1)",
    "CREATE INDEX archive_file_by_session ON archive_file (session_id)",
};
// The file that gave a session its texts, so that a download's bare copy
// never replaces what the user saved.
const char* const kStep3[] = {
    "ALTER TABLE archive_session ADD COLUMN source_path TEXT NOT NULL DEFAULT ''",
};
// The search reads a folded text (store/TextFold) through a trigram index, which
// finds any part of a word; the list's order needs only the first-seen time.
// The search texts are folded between the two halves (refold below).
const char* const kStep4[] = {
    "DROP INDEX IF EXISTS archive_session_by_seen",
    "CREATE INDEX archive_session_by_seen ON archive_session (first_seen)",
    "CREATE TABLE club_state (name TEXT NOT NULL PRIMARY KEY, value INTEGER NOT NULL) WITHOUT "
    "ROWID",
    // Each driver's name once, the drivers' rows pointing to it: most of the
    // archive's size was its names.
    "CREATE TABLE archive_name (id INTEGER PRIMARY KEY, name TEXT NOT NULL UNIQUE, name_key "
    "TEXT NOT NULL)",
    "INSERT INTO archive_name (name, name_key) SELECT name, min(name_key) FROM archive_driver "
    "GROUP BY name",
    "CREATE INDEX archive_name_by_key ON archive_name (name_key)",
    "CREATE TABLE archive_driver_4 (session_id INTEGER NOT NULL, number INTEGER NOT NULL, "
    "name_id INTEGER NOT NULL, laps INTEGER NOT NULL, best INTEGER NOT NULL, race_time INTEGER "
    "NOT NULL, rank INTEGER NOT NULL, PRIMARY KEY (session_id, number)) WITHOUT ROWID",
    "INSERT INTO archive_driver_4 SELECT d.session_id, d.number, n.id, d.laps, d.best, "
    "d.race_time, d.rank FROM archive_driver d JOIN archive_name n ON n.name = d.name",
    "DROP TABLE archive_driver",
    "ALTER TABLE archive_driver_4 RENAME TO archive_driver",
    // No index by name: a driver's sessions are found through the search
    // index, which holds every name (ArchiveIndex::driverHistory); it would be
    // a sixth of the file.
    // The files by path alone, without a second copy of each path for a rowid.
    "CREATE TABLE archive_file_4 (path TEXT NOT NULL PRIMARY KEY, session_id INTEGER NOT NULL, "
    "present INTEGER NOT NULL DEFAULT 1) WITHOUT ROWID",
    "INSERT INTO archive_file_4 SELECT path, session_id, present FROM archive_file",
    "DROP TABLE archive_file",
    "ALTER TABLE archive_file_4 RENAME TO archive_file",
    "CREATE INDEX archive_file_by_session ON archive_file (session_id)",
};
const char* const kStep4After[] = {
    // Without positions (detail = none) the index is a quarter of the size; a
    // GLOB on it finds the candidates by their trigrams and compares the text.
    // No ranking reads the texts' lengths (columnsize = 0).
    "CREATE VIRTUAL TABLE archive_search USING fts5(search, tokenize = 'trigram', content = "
    "'archive_session', content_rowid = 'id', detail = none, columnsize = 0)",
    "INSERT INTO archive_search (archive_search) VALUES ('rebuild')",
    "CREATE TRIGGER archive_search_insert AFTER INSERT ON archive_session BEGIN INSERT INTO "
    "archive_search (rowid, search) VALUES (new.id, new.search); END",
    "CREATE TRIGGER archive_search_delete AFTER DELETE ON archive_session BEGIN INSERT INTO "
    "archive_search (archive_search, rowid, search) VALUES ('delete', old.id, old.search); END",
    "CREATE TRIGGER archive_search_update AFTER UPDATE OF search ON archive_session BEGIN "
    "INSERT INTO archive_search (archive_search, rowid, search) VALUES ('delete', old.id, "
    "old.search); INSERT INTO archive_search (rowid, search) VALUES (new.id, new.search); END",
};
// Version 5, the season: its tables are made by their stores (runStep5).
const std::span<const char* const> kMigrations[] = {kStep1, kStep2, kStep3, kStep4, {}};
static_assert(std::size(kMigrations) == ClubDatabase::kSchemaVersion);

// Version 3 kept the search text only lower case; folding it again gives what
// the original texts would give.
bool refold(QSqlDatabase db, QString& error) {
    QSqlQuery all(db), update(db);
    all.setForwardOnly(true);
    std::vector<std::pair<qint64, QString>> rows;
    if (!all.exec("SELECT id, search FROM archive_session")) {
        error = all.lastError().text();
        return false;
    }
    while (all.next()) rows.emplace_back(all.value(0).toLongLong(), all.value(1).toString());
    all.finish();
    update.prepare("UPDATE archive_session SET search = ? WHERE id = ?");
    for (const auto& [id, text] : rows) {
        update.bindValue(0, foldText(text));
        update.bindValue(1, id);
        if (!update.exec()) {
            error = update.lastError().text();
            return false;
        }
    }
    return true;
}

// The connection options of every connection to the file.
QString options(bool readOnly) {
    return QString("%1QSQLITE_BUSY_TIMEOUT=%2")
        .arg(readOnly ? "QSQLITE_OPEN_READONLY;" : "")
        .arg(kBusyTimeoutMs);
}

}  // namespace

ClubDatabase::ClubDatabase(const QString& folder) {
    static std::atomic<int> connections{0};
    connection_ = QString("orvex-club-%1").arg(++connections);
    QDir().mkpath(folder);
    path_ = QDir(folder).filePath(kFileName);
    if (!QSqlDatabase::isDriverAvailable("QSQLITE")) {
        notice_ = tr("The club database cannot be used: Qt's SQLite driver is not installed.");
        return;
    }
    QString error;
    Opened opened = openFile(error);
    if (opened == Opened::Busy) {
        notice_ =
            tr("The club database is busy (%1); names are not remembered this time.").arg(error);
        return;
    }
    if (opened == Opened::Damaged && QFile::exists(path_)) {
        close();
        const QString aside =
            path_ + ".damaged-" + QDateTime::currentDateTime().toString("yyyyMMdd-HHmmss");
        // Its journal files go with it: beside a new file they would be replayed into it.
        const bool moved = QFile::rename(path_, aside);
        for (const char* part : {"-wal", "-shm"})
            if (QFile::exists(path_ + part) && !QFile::rename(path_ + part, aside + part))
                QFile::remove(path_ + part);
        if (moved) {
            opened = openFile(error);
            setAside_ = opened == Opened::Ok;
            if (opened == Opened::Ok)
                notice_ = tr("The club database was damaged: it was renamed %1 beside the new "
                             "one.")
                              .arg(QFileInfo(aside).fileName());
        }
    }
    if (opened != Opened::Ok) {
        close();
        notice_ = tr("The club database %1 cannot be used (%2); names are not remembered.")
                      .arg(QDir::toNativeSeparators(path_), error);
    }
}

ClubDatabase::~ClubDatabase() {
    if (open_ && !readOnly_) (void)setOpenMark(false);
    close();
}

Status ClubDatabase::openConnection(const QString& path, const QString& name) {
    QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", name);
    db.setDatabaseName(path);
    db.setConnectOptions(options(false));
    if (!db.open())
        return Status::fail(StatusCode::Database,
                            QT_TRANSLATE_NOOP("Status", "The club database cannot be opened."), {},
                            db.lastError().text().toStdString());
    QSqlQuery(db).exec("PRAGMA cache_size = -32768");
    // This connection writes only the archive, an index rebuildable from the
    // files: in WAL mode, NORMAL may lose its last batches on a power cut but
    // never damages the file, and saves a sync per batch. The roster's writes
    // go through the main connection, which keeps FULL.
    QSqlQuery(db).exec("PRAGMA synchronous = NORMAL");
    return Status::ok();
}

bool ClubDatabase::setOpenMark(bool open) {
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    q.prepare(
        "INSERT INTO club_state (name, value) VALUES ('open', ?) ON CONFLICT (name) DO UPDATE "
        "SET value = excluded.value");
    q.bindValue(0, open ? 1 : 0);
    return q.exec();
}

void ClubDatabase::close() {
    open_ = false;
    if (!QSqlDatabase::contains(connection_)) return;
    QSqlDatabase::database(connection_, false).close();
    QSqlDatabase::removeDatabase(connection_);
}

ClubDatabase::Opened ClubDatabase::classify(const QSqlError& e) {
    return isBusy(e) ? Opened::Busy : isDamaged(e) ? Opened::Damaged : Opened::Unusable;
}

bool ClubDatabase::isNewer() {
    if (!QFileInfo(path_).isFile()) return false;
    bool newer = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", connection_);
        db.setDatabaseName(path_);
        db.setConnectOptions(options(true));
        newer = db.open() && schemaVersion() > kSchemaVersion;
    }
    if (!newer) close();
    return newer;
}

ClubDatabase::Opened ClubDatabase::openFile(QString& error) {
    close();
    // A newer program's file is read through a read-only connection: no
    // journal mode, no migration, no write can reach it.
    if (isNewer()) {
        readOnly_ = open_ = true;
        notice_ =
            tr("The club database was made by a newer version of the program: names are "
               "completed from it, but nothing is added to it and the archive is not "
               "used.");
        return Opened::Ok;
    }
    QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", connection_);
    db.setDatabaseName(path_);
    db.setConnectOptions(options(false));
    if (!db.open()) {
        error = db.lastError().text();
        return classify(db.lastError());
    }
    QSqlQuery q(db);
    const auto run = [&](const QString& sql) {
        if (q.exec(sql)) return true;
        error = q.lastError().text();
        return false;
    };
    // A file that is no database fails on its first page read, here.
    if (!run("PRAGMA journal_mode = WAL")) return classify(q.lastError());
    // The check reads every page: only after a run that did not close the
    // file (or one of before the mark), which may have left it damaged.
    const bool clean = q.exec("SELECT value FROM club_state WHERE name = 'open'") && q.next() &&
                       q.value(0).toInt() == 0;
    q.finish();
    if (!clean) {
        checked_ = true;
        if (!run("PRAGMA quick_check")) return classify(q.lastError());
        if (!q.next() || q.value(0).toString() != "ok") {
            error = q.value(0).toString();
            return Opened::Damaged;
        }
        q.finish();
    }
    // The pages the archive's lists read stay in memory.
    run("PRAGMA cache_size = -32768");
    bool busy = false;
    if (!migrate(error, busy)) return busy ? Opened::Busy : Opened::Unusable;
    // The mark only decides whether the next start checks the file: a
    // database another copy keeps busy still serves the roster without it.
    if (!setOpenMark(true))
        qWarning("club database: the open mark could not be written: %s",
                 qPrintable(QSqlQuery(db).lastError().text()));
    open_ = true;
    return Opened::Ok;
}

// The season's tables, each store making its own.
bool ClubDatabase::runStep5(QSqlDatabase db, QString& error) {
    return IssueStore::createTables(db, error) && ChampionshipStore::createTables(db, error);
}

int ClubDatabase::schemaVersion() const {
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    return q.exec("PRAGMA user_version") && q.next() ? q.value(0).toInt() : -1;
}

// Two copies may start together: the version is read again under the write
// lock, so only one of them runs a step.
bool ClubDatabase::migrate(QString& error, bool& busy) {
    if (schemaVersion() >= kSchemaVersion) return true;
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    const auto run = [&](const QString& sql) {
        if (q.exec(sql)) return true;
        error = q.lastError().text();
        busy = isBusy(q.lastError());
        return false;
    };
    if (!run("BEGIN IMMEDIATE")) return false;
    int version = schemaVersion();
    bool ok = version >= 0;
    for (; ok && version < kSchemaVersion; ++version) {
        for (const char* sql : kMigrations[version])
            if (ok) ok = run(sql);
        if (ok && version == 3) {
            ok = refold(QSqlDatabase::database(connection_, false), error);
            for (const char* sql : kStep4After)
                if (ok) ok = run(sql);
        }
        if (ok && version == 4) ok = runStep5(QSqlDatabase::database(connection_, false), error);
    }
    if (ok) ok = run(QString("PRAGMA user_version = %1").arg(kSchemaVersion)) && run("COMMIT");
    if (!ok) q.exec("ROLLBACK");
    return ok;
}

std::vector<std::string> ClubDatabase::names() {
    std::vector<std::string> out;
    if (!open_) return out;
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    q.setForwardOnly(true);
    if (!q.exec("SELECT name FROM roster ORDER BY last_used DESC, name")) return out;
    while (q.next()) out.push_back(q.value(0).toString().toStdString());
    return out;
}

Status ClubDatabase::remember(const std::vector<std::string>& names, const CalendarDate& day) {
    if (!open_)
        return Status::fail(StatusCode::Database,
                            QT_TRANSLATE_NOOP("Status", "The club database is not open."));
    if (readOnly_)
        return Status::fail(StatusCode::ReadOnly,
                            QT_TRANSLATE_NOOP("Status",
                                              "The club database belongs to a newer version of "
                                              "the program and is not written."));
    if (names.empty()) return Status::ok();
    QSqlDatabase db = QSqlDatabase::database(connection_, false);
    QSqlQuery q(db);
    const auto failed = [&](const QSqlQuery& query) {
        return Status::fail(StatusCode::Database,
                            QT_TRANSLATE_NOOP("Status", "The names could not be remembered."), {},
                            query.lastError().text().toStdString());
    };
    if (!q.exec("BEGIN IMMEDIATE")) return failed(q);
    const QString date = QString::asprintf("%04d-%02d-%02d", day.year, day.month, day.day);
    q.prepare(
        "INSERT INTO roster (name, last_used) VALUES (?, ?) ON CONFLICT (name) DO UPDATE "
        "SET last_used = max(last_used, excluded.last_used)");
    for (const std::string& name : names) {
        q.bindValue(0, QString::fromStdString(name));
        q.bindValue(1, date);
        if (!q.exec()) {
            const Status why = failed(q);
            QSqlQuery(db).exec("ROLLBACK");
            return why;
        }
    }
    q.finish();
    QSqlQuery commit(db);
    if (commit.exec("COMMIT")) return Status::ok();
    const Status why = failed(commit);
    QSqlQuery(db).exec("ROLLBACK");
    return why;
}

}  // namespace orvex
