#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <atomic>
#include <condition_variable>
#include <cstdlib>
#include <memory>
#include <thread>

#include "fakes/ChildProcess.h"
#include "fakes/FakePlatform.h"
#include "platform/qt/QtFileSystem.h"
#include "session/DataFile.h"
#include "session/Session.h"
#include "store/ArchiveIndex.h"
#include "store/ArchiveScan.h"
#include "store/ArchiveScanner.h"
#include "store/ClubDatabase.h"

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

    const ArchiveScanResult r = scanArchiveFolder(*index, dir.filePath("data"));
    EXPECT_EQ(r.indexed, 5);
    EXPECT_EQ(r.newSessions, 2);
    EXPECT_EQ(r.notSession, 2);
    EXPECT_EQ(r.damaged, 1);
    EXPECT_EQ(r.empty, 1);
    EXPECT_EQ(r.loops, 1);
    EXPECT_TRUE(r.summary().contains("Skipped 5")) << r.summary().toStdString();
    EXPECT_EQ(index->sessionCount().value(), 2);
    EXPECT_EQ(index->fileCount().value(), 5);
    EXPECT_EQ(text("SELECT track || '|' || best_name || '|' || substr(search, 1, 10) FROM "
                   "archive_session s JOIN archive_file f ON f.session_id = s.id WHERE f.path "
                   "LIKE '%Final.DAT'"),
              "Big Ring|Anna|2025-12-01");
    EXPECT_EQ(index->driverHistory("anna").value().size(), 1u);

    // A second scan, as after a kill half way, changes nothing.
    EXPECT_EQ(scanArchiveFolder(*index, dir.filePath("data")).newSessions, 0);
    EXPECT_EQ(index->fileCount().value(), 5);
}

TEST_F(ArchiveIndexTest, MovedFilesAreFoundAgainAndGoneOnesDroppedOnlyWithTheirLastFile) {
    const QString a = write("old/a.DAT", 1, "T", kJan);
    const QString b = write("old/b.DAT", 2, "T", kJan);
    ASSERT_EQ(scanArchiveFolder(*index, dir.filePath("old")).newSessions, 2);
    QDir().mkpath(dir.filePath("new"));
    ASSERT_TRUE(QFile::rename(a, dir.filePath("new/a.DAT")));
    ASSERT_TRUE(QFile::remove(b));
    EXPECT_EQ(scanArchiveFolder(*index, dir.filePath("new")).newSessions, 0);

    EXPECT_EQ(index->checkFiles().value(), 2);  // old/a and old/b
    EXPECT_EQ(index->orphanSessions().value(), 1);
    EXPECT_EQ(index->dropOrphans().value(), 1);
    EXPECT_EQ(index->sessionCount().value(), 1);
    EXPECT_EQ(index->fileCount().value(), 2);  // a's old name stays, marked gone
    EXPECT_TRUE(index->removeFile(dir.filePath("new/a.DAT")).isOk());
    EXPECT_EQ(index->sessionCount().value(), 1);  // the old name still holds it
    EXPECT_TRUE(index->removeFile(a).isOk());
    EXPECT_EQ(index->sessionCount().value(), 0);
    EXPECT_EQ(text("SELECT count(*) FROM archive_driver"), "0");
}

TEST_F(ArchiveIndexTest, ASessionHeldInMemoryIsIndexedUnderItsFile) {
    const QString saved = write("s/Race.DAT", 4, "T", kJan);
    ASSERT_TRUE(indexSession(*index, session(), saved).isOk());
    session().ResetSession();  // no laps: nothing to note, and no failure
    EXPECT_TRUE(indexSession(*index, session(), dir.filePath("s/New.DAT")).isOk());
    EXPECT_EQ(index->sessionCount().value(), 1);
    index->db().close();
    const QString other = write("s/Race2.DAT", 5, "T", kJan);
    const Status st = indexSession(*index, session(), other);
    EXPECT_EQ(st.code(), StatusCode::Database);
    EXPECT_FALSE(st.detail().empty());
}

