#pragma once
#include <QSqlDatabase>
#include <QString>
#include <cstdint>
#include <vector>

#include "platform/Status.h"
#include "season/PointsTable.h"
#include "season/Season.h"

namespace orvex {

// A championship as the list names it.
struct ChampionshipRow {
    qint64 id = 0;
    QString name;
};

// A round as the championship keeps it: the session's key, and its title and
// first-seen time noted when it was added, so a session gone from the archive
// still has its place and its name.
struct ChampionshipRound {
    std::int64_t lapHash = 0;
    QString title;
    QString firstSeen;     // the archive's text, "yyyy-MM-dd HH:mm:ss"
    bool missing = false;  // the archive no longer holds the session
};

struct Championship {
    qint64 id = 0;
    QString name;
    PointsTable points;
    ChampionshipRules rules;
    std::vector<ChampionshipRound> rounds;  // by first-seen time
};

// The championships in the club database. Every write is one IMMEDIATE
// transaction that changes only what the user changed, so two copies of the
// program editing at once lose nothing; every statement they run is here.
class ChampionshipStore {
public:
    // `connection`: a Qt SQL connection to the club database, of this thread.
    explicit ChampionshipStore(const QString& connection) : connection_(connection) {}

    // The tables, made by the club database's migration step to version 5.
    static bool createTables(QSqlDatabase db, QString& error);

    Result<std::vector<ChampionshipRow>> list();
    // A new championship with the usual points table and no rounds; its id.
    Result<qint64> create(const QString& name);
    Status rename(qint64 id, const QString& name);
    Status remove(qint64 id);

    Result<Championship> championship(qint64 id);
    Status setPoints(qint64 id, const PointsTable& points);
    Status setRules(qint64 id, const ChampionshipRules& rules);
    // Adds the archive's session `lapHash`; one already there is left as it is.
    Status addRound(qint64 id, std::int64_t lapHash);
    Status removeRound(qint64 id, std::int64_t lapHash);

    // The standings of championship `id`, each round counted by the last issue
    // `issued` holds of it (none: the round counts for no one yet).
    Result<Standings> standings(qint64 id, IssuedRounds* issued);

    // The title a round gets from the archive's texts; without any (a download
    // nobody dated), the minute it was first seen.
    static QString roundTitle(const QString& date, const QString& time, const QString& track,
                              const QString& firstSeen);

private:
    QSqlDatabase db() const { return QSqlDatabase::database(connection_, false); }
    QString connection_;
};

// The standings of one championship from the rounds as stored: the part of
// ChampionshipStore::standings that needs no database.
Standings standingsOf(const Championship& c, IssuedRounds* issued);

}  // namespace orvex
