#include <gtest/gtest.h>

#include <QLabel>
#include <QListWidget>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include "archive/ArchiveEntry.h"
#include "commands/RaceCommands.h"
#include "export/ResultsCsv.h"
#include "fakes/MainWindowFixture.h"
#include "season/Issue.h"
#include "session/DataFile.h"
#include "session/IssueMark.h"
#include "store/ClubDatabase.h"
#include "store/IssueStore.h"
#include "ui/results/frmResults.h"

using namespace orvex;

namespace {

// Drivers 1, 2 and 5 with four laps each, driver 1 named.
void fillRace(Session& s) {
    s.ResetSession();
    for (int driver : {1, 2, 5})
        for (int lap = 1; lap <= 4; ++lap)
            s.LapTimes[lapSlot(driver, lap)] = 5000 + 10 * driver + lap;
    s.DriverNames[1] = "Anna";
    s.FileState = FileState::Saved;
}

std::int64_t keyOf(const Session& s) { return static_cast<std::int64_t>(lapHash(s.LapTimes)); }

class IssueTest : public ::testing::Test {
protected:
    FakePlatform fakes;
    QTemporaryDir dir;
    std::unique_ptr<ClubDatabase> club = std::make_unique<ClubDatabase>(dir.path());
    IssueStore store{club->connectionName()};
    Session& s = session();
    RaceCommands commands{s};

    void SetUp() override { fillRace(s); }
    void TearDown() override { s = Session{}; }

    int issue(int after = 0) {
        const Result<IssueSnapshot> made = store.issue(keyOf(s), makeIssueSnapshot(s), after);
        EXPECT_TRUE(made.isOk()) << made.status().detail();
        if (!made.isOk()) return 0;
        s.Issue = {made->number, made->hash, made->issuedAt};
        return made->number;
    }
    void exec(const char* sql) {
        QSqlQuery q(QSqlDatabase::database(club->connectionName()));
        ASSERT_TRUE(q.exec(sql)) << sql;
    }
};

}  // namespace

TEST_F(IssueTest, IssueChangeUndoAndReissueTellTheStateAndTheHistoryInWords) {
    EXPECT_EQ(issueStatusText(s), "Provisional");
    ASSERT_EQ(issue(), 1);
    EXPECT_EQ(issueState(s).kind, IssueKind::Official);
    EXPECT_EQ(issueStatusText(s), "Official (issue 1)");

    ASSERT_TRUE(commands.setPenalty(5, {1000, "jump start", false}));
    EXPECT_EQ(issueStatusText(s), "Changed since issue 1");
    commands.stack().undo();
    EXPECT_EQ(issueStatusText(s), "Official (issue 1)");
    commands.stack().redo();
    ASSERT_TRUE(commands.markLap(1, 3, LapCorrection::Join));
    ASSERT_TRUE(commands.setRanking(RankMode::Race, 3));
    EXPECT_EQ(issueState(s), (IssueState{IssueKind::Changed, 1, s.Issue.issuedAt}));

    // The CSV's last column says it on every line.
    const std::string csv = ResultsCsv(s, ".");
    EXPECT_NE(csv.find(",Status\r\n"), std::string::npos) << csv;
    EXPECT_NE(csv.find(",Changed since issue 1\r\n"), std::string::npos) << csv;

    ASSERT_EQ(issue(), 2);
    EXPECT_EQ(issueStatusText(s), "Official (issue 2)");
    ASSERT_TRUE(commands.setNames([&] {
        DriverNameList n = s.DriverNames;
        n[2] = "Bruno";
        return n;
    }()));
    ASSERT_EQ(issue(), 3);

    const Result<IssueStore::History> h = store.history(keyOf(s));
    ASSERT_TRUE(h.isOk());
    ASSERT_EQ(h->issues.size(), 3u);
    EXPECT_TRUE(h->damaged.empty());
    EXPECT_EQ(issueChanges(nullptr, h->issues[0]), std::vector<std::string>{"Ranking: Best lap"});
    EXPECT_EQ(issueChanges(&h->issues[0], h->issues[1]),
              (std::vector<std::string>{"No. 5: penalty 10 s (jump start)",
                                        "No. 1: lap 3 joined with lap 4", "Ranking: Race"}));
    EXPECT_EQ(issueChanges(&h->issues[1], h->issues[2]),
              std::vector<std::string>{"No. 2: name Bruno"});
    // Earlier issues are kept as they were: the first still ranks by best lap.
    EXPECT_EQ(h->issues[0].corrections.mode, RankMode::BestLap);
    EXPECT_EQ(h->issues[2].lines.size(), 3u);
    EXPECT_EQ(h->issues[2].lines[0].figure.empty(), false);

    // A file that says issue 7 numbers the next one after it.
    EXPECT_EQ(issue(7), 8);
}