// Writes a database of an earlier version from `sql`, then opens it as the
// program does: it must come up migrated to the current version.
static void openOldDatabase(const QTemporaryDir& dir, std::initializer_list<const char*> sql,
                            std::unique_ptr<ClubDatabase>& club) {
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "old");
        db.setDatabaseName(dir.filePath("club.db"));
        ASSERT_TRUE(db.open());
        QSqlQuery q(db);
        for (const char* statement : sql)
            ASSERT_TRUE(q.exec(statement)) << statement << q.lastError().text().toStdString();
    }
    QSqlDatabase::removeDatabase("old");
    club = std::make_unique<ClubDatabase>(dir.path());
    ASSERT_TRUE(club->isOpen()) << club->notice().toStdString();
    EXPECT_EQ(club->schemaVersion(), ClubDatabase::kSchemaVersion);
}

TEST(ArchiveMigration, ARosterOfTheFirstVersionKeepsItsNamesAndGetsTheArchive) {
    QTemporaryDir dir;
    std::unique_ptr<ClubDatabase> club;
    openOldDatabase(
        dir,
        {"CREATE TABLE roster (name TEXT NOT NULL PRIMARY KEY, last_used TEXT NOT NULL)",
         "CREATE INDEX roster_by_use ON roster (last_used)",
         "INSERT INTO roster VALUES ('Anna', '2026-01-01')", "PRAGMA user_version = 1"},
        club);
    if (!club) return;
    EXPECT_EQ(club->names(), std::vector<std::string>{"Anna"});
    ArchiveIndex index(club->connectionName());
    EXPECT_EQ(index.sessionCount().value(), 0);
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
            if (const Result<int> added = index.add(seen); !added.isOk() || added.value() != 10)
                ++failures;
        }
    };
    std::thread a(copy, 1), b(copy, 2);
    a.join();
    b.join();
    EXPECT_EQ(failures, 0);
    ClubDatabase club(dir.path());
    EXPECT_EQ(ArchiveIndex(club.connectionName()).sessionCount().value(), 400);
}

// A full disk, as a file-size limit in a child process: the first batch's
// COMMIT fails, and the scan stops there with SQLite's reason.
TEST_F(ArchiveIndexTest, AFullDiskStopsTheScanAtItsFirstBatchWithTheReason) {
    // Written through the fake files, without a sync each, then put on the disk.
    installPlatform(fakes.interfaces());
    QDir().mkpath(dir.filePath("many"));
    session().ResetSession();
    for (int i = 0; i < 260; ++i) {
        for (int l = 1; l <= 4; ++l) session().LapTimes[lapSlot(1, l)] = 7000 + i * 10 + l;
        ASSERT_EQ(Data_FileCopy("/orvex/f.DAT", nullptr), 0);
        QFile f(dir.filePath(QString("many/%1.DAT").arg(i)));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray::fromStdString(fakes.files.files["/orvex/f.DAT"]));
        fakes.files.files.erase("/orvex/f.DAT");
    }
    Platform p = fakes.interfaces();
    p.files = &disk;
    installPlatform(p);
    index.reset();
    club.reset();  // the child opens its own
    const QString db = dir.filePath("db");
    const long room = std::max<long>(QFileInfo(db + "/club.db").size(), 32768) + 16384;
    const auto full = [&](int) {
        ClubDatabase child(db);
        ArchiveIndex childIndex(child.connectionName());
        int calls = 0;
        const ArchiveScanResult r =
            scanArchiveFolder(childIndex, dir.filePath("many"), [&](int, int) {
                ++calls;
                return true;
            });
        std::fprintf(stderr, "%s\n", qPrintable(r.summary()));
        return (r.error.isOk() ? 1 : 0) | (r.indexed != 0 ? 2 : 0) | (calls > 251 ? 4 : 0) |
               (r.summary().contains("The archive could not be written: " +
                                     QString::fromStdString(r.error.detail()))
                    ? 0
                    : 8);
    };
    EXPECT_EQ(inChildren(1, full, room), std::vector<int>{0});
    club = std::make_unique<ClubDatabase>(db);
    EXPECT_EQ(ArchiveIndex(club->connectionName()).sessionCount().value(), 0);
}

