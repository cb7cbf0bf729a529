#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace orvex {

// Where a session's results stand against the issues made of them.
enum class IssueKind { Provisional, Official, Changed };
struct IssueState {
    IssueKind kind = IssueKind::Provisional;
    int issue = 0;              // the last issue's number; 0: never issued
    std::int64_t issuedAt = 0;  // seconds since the epoch, UTC
    bool operator==(const IssueState&) const = default;
};

// One driver's line of an issued session, as a championship counts it.
struct RoundDriver {
    std::string name;
    int number = 0;
    int pos = 0;  // 0: no position
    bool dsq = false;
    int laps = 0;           // recorded laps; one or more is taking part
    std::int64_t best = 0;  // hundredths; 0: none
};

// A session as a championship round: its last issue's lines.
struct Round {
    std::int64_t lapHash = 0;  // the archive's key of the session
    std::string title;         // date and track as the archive lists them
    std::int64_t firstSeen = 0;
    IssueState state;
    bool missing = false;  // the session is no longer in the archive
    std::vector<RoundDriver> drivers;
};

// The club database's issued sessions, as the standings read them.
class IssuedRounds {
public:
    virtual ~IssuedRounds() = default;
    // The last issue of the session; nothing when it was never issued.
    virtual std::optional<Round> round(std::int64_t lapHash) = 0;
};

// One line of a championship's standings.
struct StandingsRow {
    int pos = 0;  // 0: not classified (too few rounds)
    std::string name;
    std::int64_t points = 0;
    std::vector<std::optional<std::int64_t>> rounds;  // none: did not take part
    std::vector<bool> dropped;
    int wins = 0;
};

// A round's column of the standings: what the window and the outputs say of it.
struct StandingsRound {
    std::int64_t lapHash = 0;
    std::string title;
    std::int64_t firstSeen = 0;
    IssueState state;
    bool missing = false;
    int unnamed = 0;  // results without a name, which do not count
};

struct Standings {
    std::string championship;
    std::vector<std::string> roundTitles;
    std::vector<StandingsRow> rows;
    bool provisional = true;  // a round is provisional, changed since its issue or missing
    std::vector<StandingsRound> roundInfo;  // one per round, in the order of roundTitles
};

}  // namespace orvex
