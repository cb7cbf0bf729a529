// A season of 50 rounds, 30 drivers each, drawn from 200 names: rebuilds the
// standings from the issued rounds, with the championship read from a club
// database in a temporary folder, and times issuing a session; prints the
// median times. The goals are 20 ms for a rebuild and 50 ms for an issue.

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <vector>

#include "bench/BenchApp.h"
#include "bench/IssueBench.h"
#include "season/Standings.h"
#include "store/ArchiveIndex.h"
#include "store/ChampionshipStore.h"
#include "store/ClubDatabase.h"

using namespace orvex;

namespace {

constexpr int kRounds = 50, kPerRound = 30, kNames = 200;

class SeasonIssues : public IssuedRounds {
public:
    std::optional<Round> round(std::int64_t lapHash) override {
        const auto it = rounds.find(lapHash);
        if (it == rounds.end()) return std::nullopt;
        return it->second;
    }
    std::map<std::int64_t, Round> rounds;
};

Round makeRound(int r) {
    Round round;
    round.lapHash = 1000 + r;
    round.firstSeen = 1'700'000'000 + r * 86400;
    round.title = "Round " + std::to_string(r + 1);
    round.state = {IssueKind::Official, 1, round.firstSeen};
    for (int d = 0; d < kPerRound; ++d) {
        RoundDriver driver;
        const int who = (r * 37 + d * 53) % kNames;
        // Every spelling the matching must fold.
        driver.name = (who % 3 == 0 ? "  DRIVER  " : "Driver ") + std::to_string(who);
        driver.number = d + 1;
        driver.pos = d + 1;
        driver.laps = 20 - d % 3;
        driver.best = 4500 + (who * 13 + r) % 300;
        driver.dsq = d == 29 && r % 5 == 0;
        round.drivers.push_back(std::move(driver));
    }
    return round;
}

// Issuing a full session into a club database of its own: the median in
// milliseconds, negative when an issue could not be written.
double timeIssueSession() {
    QTemporaryDir dir;
    return benchIssueSession(dir.path());
}

}  // namespace

int main(int argc, char** argv) {
    BenchApp app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 50;

    QTemporaryDir dir;
    ClubDatabase club(dir.path());
    if (!club.isOpen()) {
        std::fprintf(stderr, "no club database\n");
        return 1;
    }
    ArchiveIndex archive(club.connectionName());
    ChampionshipStore store(club.connectionName());
    SeasonIssues issues;
    std::vector<ArchiveIndex::Seen> seen;
    std::vector<Round> rounds;
    for (int r = 0; r < kRounds; ++r) {
        rounds.push_back(makeRound(r));
        issues.rounds[rounds.back().lapHash] = rounds.back();
        ArchiveIndex::Seen s;
        s.entry.id = rounds.back().lapHash;
        s.entry.date = "01/01/26";
        s.entry.track = "Track";
        s.entry.trackKey = "track";
        s.path = QString("/season/%1.DAT").arg(r);
        s.written = QDateTime::fromSecsSinceEpoch(rounds.back().firstSeen);
        seen.push_back(std::move(s));
    }
    const auto id = store.create("Bench Cup");
    if (!archive.add(seen).isOk() || !id.isOk()) {
        std::fprintf(stderr, "the season could not be stored\n");
        return 1;
    }
    for (const Round& r : rounds)
        if (!store.addRound(id.value(), r.lapHash).isOk()) return 1;
    ChampionshipRules rules{3, 10};
    PointsTable points;
    points.fastestLap = 1;
    points.takingPart = 1;
    if (!store.setRules(id.value(), rules).isOk() || !store.setPoints(id.value(), points).isOk())
        return 1;

    std::vector<double> logic, withStore;
    QElapsedTimer timer;
    std::size_t rows = 0;
    for (int i = 0; i < runs; ++i) {
        timer.restart();
        const Standings s = buildStandings("Bench Cup", points, rules, rounds);
        logic.push_back(timer.nsecsElapsed() / 1e6);
        timer.restart();
        const auto stored = store.standings(id.value(), &issues);
        withStore.push_back(timer.nsecsElapsed() / 1e6);
        rows = stored.isOk() ? stored->rows.size() : 0;
        if (s.rows.size() != rows) return 1;
    }
    std::printf(
        "season of %d rounds x %d drivers, %zu names: standings rebuilt median %.3f ms, "
        "read from the club database and rebuilt median %.3f ms (goal 20 ms)\n",
        kRounds, kPerRound, rows, median(logic), median(withStore));

    const double issue = timeIssueSession();
    if (issue < 0) {
        std::fprintf(stderr, "a session could not be issued\n");
        return 1;
    }
    std::printf("issue a session (30 drivers, 25 laps): median %.3f ms (goal 50 ms)\n", issue);
    return 0;
}
