#include <gtest/gtest.h>

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <map>

#include "store/ArchiveIndex.h"
#include "store/ChampionshipStore.h"
#include "store/ClubDatabase.h"

using namespace orvex;

namespace {

ArchiveIndex::Seen seen(std::int64_t id, const std::string& date, const QString& written) {
    ArchiveIndex::Seen s;
    s.entry.id = id;
    s.entry.date = date;
    s.entry.time = "10:00";
    s.entry.track = "Ring";
    s.entry.trackKey = "ring";
    s.path = QString("/races/%1.DAT").arg(id);
    s.written = QDateTime::fromString(written, "yyyy-MM-dd HH:mm:ss");
    return s;
}

class FakeIssues : public IssuedRounds {
public:
    std::optional<Round> round(std::int64_t lapHash) override {
        const auto it = rounds.find(lapHash);
        if (it == rounds.end()) return std::nullopt;
        return it->second;
    }
    std::map<std::int64_t, Round> rounds;
};

Round issued(const std::string& winner) {
    Round r;
    r.state.kind = IssueKind::Official;
    r.state.issue = 1;
    r.drivers = {{winner, 1, 1, false, 10, 3000}};
    return r;
}

}  // namespace

TEST(ChampionshipStore, RoundTripRoundsAndTwoCopies) {
    QTemporaryDir dir;
    ClubDatabase club(dir.path());
    ASSERT_TRUE(club.isOpen());
    ArchiveIndex archive(club.connectionName());
    ASSERT_TRUE(archive
                    .add({seen(-5, "07/12/26", "2026-12-07 10:00:00"),
                          seen(9, "01/12/26", "2026-12-01 10:00:00"),
                          seen(3, "03/12/26", "2026-12-03 10:00:00")})
                    .isOk());
    ChampionshipStore store(club.connectionName());

    const auto cup = store.create("  Winter   Cup ");
    ASSERT_TRUE(cup.isOk());
    EXPECT_EQ(store.create("winter cup").status().english(),
              "A championship named \"winter cup\" exists already.");
    const qint64 id = cup.value();
    const auto other = store.create("Summer");
    ASSERT_TRUE(other.isOk());
    EXPECT_FALSE(store.rename(other.value(), "WINTER CUP").isOk());
    EXPECT_TRUE(store.rename(other.value(), "Autumn").isOk());
    EXPECT_EQ(store.rename(id, " ").code(), StatusCode::Invalid);

    PointsTable points;
    points.perPosition = {10, 8, 6};
    points.fastestLap = 1;
    points.takingPart = 2;
    points.noPosition = 3;
    ASSERT_TRUE(store.setPoints(id, points).isOk());
    for (const std::int64_t hash : {-5, 9, 3}) ASSERT_TRUE(store.addRound(id, hash).isOk());
    ASSERT_TRUE(store.addRound(id, 9).isOk());  // twice is once
    EXPECT_EQ(store.addRound(id, 77).code(), StatusCode::NotFound);

    // A second copy of the program sets the rules meanwhile: nothing is lost.
    ASSERT_TRUE(ClubDatabase::openConnection(club.path(), "second").isOk());
    {
        ChampionshipStore second("second");
        ChampionshipRules rules{1, 2};
        ASSERT_TRUE(second.setRules(id, rules).isOk());
        ASSERT_TRUE(second.removeRound(id, 3).isOk());
    }
    QSqlDatabase::removeDatabase("second");

    auto c = store.championship(id);
    ASSERT_TRUE(c.isOk());
    EXPECT_EQ(c->name, "Winter Cup");
    EXPECT_EQ(c->points, points);
    EXPECT_EQ(c->rules, (ChampionshipRules{1, 2}));
    ASSERT_EQ(c->rounds.size(), 2u);
    EXPECT_EQ(c->rounds[0].lapHash, 9);  // by first-seen time
    EXPECT_EQ(c->rounds[1].lapHash, -5);
    EXPECT_EQ(c->rounds[1].title, "07/12/26 10:00 Ring");
    EXPECT_FALSE(c->rounds[1].missing);

    FakeIssues issues;
    issues.rounds[9] = issued("Anna");
    issues.rounds[-5] = issued("anna");
    auto s = store.standings(id, &issues);
    ASSERT_TRUE(s.isOk());
    EXPECT_FALSE(s->provisional);
    ASSERT_EQ(s->rows.size(), 1u);
    EXPECT_EQ(s->rows[0].points, 13);  // 10 + 1 + 2, one of two dropped

    // The session leaves the archive: the round stays, titled, marked, and
    // the standings are provisional.
    ASSERT_TRUE(archive.removeFile("/races/-5.DAT").isOk());
    c = store.championship(id);
    ASSERT_EQ(c->rounds.size(), 2u);
    EXPECT_TRUE(c->rounds[1].missing);
    EXPECT_EQ(c->rounds[1].title, "07/12/26 10:00 Ring");
    s = store.standings(id, &issues);
    EXPECT_TRUE(s->provisional);
    EXPECT_TRUE(s->roundInfo[1].missing);

    ASSERT_TRUE(store.remove(id).isOk());
    const auto left = store.list();
    ASSERT_EQ(left->size(), 1u);
    EXPECT_EQ(left->front().name, "Autumn");
    EXPECT_EQ(store.championship(id).status().code(), StatusCode::NotFound);
    EXPECT_EQ(store.addRound(id, 9).code(), StatusCode::NotFound);
}

// A version-4 file (the season's tables gone) opens migrated, its archive kept.
TEST(ChampionshipStore, AVersion4DatabaseGainsTheTables) {
    QTemporaryDir dir;
    {
        ClubDatabase club(dir.path());
        ASSERT_TRUE(ArchiveIndex(club.connectionName())
                        .add({seen(4, "01/12/26", "2026-12-01 10:00:00")})
                        .isOk());
        QSqlDatabase db = QSqlDatabase::database(club.connectionName());
        QSqlQuery q(db);
        ASSERT_TRUE(
            q.exec("SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT "
                   "LIKE 'archive%' AND name NOT LIKE 'sqlite%' AND name NOT IN "
                   "('roster', 'club_state')"));
        QStringList added;
        while (q.next()) added << q.value(0).toString();
        EXPECT_TRUE(added.contains("championship"));
        for (const QString& table : added) ASSERT_TRUE(q.exec("DROP TABLE " + table));
        ASSERT_TRUE(q.exec("PRAGMA user_version = 4"));
    }
    ClubDatabase club(dir.path());
    ASSERT_TRUE(club.isOpen());
    EXPECT_EQ(club.schemaVersion(), ClubDatabase::kSchemaVersion);
    ChampionshipStore store(club.connectionName());
    const auto id = store.create("Cup");
    ASSERT_TRUE(id.isOk());
    EXPECT_TRUE(store.addRound(id.value(), 4).isOk());
}
