#include <gtest/gtest.h>

#include "season/Standings.h"

using namespace orvex;

namespace {

RoundDriver driver(const std::string& name, int pos, std::int64_t best, int laps = 10,
                   bool dsq = false) {
    RoundDriver d;
    d.name = name;
    d.pos = pos;
    d.best = best;
    d.laps = laps;
    d.dsq = dsq;
    return d;
}

Round round(std::int64_t firstSeen, std::vector<RoundDriver> drivers,
            IssueKind kind = IssueKind::Official) {
    Round r;
    r.lapHash = firstSeen * 7;
    r.title = "R";
    r.title += std::to_string(firstSeen / 100);
    r.firstSeen = firstSeen;
    r.state.kind = kind;
    r.state.issue = 1;
    r.drivers = std::move(drivers);
    return r;
}

// Three rounds, handed over out of order. Points 10 6 4, fastest lap 2,
// taking part 1.
//   R1: Anna 1st 10+1 = 11, Bruno 2nd with the best lap 6+1+2 = 9 (tied by
//       an unnamed result, which scores nothing), Carla 3rd 4+1 = 5.
//   R2: Bruno 1st 10+1+2 = 13, Anna 2nd tying the best lap 6+1+2 = 9, Carla
//       disqualified with the fastest lap of all: 0, and her lap is not the best.
//   R3: Anna 1st with the best lap 13, Dario 2nd 7.
std::vector<Round> season() {
    return {round(200, {driver("  bruno  ", 1, 3000), driver("ANNA", 2, 3000),
                        driver("Carla", 3, 2900, 10, true)}),
            round(100, {driver("Anna", 1, 3000), driver("Bruno", 2, 2950), driver("Carla", 3, 3100),
                        driver("", 4, 2950)}),
            round(300, {driver("anna", 1, 3050), driver("Dario", 2, 3100, 9)})};
}

PointsTable table() {
    PointsTable p;
    p.perPosition = {10, 6, 4};
    p.fastestLap = 2;
    p.takingPart = 1;
    return p;
}

using Cells = std::vector<std::optional<std::int64_t>>;

}  // namespace

TEST(PointsList, ReadsValuesAndRefusesNamingTheEntry) {
    const auto f1 = parsePointsList("25 18 15 12 10 8 6 4 2 1");
    ASSERT_TRUE(f1.isOk());
    EXPECT_EQ(f1.value(), (std::vector<int>{25, 18, 15, 12, 10, 8, 6, 4, 2, 1}));
    EXPECT_EQ(pointsListText(f1.value()), "25 18 15 12 10 8 6 4 2 1");
    EXPECT_EQ(parsePointsList(" 10,8; 6\t0 ").value(), (std::vector<int>{10, 8, 6, 0}));
    EXPECT_TRUE(parsePointsList("").value().empty());

    EXPECT_EQ(parsePointsList("10 8 six 5").status().english(),
              "Entry 3 of the points table (\"six\") is not a whole number.");
    EXPECT_EQ(parsePointsList("10 -2").status().english(),
              "Entry 2 of the points table (\"-2\") is negative; points are 0 or more.");
    EXPECT_EQ(parsePointsList("10 8.5").status().english(),
              "Entry 2 of the points table (\"8.5\") is not a whole number.");
    std::string many;
    for (int i = 0; i < 101; ++i) many += std::to_string(101 - i) + " ";
    const auto tooMany = parsePointsList(many);
    ASSERT_FALSE(tooMany.isOk());
    EXPECT_EQ(tooMany.status().code(), StatusCode::Invalid);
    EXPECT_EQ(tooMany.status().english(),
              "The points table has more than 100 entries: entry 101 (\"1\") is one too many.");
    EXPECT_TRUE(parsePointsList(many.substr(0, many.size() - 2)).isOk());
}

TEST(Standings, NamesMatchIgnoringCaseAndBlanks) {
    EXPECT_EQ(driverKey("  Anna \t  ROSSI "), "anna rossi");
    EXPECT_EQ(driverKey("ÉLODIE Łukasz Ärger"), driverKey("élodie łukasz ärger"));
    EXPECT_EQ(driverKey("ЖАННА"), driverKey("жанна"));
    EXPECT_EQ(driverKey(" \t "), "");
    EXPECT_EQ(tidyName("  Anna   Rossi "), "Anna Rossi");
    // A byte that is not UTF-8 keeps a name of its own.
    EXPECT_NE(driverKey("Ren\xE9"), driverKey("Ren"));
}

TEST(Standings, PointsExtrasAndDisqualificationHandWorked) {
    const Standings s = buildStandings("Cup", table(), {}, season());
    EXPECT_EQ(s.roundTitles, (std::vector<std::string>{"R1", "R2", "R3"}));
    EXPECT_EQ(s.roundInfo[0].unnamed, 1);
    EXPECT_FALSE(s.provisional);
    ASSERT_EQ(s.rows.size(), 4u);
    EXPECT_EQ(s.rows[0].name, "anna");  // the latest spelling
    EXPECT_EQ(s.rows[0].points, 33);
    EXPECT_EQ(s.rows[0].rounds, (Cells{11, 9, 13}));
    EXPECT_EQ(s.rows[0].wins, 2);
    EXPECT_EQ(s.rows[1].name, "bruno");
    EXPECT_EQ(s.rows[1].points, 22);
    EXPECT_EQ(s.rows[1].rounds, (Cells{9, 13, std::nullopt}));
    EXPECT_EQ(s.rows[1].wins, 1);
    EXPECT_EQ(s.rows[2].name, "Dario");
    EXPECT_EQ(s.rows[2].rounds, (Cells{std::nullopt, std::nullopt, 7}));
    EXPECT_EQ(s.rows[3].name, "Carla");
    EXPECT_EQ(s.rows[3].rounds, (Cells{5, 0, std::nullopt}));
    for (int i = 0; i < 4; ++i) EXPECT_EQ(s.rows[static_cast<std::size_t>(i)].pos, i + 1);
    EXPECT_STREQ(standingsStateText(s), "Official");
}

