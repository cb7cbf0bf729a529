#pragma once
#include <cstdint>
#include <string>

namespace orvex {

class Session;

// The last issue of a session's results as the session knows it: from the
// club database when it has one, else from the data file. `hash` is issueHash
// of the session as it was issued.
struct IssueMark {
    int issue = 0;  // 0: never issued
    std::uint64_t hash = 0;
    std::int64_t issuedAt = 0;  // seconds since the epoch, UTC; 0: unknown (from a file)
    bool operator==(const IssueMark&) const = default;
};

// What an issue depends on: the laps, the names and the corrections with the
// ranking mode. The laps count too, so laps read again into the session after
// its issue make it changed.
std::uint64_t issueHash(const Session& s);

// The data file's "issue" section, version 1: one line "<number>\t<hash>\n".
constexpr const char* kIssueTag = "issue";
constexpr int kIssueSectionVersion = 1;
std::string encodeIssueMark(const IssueMark& m);
// False, and `m` unchanged, on any flaw.
bool decodeIssueMark(const std::string& payload, int version, IssueMark& m);

// Whether the session has been issued and differs from that issue now.
bool changedSinceIssue(const Session& s);

// "Provisional", "Official (issue N)" or "Changed since issue N": in English
// for the files (the CSV's Status column), or in the user's language.
std::string issueStatusText(const Session& s, bool translate = false);

}  // namespace orvex
