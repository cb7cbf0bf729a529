#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <atomic>
#include <thread>

#include "clubdb/ClubDatabase.h"
#include "fakes/FakePlatform.h"
#include "platform/qt/QtFileSystem.h"
#include "session/DataFile.h"
#include "session/Session.h"
#include "store/ArchiveIndex.h"
#include "store/ArchiveScan.h"

using namespace orvex;

namespace {

// The fakes, with the real disk, and a club database in a temporary folder.
class ArchiveIndexTest : public ::testing::Test {
protected:
    void SetUp() override {
        Platform p = fakes.interfaces();
        p.files = &disk;
        installPlatform(p);
        club = std::make_unique<ClubDatabase>(dir.filePath("db"));
        ASSERT_TRUE(club->isOpen()) << club->notice().toStdString();
        index = std::make_unique<ArchiveIndex>(club->connectionName());
    }
    void TearDown() override {
        index.reset();
        club.reset();
    }

    // The program's session as race `seed`, written to `path` (made with its folder)
    // and dated `day`.
    QString write(const QString& path, int seed, const std::string& track, QDate day,
                  const std::string& name1 = {}) {
        Session& s = session();
        s.ResetSession();
        for (int d = 1; d <= 3; ++d)
            for (int l = 1; l <= 4; ++l) s.LapTimes[lapSlot(d, l)] = 6000 + seed * 10 + d + l;
        s.SessionTrack = track;
        s.DriverNames[1] = name1;
        const QString full = dir.filePath(path);
        QDir().mkpath(QFileInfo(full).absolutePath());
        EXPECT_EQ(Data_FileCopy(full.toStdString(), nullptr), 0);
        QFile f(full);
        f.open(QIODevice::ReadWrite);
        f.setFileTime(QDateTime(day, QTime(12, 0)), QFileDevice::FileModificationTime);
        return full;
    }
    QString text(const QString& sql) {
        QSqlQuery q(index->db());
        return q.exec(sql) && q.next() ? q.value(0).toString() : QString("?");
    }

    QTemporaryDir dir;
    FakePlatform fakes;
    QtFileSystem disk;
    std::unique_ptr<ClubDatabase> club;
    std::unique_ptr<ArchiveIndex> index;
};

const QDate kJan(2026, 1, 10), kFeb(2026, 2, 10);

}  // namespace

TEST_F(ArchiveIndexTest, TheCopyAndTheSavedFileOfOneRaceAreOneSessionWithTwoFiles) {
    write("data/downloads/2026-01-10 12-00-00.DAT", 1, "", kJan);
    // Saved later with its track and a name: the newer file gives the texts.
    write("data/saved/Final.DAT", 1, "Big Ring", kFeb, "Anna");
    write("data/saved/other.txt", 2, "Small Ring", kFeb);  // a session by its bytes
    write("data/saved/other", 2, "Small Ring", kFeb);      // with no extension at all
    QFile(dir.filePath("data/notes.DAT")).open(QIODevice::WriteOnly);
    {
        QFile notes(dir.filePath("data/notes.txt"));
        notes.open(QIODevice::WriteOnly);
        notes.write("ORVEX:1.0 is not a header item");
    }
    {
        // A session whose lap items turn into a type no writer writes.
        QFile f(write("data/bad.DAT", 3, "X", kJan));
        ASSERT_TRUE(f.open(QIODevice::ReadWrite) && f.seek(f.size() - 1000));
        f.write(QByteArray(8, '\x7F'));
    }
    session().ResetSession();
    Data_FileCopy(dir.filePath("data/empty.DAT").toStdString(), nullptr);
    QFile::link(dir.filePath("data"), dir.filePath("data/saved/loop"));
    write("data/zold/Race.DAT", 1, "Old name", QDate(2025, 12, 1));  // found last, made first

    const ArchiveScanResult r = Archive_ScanFolder(*index, dir.filePath("data"));
    EXPECT_EQ(r.indexed, 5);
    EXPECT_EQ(r.newSessions, 2);
    EXPECT_EQ(r.notSession, 2);
    EXPECT_EQ(r.damaged, 1);
    EXPECT_EQ(r.empty, 1);
    EXPECT_EQ(r.loops, 1);
    EXPECT_TRUE(r.summary().contains("Skipped 5")) << r.summary().toStdString();
    EXPECT_EQ(index->sessionCount(), 2);
    EXPECT_EQ(index->fileCount(), 5);
    EXPECT_EQ(text("SELECT track || '|' || best_name || '|' || substr(search, 1, 10) FROM "
                   "archive_session s JOIN archive_file f ON f.session_id = s.id WHERE f.path "
                   "LIKE '%Final.DAT'"),
              "Big Ring|Anna|2025-12-01");
    EXPECT_EQ(text("SELECT count(*) FROM archive_driver WHERE name_key = 'anna'"), "1");

    // A second scan, as after a kill half way, changes nothing.
    EXPECT_EQ(Archive_ScanFolder(*index, dir.filePath("data")).newSessions, 0);
    EXPECT_EQ(index->fileCount(), 5);
}