TEST(Standings, DropsTheRoundNotDrivenFirstThenTheWorst) {
    ChampionshipRules rules;
    rules.dropWorst = 1;
    const Standings s = buildStandings("Cup", table(), rules, season());
    EXPECT_EQ(s.rows[0].points, 24);  // 11 + 13, the 9 dropped
    EXPECT_EQ(s.rows[0].dropped, (std::vector<bool>{false, true, false}));
    EXPECT_EQ(s.rows[1].points, 22);  // the round not driven goes
    EXPECT_EQ(s.rows[1].dropped, (std::vector<bool>{false, false, true}));
    EXPECT_EQ(s.rows[2].name, "Dario");
    EXPECT_EQ(s.rows[2].points, 7);

    // A round not yet issued counts for no one and is dropped by no one.
    auto rounds = season();
    rounds.push_back(round(400, {}, IssueKind::Provisional));
    rounds.back().state.issue = 0;
    const Standings later = buildStandings("Cup", table(), rules, rounds);
    EXPECT_EQ(later.rows[0].points, 24);
    EXPECT_TRUE(later.provisional);
    EXPECT_STREQ(standingsStateText(later), "Provisional");
}

TEST(Standings, TooFewRoundsListedAfterWithoutPosition) {
    ChampionshipRules rules;
    rules.minRounds = 2;
    const Standings s = buildStandings("Cup", table(), rules, season());
    ASSERT_EQ(s.rows.size(), 4u);
    EXPECT_EQ(s.rows[2].name, "Carla");
    EXPECT_EQ(s.rows[2].pos, 3);
    EXPECT_EQ(s.rows[3].name, "Dario");  // more points than Carla, one round only
    EXPECT_EQ(s.rows[3].pos, 0);
}

TEST(Standings, NoPositionAndTakingPartPoints) {
    PointsTable p;
    p.perPosition = {5};
    p.takingPart = 1;
    p.noPosition = 2;
    const Standings s =
        buildStandings("Cup", p, {},
                       {round(100, {driver("A", 1, 3000), driver("B", 0, 3100, 3),
                                    driver("C", 0, 0, 0), driver("D", 2, 3200, 5, true)})});
    ASSERT_EQ(s.rows.size(), 3u);  // C never drove a lap
    EXPECT_EQ(s.rows[0].points, 6);
    EXPECT_EQ(s.rows[1].name, "B");
    EXPECT_EQ(s.rows[1].points, 3);
    EXPECT_EQ(s.rows[2].name, "D");
    EXPECT_EQ(s.rows[2].points, 0);
}

// Points 10 5 4 0. A: 1st, 4th; B: 2nd, 2nd; D: 4th, 1st; C: 3rd, 3rd.
// A, B and D have 10: A and D have a win each, B none; A and D have the same
// places, and D was ahead in the latest round.
TEST(Standings, CountbackThenTheLatestRoundBothDrove) {
    PointsTable p;
    p.perPosition = {10, 5, 4, 0};
    const Standings s = buildStandings(
        "Cup", p, {},
        {round(100, {driver("A", 1, 1), driver("B", 2, 1), driver("C", 3, 1), driver("D", 4, 1)}),
         round(200, {driver("D", 1, 1), driver("B", 2, 1), driver("C", 3, 1), driver("A", 4, 1)})});
    ASSERT_EQ(s.rows.size(), 4u);
    std::vector<std::string> names;
    std::vector<int> pos;
    for (const auto& r : s.rows) {
        names.push_back(r.name);
        pos.push_back(r.pos);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"D", "A", "B", "C"}));
    EXPECT_EQ(pos, (std::vector<int>{1, 2, 3, 4}));

    // Equal in everything and never in one round together: the same position.
    const Standings apart = buildStandings("Cup", p, {},
                                           {round(100, {driver("X", 1, 1), driver("Z", 2, 1)}),
                                            round(200, {driver("Y", 1, 1), driver("Z", 2, 1)})});
    EXPECT_EQ(apart.rows[0].pos, 1);
    EXPECT_EQ(apart.rows[1].pos, 1);
    EXPECT_EQ(apart.rows[2].name, "Z");
    EXPECT_EQ(apart.rows[2].pos, 3);
}

TEST(Standings, ChangedOrMissingRoundMakesThemProvisional) {
    auto rounds = season();
    rounds[2].state.kind = IssueKind::Changed;
    EXPECT_TRUE(buildStandings("Cup", table(), {}, rounds).provisional);
    rounds = season();
    rounds[0].missing = true;
    const Standings s = buildStandings("Cup", table(), {}, rounds);
    EXPECT_TRUE(s.provisional);
    EXPECT_EQ(s.rows[0].points, 33);  // its last issue still counts
    EXPECT_TRUE(buildStandings("Cup", table(), {}, {}).rows.empty());
}