// A FIFO swapped in for a file while the scan runs, and a name that is no UTF-8.
TEST_F(ArchiveIndexTest, AFifoInAFilesPlaceIsPassedOverAndABadNameIsCounted) {
    const QString fifo = write("f/a.DAT", 1, "T", kJan);
    write("f/b.DAT", 2, "T", kJan);
    const QByteArray bad = QFile::encodeName(dir.filePath("f/")) + "c\xFF.DAT";
    {
        QFile source(fifo);
        ASSERT_TRUE(source.open(QIODevice::ReadOnly));
        const QByteArray bytes = source.readAll();
        const int fd = ::open(bad.constData(), O_WRONLY | O_CREAT, 0644);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(::write(fd, bytes.constData(), bytes.size()), bytes.size());
        ::close(fd);
    }
    // Only ends a hung scan; it measures nothing.
    std::mutex m;
    std::condition_variable cv;
    bool done = false;
    std::thread watchdog([&] {
        std::unique_lock lock(m);
        if (!cv.wait_for(lock, std::chrono::minutes(2), [&] { return done; })) {
            std::fprintf(stderr, "the scan hangs on a FIFO\n");
            std::abort();
        }
    });
    const ArchiveScanResult r = scanArchiveFolder(*index, dir.filePath("f"), [&](int i, int) {
        if (i == 0) QFile::remove(fifo), ::mkfifo(QFile::encodeName(fifo).constData(), 0644);
        return true;
    });
    int error = 0;
    EXPECT_EQ(disk.open(fifo.toStdString(), error), nullptr);  // File > Open does not hang either
    EXPECT_NE(error, 0);
    {
        std::lock_guard lock(m);
        done = true;
    }
    cv.notify_one();
    watchdog.join();
    EXPECT_EQ(r.indexed, 1);
    EXPECT_EQ(r.notSession, 1);
    EXPECT_EQ(r.badNames, 1);
    EXPECT_TRUE(r.summary().contains("1 with a name that is not valid UTF-8"));
}

// A saved heat and a newer bare copy of its download, found in either order:
// the saved file gives every text and figure, and is the file the list shows.
TEST_F(ArchiveIndexTest, ASavedFileOutranksANewerDownloadCopyInEitherOrder) {
    for (const int race : {1, 2}) {
        const QString copyIn = race == 1 ? "a" : "b", savedIn = race == 1 ? "b" : "a";
        write(QString("%1/%2/2026-03-01 10-00-00.DAT").arg(race).arg(copyIn), race, "", kFeb);
        write(QString("%1/%2/Heat.DAT").arg(race).arg(savedIn), race, "Big Ring", kJan, "Anna");
        ASSERT_EQ(scanArchiveFolder(*index, dir.filePath(QString::number(race))).indexed, 2);
    }
    const Result<std::vector<SessionRow>> rows = index->sessions({}, 0, 100);
    ASSERT_TRUE(rows.isOk()) << rows.status().detail();
    ASSERT_EQ(rows->size(), 2u);
    for (const SessionRow& r : rows.value()) {
        EXPECT_EQ(r.track, "Big Ring");
        EXPECT_EQ(r.bestBy, "1 Anna");
        EXPECT_TRUE(r.path.endsWith("/Heat.DAT")) << r.path.toStdString();
    }
}

namespace {

ArchiveIndex::Seen seen(qint64 id, const std::string& track, std::vector<std::string> names,
                        QDate day, const std::string& vehicle = "") {
    ArchiveEntry e;
    e.id = id;
    e.track = track;
    e.trackKey = trackKey(track);
    e.vehicle = vehicle;
    for (std::size_t k = 0; k < names.size(); ++k)
        e.rows.push_back({int(k) + 1, names[k], 5, std::int32_t(5000 + id + k), 30000, int(k) + 1});
    e.drivers = int(names.size());
    e.best = e.rows[0].best;
    e.bestNo = 1;
    e.bestName = names[0];
    return {e, QString("/race/%1.DAT").arg(id), QDateTime(day, QTime(9, 0))};
}

std::vector<qint64> ids(const Result<std::vector<SessionRow>>& rows) {
    std::vector<qint64> out;
    if (!rows.isOk()) return {-1};
    for (const SessionRow& r : rows.value()) out.push_back(r.id);
    return out;
}

}  // namespace

