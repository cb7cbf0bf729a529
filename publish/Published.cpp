#include "publish/Published.h"

#include <cstdio>

#include "session/AnsiText.h"
#include "session/Session.h"
#include "session/TimeFormat.h"

namespace orvex {

PublishedSession publishedSession(const Session& s, const IssueState& state) {
    PublishedSession p;
    if (s.FileState == FileState::NoSession) return p;
    p.present = true;
    p.date = s.SessionDate;
    p.time = s.SessionTime;
    p.track = s.SessionTrack;
    p.vehicle = s.SessionVehicle;
    p.results = makeResults(s);
    p.state = state;
    return p;
}

std::string stateText(const IssueState& state) {
    switch (state.kind) {
        case IssueKind::Official:
            return "Official (issue " + std::to_string(state.issue) + ")";
        case IssueKind::Changed:
            return "Changed since issue " + std::to_string(state.issue);
        case IssueKind::Provisional:
            break;
    }
    return "Provisional";
}

namespace {

// Calls `put` with each code point of `text`; a byte that starts no valid
// sequence gives U+FFFD.
template <class Put>
void eachCodePoint(std::string_view text, Put put) {
    for (std::size_t i = 0; i < text.size();) {
        const auto b = static_cast<unsigned char>(text[i]);
        int more = b < 0x80             ? 0
                   : (b & 0xE0) == 0xC0 ? 1
                   : (b & 0xF0) == 0xE0 ? 2
                   : (b & 0xF8) == 0xF0 ? 3
                                        : -1;
        char32_t c = more == 0 ? b : more == 1 ? b & 0x1F : more == 2 ? b & 0x0F : b & 0x07;
        bool valid = more >= 0;
        for (int k = 1; valid && k <= more; ++k) {
            if (i + k >= text.size()) {
                valid = false;
                break;
            }
            const auto n = static_cast<unsigned char>(text[i + k]);
            if ((n & 0xC0) != 0x80) valid = false;
            c = (c << 6) | (n & 0x3F);
        }
        // Overlong forms, surrogates and code points beyond Unicode are no text.
        if (valid && ((more == 1 && c < 0x80) || (more == 2 && c < 0x800) ||
                      (more == 3 && (c < 0x10000 || c > 0x10FFFF)) || (c >= 0xD800 && c <= 0xDFFF)))
            valid = false;
        if (!valid) {
            put(char32_t(0xFFFD));
            ++i;
        } else {
            put(c);
            i += std::size_t(more) + 1;
        }
    }
}

std::string number(std::int64_t n) { return std::to_string(n); }

const char* modeName(RankMode mode) {
    switch (mode) {
        case RankMode::Race:
            return "race";
        case RankMode::BestConsecutive:
            return "best consecutive";
        case RankMode::BestLap:
            break;
    }
    return "best lap";
}

const char* stateName(IssueKind kind) {
    switch (kind) {
        case IssueKind::Official:
            return "Official";
        case IssueKind::Changed:
            return "Changed";
        case IssueKind::Provisional:
            break;
    }
    return "Provisional";
}

std::string posText(const DriverResult& r) {
    if (r.disqualified) return "DSQ";
    return r.pos > 0 ? std::to_string(r.pos) : std::string();
}

bool holdsSessionBest(const RaceResults& results, const DriverResult& r) {
    return results.best > 0 && r.driver == results.bestDriver;
}

// One look for the network page and the web page: phone first, high contrast.
constexpr const char* kStyle = R"(
:root{color-scheme:dark}
*{box-sizing:border-box}
body{margin:0;font:16px/1.4 system-ui,-apple-system,"Segoe UI",Roboto,"DejaVu Sans",sans-serif;background:#101214;color:#f2f2f2}
main{max-width:980px;margin:0 auto;padding:0 0 16px}
header{padding:14px 12px 8px}
h1{font-size:1.3em;margin:0 0 2px}
h2{font-size:1.1em;margin:18px 12px 6px}
.meta{color:#c0c4c8;font-size:.92em}
.state{display:inline-block;margin-top:6px;padding:2px 10px;border-radius:4px;background:#b25c00;color:#fff;font-weight:700}
.state.official{background:#1d7a3c}
.wrap{overflow-x:auto}
table{border-collapse:collapse;width:100%}
th,td{padding:9px 6px;text-align:left;white-space:nowrap}
th:first-child,td:first-child{padding-left:12px}
th:last-child,td:last-child{padding-right:12px}
th{font-size:.78em;letter-spacing:.04em;color:#a8adb2;text-transform:uppercase;border-bottom:2px solid #3a3f44}
tbody tr:nth-child(odd){background:#1a1d20}
.r{text-align:right;font-variant-numeric:tabular-nums}
td.name{white-space:normal;overflow-wrap:anywhere;width:100%;font-weight:600}
td.pos{font-weight:700}
.fastest{color:#e0a3ff;font-weight:700}
tr.dsq td{color:#8d9296}
.empty{padding:24px 12px;color:#c0c4c8}
nav{padding:0 12px 4px}
a{color:#7cc4ff}
footer{padding:12px;color:#8d9296;font-size:.82em}
@media (min-width:720px){body{font-size:18px}}
@media (max-width:420px){th,td{padding:8px 4px}th:first-child,td:first-child{padding-left:8px}th:last-child,td:last-child{padding-right:8px}}
)";

std::string head(const std::string& title, const std::string& extra = {}) {
    return "<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\">"
           "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">"
           "<title>" +
           htmlEscape(title) + "</title>" + extra + "<style>" + kStyle + "</style></head>\n";
}

std::string sessionTitle(const PublishedSession& p) {
    if (!p.present) return "No session";
    return p.track.empty() ? std::string("Results") : p.track;
}

std::string sessionMeta(const PublishedSession& p) {
    std::string meta;
    for (const std::string* part : {&p.date, &p.time, &p.vehicle})
        if (!part->empty()) meta += (meta.empty() ? "" : " \xC2\xB7 ") + *part;
    return meta;
}

// The results' header and table, as the script on the page builds them too.
std::string resultsBody(const PublishedSession& p) {
    std::string out = "<header><h1 id=\"title\">" + htmlEscape(sessionTitle(p)) +
                      "</h1><div class=\"meta\" id=\"meta\">" + htmlEscape(sessionMeta(p)) +
                      "</div><div class=\"state" +
                      (p.state.kind == IssueKind::Official ? " official" : "") +
                      "\" id=\"state\">" + htmlEscape(p.present ? stateText(p.state) : "") +
                      "</div></header>\n<div class=\"wrap\"><table id=\"results\">";
    const RaceResults& r = p.results;
    const bool bestColumn = r.mode != RankMode::BestLap;
    out +=
        "<thead><tr><th class=\"r\">Pos</th><th class=\"r\">No.</th><th>Name</th><th "
        "class=\"r\">" +
        htmlEscape(figureTitle(r.mode, r.run)) +
        "</th><th class=\"r\">Gap</th><th class=\"r\">Laps</th>" +
        (bestColumn ? "<th class=\"r\">Best lap</th>" : "") + "</tr></thead><tbody>";
    for (const DriverResult& d : r.rows) {
        const bool fastest = holdsSessionBest(r, d);
        const std::string figure = clockText(figureOf(d, r.mode));
        out += std::string("<tr") + (d.disqualified ? " class=\"dsq\"" : "") +
               "><td class=\"r pos\">" + posText(d) + "</td><td class=\"r\">" + number(d.driver) +
               "</td><td class=\"name\">" + htmlEscape(d.name) + "</td><td class=\"r" +
               (fastest && !bestColumn ? " fastest" : "") + "\">" + htmlEscape(figure) +
               "</td><td class=\"r\">" + htmlEscape(gapText(d)) + "</td><td class=\"r\">" +
               number(d.laps) + "</td>";
        if (bestColumn)
            out += std::string("<td class=\"r") + (fastest ? " fastest" : "") + "\">" +
                   htmlEscape(clockText(d.best)) + "</td>";
        out += "</tr>";
    }
    out += "</tbody></table></div>";
    out += std::string("<p class=\"empty\" id=\"empty\"") + (r.rows.empty() ? "" : " hidden") +
           ">" + (p.present ? "No laps yet." : "No session") + "</p>\n";
    return out;
}

std::string standingsBody(const Standings& s) {
    std::string out = "<h2>" + htmlEscape(s.championship) +
                      (s.provisional ? " <span class=\"state\">Provisional</span>" : "") +
                      "</h2>\n<div class=\"wrap\"><table class=\"standings\"><thead><tr><th "
                      "class=\"r\">Pos</th><th>Name</th><th class=\"r\">Points</th>";
    for (std::size_t i = 0; i < s.roundTitles.size(); ++i)
        out += "<th class=\"r\" title=\"" + htmlEscape(s.roundTitles[i]) + "\">R" +
               number(std::int64_t(i) + 1) + "</th>";
    out += "<th class=\"r\">Wins</th></tr></thead><tbody>";
    for (const StandingsRow& row : s.rows) {
        out += "<tr><td class=\"r pos\">" + (row.pos > 0 ? number(row.pos) : std::string()) +
               "</td><td class=\"name\">" + htmlEscape(row.name) + "</td><td class=\"r\">" +
               number(row.points) + "</td>";
        for (std::size_t i = 0; i < s.roundTitles.size(); ++i) {
            const bool taken = i < row.rounds.size() && row.rounds[i];
            const bool dropped = i < row.dropped.size() && row.dropped[i];
            std::string text = taken ? number(*row.rounds[i]) : std::string();
            if (taken && dropped) text = "(" + text + ")";
            out += "<td class=\"r\">" + text + "</td>";
        }
        out += "<td class=\"r\">" + number(row.wins) + "</td></tr>";
    }
    out += "</tbody></table></div>\n";
    if (!s.roundTitles.empty()) {
        out += "<footer>";
        for (std::size_t i = 0; i < s.roundTitles.size(); ++i)
            out += (i ? " \xC2\xB7 R" : "R") + number(std::int64_t(i) + 1) + " " +
                   htmlEscape(s.roundTitles[i]);
        out += ". Dropped results in brackets.</footer>\n";
    }
    return out;
}

// Rebuilds the page from the JSON every 5 s, with DOM text only (never HTML),
// so a name is always shown as text.
constexpr const char* kRefreshScript = R"(<script>
(function () {
  function el(tag, text, cls) {
    var e = document.createElement(tag);
    if (text !== undefined) e.textContent = text;
    if (cls) e.className = cls;
    return e;
  }
  function show(d) {
    var s = d.session;
    document.getElementById('title').textContent = s ? (s.track || 'Results') : 'No session';
    document.getElementById('meta').textContent =
        s ? [s.date, s.time, s.vehicle].filter(function (x) { return x; }).join(' \u00b7 ') : '';
    var st = document.getElementById('state');
    st.textContent = s ? d.state_text : '';
    st.className = d.state === 'Official' ? 'state official' : 'state';
    var bestColumn = d.mode !== 'best lap';
    var head = el('tr');
    [['Pos', 'r'], ['No.', 'r'], ['Name', ''], [d.figure_title, 'r'], ['Gap', 'r'], ['Laps', 'r']]
        .concat(bestColumn ? [['Best lap', 'r']] : [])
        .forEach(function (h) { head.appendChild(el('th', h[0], h[1])); });
    var thead = el('thead'), tbody = el('tbody');
    thead.appendChild(head);
    d.results.forEach(function (r) {
      var tr = el('tr', undefined, r.dsq ? 'dsq' : '');
      tr.appendChild(el('td', r.dsq ? 'DSQ' : (r.pos === null ? '' : String(r.pos)), 'r pos'));
      tr.appendChild(el('td', String(r.number), 'r'));
      tr.appendChild(el('td', r.name, 'name'));
      tr.appendChild(el('td', r.figure_text, r.fastest && !bestColumn ? 'r fastest' : 'r'));
      tr.appendChild(el('td', r.gap, 'r'));
      tr.appendChild(el('td', String(r.laps), 'r'));
      if (bestColumn) tr.appendChild(el('td', r.best_text, r.fastest ? 'r fastest' : 'r'));
      tbody.appendChild(tr);
    });
    var table = document.getElementById('results');
    table.replaceChildren(thead, tbody);
    var empty = document.getElementById('empty');
    empty.textContent = s ? 'No laps yet.' : 'No session';
    empty.hidden = d.results.length > 0;
    document.body.setAttribute('data-generated', d.generated);
    document.getElementById('updated').textContent = 'Updated ' + d.generated.replace('T', ' ');
  }
  function poll() {
    fetch('/api/v1/results.json', {cache: 'no-store'})
        .then(function (r) { return r.json(); })
        .then(show)
        .catch(function () {
          document.getElementById('updated').textContent = 'Not reachable: retrying';
        })
        .then(function () { setTimeout(poll, 5000); });
  }
  poll();
})();
</script>)";

}  // namespace

std::string htmlEscape(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    eachCodePoint(text, [&out](char32_t c) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            case '\'':
                out += "&#39;";
                break;
            default:
                // Controls but tab and line ends show nothing and some are not allowed.
                if (c < 0x20 && c != '\t' && c != '\n' && c != '\r')
                    out += "&#xFFFD;";
                else
                    appendUtf8(out, c);
        }
    });
    return out;
}

std::string jsonString(std::string_view text) {
    std::string out = "\"";
    eachCodePoint(text, [&out](char32_t c) {
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (c < 0x20 || c == '<' || c == '>' || c == '&' || c == 0x2028 || c == 0x2029) {
                    char buf[16];  // room for any unsigned, though c is at most 0x2029
                    std::snprintf(buf, sizeof buf, "\\u%04x", unsigned(c));
                    out += buf;
                } else {
                    appendUtf8(out, c);
                }
        }
    });
    out += '"';
    return out;
}

std::string resultsJson(const PublishedSession& p, const std::string& generated) {
    const RaceResults& r = p.results;
    std::string out =
        "{\"version\": 1, \"generated\": " + jsonString(generated) + ", \"session\": ";
    if (p.present)
        out += "{\"date\": " + jsonString(p.date) + ", \"time\": " + jsonString(p.time) +
               ", \"track\": " + jsonString(p.track) + ", \"vehicle\": " + jsonString(p.vehicle) +
               "}";
    else
        out += "null";
    out += std::string(", \"mode\": \"") + modeName(r.mode) + "\", \"run\": " + number(r.run) +
           ", \"figure_title\": " + jsonString(figureTitle(r.mode, r.run)) + ", \"state\": \"" +
           stateName(p.state.kind) + "\", \"issue\": " +
           (p.state.kind == IssueKind::Provisional ? std::string("null") : number(p.state.issue)) +
           ", \"state_text\": " + jsonString(stateText(p.state)) +
           ", \"session_best\": " + number(r.best) +
           ", \"session_best_text\": " + jsonString(clockText(r.best)) + ", \"results\": [";
    bool first = true;
    for (const DriverResult& d : r.rows) {
        const std::int64_t figure = figureOf(d, r.mode);
        out += std::string(first ? "" : ",") +
               "\n  {\"pos\": " + (d.pos > 0 ? number(d.pos) : std::string("null")) +
               ", \"number\": " + number(d.driver) + ", \"name\": " + jsonString(d.name) +
               ", \"laps\": " + number(d.laps) + ", \"best\": " + number(d.best) +
               ", \"best_text\": " + jsonString(clockText(d.best)) +
               ", \"best_lap\": " + number(d.bestLapNo) +
               ", \"fastest\": " + (holdsSessionBest(r, d) ? "true" : "false") +
               ", \"figure\": " + number(figure) +
               ", \"figure_text\": " + jsonString(clockText(figure)) +
               ", \"gap\": " + jsonString(gapText(d)) +
               ", \"gap_laps\": " + number(d.pos > 1 ? d.gapLaps : 0) +
               ", \"gap_time\": " + number(d.pos > 1 && d.gapLaps == 0 ? d.gap : 0) +
               ", \"penalty\": " + number(d.penalty) +
               ", \"penalty_text\": " + jsonString(d.penalty > 0 ? clockText(d.penalty) : "") +
               ", \"dsq\": " + (d.disqualified ? "true" : "false") + "}";
        first = false;
    }
    out += first ? "]}\n" : "\n]}\n";
    return out;
}

std::string standingsJson(const std::optional<Standings>& s, const std::string& generated) {
    std::string out = "{\"version\": 1, \"generated\": " + jsonString(generated);
    if (!s)
        return out +
               ", \"championship\": null, \"provisional\": false, \"rounds\": [], "
               "\"standings\": []}\n";
    out += ", \"championship\": " + jsonString(s->championship) +
           ", \"provisional\": " + (s->provisional ? "true" : "false") + ", \"rounds\": [";
    for (std::size_t i = 0; i < s->roundTitles.size(); ++i)
        out += (i ? ", " : "") + jsonString(s->roundTitles[i]);
    out += "], \"standings\": [";
    for (std::size_t i = 0; i < s->rows.size(); ++i) {
        const StandingsRow& row = s->rows[i];
        out += std::string(i ? "," : "") +
               "\n  {\"pos\": " + (row.pos > 0 ? number(row.pos) : std::string("null")) +
               ", \"name\": " + jsonString(row.name) + ", \"points\": " + number(row.points) +
               ", \"wins\": " + number(row.wins) + ", \"rounds\": [";
        for (std::size_t k = 0; k < row.rounds.size(); ++k)
            out += (k ? ", " : "") + (row.rounds[k] ? number(*row.rounds[k]) : std::string("null"));
        out += "], \"dropped\": [";
        for (std::size_t k = 0; k < row.dropped.size(); ++k)
            out += std::string(k ? ", " : "") + (row.dropped[k] ? "true" : "false");
        out += "]}";
    }
    out += s->rows.empty() ? "]}\n" : "\n]}\n";
    return out;
}

std::string resultsPage(const PublishedSession& p, bool standingsLink) {
    return head(sessionTitle(p)) + "<body><main>" + resultsBody(p) +
           (standingsLink ? "<nav><a href=\"/standings\">Championship standings</a></nav>" : "") +
           "<footer id=\"updated\"></footer></main>" + kRefreshScript + "</body></html>\n";
}

std::string standingsPage(const std::optional<Standings>& s) {
    std::string body =
        s ? standingsBody(*s) : std::string("<p class=\"empty\">No championship is published.</p>");
    // Standings change only when a session is issued: a plain reload is enough.
    return head(s ? s->championship : std::string("Standings"),
                "<meta http-equiv=\"refresh\" content=\"30\">") +
           "<body><main><nav style=\"padding-top:12px\"><a href=\"/\">Results</a></nav>" + body +
           "</main></body></html>\n";
}

std::string exportPage(const PublishedSession& p, const Standings* standings,
                       const std::string& generated) {
    std::string out = head(sessionTitle(p)) + "<body><main>" + resultsBody(p);
    if (standings) out += standingsBody(*standings);
    std::string when = generated;
    if (when.size() > 10 && when[10] == 'T') when[10] = ' ';
    out += "<footer>Generated " + htmlEscape(when) + "</footer></main></body></html>\n";
    return out;
}

}  // namespace orvex
