#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <algorithm>
#include <thread>

#include "store/ClubDatabase.h"

using namespace orvex;

namespace {

const CalendarDate kMay{2026, 5, 1}, kJune{2026, 6, 1};

// The journal mode as any other connection sees it.
QString journalMode(const QString& file) {
    QString mode;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "probe");
        db.setDatabaseName(file);
        QSqlQuery q(db);
        if (db.open() && q.exec("PRAGMA journal_mode") && q.next()) mode = q.value(0).toString();
    }
    QSqlDatabase::removeDatabase("probe");
    return mode;
}

QStringList damagedCopies(const QTemporaryDir& dir) {
    return QDir(dir.path()).entryList({"club.db.damaged-*"}, QDir::Files);
}

}  // namespace

TEST(ClubDatabase, ANewFileGetsTheSchemaInWalModeAndRemembersTheLatestUse) {
    QTemporaryDir dir;
    ClubDatabase club(dir.filePath("sub"));
    ASSERT_TRUE(club.isOpen()) << club.notice().toStdString();
    EXPECT_TRUE(club.notice().isEmpty());
    EXPECT_EQ(club.schemaVersion(), ClubDatabase::kSchemaVersion);
    EXPECT_TRUE(club.remember({"Anna", "Bea"}, kMay).isOk());
    EXPECT_TRUE(club.remember({"Bea", "Cy"}, kJune).isOk());
    EXPECT_TRUE(club.remember({"Anna"}, {2026, 1, 1}).isOk());  // an older date never moves it back
    EXPECT_EQ(club.names(), (std::vector<std::string>{"Bea", "Cy", "Anna"}));

    ClubDatabase again(dir.filePath("sub"));
    EXPECT_EQ(again.names().size(), 3u);
    EXPECT_EQ(journalMode(club.path()), "wal");
}

// The integrity check reads every page: it runs only when the last run did not
// close the file.
TEST(ClubDatabase, OnlyAnUncleanEndCostsTheNextStartTheIntegrityCheck) {
    QTemporaryDir dir;
    { EXPECT_TRUE(ClubDatabase(dir.path()).checked()); }  // a new file: no mark yet
    { EXPECT_FALSE(ClubDatabase(dir.path()).checked()); }
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "killed");
        db.setDatabaseName(dir.filePath("club.db"));
        ASSERT_TRUE(db.open());
        ASSERT_TRUE(QSqlQuery(db).exec("UPDATE club_state SET value = 1 WHERE name = 'open'"));
    }
    QSqlDatabase::removeDatabase("killed");
    { EXPECT_TRUE(ClubDatabase(dir.path()).checked()); }
    EXPECT_FALSE(ClubDatabase(dir.path()).checked());
}

TEST(ClubDatabase, ADamagedFileIsSetAsideAndAFreshOneMadeWithANotice) {
    QTemporaryDir dir;
    {
        QFile junk(dir.filePath("club.db"));
        ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
        junk.write(QByteArray(8192, '\x5A'));
    }
    ClubDatabase club(dir.path());
    ASSERT_TRUE(club.isOpen());
    const QStringList aside = damagedCopies(dir);
    ASSERT_EQ(aside.size(), 1);
    EXPECT_TRUE(
        QRegularExpression(R"(^club\.db\.damaged-\d{8}-\d{6}$)").match(aside[0]).hasMatch());
    EXPECT_EQ(QFile(dir.filePath(aside[0])).size(), 8192);
    EXPECT_TRUE(club.notice().contains(aside[0]));
    EXPECT_TRUE(club.remember({"Anna"}, kMay).isOk());
    EXPECT_EQ(club.names(), std::vector<std::string>{"Anna"});
}

TEST(ClubDatabase, AFolderThatCannotHoldItLeavesTheProgramWithoutARoster) {
    QTemporaryDir dir;
    QFile blocker(dir.filePath("file"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    ClubDatabase club(dir.filePath("file"));  // a file where the folder should be
    EXPECT_FALSE(club.isOpen());
    EXPECT_FALSE(club.notice().isEmpty());
    EXPECT_FALSE(club.remember({"Anna"}, kMay).isOk());
    EXPECT_TRUE(club.names().empty());
}

// Two copies of the program, each with its own connection, writing at once.
TEST(ClubDatabase, TwoConnectionsWritingAtOnceLoseNoName) {
    QTemporaryDir dir;
    constexpr int kEach = 60;
    bool ok[2] = {true, true};
    const auto writer = [&](int who) {
        ClubDatabase club(dir.path());
        for (int i = 0; i < kEach; ++i)
            ok[who] =
                club.remember({QString("w%1-%2").arg(who).arg(i).toStdString(), "shared"}, kMay)
                    .isOk() &&
                ok[who];
    };
    std::thread a(writer, 0), b(writer, 1);
    a.join();
    b.join();
    EXPECT_TRUE(ok[0] && ok[1]);
    ClubDatabase club(dir.path());
    EXPECT_EQ(club.names().size(), 2u * kEach + 1);
}

TEST(ClubDatabase, ANewerVersionsFileCompletesNamesButIsNeverWritten) {
    QTemporaryDir dir;
    const QString file = dir.filePath("club.db");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "v99");
        db.setDatabaseName(file);
        ASSERT_TRUE(db.open());
        QSqlQuery q(db);
        for (const char* sql :
             {"CREATE TABLE roster (name TEXT NOT NULL PRIMARY KEY, last_used TEXT NOT NULL)",
              "INSERT INTO roster VALUES ('Anna', '2026-01-01')", "PRAGMA user_version = 99"})
            ASSERT_TRUE(q.exec(sql)) << sql;
    }
    QSqlDatabase::removeDatabase("v99");
    const auto bytes = [&] {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    };
    const QByteArray before = bytes();
    {
        ClubDatabase club(dir.path());
        ASSERT_TRUE(club.isOpen());
        EXPECT_TRUE(club.isReadOnly());
        EXPECT_TRUE(club.notice().contains("newer version"));
        EXPECT_EQ(club.names(), std::vector<std::string>{"Anna"});
        EXPECT_FALSE(club.remember({"Bea"}, kMay).isOk());
        EXPECT_EQ(club.schemaVersion(), 99);
    }
    EXPECT_EQ(bytes(), before);
    EXPECT_TRUE(damagedCopies(dir).isEmpty());
}
