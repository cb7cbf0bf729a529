#include "store/ChampionshipStore.h"

#include <QDateTime>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <functional>

#include "season/Standings.h"

namespace orvex {

namespace {

const char* const kTables[] = {
    // name_key: the name folded, so two championships never differ only in case.
    "CREATE TABLE championship (id INTEGER PRIMARY KEY, name TEXT NOT NULL, name_key TEXT NOT "
    "NULL UNIQUE, points TEXT NOT NULL, fastest_lap INTEGER NOT NULL, taking_part INTEGER NOT "
    "NULL, no_position INTEGER NOT NULL, drop_worst INTEGER NOT NULL, min_rounds INTEGER NOT "
    "NULL)",
    "CREATE TABLE championship_round (championship_id INTEGER NOT NULL, lap_hash INTEGER NOT "
    "NULL, title TEXT NOT NULL, first_seen TEXT NOT NULL, PRIMARY KEY (championship_id, "
    "lap_hash)) WITHOUT ROWID",
};

QString nameKey(const QString& name) { return name.simplified().toCaseFolded(); }

Status failed(const QSqlQuery& q) {
    return Status::fail(
        StatusCode::Database,
        QT_TRANSLATE_NOOP("Status", "The club database could not store the championship."), {},
        q.lastError().text().toStdString());
}

Status gone() {
    return Status::fail(
        StatusCode::NotFound,
        QT_TRANSLATE_NOOP("Status", "The championship is no longer in the club database."));
}

// Runs `body` in one IMMEDIATE transaction: the lock is taken before the
// first read, so what it reads is still true when it writes.
Status transaction(QSqlDatabase db, const std::function<Status(QSqlQuery&)>& body) {
    QSqlQuery q(db);
    if (!q.exec("BEGIN IMMEDIATE")) return failed(q);
    Status st = body(q);
    if (st.isOk()) {
        q.finish();
        QSqlQuery commit(db);
        if (commit.exec("COMMIT")) return st;
        st = failed(commit);
    }
    QSqlQuery(db).exec("ROLLBACK");
    return st;
}

bool exec(QSqlQuery& q, const QString& sql, const QVariantList& values) {
    if (!q.prepare(sql)) return false;
    for (int i = 0; i < values.size(); ++i) q.bindValue(i, values[i]);
    return q.exec();
}

Status taken(const QString& name) {
    return Status::fail(StatusCode::Invalid,
                        QT_TRANSLATE_NOOP("Status", "A championship named \"%1\" exists already."),
                        {name.toStdString()});
}

Status noName() {
    return Status::fail(StatusCode::Invalid,
                        QT_TRANSLATE_NOOP("Status", "A championship needs a name."));
}

// Whether another championship than `id` has that name; a status on failure.
Status nameFree(QSqlQuery& q, const QString& name, qint64 id) {
    if (!exec(q, "SELECT id FROM championship WHERE name_key = ? AND id <> ?", {nameKey(name), id}))
        return failed(q);
    return q.next() ? taken(name.simplified()) : Status::ok();
}

Status exists(QSqlQuery& q, qint64 id) {
    if (!exec(q, "SELECT 1 FROM championship WHERE id = ?", {id})) return failed(q);
    return q.next() ? Status::ok() : gone();
}

}  // namespace

bool ChampionshipStore::createTables(QSqlDatabase db, QString& error) {
    QSqlQuery q(db);
    for (const char* sql : kTables) {
        if (!q.exec(sql)) {
            error = q.lastError().text();
            return false;
        }
    }
    return true;
}

QString ChampionshipStore::roundTitle(const QString& date, const QString& time,
                                      const QString& track, const QString& firstSeen) {
    const QString title = QStringList{date, time, track}.join(' ').simplified();
    return title.isEmpty() ? firstSeen.left(16) : title;
}

Result<std::vector<ChampionshipRow>> ChampionshipStore::list() {
    QSqlQuery q(db());
    q.setForwardOnly(true);
    if (!q.exec("SELECT id, name FROM championship ORDER BY name_key")) return failed(q);
    std::vector<ChampionshipRow> out;
    while (q.next()) out.push_back({q.value(0).toLongLong(), q.value(1).toString()});
    return out;
}

Result<qint64> ChampionshipStore::create(const QString& name) {
    if (name.simplified().isEmpty()) return noName();
    qint64 id = 0;
    const PointsTable points;
    const Status st = transaction(db(), [&](QSqlQuery& q) {
        if (Status free = nameFree(q, name, 0); !free.isOk()) return free;
        if (!exec(q,
                  "INSERT INTO championship (name, name_key, points, fastest_lap, taking_part, "
                  "no_position, drop_worst, min_rounds) VALUES (?, ?, ?, 0, 0, 0, 0, 0)",
                  {name.simplified(), nameKey(name),
                   QString::fromStdString(pointsListText(points.perPosition))}))
            return failed(q);
        id = q.lastInsertId().toLongLong();
        return Status::ok();
    });
    if (!st.isOk()) return st;
    return id;
}

Status ChampionshipStore::rename(qint64 id, const QString& name) {
    if (name.simplified().isEmpty()) return noName();
    return transaction(db(), [&](QSqlQuery& q) {
        if (Status there = exists(q, id); !there.isOk()) return there;
        if (Status free = nameFree(q, name, id); !free.isOk()) return free;
        if (!exec(q, "UPDATE championship SET name = ?, name_key = ? WHERE id = ?",
                  {name.simplified(), nameKey(name), id}))
            return failed(q);
        return Status::ok();
    });
}

Status ChampionshipStore::remove(qint64 id) {
    return transaction(db(), [&](QSqlQuery& q) {
        if (!exec(q, "DELETE FROM championship_round WHERE championship_id = ?", {id}) ||
            !exec(q, "DELETE FROM championship WHERE id = ?", {id}))
            return failed(q);
        return Status::ok();
    });
}

Result<Championship> ChampionshipStore::championship(qint64 id) {
    QSqlQuery q(db());
    q.setForwardOnly(true);
    if (!exec(q,
              "SELECT name, points, fastest_lap, taking_part, no_position, drop_worst, "
              "min_rounds FROM championship WHERE id = ?",
              {id}))
        return failed(q);
    if (!q.next()) return gone();
    Championship c;
    c.id = id;
    c.name = q.value(0).toString();
    const auto points = parsePointsList(q.value(1).toString().toStdString());
    if (!points.isOk())
        return Status::fail(StatusCode::Invalid,
                            QT_TRANSLATE_NOOP("Status",
                                              "The points table of \"%1\" in the club database "
                                              "is damaged."),
                            {c.name.toStdString()}, points.status().english());
    c.points.perPosition = points.value();
    c.points.fastestLap = q.value(2).toInt();
    c.points.takingPart = q.value(3).toInt();
    c.points.noPosition = q.value(4).toInt();
    c.rules.dropWorst = q.value(5).toInt();
    c.rules.minRounds = q.value(6).toInt();
    q.finish();
    // The archive's texts while it holds the session; the noted ones after.
    if (!exec(q,
              "SELECT r.lap_hash, r.title, r.first_seen, s.id IS NULL, s.date, s.time, s.track "
              "FROM championship_round r LEFT JOIN archive_session s ON s.id = r.lap_hash "
              "WHERE r.championship_id = ? ORDER BY r.first_seen, r.lap_hash",
              {id}))
        return failed(q);
    while (q.next()) {
        ChampionshipRound r;
        r.lapHash = q.value(0).toLongLong();
        r.firstSeen = q.value(2).toString();
        r.missing = q.value(3).toBool();
        r.title = r.missing ? q.value(1).toString()
                            : roundTitle(q.value(4).toString(), q.value(5).toString(),
                                         q.value(6).toString(), r.firstSeen);
        c.rounds.push_back(std::move(r));
    }
    return c;
}

Status ChampionshipStore::setPoints(qint64 id, const PointsTable& points) {
    return transaction(db(), [&](QSqlQuery& q) {
        if (Status there = exists(q, id); !there.isOk()) return there;
        if (!exec(q,
                  "UPDATE championship SET points = ?, fastest_lap = ?, taking_part = ?, "
                  "no_position = ? WHERE id = ?",
                  {QString::fromStdString(pointsListText(points.perPosition)), points.fastestLap,
                   points.takingPart, points.noPosition, id}))
            return failed(q);
        return Status::ok();
    });
}

Status ChampionshipStore::setRules(qint64 id, const ChampionshipRules& rules) {
    return transaction(db(), [&](QSqlQuery& q) {
        if (Status there = exists(q, id); !there.isOk()) return there;
        if (!exec(q, "UPDATE championship SET drop_worst = ?, min_rounds = ? WHERE id = ?",
                  {rules.dropWorst, rules.minRounds, id}))
            return failed(q);
        return Status::ok();
    });
}

Status ChampionshipStore::addRound(qint64 id, std::int64_t lapHash) {
    return transaction(db(), [&](QSqlQuery& q) {
        if (Status there = exists(q, id); !there.isOk()) return there;
        if (!exec(q, "SELECT date, time, track, first_seen FROM archive_session WHERE id = ?",
                  {QVariant::fromValue<qint64>(lapHash)}))
            return failed(q);
        if (!q.next())
            return Status::fail(
                StatusCode::NotFound,
                QT_TRANSLATE_NOOP("Status", "The session is no longer in the archive."));
        const QVariantList values = {id, QVariant::fromValue<qint64>(lapHash),
                                     roundTitle(q.value(0).toString(), q.value(1).toString(),
                                                q.value(2).toString(), q.value(3).toString()),
                                     q.value(3).toString()};
        q.finish();
        if (!exec(q,
                  "INSERT OR IGNORE INTO championship_round (championship_id, lap_hash, title, "
                  "first_seen) VALUES (?, ?, ?, ?)",
                  values))
            return failed(q);
        return Status::ok();
    });
}

Status ChampionshipStore::removeRound(qint64 id, std::int64_t lapHash) {
    return transaction(db(), [&](QSqlQuery& q) {
        if (!exec(q, "DELETE FROM championship_round WHERE championship_id = ? AND lap_hash = ?",
                  {id, QVariant::fromValue<qint64>(lapHash)}))
            return failed(q);
        return Status::ok();
    });
}

Standings standingsOf(const Championship& c, IssuedRounds* issued) {
    std::vector<Round> rounds;
    rounds.reserve(c.rounds.size());
    for (const ChampionshipRound& stored : c.rounds) {
        Round r;
        if (issued) {
            if (std::optional<Round> last = issued->round(stored.lapHash)) r = std::move(*last);
        }
        r.lapHash = stored.lapHash;
        r.title = stored.title.toStdString();
        const QDateTime seen = QDateTime::fromString(stored.firstSeen, "yyyy-MM-dd HH:mm:ss");
        r.firstSeen = seen.isValid() ? seen.toSecsSinceEpoch() : 0;
        r.missing = r.missing || stored.missing;
        rounds.push_back(std::move(r));
    }
    return buildStandings(c.name.toStdString(), c.points, c.rules, std::move(rounds));
}

Result<Standings> ChampionshipStore::standings(qint64 id, IssuedRounds* issued) {
    Result<Championship> c = championship(id);
    if (!c.isOk()) return c.status();
    return standingsOf(c.value(), issued);
}

}  // namespace orvex
