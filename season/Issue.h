#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "season/Season.h"
#include "session/DriverNames.h"
#include "session/RaceCorrections.h"

namespace orvex {

class Session;

// One driver's line of an issued ranking, as it was shown.
struct IssueLine {
    int number = 0;
    int pos = 0;  // 0: no position
    bool dsq = false;
    std::string name;
    int laps = 0;
    std::string figure;     // the ranking mode's figure, as shown
    std::int64_t best = 0;  // hundredths; 0: none
    std::int64_t penalty = 0;
    std::string reason;
    bool operator==(const IssueLine&) const = default;
};

// What an issue records: the ranking as shown and what it was made with.
struct IssueSnapshot {
    int number = 0;
    std::int64_t issuedAt = 0;  // seconds since the epoch, UTC
    std::uint64_t hash = 0;     // issueHash of the session then
    std::string title;          // the session's date and track
    std::vector<IssueLine> lines;
    DriverNameList names;
    RaceCorrections corrections;
};

// The snapshot of the session now; number and time are the store's to give.
IssueSnapshot makeIssueSnapshot(const Session& s);

// The ranking's lines as one stored text: a line per driver, fields between tabs.
std::string encodeIssueLines(const std::vector<IssueLine>& lines);
// False on any flaw: the record is damaged.
bool decodeIssueLines(const std::string& text, std::vector<IssueLine>& lines);

// What issue `after` changed from `before` (null: the first issue, which
// tells its corrections and ranking), in the user's language:
// "No. 5: penalty 10 s (jump start)", "No. 1: lap 3 joined with lap 4", "Ranking: Race".
std::vector<std::string> issueChanges(const IssueSnapshot* before, const IssueSnapshot& after);

// The lines as a championship counts them.
std::vector<RoundDriver> roundDrivers(const IssueSnapshot& issue);

// The session's state against its last issue (Session::Issue).
IssueState issueState(const Session& s);

}  // namespace orvex
