// The archive: indexes 10,000 generated session files on the scan's thread
// (with the GUI thread's longest gap between two events meanwhile), fills the
// index to 100,000 sessions, then times a search to the first page of rows,
// the Archive window's opening, the club database's opening, and prints the
// database's size.

#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QMdiArea>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <random>

#include "bench/BenchApp.h"
#include "session/DataFile.h"
#include "session/Session.h"
#include "store/ArchiveIndex.h"
#include "store/ArchiveScan.h"
#include "store/ArchiveScanner.h"
#include "store/ClubDatabase.h"
#include "ui/archive/frmArchive.h"

using namespace orvex;

namespace {

const char* const kTracks[] = {"Big Ring",  "Small Ring", "North Loop", "Lake Side", "Hill",
                               "Old Track", "Kart Park",  "Dunes",      "Harbour",   "Forest"};

double ms(const QElapsedTimer& t) { return t.nsecsElapsed() / 1e6; }

}  // namespace

int main(int argc, char** argv) {
    BenchApp app(argc, argv);
    const int files = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10000;
    const int sessions = argc > 2 ? std::max(files, std::atoi(argv[2])) : 100000;
    QTemporaryDir dir;
    std::mt19937 random(24);

    // One file written as Save writes it; the others are its bytes with other
    // laps (the laps are the file's last 750 items of 6 bytes each).
    Session& s = session();
    s.ResetSession();
    s.SessionTrack = "Big Ring";
    for (int i = 1; i <= kLapSlots; ++i) s.LapTimes[i] = 4000 + i;
    QDir().mkpath(dir.filePath("files/a/b"));
    const QString first = dir.filePath("files/first.DAT");
    if (Data_FileCopy(first.toStdString(), nullptr) != 0) return 1;
    QFile in(first);
    in.open(QIODevice::ReadOnly);
    QByteArray bytes = in.readAll();
    const qsizetype laps = bytes.size() - kLapSlots * 6;
    for (int f = 1; f < files; ++f) {
        for (int slot = 0; slot < kLapSlots; ++slot) {
            const std::uint32_t v = slot % 25 < 12 ? 4000 + random() % 3000 : 0;
            for (int b = 0; b < 4; ++b) bytes[laps + slot * 6 + 2 + b] = char(v >> (8 * b));
        }
        QFile out(dir.filePath(QString("files/%1/%2.DAT").arg(f % 3 ? "a" : "a/b").arg(f)));
        out.open(QIODevice::WriteOnly);
        out.write(bytes);
    }

    ClubDatabase club(dir.filePath("db"));
    if (!club.isOpen()) return 1;
    ArchiveIndex index(club.connectionName());
    QElapsedTimer timer;
    timer.start();
    // The GUI thread runs its event loop meanwhile: a 1 ms timer measures the
    // longest gap between two of its events.
    ArchiveScanner scanner(club.path());
    ArchiveScanResult r;
    QEventLoop loop;
    QObject::connect(&scanner, &ArchiveScanner::finished, &loop, [&](const ArchiveScanResult& e) {
        r = e;
        loop.quit();
    });
    QElapsedTimer gap;
    double longestGap = 0;
    QTimer tick;
    tick.setInterval(1);
    QObject::connect(&tick, &QTimer::timeout, [&] {
        longestGap = std::max(longestGap, ms(gap));
        gap.restart();
    });
    gap.start();
    tick.start();
    scanner.start(dir.filePath("files"));
    loop.exec();
    tick.stop();
    const double scanMs = ms(timer);
    std::printf("index %d files: %.0f ms, %.0f files/s (%d sessions, %d skipped)\n", files, scanMs,
                r.indexed / (scanMs / 1000), r.newSessions, r.skipped());
    std::printf("GUI thread's longest gap between two events during the scan: %.1f ms\n",
                longestGap);

    // The rest of twelve years of sessions, straight into the index.
    const QDateTime start(QDate(2014, 1, 1), QTime(9, 0));
    for (int done = files; done < sessions;) {
        std::vector<ArchiveIndex::Seen> batch;
        for (int i = 0; i < 1000 && done < sessions; ++i, ++done) {
            ArchiveEntry e;
            e.id = 1000000 + done;
            e.track = kTracks[done % 10];
            e.trackKey = trackKey(e.track);
            e.date = QDateTime(start).addSecs(done * 3600LL).toString("dd/MM/yyyy").toStdString();
            e.time = "10:00";
            e.vehicle = "Kart";
            e.note = done % 7 ? "" : "Rain";
            for (int d = 1; d <= 12; ++d)
                e.rows.push_back({d, "Driver " + std::to_string(random() % 3000), 12,
                                  std::int32_t(4000 + random() % 3000), 70000, d});
            std::sort(e.rows.begin(), e.rows.end(),
                      [](const auto& a, const auto& b) { return a.best < b.best; });
            e.drivers = 12;
            e.best = e.rows[0].best;
            e.bestNo = e.rows[0].number;
            e.bestName = e.rows[0].name;
            batch.push_back(
                {std::move(e), QString("/race/%1.DAT").arg(done), start.addSecs(done * 3600LL)});
        }
        if (!index.add(batch).isOk()) return 1;
    }
    std::printf("sessions in the index: %lld\n", index.sessionCount().value());

    for (const char* term :
         {"driver 1234", "rain", "big ring", "zzz", "ssi", "iver 12", "dunes rain", "ra", "x"}) {
        std::vector<double> times;
        std::size_t rows = 0;
        for (int round = 0; round < 5; ++round) {
            timer.restart();
            const auto page = index.sessions({term, {}, {}}, 0, 50);
            rows = page.isOk() ? page->size() : 0;
            times.push_back(ms(timer));
        }
        std::printf("search \"%s\": %.1f ms to the first %zu rows\n", term, median(times), rows);
    }

    std::vector<double> opens;
    for (int round = 0; round < 3; ++round) {
        QMdiArea area;
        area.resize(1000, 700);
        area.show();
        timer.restart();
        frmArchive* w = frmArchive::Load(&area, index, {}, {});
        w->show();
        QCoreApplication::processEvents();
        opens.push_back(ms(timer));
        delete w;
    }
    std::printf("Archive window open: %.1f ms\n", median(opens));

    // The first opening finds the mark of the bench's own open connection, as
    // after an unclean end, and checks the file; the others do not.
    std::vector<double> clubOpens;
    for (int round = 0; round < 4; ++round) {
        timer.restart();
        ClubDatabase again(dir.filePath("db"));
        if (!again.isOpen()) return 1;
        const double took = ms(timer);
        if (again.checked())
            std::printf("club database open with %d sessions, checked: %.1f ms\n", sessions, took);
        else
            clubOpens.push_back(took);
    }
    std::printf("club database open with %d sessions after a clean end: %.1f ms\n", sessions,
                median(clubOpens));
    QSqlQuery(index.db()).exec("PRAGMA wal_checkpoint(TRUNCATE)");
    qint64 size = 0;
    for (const char* part : {"", "-wal"}) size += QFileInfo(club.path() + part).size();
    std::printf("database for %d sessions: %.1f MB\n", sessions, size / 1e6);
    return 0;
}