// The search finds any part of a word, case and accents ignored, through the
// trigram index from three letters, by comparing each row below that, and
// along the newest first when the words are common.
TEST_F(ArchiveIndexTest, TheSessionsSearchFindsPartsOfWordsWithoutAccents) {
    ASSERT_TRUE(index
                    ->add({seen(1, "Monza", {"Anna Müller", "Łukasz Żółć"}, kJan),
                           seen(2, "Imola", {"Vale Rossi"}, kFeb),
                           seen(3, "Œuvre Straße", {"Bea"}, QDate(2026, 3, 1))})
                    .isOk());
    const auto find = [&](const QString& text, QDate from = {}) {
        return ids(index->sessions({text, from, {}}, 0, 100));
    };
    using V = std::vector<qint64>;
    EXPECT_EQ(find("ssi"), V{2});
    EXPECT_EQ(find("muller"), V{1});
    EXPECT_EQ(find("MÜLL"), V{1});
    EXPECT_EQ(find("zolc lukasz"), V{1});
    EXPECT_EQ(find("oeuvre strasse"), V{3});
    EXPECT_EQ(find("zzz"), V{});
    EXPECT_EQ(find("nz"), V{1});           // short: compared row by row
    EXPECT_EQ(find("ssi im"), V{2});       // one looked up, one compared
    EXPECT_EQ(find("", kFeb), (V{3, 2}));  // newest first
    EXPECT_EQ(find("a", kFeb), (V{3, 2}));
    EXPECT_EQ(ids(index->sessions({}, 1, 1)), V{2});  // a page
    // A session moved back by an older file keeps its words.
    ASSERT_TRUE(index->add({seen(2, "Imola", {"Vale Rossi"}, QDate(2025, 1, 1))}).isOk());
    EXPECT_EQ(find("ssi 2025-01"), V{2});
    ASSERT_TRUE(index->removeFile("/race/2.DAT").isOk());
    EXPECT_EQ(find("ssi"), V{});
    // The index's query syntax is quoted away.
    const Result<std::vector<SessionRow>> quoted = index->sessions({"\"ssi OR mol", {}, {}}, 0, 9);
    ASSERT_TRUE(quoted.isOk());
    EXPECT_TRUE(quoted->empty());

    // Words common enough to fill pages are read along the newest first.
    std::vector<ArchiveIndex::Seen> many;
    for (int i = 0; i < 2100; ++i)
        many.push_back(seen(100 + i, "Kart Park", {"Cy"}, kJan.addDays(i), "Rotax"));
    ASSERT_TRUE(index->add(many).isOk());
    const Result<std::vector<SessionRow>> page = index->sessions({"rotax kart", {}, {}}, 0, 100);
    ASSERT_EQ(page->size(), 100u);
    EXPECT_EQ(page->front().id, 100 + 2099);

    const Result<std::vector<TrackRecordRow>> records = index->trackRecords();
    ASSERT_EQ(records->size(), 3u);
    EXPECT_EQ(records->at(0).track, "Kart Park");
    EXPECT_EQ(records->at(0).best, 5100);
    const Result<std::vector<DriverSessionRow>> history = index->driverHistory("ANNA  müller");
    ASSERT_EQ(history->size(), 1u);
    EXPECT_EQ(history->at(0).track, "Monza");
    // A name too short for the trigram index is found by reading every driver.
    EXPECT_EQ(index->driverHistory("cy")->size(), 2100u);
}