TEST_F(IssueTest, AVersion4DatabaseGetsTheIssuesAndADamagedRecordIsReportedAndSkipped) {
    for (const char* table : {"issue", "issue_seen", "championship_round", "championship"})
        exec(("DROP TABLE " + std::string(table)).c_str());
    exec("PRAGMA user_version = 4");
    club.reset();
    club = std::make_unique<ClubDatabase>(dir.path());
    ASSERT_TRUE(club->isOpen()) << club->notice().toStdString();
    EXPECT_EQ(club->schemaVersion(), 5);
    store = IssueStore(club->connectionName());

    ASSERT_EQ(issue(), 1);
    ASSERT_TRUE(commands.setPenalty(1, {0, "false start", true}));
    ASSERT_EQ(issue(), 2);
    exec("UPDATE issue SET lines = 'not a line' WHERE number = 2");

    const Result<IssueStore::History> h = store.history(keyOf(s));
    ASSERT_TRUE(h.isOk());
    EXPECT_EQ(h->damaged, std::vector<int>{2});
    ASSERT_EQ(h->issues.size(), 1u);
    EXPECT_EQ(store.last(keyOf(s)).value()->number, 1);

    // The standings count the last issue that reads, and see the session changed.
    StoredRounds rounds(club->connectionName());
    std::optional<Round> r = rounds.round(keyOf(s));
    ASSERT_TRUE(r);
    EXPECT_EQ(r->state.issue, 1);
    // The session as last seen is issue 2's, which issue 1 does not match.
    EXPECT_EQ(r->state.kind, IssueKind::Changed);
    EXPECT_TRUE(r->missing);  // the archive does not hold the session
    ASSERT_EQ(r->drivers.size(), 3u);
    EXPECT_EQ(r->drivers[0].name, "Anna");
    EXPECT_FALSE(r->drivers[0].dsq);
    commands.stack().undo();
    ASSERT_TRUE(store.noteCurrent(keyOf(s), issueHash(s)).isOk());
    EXPECT_EQ(rounds.round(keyOf(s))->state.kind, IssueKind::Official);
    EXPECT_FALSE(rounds.round(keyOf(s) + 1));
}

TEST_F(IssueTest, TheFileKeepsTheLastIssueAndAFileWithoutOneKeepsItsBytes) {
    fakes.files.folders.insert("/data");
    ASSERT_TRUE(File_Write("/data/Race.DAT", nullptr));
    const std::string plain = fakes.files.files["/data/Race.DAT"];
    EXPECT_EQ(plain.find("issue"), std::string::npos);

    s.Issue = {3, issueHash(s), 1700000000};
    ASSERT_TRUE(File_Write("/data/Race.DAT", nullptr));
    const std::string issued = fakes.files.files["/data/Race.DAT"];
    Session read;
    read.ResetSession();
    ASSERT_EQ(File_Read("/data/Race.DAT", read), FileRead::Whole);
    EXPECT_EQ(read.Issue, (IssueMark{3, issueHash(s), 0}));  // the time is the database's
    EXPECT_EQ(read.FileState, FileState::Saved);
    EXPECT_EQ(issueStatusText(read), "Official (issue 3)");

    // A download copy is no save of the user's: it is written without it.
    ASSERT_EQ(Data_FileCopy("/data/Copy.DAT", nullptr), 0);
    EXPECT_EQ(fakes.files.files["/data/Copy.DAT"], plain);
    EXPECT_EQ(s.Issue.issue, 3);

    // Without the issue the file is byte for byte the one before it.
    s.Issue = {};
    ASSERT_TRUE(File_Write("/data/Race.DAT", nullptr));
    EXPECT_EQ(fakes.files.files["/data/Race.DAT"], plain);
    EXPECT_NE(issued, plain);

    // A damaged section is told like any other, and costs only the status.
    s.KeptSections = {{kIssueTag, kIssueSectionVersion, "3\tx\n"}};
    ASSERT_TRUE(File_Write("/data/Race.DAT", nullptr));
    Session damaged;
    damaged.ResetSession();
    EXPECT_EQ(File_Read("/data/Race.DAT", damaged), FileRead::Damaged);
    EXPECT_EQ(damaged.Issue, IssueMark{});
    EXPECT_EQ(damaged.LapTimes, s.LapTimes);
    EXPECT_EQ(fakes.messages.shown.size(), 1u);

    IssueMark m;
    EXPECT_FALSE(decodeIssueMark("3\tx\n", 1, m));
    EXPECT_FALSE(decodeIssueMark("3\t7\n", 2, m));
    EXPECT_EQ(m, IssueMark{});
}

TEST_F(MainWindowFixture, IssuingAsksRecordsAndTheClubDatabaseWinsOverTheFile) {
    QTemporaryDir dir;
    ClubDatabase club(dir.path());
    IssueStore store(club.connectionName());
    load();
    desk->setIssues(&store);
    Session& s = session();
    s.ResetSession();
    s.FileState = FileState::Saved;
    desk->issueResults();
    EXPECT_EQ(fakes.messages.texts(),
              std::vector<std::string>{"A session without laps has no results to issue."});
    fakes.messages.shown.clear();

    fillRace(s);
    desk->issueResults();  // answered No
    EXPECT_EQ(s.Issue.issue, 0);
    fakes.messages.answers = {MessageBox::Yes};
    desk->issueResults();
    EXPECT_EQ(fakes.messages.texts().back(), "Issue the results of New as official?");
    EXPECT_EQ(s.Issue.issue, 1);
    EXPECT_EQ(s.FileState, FileState::Modified);
    frmResults* f = desk->showResultsWindow();
    EXPECT_TRUE(f->issueLabel()->text().startsWith("Official (issue 1, "))
        << f->issueLabel()->text().toStdString();
    EXPECT_EQ(f->history()->count(), 2);  // the issue and its ranking

    // A file from elsewhere said issue 4: the database's issue 1 wins.
    s.Issue = {4, 99, 0};
    s.FileState = FileState::Saved;
    desk->syncIssue();
    EXPECT_EQ(desk->statusText(), "Issue 4 in the file, 1 in the club database");
    EXPECT_EQ(s.Issue.issue, 1);
    EXPECT_EQ(s.FileState, FileState::Saved);
    desk->raceCommands().setPenalty(2, {500, "", false});
    EXPECT_EQ(f->issueLabel()->text(), "Changed since issue 1");
}
