#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "results/Results.h"
#include "season/Season.h"

namespace orvex {

class Session;

// What the scoreboard, the network page and the web page show of a session.
struct PublishedSession {
    bool present = false;  // false: no session is open
    std::string date, time, track, vehicle;
    RaceResults results;
    IssueState state;
};

// The open session (or none) with the given state.
PublishedSession publishedSession(const Session& s, const IssueState& state);

// The state as the Results window words it: "Provisional", "Official (issue 2)",
// "Changed since issue 2". Fixed English: the pages are read by anyone.
std::string stateText(const IssueState& state);

// Text safe in HTML content and in quoted attributes. Bytes that are no valid
// UTF-8 become U+FFFD, so a damaged name cannot break the page's encoding.
std::string htmlEscape(std::string_view text);
// A JSON string literal, quotes included; "<" and ">" escaped too, so the text
// is safe wherever a page embeds it.
std::string jsonString(std::string_view text);

// The documented results and standings (docs/publish-api.md); `generated` is
// the local time in ISO form, "2026-12-07T14:31:05".
std::string resultsJson(const PublishedSession& p, const std::string& generated);
std::string standingsJson(const std::optional<Standings>& s, const std::string& generated);

// The network page "/": the results as HTML that reloads its table from the
// JSON every 5 s. `standingsLink`: a championship is chosen for "/standings".
std::string resultsPage(const PublishedSession& p, bool standingsLink);
// The network page "/standings".
std::string standingsPage(const std::optional<Standings>& s);
// The web page to publish: one file, inline style, no script and no request.
std::string exportPage(const PublishedSession& p, const Standings* standings,
                       const std::string& generated);

}  // namespace orvex
