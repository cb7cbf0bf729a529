#include <gtest/gtest.h>

#include <QAction>
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMdiArea>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include "fakes/MainWindowFixture.h"
#include "platform/qt/QtFileSystem.h"
#include "session/DataFile.h"
#include "store/ArchiveIndex.h"
#include "store/ClubDatabase.h"
#include "ui/archive/frmArchive.h"

using namespace orvex;

namespace {

// An index of three sessions (the file of "Imola" is not there) and the
// window over it.
class ArchiveWindowTest : public MainWindowFixture {
protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        Platform p = fakes.interfaces();
        p.files = &disk;
        installPlatform(p);
        club = std::make_unique<ClubDatabase>(dir.path());
        ASSERT_TRUE(club->isOpen());
        index = std::make_unique<ArchiveIndex>(club->connectionName());
        add(1, "Monza", {"Anna Rossi", "Bea"}, 5000, QDate(2026, 1, 10), true);
        add(2, "Imola", {"Bea"}, 4000, QDate(2026, 2, 10), false);
        add(3, " monza ", {"Cy", "anna rossi", "D", "E", "F", "G", "H", "I", "J", "K", "L", "M"},
            4500, QDate(2026, 3, 10), true);
        window = frmArchive::Load(&area, *index, {"Anna Rossi", "Bea"},
                                  [this](const std::string& path) { opened.push_back(path); });
    }
    void TearDown() override {
        desk.reset();
        delete window;
        index.reset();
        club.reset();
        MainWindowFixture::TearDown();
    }
    // Session `id`: driver k (from 1) has the best lap best + 10 (k - 1).
    void add(int id, const std::string& track, const std::vector<std::string>& names,
             std::int32_t best, QDate seen, bool present) {
        ArchiveEntry e;
        e.id = id;
        e.track = track;
        e.trackKey = trackKey(track);
        e.vehicle = id == 1 ? "Rotax" : id == 2 ? "Honda" : "Iame";
        for (std::size_t k = 0; k < names.size(); ++k)
            e.rows.push_back(
                {int(k) + 1, names[k], 5, std::int32_t(best + 10 * k), 30000, int(k) + 1});
        e.drivers = int(names.size());
        e.best = best;
        e.bestNo = 1;
        e.bestName = names[0];
        const QString path = dir.filePath(QString("race%1.DAT").arg(id));
        if (present) QFile(path).open(QIODevice::WriteOnly);
        ASSERT_EQ(index->add({{e, path, QDateTime(seen, QTime(9, 0))}}).value(), 1);
    }
    QString cell(QAbstractItemModel* m, int row, int column) {
        return m->data(m->index(row, column), Qt::DisplayRole).toString();
    }
    int rowOf(const QString& track) {
        for (int r = 0; r < window->sessionsModel()->rowCount(); ++r)
            if (cell(window->sessionsModel(), r, 2) == track) return r;
        return -1;
    }

    QTemporaryDir dir;
    QtFileSystem disk;
    QMdiArea area;
    std::unique_ptr<ClubDatabase> club;
    std::unique_ptr<ArchiveIndex> index;
    frmArchive* window = nullptr;
    std::vector<std::string> opened;
};

}  // namespace

TEST_F(ArchiveWindowTest, TheSearchFiltersAsTheUserTypesAndTheDatesBoundFirstSeen) {
    QAbstractItemModel* m = window->sessionsModel();
    ASSERT_EQ(m->rowCount(), 3);
    EXPECT_EQ(cell(m, 0, 2), " monza ");  // newest first
    EXPECT_EQ(cell(m, 0, 5), "1 Cy");
    EXPECT_EQ(cell(m, 0, 4), "45.00");
    QTest::keyClicks(window->searchBox(), "ANNA");
    EXPECT_EQ(m->rowCount(), 2);
    QTest::keyClicks(window->searchBox(), " rotax");  // every word must be there
    EXPECT_EQ(m->rowCount(), 1);
    window->searchBox()->setText("2026-02");  // the first-seen date's text
    EXPECT_EQ(m->rowCount(), 1);
    window->searchBox()->clear();
    window->fromDate()->setDate(QDate(2026, 2, 10));
    EXPECT_EQ(m->rowCount(), 2);
    window->toDate()->setDate(QDate(2026, 2, 10));  // the whole last day counts
    ASSERT_EQ(m->rowCount(), 1);
    EXPECT_EQ(cell(m, 0, 2), "Imola");
}

