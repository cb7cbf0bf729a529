#include <gtest/gtest.h>

#include <QAction>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>

#include "archive/ArchiveEntry.h"
#include "commands/RaceCommands.h"
#include "fakes/MainWindowFixture.h"
#include "store/ArchiveIndex.h"
#include "store/ChampionshipStore.h"
#include "store/ClubDatabase.h"
#include "store/IssueStore.h"
#include "ui/publish/Publishing.h"
#include "ui/publish/frmPublish.h"
#include "ui/publish/frmScoreboard.h"

using namespace orvex;

namespace {

PublishedSession drivers(int count) {
    std::vector<std::int32_t> t(kLapSlots + 1, 0);
    for (int d = 1; d <= count; ++d) t[lapSlot(d, 1)] = 5000 + d;
    PublishedSession p;
    p.present = true;
    p.track = "Pista Sud";
    p.results = makeResults(t, RaceCorrections{});
    for (DriverResult& r : p.results.rows) r.name = std::string(40, 'W');
    return p;
}

Standings cup() {
    Standings s;
    s.championship = "Cup";
    s.rows.resize(5);
    for (int i = 0; i < 5; ++i) s.rows[i].pos = i + 1;
    return s;
}

}  // namespace

TEST(Scoreboard, RowsFollowTheWindowAndPagesTurnEveryEightSeconds) {
    QStandardPaths::setTestModeEnabled(true);
    std::optional<Standings> standings;
    frmScoreboard board([] { return drivers(30); },
                        [&standings](const std::string&) { return standings; },
                        [] { return std::vector<std::string>{"Cup"}; });
    qint64 now = 0;
    board.setClock([&now] { return now; });
    board.resize(1920, 1080);
    EXPECT_GE(board.rowHeight() * 25, 1080);
    EXPECT_EQ(board.rowsPerPage(), 17);
    EXPECT_EQ(board.pageText(), "page 1 of 2");
    board.resize(640, 360);
    EXPECT_GE(board.rowHeight() * 25, 360);
    EXPECT_EQ(board.rowsPerPage(), 10);
    EXPECT_EQ(board.pageCount(), 3);

    board.resize(1920, 1080);
    now = 7999;
    board.tick();
    EXPECT_EQ(board.page(), 0);
    now = 8000;
    board.tick();
    EXPECT_EQ(board.pageText(), "page 2 of 2");
    board.grab();  // paints the second page's rows
    now = 16000;
    board.tick();
    EXPECT_EQ(board.page(), 0);

    // The chosen championship's standings are one more page.
    standings = cup();
    board.setChampionship("Cup");
    EXPECT_EQ(board.pageCount(), 3);
    now = 32000;
    board.tick();
    board.tick();
    board.grab();
}

TEST(Scoreboard, F11AndDoubleClickToggleFullScreenEscapeLeavesIt) {
    QStandardPaths::setTestModeEnabled(true);
    frmScoreboard board([] { return PublishedSession{}; }, {}, {});
    board.show();
    QTest::keyClick(&board, Qt::Key_F11);
    EXPECT_TRUE(board.windowState() & Qt::WindowFullScreen);
    QTest::keyClick(&board, Qt::Key_Escape);
    EXPECT_FALSE(board.windowState() & Qt::WindowFullScreen);
    QTest::mouseDClick(&board, Qt::LeftButton);
    EXPECT_TRUE(board.windowState() & Qt::WindowFullScreen);
    board.grab();  // "No session"
}

class ScoreboardWindowTest : public MainWindowFixture {};

