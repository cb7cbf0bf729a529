#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QMdiArea>
#include <QProcess>
#include <QSpinBox>
#include <QStandardItemModel>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <map>

#include "archive/ArchiveEntry.h"
#include "commands/RaceCommands.h"
#include "fakes/MainWindowFixture.h"
#include "session/DataFile.h"
#include "store/ArchiveIndex.h"
#include "store/ClubDatabase.h"
#include "store/IssueStore.h"
#include "ui/season/StandingsPainter.h"
#include "ui/season/frmChampionship.h"

using namespace orvex;

namespace {

class FakeIssues : public IssuedRounds {
public:
    std::optional<Round> round(std::int64_t lapHash) override {
        const auto it = rounds.find(lapHash);
        if (it == rounds.end()) return std::nullopt;
        return it->second;
    }
    std::map<std::int64_t, Round> rounds;
};

// Three issued sessions, each won by another of three drivers; the third has
// a result without a name.
class ChampionshipWindowTest : public MainWindowFixture {
protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        club = std::make_unique<ClubDatabase>(dir.path());
        ASSERT_TRUE(club->isOpen());
        archive = std::make_unique<ArchiveIndex>(club->connectionName());
        store = std::make_unique<ChampionshipStore>(club->connectionName());
        const std::vector<std::string> names = {"Anna", "Bea", "Cy"};
        for (int r = 0; r < 3; ++r) {
            ArchiveIndex::Seen s;
            s.entry.id = 100 + r;
            s.entry.date = "0" + std::to_string(r + 1) + "/12/26";
            s.entry.track = "Ring";
            s.entry.trackKey = "ring";
            s.path = QString("/r/%1.DAT").arg(r);
            s.written = QDateTime(QDate(2026, 12, r + 1), QTime(10, 0));
            ASSERT_TRUE(archive->add({s}).isOk());
            Round round;
            round.state = {IssueKind::Official, 1, 0};
            for (int d = 0; d < 3; ++d)
                round.drivers.push_back({names[std::size_t((r + d) % 3)], d + 1, d + 1, false, 10,
                                         std::int64_t(3000 + d)});
            if (r == 2) round.drivers.push_back({"", 9, 4, false, 10, 3100});
            issues.rounds[100 + r] = round;
        }
        area.resize(900, 600);
        window = frmChampionship::Load(&area, *store, *archive, &issues);
    }
    void TearDown() override {
        delete window;
        MainWindowFixture::TearDown();
    }

    QString cell(int row, int column) {
        auto* m = window->standingsModel();
        return m->data(m->index(row, column)).toString();
    }
    std::string pdfText(const std::string& path) {
        QTemporaryFile pdf;
        EXPECT_TRUE(pdf.open());
        const std::string& bytes = fakes.files.files[path];
        pdf.write(bytes.data(), qint64(bytes.size()));
        pdf.close();
        QProcess run;
        run.start(QStandardPaths::findExecutable("pdftotext"), {pdf.fileName(), "-"});
        EXPECT_TRUE(run.waitForFinished(60000));
        return run.readAllStandardOutput().toStdString();
    }

    QTemporaryDir dir;
    std::unique_ptr<ClubDatabase> club;
    std::unique_ptr<ArchiveIndex> archive;
    std::unique_ptr<ChampionshipStore> store;
    FakeIssues issues;
    QMdiArea area;
    frmChampionship* window = nullptr;
};

}  // namespace