TEST_F(ArchiveIndexTest, MovedFilesAreFoundAgainAndGoneOnesDroppedOnlyWithTheirLastFile) {
    const QString a = write("old/a.DAT", 1, "T", kJan);
    const QString b = write("old/b.DAT", 2, "T", kJan);
    ASSERT_EQ(Archive_ScanFolder(*index, dir.filePath("old")).newSessions, 2);
    QDir().mkpath(dir.filePath("new"));
    ASSERT_TRUE(QFile::rename(a, dir.filePath("new/a.DAT")));
    ASSERT_TRUE(QFile::remove(b));
    EXPECT_EQ(Archive_ScanFolder(*index, dir.filePath("new")).newSessions, 0);

    EXPECT_EQ(index->checkFiles(), 2);  // old/a and old/b
    EXPECT_EQ(index->orphanSessions(), 1);
    EXPECT_EQ(index->dropOrphans(), 1);
    EXPECT_EQ(index->sessionCount(), 1);
    EXPECT_EQ(index->fileCount(), 2);  // a's old name stays, marked gone
    EXPECT_TRUE(index->removeFile(dir.filePath("new/a.DAT")));
    EXPECT_EQ(index->sessionCount(), 1);  // the old name still holds it
    EXPECT_TRUE(index->removeFile(a));
    EXPECT_EQ(index->sessionCount(), 0);
    EXPECT_EQ(text("SELECT count(*) FROM archive_driver"), "0");
}

TEST_F(ArchiveIndexTest, ASessionHeldInMemoryIsIndexedUnderItsFile) {
    const QString saved = write("s/Race.DAT", 4, "T", kJan);
    ASSERT_TRUE(Archive_AddSession(*index, session(), saved));
    session().ResetSession();  // no laps: nothing to note, and no failure
    EXPECT_TRUE(Archive_AddSession(*index, session(), dir.filePath("s/New.DAT")));
    EXPECT_EQ(index->sessionCount(), 1);
    index->db().close();
    QString error;
    const QString other = write("s/Race2.DAT", 5, "T", kJan);
    EXPECT_FALSE(Archive_AddSession(*index, session(), other, &error));
    EXPECT_FALSE(error.isEmpty());
}

TEST(ArchiveMigration, ARosterOfTheFirstVersionKeepsItsNamesAndGetsTheArchive) {
    QTemporaryDir dir;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "v1");
        db.setDatabaseName(dir.filePath("club.db"));
        ASSERT_TRUE(db.open());
        QSqlQuery q(db);
        for (const char* sql :
             {"CREATE TABLE roster (name TEXT NOT NULL PRIMARY KEY, last_used TEXT NOT NULL)",
              "CREATE INDEX roster_by_use ON roster (last_used)",
              "INSERT INTO roster VALUES ('Anna', '2026-01-01')", "PRAGMA user_version = 1"})
            ASSERT_TRUE(q.exec(sql)) << sql;
    }
    QSqlDatabase::removeDatabase("v1");
    ClubDatabase club(dir.path());
    ASSERT_TRUE(club.isOpen()) << club.notice().toStdString();
    EXPECT_EQ(club.schemaVersion(), 2);
    EXPECT_EQ(club.names(), std::vector<std::string>{"Anna"});
    ArchiveIndex index(club.connectionName());
    EXPECT_EQ(index.sessionCount(), 0);
}

TEST(ArchiveIndexShared, TwoCopiesIndexingAtOnceBothSucceed) {
    QTemporaryDir dir;
    { ClubDatabase first(dir.path()); }  // made and migrated once
    std::atomic<int> failures{0};
    const auto copy = [&](int who) {
        ClubDatabase club(dir.path());
        ArchiveIndex index(club.connectionName());
        for (int batch = 0; batch < 20; ++batch) {
            std::vector<ArchiveIndex::Seen> seen;
            for (int i = 0; i < 10; ++i) {
                ArchiveEntry e;
                e.id = who * 100000 + batch * 100 + i + 1;
                e.rows.push_back({1, "N", 1, 5000, 5000, 1});
                seen.push_back({e, QString("/f/%1-%2-%3").arg(who).arg(batch).arg(i),
                                QDateTime(kJan, QTime(1, 0))});
            }
            if (index.add(seen) != 10) ++failures;
        }
    };
    std::thread a(copy, 1), b(copy, 2);
    a.join();
    b.join();
    EXPECT_EQ(failures, 0);
    ClubDatabase club(dir.path());
    EXPECT_EQ(ArchiveIndex(club.connectionName()).sessionCount(), 400);
}