TEST_F(ArchiveWindowTest, RecordsJoinSpellingsOfATrackAndListItsTenBestLaps) {
    QAbstractItemModel* r = window->recordsModel();
    ASSERT_EQ(r->rowCount(), 2);  // "Monza" and " monza " are one track
    EXPECT_EQ(cell(r, 1, 1), "45.00");
    EXPECT_EQ(cell(r, 1, 2), "1 Cy");
    window->recordsView()->selectRow(1);
    QAbstractItemModel* t = window->trackModel();
    ASSERT_EQ(t->rowCount(), 10);
    EXPECT_EQ(cell(t, 0, 1), "1 Cy");
    EXPECT_EQ(cell(t, 1, 1), "2 anna rossi");
    EXPECT_EQ(cell(t, 9, 0), "45.90");
}

// No track text is a track of its own, named so; the columns show what they hold.
TEST_F(ArchiveWindowTest, SessionsWithoutATrackAreListedUnderNoTrackAndColumnsFit) {
    add(4, "", {"Åsa-Zoë Ünal-Øberg Fernández"}, 3000, QDate(2026, 4, 1), true);
    window->refresh();
    QAbstractItemModel* r = window->recordsModel();
    ASSERT_EQ(r->rowCount(), 3);
    int none = 0;
    while (none < 3 && cell(r, none, 0) != "(no track)") ++none;
    ASSERT_LT(none, 3);
    window->recordsView()->selectRow(none);
    ASSERT_EQ(window->trackModel()->rowCount(), 1);
    EXPECT_EQ(cell(window->trackModel(), 0, 1), "1 Åsa-Zoë Ünal-Øberg Fernández");
    // "Best by" whole, in both lists.
    for (QTableView* v : {window->sessionsView(), window->recordsView()}) {
        const int column = v == window->recordsView() ? 2 : 5;
        EXPECT_GT(v->columnWidth(column),
                  v->fontMetrics().horizontalAdvance("1 Åsa-Zoë Ünal-Øberg Fernández"));
    }
}

TEST_F(ArchiveWindowTest, TheDriverTabListsTheirSessionsInOrderWithAChart) {
    window->showDriver("ANNA  ROSSI");
    QAbstractItemModel* d = window->driverModel();
    ASSERT_EQ(d->rowCount(), 2);
    EXPECT_EQ(cell(d, 0, 0), QLocale().toString(QDate(2026, 1, 10), QLocale::ShortFormat));
    EXPECT_EQ(cell(d, 1, 6), "2");  // rank
    ASSERT_EQ(window->chart()->points().size(), 2u);
    EXPECT_EQ(window->chart()->points()[1].second, 4510);
    window->chart()->grab();  // paints without a fault
}

TEST_F(ArchiveWindowTest, AMissingFileIsGreyedAndOpeningItOffersToRemoveIt) {
    QAbstractItemModel* m = window->sessionsModel();
    const int imola = rowOf("Imola");
    EXPECT_EQ(m->data(m->index(imola, 0), Qt::ForegroundRole).value<QColor>(), QColor(Qt::gray));
    fakes.messages.answers = {MessageBox::Yes};
    window->openSession(imola);
    ASSERT_EQ(fakes.messages.shown.size(), 1u);
    EXPECT_EQ(fakes.messages.shown[0].text,
              "The file " + dir.filePath("race2.DAT").toStdString() +
                  " is no longer there.\n\nRemove it from the archive?");
    EXPECT_TRUE(opened.empty());
    EXPECT_EQ(index->sessionCount().value(), 2);
    EXPECT_EQ(rowOf("Imola"), -1);

    // Enter on a row whose file is there opens it.
    window->sessionsView()->setCurrentIndex(m->index(rowOf("Monza"), 0));
    QTest::keyClick(window->sessionsView(), Qt::Key_Return);
    EXPECT_EQ(opened, std::vector<std::string>{dir.filePath("race1.DAT").toStdString()});
}