TEST_F(ChampionshipWindowTest, StandingsFollowTheIssuesAndTheRules) {
    EXPECT_EQ(window->hintLabel()->text(), "No championship yet: make one with New.");
    window->createChampionship("Demo Cup");
    ASSERT_EQ(window->championshipList()->count(), 1);
    EXPECT_EQ(window->standingsModel()->columnCount(), 4);  // Pos, Name, Points, Wins
    EXPECT_EQ(window->standingsModel()->rowCount(), 0);
    EXPECT_EQ(window->hintLabel()->text(), "No rounds yet: add issued sessions on the Rounds tab.");

    window->addRounds({102, 100, 101});
    ASSERT_EQ(window->standingsModel()->rowCount(), 3);
    EXPECT_EQ(window->standingsModel()->columnCount(), 7);
    EXPECT_EQ(window->stateLabel()->text(), "Official");
    EXPECT_TRUE(window->hintLabel()->text().isEmpty());
    // 25 18 15: every driver won once, came 2nd once and 3rd once; Cy won the latest.
    for (int row = 0; row < 3; ++row) EXPECT_EQ(cell(row, 2), "58");
    EXPECT_EQ(cell(0, 1), "Cy");
    EXPECT_EQ(cell(0, 0), "1");
    EXPECT_EQ(cell(0, 6), "1");
    QTableWidget* rounds = window->roundsTable();
    ASSERT_EQ(rounds->rowCount(), 3);
    EXPECT_EQ(rounds->item(0, 1)->text(), "01/12/26 Ring");  // by date
    EXPECT_EQ(rounds->item(2, 2)->text(), "Official (issue 1)");
    EXPECT_EQ(rounds->item(2, 3)->text(), "1");

    // A correction in round 2 makes the standings provisional until it is issued again.
    issues.rounds[101].state = {IssueKind::Changed, 1, 0};
    window->refresh();
    EXPECT_EQ(window->stateLabel()->text(), "Provisional");
    EXPECT_EQ(rounds->item(1, 2)->text(), "Changed since issue 1");
    issues.rounds[101].state = {IssueKind::Official, 2, 0};
    window->refresh();
    EXPECT_EQ(window->stateLabel()->text(), "Official");

    // A bad points table is refused beside its box and nothing is written.
    window->pointsBox()->setEditText("10 x 5");
    window->applyPoints();
    EXPECT_EQ(window->pointsError()->text(),
              "Entry 2 of the points table (\"x\") is not a whole number.");
    EXPECT_EQ(store->championship(*window->current())->points.perPosition.size(), 10u);
    window->pointsBox()->setEditText("3 2 1");
    window->dropWorstBox()->setValue(1);
    window->applyPoints();
    EXPECT_TRUE(window->pointsError()->text().isEmpty());
    EXPECT_EQ(cell(0, 2), "5");  // 3 + 2, the 1 in brackets
    EXPECT_EQ(window->standings().rows[0].dropped.size(), 3u);

    window->removeRound(0);
    EXPECT_EQ(rounds->rowCount(), 2);

    // Deleting asks first; No keeps it.
    window->deleteChampionship();
    EXPECT_EQ(window->championshipList()->count(), 1);
    fakes.messages.answers.push_back(MessageBox::Yes);
    window->deleteChampionship();
    EXPECT_EQ(window->championshipList()->count(), 0);
    EXPECT_EQ(fakes.messages.shown.size(), 2u);
}

TEST_F(ChampionshipWindowTest, CsvAndPdfSayTheStateAndPagesRepeatTheNames) {
    window->createChampionship("Demo Cup");
    window->addRounds({100, 101, 102});
    ASSERT_TRUE(window->writeCsv("/orvex/s.csv").isOk());
    const std::string csv = fakes.files.files["/orvex/s.csv"];
    EXPECT_EQ(csv.substr(0, 3), "\xEF\xBB\xBF");
    EXPECT_EQ(csv.substr(3, csv.find('\n') - 2),
              "Pos,Name,Points,01/12/26 Ring,02/12/26 Ring,03/12/26 "
              "Ring,Wins,Status\r\n");
    EXPECT_NE(csv.find("1,Cy,58,15,18,25,1,Official\r\n"), std::string::npos);

    ASSERT_TRUE(window->writePdf("/orvex/s.pdf").isOk());
    const std::string text = pdfText("/orvex/s.pdf");
    EXPECT_NE(text.find("Standings: Official"), std::string::npos) << text;
    EXPECT_NE(text.find("Cy"), std::string::npos);

    // Thirty rounds: landscape, and the rounds that do not fit go on.
    Standings many = window->standings();
    many.roundTitles.resize(30, "Round");
    for (auto& row : many.rows) {
        row.rounds.resize(30, 1);
        row.dropped.resize(30, false);
    }
    const auto plan = StandingsPainter::plan(many);
    EXPECT_TRUE(plan.landscape);
    ASSERT_EQ(plan.roundSpans.size(), 3u);
    EXPECT_EQ(plan.roundSpans[1].first, plan.roundSpans[0].second);
    EXPECT_EQ(plan.roundSpans[2].second, 30u);
    EXPECT_FALSE(StandingsPainter::plan(window->standings()).landscape);
}