// A version 3 database: its lower-case search texts are folded and indexed.
TEST(ArchiveMigration, AVersionThreeArchiveIsFoldedAndIndexed) {
    QTemporaryDir dir;
    std::unique_ptr<ClubDatabase> club;
    openOldDatabase(
        dir,
        {"CREATE TABLE roster (name TEXT NOT NULL PRIMARY KEY, last_used TEXT NOT NULL)",
         "CREATE TABLE archive_session (id INTEGER PRIMARY KEY, date TEXT NOT NULL, time "
         "TEXT NOT NULL, track TEXT NOT NULL, track_key TEXT NOT NULL, length TEXT NOT "
         "NULL, vehicle TEXT NOT NULL, note TEXT NOT NULL, drivers INTEGER NOT NULL, best "
         "INTEGER NOT NULL, best_no INTEGER NOT NULL, best_name TEXT NOT NULL, first_seen "
         "TEXT NOT NULL, source_time TEXT NOT NULL, search TEXT NOT NULL, source_path "
         "TEXT NOT NULL DEFAULT '')",
         "CREATE INDEX archive_session_by_seen ON archive_session (first_seen, search)",
         "CREATE TABLE archive_driver (session_id INTEGER NOT NULL, number INTEGER NOT "
         "NULL, name TEXT NOT NULL, name_key TEXT NOT NULL, laps INTEGER NOT NULL, best "
         "INTEGER NOT NULL, race_time INTEGER NOT NULL, rank INTEGER NOT NULL, PRIMARY "
         "KEY (session_id, number)) WITHOUT ROWID",
         "CREATE TABLE archive_file (path TEXT NOT NULL PRIMARY KEY, session_id INTEGER "
         "NOT NULL, present INTEGER NOT NULL DEFAULT 1)",
         "INSERT INTO archive_session VALUES (7, '', '', 'Monza', 'monza', '', '', '', 1, "
         "5000, 1, 'Anna Müller', '2026-01-10 09:00:00', '2026-01-10 09:00:00', "
         "'2026-01-10\nmonza\n\n\n\n\nanna müller', '/r/7.DAT')",
         "INSERT INTO archive_driver VALUES (7, 1, 'Anna Müller', 'anna müller', 5, 5000, "
         "30000, 1)",
         "INSERT INTO archive_file VALUES ('/r/7.DAT', 7, 1)", "PRAGMA user_version = 3"},
        club);
    if (!club) return;
    ArchiveIndex index(club->connectionName());
    EXPECT_EQ(ids(index.sessions({"muller", {}, {}}, 0, 10)), std::vector<qint64>{7});
    EXPECT_EQ(ids(index.sessions({"ONZ", {}, {}}, 0, 10)), std::vector<qint64>{7});
    const Result<std::vector<DriverSessionRow>> anna = index.driverHistory("anna müller");
    ASSERT_EQ(anna->size(), 1u);
    EXPECT_EQ(anna->at(0).best, 5000);
    ASSERT_TRUE(index.add({seen(8, "Imola", {"Bea", "Anna Müller"}, kJan)}).isOk());
    EXPECT_EQ(index.driverHistory("anna müller")->size(), 2u);
    EXPECT_EQ(ids(index.sessions({"imol", {}, {}}, 0, 10)), std::vector<qint64>{8});
}

// The scan on its own thread: Cancel stops it with what it wrote whole, and
// a file removed while it runs is counted, not fatal.
TEST_F(ArchiveIndexTest, TheScanOnItsThreadCancelsCleanlyAndCountsAFileRemovedMeanwhile) {
    installPlatform(fakes.interfaces());
    QDir().mkpath(dir.filePath("many"));
    session().ResetSession();
    constexpr int kFiles = 600;
    for (int i = 0; i < kFiles; ++i) {
        for (int l = 1; l <= 4; ++l) session().LapTimes[lapSlot(1, l)] = 7000 + i * 10 + l;
        ASSERT_EQ(Data_FileCopy("/orvex/f.DAT", nullptr), 0);
        QFile f(dir.filePath(QString("many/%1.DAT").arg(i, 3, 10, QChar('0'))));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray::fromStdString(fakes.files.files["/orvex/f.DAT"]));
        fakes.files.files.erase("/orvex/f.DAT");
    }
    Platform p = fakes.interfaces();
    p.files = &disk;
    installPlatform(p);

    ArchiveScanner scanner(club->path());
    QSignalSpy finished(&scanner, &ArchiveScanner::finished);
    QObject::connect(&scanner, &ArchiveScanner::progress, &scanner, [&] { scanner.cancel(); });
    ASSERT_TRUE(scanner.start(dir.filePath("many")));
    EXPECT_FALSE(scanner.start(dir.filePath("many")));  // one at a time
    ASSERT_TRUE(finished.wait(120000));
    ArchiveScanResult r = finished.at(0).at(0).value<ArchiveScanResult>();
    EXPECT_TRUE(r.cancelled);
    EXPECT_LT(r.indexed, kFiles);
    EXPECT_EQ(index->sessionCount().value(), r.indexed);

    scanner.disconnect(&scanner);
    bool removed = false;
    QObject::connect(&scanner, &ArchiveScanner::progress, &scanner, [&] {
        if (!removed) removed = QFile::remove(dir.filePath("many/599.DAT"));
    });
    finished.clear();
    ASSERT_TRUE(scanner.start(dir.filePath("many")));
    ASSERT_TRUE(finished.wait(120000));
    r = finished.at(0).at(0).value<ArchiveScanResult>();
    EXPECT_TRUE(removed);
    EXPECT_FALSE(r.cancelled);
    EXPECT_TRUE(r.error.isOk());
    EXPECT_EQ(r.indexed + r.unreadable, kFiles);
    EXPECT_EQ(index->sessionCount().value(), r.indexed);
}