TEST_F(ScoreboardWindowTest, ScoreboardAndServedPagesFollowACorrectionAtOnce) {
    QStandardPaths::setTestModeEnabled(true);
    Session& s = session();
    s.ResetSession();
    s.FileState = FileState::Saved;
    s.LapTimes[lapSlot(2, 1)] = 5000;
    s.LapTimes[lapSlot(3, 1)] = 5100;
    load();
    QAction* item = nullptr;
    for (QAction* a : desk->findChildren<QAction*>())
        if (a->text() == "Score&board") item = a;
    ASSERT_NE(item, nullptr);
    item->trigger();
    frmScoreboard* board = desk->publishing().scoreboard();
    ASSERT_NE(board, nullptr);
    EXPECT_TRUE(board->isWindow());
    EXPECT_EQ(board->windowTitle(), "Scoreboard");
    EXPECT_EQ(board->shown().results.rows.at(0).driver, 2);
    QTcpServer probe;  // a free port
    probe.listen(QHostAddress::LocalHost, 0);
    const quint16 port = probe.serverPort();
    probe.close();
    ASSERT_TRUE(desk->publishing().start(port, QHostAddress::LocalHost).isEmpty());

    desk->raceCommands().disqualify(2, true);
    EXPECT_EQ(board->shown().results.rows.at(0).driver, 3);
    const QByteArray json = desk->publishing().server().pages()->resultsJson;
    EXPECT_TRUE(json.contains("{\"pos\": 1, \"number\": 3,")) << json.toStdString();

    // The dialog refuses a reserved port and starts nothing.
    desk->publishing().stop();
    desk->showPublishDialog();
    auto* dialog = desk->findChild<frmPublish*>();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->windowTitle(), "Publish on network");
    EXPECT_EQ(dialog->portBox()->value(), 8080);
    dialog->portBox()->setValue(80);
    dialog->startButton()->click();
    ASSERT_EQ(fakes.messages.texts().size(), 1u);
    EXPECT_NE(fakes.messages.texts()[0].find("1024"), std::string::npos);
    EXPECT_FALSE(desk->publishing().server().running());
    EXPECT_TRUE(dialog->startButton()->isEnabled());
    EXPECT_FALSE(dialog->stopButton()->isEnabled());

    // It remembers its place for the next one.
    board->setGeometry(40, 50, 800, 500);
    board->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(desk->publishing().scoreboard(), nullptr);
    EXPECT_TRUE(QSettings("ORVEX", "ORVEX").contains("Scoreboard/geometry"));
}

// The main window's seams: the served pages read the issue state and the
// standings from the club database the program opens.
TEST_F(ScoreboardWindowTest, ServedPagesTellTheIssueAndTheChosenStandings) {
    QStandardPaths::setTestModeEnabled(true);
    Session& s = session();
    s.ResetSession();
    s.FileState = FileState::Saved;
    s.LapTimes[lapSlot(2, 1)] = 5000;
    s.LapTimes[lapSlot(3, 1)] = 5100;
    s.DriverNames[2] = "Anna Rossi";
    s.DriverNames[3] = "Bruno";
    QTemporaryDir dir;
    ClubDatabase club(dir.path());
    ASSERT_TRUE(club.isOpen());
    IssueStore issues(club.connectionName());
    ChampionshipStore championships(club.connectionName());
    StoredRounds rounds(club.connectionName());
    const auto key = static_cast<std::int64_t>(lapHash(s.LapTimes));
    ArchiveIndex::Seen seen;
    seen.entry.id = key;
    seen.entry.date = "07/12/26";
    seen.entry.track = "Ring";
    seen.path = "/races/a.DAT";
    seen.written = QDateTime(QDate(2026, 12, 7), QTime(10, 0));
    ASSERT_TRUE(ArchiveIndex(club.connectionName()).add({seen}).isOk());
    const auto cup = championships.create("Cup");
    ASSERT_TRUE(cup.isOk());
    ASSERT_TRUE(championships.addRound(cup.value(), key).isOk());

    load();
    desk->setIssues(&issues);
    desk->setChampionships(&championships);
    desk->setIssuedRounds(&rounds);
    Publishing& publishing = desk->publishing();
    EXPECT_EQ(publishing.championships(), std::vector<std::string>{"Cup"});
    publishing.setChampionship("Cup");
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    const quint16 port = probe.serverPort();
    probe.close();
    ASSERT_TRUE(publishing.start(port, QHostAddress::LocalHost).isEmpty());
    const auto json = [&] { return publishing.server().pages()->resultsJson.toStdString(); };
    const auto standings = [&] { return publishing.server().pages()->standingsJson.toStdString(); };
    EXPECT_NE(json().find("\"state\": \"Provisional\", \"issue\": null"), std::string::npos);
    // Not issued yet: the round counts for no one.
    EXPECT_EQ(standings().find("Anna Rossi"), std::string::npos) << standings();

    fakes.messages.answers = {MessageBox::Yes};
    desk->issueResults();
    ASSERT_EQ(s.Issue.issue, 1);
    EXPECT_NE(json().find("\"state\": \"Official\", \"issue\": 1,"), std::string::npos) << json();
    EXPECT_NE(publishing.server().pages()->resultsPage.indexOf("Official (issue 1)"), -1);
    EXPECT_NE(standings().find("{\"pos\": 1, \"name\": \"Anna Rossi\""), std::string::npos)
        << standings();

    desk->raceCommands().setPenalty(2, {500, "", false});
    EXPECT_NE(json().find("\"state\": \"Changed\", \"issue\": 1,"), std::string::npos) << json();
    EXPECT_NE(publishing.server().pages()->resultsPage.indexOf("Changed since issue 1"), -1);
}