TEST_F(ArchiveWindowTest, CheckFilesAsksBeforeDroppingSessionsWithoutAFile) {
    QFile::remove(dir.filePath("race3.DAT"));
    fakes.messages.answers = {MessageBox::No};
    window->checkFiles();
    EXPECT_EQ(index->sessionCount().value(), 3);
    fakes.messages.answers = {MessageBox::Yes};
    window->checkFiles();
    EXPECT_NE(fakes.messages.shown.back().text.find("2 session(s) have no file left"),
              std::string::npos);
    EXPECT_EQ(index->sessionCount().value(), 1);
    EXPECT_EQ(window->sessionsModel()->rowCount(), 1);
}

TEST_F(ArchiveWindowTest, FileArchiveOpensOneWindowAndASavedSessionJoinsTheIndex) {
    load();
    desk->setArchive(index.get());
    QAction* item = nullptr;
    for (QAction* a : desk->findChildren<QAction*>())
        if (a->text() == "Arc&hive...") item = a;
    ASSERT_NE(item, nullptr);
    item->trigger();
    item->trigger();
    ASSERT_NE(desk->archiveWindow(), nullptr);
    EXPECT_EQ(desk->mdiArea()->subWindowList().size(), 1);

    Session& s = session();
    s.ResetSession();
    s.LapTimes[1] = 7000;
    desk->noteSessionFile(dir.filePath("saved.DAT"));
    EXPECT_EQ(index->sessionCount().value(), 3);  // not yet: after the command
    QCoreApplication::processEvents();
    EXPECT_EQ(index->sessionCount().value(), 4);
    EXPECT_EQ(desk->archiveWindow()->sessionsModel()->rowCount(), 4);

    index->db().close();
    s.LapTimes[1] = 7001;
    desk->noteSessionFile(dir.filePath("saved.DAT"));
    QCoreApplication::processEvents();
    EXPECT_TRUE(desk->statusText().startsWith("The archive could not note"));
}

TEST_F(MainWindowFixture, ASetAsideArchiveComesBackFromTheDownloadCopiesAndTheNextDownloadJoins) {
    QTemporaryDir dir;
    QtFileSystem disk;
    Platform p = fakes.interfaces();
    p.files = &disk;
    fakes.folder.folder = dir.path().toStdString();
    installPlatform(p);
    session().ResetSession();
    session().LapTimes[1] = 7000;
    QDir().mkpath(dir.filePath("downloads"));
    ASSERT_EQ(
        Data_FileCopy(dir.filePath("downloads/2026-01-10 12-00-00.DAT").toStdString(), nullptr), 0);
    {
        QFile junk(dir.filePath("club.db"));
        ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
        junk.write(QByteArray(8192, 'Z'));
    }
    ClubDatabase club(dir.path());
    ASSERT_TRUE(club.setAside());
    ArchiveIndex index(club.connectionName());
    load();
    desk->setArchive(&index);
    QSignalSpy rebuilt(desk.get(), &frmDesktop::archiveRebuilt);
    desk->rebuildArchiveIfEmpty();
    ASSERT_TRUE(rebuilt.wait(60000));
    EXPECT_EQ(index.sessionCount().value(), 1);
    EXPECT_TRUE(desk->statusText().contains("rebuilt from the download copies"));

    // The next download joins it with its copy.
    session().LapTimes[2] = 7100;
    desk->copyDownload();
    QCoreApplication::processEvents();
    EXPECT_EQ(index.sessionCount().value(), 2);
    EXPECT_EQ(index.fileCount().value(), 2);
    desk.reset();
}

TEST_F(ArchiveWindowTest, ASearchOfAThousandWordsRuns) {
    QStringList words;
    for (int i = 0; i < 1000; ++i) words << QString("w%1").arg(i);
    window->searchBox()->setText(words.join(' '));
    EXPECT_EQ(window->sessionsModel()->rowCount(), 0);
    EXPECT_TRUE(window->searchError()->text().isEmpty())
        << window->searchError()->text().toStdString();
    words.fill("anna");
    window->searchBox()->setText(words.join(' '));
    EXPECT_EQ(window->sessionsModel()->rowCount(), 2);
    // A search that cannot run says why.
    index->db().close();
    window->searchBox()->setText("anna");
    EXPECT_TRUE(window->searchError()->text().startsWith("The search could not be run: "));
}