TEST_F(ChampionshipWindowTest, TheRaceMenuOpensOneWindowOnlyWithTheClubDatabase) {
    load(false);
    desk->setArchive(archive.get());
    desk->showChampionship();
    EXPECT_EQ(desk->championshipWindow(), nullptr);
    ASSERT_EQ(fakes.messages.shown.size(), 1u);
    desk->setChampionships(store.get());
    desk->showChampionship();
    frmChampionship* opened = desk->championshipWindow();
    ASSERT_NE(opened, nullptr);
    EXPECT_EQ(opened->windowTitle(), "Championship");
    desk->showChampionship();
    EXPECT_EQ(desk->championshipWindow(), opened);
}

// Through the main window on the real stores: three sessions opened and
// issued, a championship of them, a correction that makes it Provisional
// while the window is open, and the re-issue that makes it Official again.
TEST_F(ChampionshipWindowTest, IssuedSessionsMakeTheStandingsThroughTheMainWindow) {
    IssueStore issueStore(club->connectionName());
    StoredRounds stored(club->connectionName());
    load();
    desk->setArchive(archive.get());
    desk->setIssues(&issueStore);
    desk->setChampionships(store.get());
    desk->setIssuedRounds(&stored);
    Session& s = session();
    fakes.files.folders.insert("/r");
    std::vector<std::int64_t> keys;
    // Round r is won by Anna, Cy, Bea in turn, ranked by best lap.
    for (int r = 0; r < 3; ++r) {
        s.ResetSession();
        for (int d = 1; d <= 3; ++d)
            for (int lap = 1; lap <= 4; ++lap)
                s.LapTimes[lapSlot(d, lap)] = 5000 + 100 * ((d - 1 + r) % 3) + lap + r;
        s.DriverNames[1] = "Anna";
        s.DriverNames[2] = r == 1 ? "BEA" : "Bea";  // one driver, case ignored
        s.DriverNames[3] = "Cy";
        const std::string path = "/r/Race" + std::to_string(r + 1) + ".DAT";
        ASSERT_TRUE(File_Write(path, nullptr));
        desk->openDataFile(QString::fromStdString(path));
        QCoreApplication::processEvents();  // the archive notes it
        fakes.messages.answers = {MessageBox::Yes};
        desk->issueResults();
        ASSERT_EQ(s.Issue.issue, 1);
        keys.push_back(static_cast<std::int64_t>(lapHash(s.LapTimes)));
    }
    desk->showChampionship();
    frmChampionship* f = desk->championshipWindow();
    ASSERT_NE(f, nullptr);
    f->createChampionship("Demo Cup");
    f->addRounds(keys);
    ASSERT_EQ(f->roundsTable()->rowCount(), 3);
    // Undated sessions are told apart by the minute they came.
    EXPECT_EQ(f->roundsTable()->item(0, 1)->text().size(), 16);
    ASSERT_EQ(f->standingsModel()->rowCount(), 3);
    EXPECT_EQ(f->stateLabel()->text(), "Official");
    for (int row = 0; row < 3; ++row) EXPECT_EQ(f->standings().rows[row].points, 58);

    // Cy is disqualified in round 2: Provisional, counting issue 1 until issued again.
    fakes.messages.answers = {MessageBox::No};  // the changes of round 3 are not saved
    desk->openDataFile("/r/Race2.DAT");
    ASSERT_EQ(s.Issue.issue, 1);
    ASSERT_TRUE(desk->raceCommands().setPenalty(3, {0, "jump start", true}));
    EXPECT_EQ(f->stateLabel()->text(), "Provisional");
    EXPECT_EQ(f->standings().rows[0].points, 58);
    fakes.messages.answers = {MessageBox::Yes};
    desk->issueResults();
    ASSERT_EQ(s.Issue.issue, 2);
    EXPECT_EQ(f->stateLabel()->text(), "Official");
    std::vector<std::pair<std::string, std::int64_t>> rows;
    for (const StandingsRow& row : f->standings().rows) rows.push_back({row.name, row.points});
    EXPECT_EQ(rows, (std::vector<std::pair<std::string, std::int64_t>>{
                        {"Anna", 65}, {"Bea", 61}, {"Cy", 33}}));
}
