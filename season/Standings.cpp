#include "season/Standings.h"

#include <algorithm>
#include <climits>
#include <optional>
#include <unordered_map>

#include "session/AnsiText.h"

namespace orvex {

namespace {

bool isBlank(char32_t c) { return c == ' ' || c == '\t' || c == 0xA0; }

// The lower case of the letters a club's names use: Latin, Greek, Cyrillic.
char32_t lower(char32_t c) {
    if (c >= 'A' && c <= 'Z') return c + 32;
    if ((c >= 0xC0 && c <= 0xDE && c != 0xD7)) return c + 32;
    if (c >= 0x100 && c <= 0x17F) {
        // Pairs start even, except from U+0139 to U+0148 and U+0179 to U+017E.
        const bool oddFirst = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
        if (c == 0x178) return 0xFF;
        if (c == 0x130 || c == 0x138 || c == 0x149 || c == 0x17F) return c;
        return (c % 2 == (oddFirst ? 1u : 0u)) ? c + 1 : c;
    }
    if (c >= 0x391 && c <= 0x3A9 && c != 0x3A2) return c + 32;
    if (c >= 0x410 && c <= 0x42F) return c + 32;
    if (c >= 0x400 && c <= 0x40F) return c + 80;
    return c;
}

// Decodes UTF-8; a byte that does not read stands for itself, so any name has a key.
std::vector<char32_t> decode(const std::string& s) {
    std::vector<char32_t> out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size();) {
        const auto b = static_cast<unsigned char>(s[i]);
        const int extra = b >= 0xF8   ? -1
                          : b >= 0xF0 ? 3
                          : b >= 0xE0 ? 2
                          : b >= 0xC2 ? 1
                          : b < 0x80  ? 0
                                      : -1;
        bool ok = extra >= 0 && i + static_cast<std::size_t>(extra) < s.size();
        char32_t c = extra > 0 ? b & (0x3F >> extra) : b;
        for (int k = 1; ok && k <= extra; ++k) {
            const auto n = static_cast<unsigned char>(s[i + static_cast<std::size_t>(k)]);
            ok = (n & 0xC0) == 0x80;
            c = (c << 6) | (n & 0x3F);
        }
        if (!ok) {
            out.push_back(0xDC00 + b);  // kept apart from any real character
            ++i;
            continue;
        }
        out.push_back(c);
        i += static_cast<std::size_t>(extra) + 1;
    }
    return out;
}

void encode(char32_t c, std::string& out) {
    if (c >= 0xDC80 && c <= 0xDCFF)
        out += static_cast<char>(c - 0xDC00);  // a byte that was no character goes back as it was
    else
        appendUtf8(out, c);
}

std::string normalise(const std::string& name, bool fold) {
    std::string out;
    bool gap = false;
    for (const char32_t c : decode(name)) {
        if (isBlank(c)) {
            gap = !out.empty();
            continue;
        }
        if (gap) out += ' ';
        gap = false;
        encode(fold ? lower(c) : c, out);
    }
    return out;
}

// One driver's result in one round.
struct Entry {
    int pos = 0;
    bool dsq = false;
    std::int64_t points = 0;
    // Lower is better: a position, then no position, then disqualified.
    int rank() const { return dsq ? INT_MAX : pos > 0 ? pos : INT_MAX - 1; }
};

struct Driver {
    std::string name;
    std::vector<std::optional<Entry>> rounds;
    std::vector<bool> dropped;
    std::int64_t points = 0;
    int wins = 0;
    int driven = 0;
    std::vector<int> countback;  // [p - 1]: how many times in position p
    std::string key;
};

// Which of two drivers did better in the latest round both drove: > 0 for `a`.
int latestBetter(const Driver& a, const Driver& b) {
    for (std::size_t r = a.rounds.size(); r-- > 0;) {
        if (a.rounds[r] && b.rounds[r]) {
            const int ra = a.rounds[r]->rank(), rb = b.rounds[r]->rank();
            return ra < rb ? 1 : ra > rb ? -1 : 0;
        }
    }
    return 0;
}

bool sameScore(const Driver& a, const Driver& b) {
    return a.points == b.points && a.countback == b.countback;
}

}  // namespace

std::string driverKey(const std::string& name) { return normalise(name, true); }
std::string tidyName(const std::string& name) { return normalise(name, false); }

int unnamedCount(const Round& round) {
    return static_cast<int>(
        std::count_if(round.drivers.begin(), round.drivers.end(),
                      [](const RoundDriver& d) { return driverKey(d.name).empty(); }));
}

Standings buildStandings(const std::string& championship, const PointsTable& points,
                         const ChampionshipRules& rules, std::vector<Round> rounds) {
    std::stable_sort(rounds.begin(), rounds.end(),
                     [](const Round& a, const Round& b) { return a.firstSeen < b.firstSeen; });
    Standings out;
    out.championship = championship;
    out.provisional = rounds.empty();
    const std::size_t nRounds = rounds.size();

    std::unordered_map<std::string, std::size_t> byKey;
    std::vector<Driver> drivers;
    for (std::size_t r = 0; r < nRounds; ++r) {
        const Round& round = rounds[r];
        out.roundTitles.push_back(round.title);
        StandingsRound info{round.lapHash, round.title,   round.firstSeen,
                            round.state,   round.missing, unnamedCount(round)};
        out.roundInfo.push_back(info);
        if (round.missing || round.state.kind != IssueKind::Official) out.provisional = true;

        // The round's best lap, of every result that is not disqualified:
        // a lap without a name was still driven.
        std::int64_t fastest = 0;
        for (const RoundDriver& d : round.drivers)
            if (!d.dsq && d.best > 0 && (fastest == 0 || d.best < fastest)) fastest = d.best;

        for (const RoundDriver& d : round.drivers) {
            std::string key = driverKey(d.name);
            if (key.empty()) continue;
            if (d.laps < 1 && d.pos <= 0 && !d.dsq) continue;  // listed, never on track
            Entry e;
            e.dsq = d.dsq;
            e.pos = d.dsq ? 0 : std::max(d.pos, 0);
            if (!d.dsq) {
                if (e.pos > 0 && static_cast<std::size_t>(e.pos) <= points.perPosition.size())
                    e.points += points.perPosition[static_cast<std::size_t>(e.pos) - 1];
                if (d.laps >= 1) e.points += points.takingPart;
                if (d.laps >= 1 && e.pos == 0) e.points += points.noPosition;
                if (fastest > 0 && d.best == fastest) e.points += points.fastestLap;
            }
            auto [it, added] = byKey.try_emplace(key, drivers.size());
            if (added) {
                drivers.emplace_back();
                drivers.back().key = std::move(key);
                drivers.back().rounds.resize(nRounds);
            }
            Driver& driver = drivers[it->second];
            driver.name = tidyName(d.name);  // the latest spelling
            // One name twice in a round (two karts): the better result counts.
            std::optional<Entry>& slot = driver.rounds[r];
            if (!slot || e.points > slot->points ||
                (e.points == slot->points && e.rank() < slot->rank()))
                slot = e;
        }
    }

    const auto countedRound = [&](std::size_t r) { return !rounds[r].drivers.empty(); };
    for (Driver& d : drivers) {
        d.dropped.assign(nRounds, false);
        // Worst first: a round not driven, then the fewest points, then the earliest.
        std::vector<std::size_t> order;
        for (std::size_t r = 0; r < nRounds; ++r)
            if (countedRound(r)) order.push_back(r);
        std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
            const bool da = d.rounds[a].has_value(), db = d.rounds[b].has_value();
            if (da != db) return !da;
            return (da ? d.rounds[a]->points : 0) < (db ? d.rounds[b]->points : 0);
        });
        const std::size_t drop =
            std::min(order.size(), static_cast<std::size_t>(std::max(rules.dropWorst, 0)));
        for (std::size_t i = 0; i < drop; ++i) d.dropped[order[i]] = true;
        for (std::size_t r = 0; r < nRounds; ++r) {
            if (!d.rounds[r]) continue;
            const Entry& e = *d.rounds[r];
            ++d.driven;
            if (!d.dropped[r]) d.points += e.points;
            if (e.pos > 0) {
                if (d.countback.size() < static_cast<std::size_t>(e.pos))
                    d.countback.resize(static_cast<std::size_t>(e.pos), 0);
                ++d.countback[static_cast<std::size_t>(e.pos) - 1];
            }
            if (e.pos == 1) ++d.wins;
        }
    }
    // Countback vectors compare position by position; pad them to one length.
    std::size_t longest = 0;
    for (const Driver& d : drivers) longest = std::max(longest, d.countback.size());
    for (Driver& d : drivers) d.countback.resize(longest, 0);

    const auto classified = [&](const Driver& d) { return d.driven >= rules.minRounds; };
    std::vector<std::size_t> order(drivers.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::sort(order.begin(), order.end(), [&](std::size_t ia, std::size_t ib) {
        const Driver &a = drivers[ia], &b = drivers[ib];
        if (classified(a) != classified(b)) return classified(a);
        if (a.points != b.points) return a.points > b.points;
        if (a.countback != b.countback) return a.countback > b.countback;
        return a.key < b.key;
    });

    // Drivers equal on points and countback: the latest round both drove.
    // With three or more a pairwise order can go round in a circle, so each
    // counts the others it beat less those it lost to; equal counts share a place.
    std::vector<int> net(drivers.size(), 0);
    for (std::size_t i = 0; i < order.size();) {
        std::size_t j = i + 1;
        const Driver& first = drivers[order[i]];
        while (j < order.size() && classified(drivers[order[j]]) == classified(first) &&
               sameScore(drivers[order[j]], first))
            ++j;
        for (std::size_t a = i; a < j; ++a)
            for (std::size_t b = i; b < j; ++b)
                if (a != b) net[order[a]] += latestBetter(drivers[order[a]], drivers[order[b]]);
        std::stable_sort(order.begin() + static_cast<std::ptrdiff_t>(i),
                         order.begin() + static_cast<std::ptrdiff_t>(j),
                         [&](std::size_t a, std::size_t b) { return net[a] > net[b]; });
        i = j;
    }

    for (std::size_t i = 0; i < order.size(); ++i) {
        const Driver& d = drivers[order[i]];
        StandingsRow row;
        if (classified(d)) {
            row.pos = static_cast<int>(i) + 1;
            if (i > 0) {
                const Driver& prev = drivers[order[i - 1]];
                if (sameScore(prev, d) && net[order[i - 1]] == net[order[i]])
                    row.pos = out.rows.back().pos;
            }
        }
        row.name = d.name;
        row.points = d.points;
        row.wins = d.wins;
        row.dropped = d.dropped;
        for (const auto& e : d.rounds)
            row.rounds.push_back(e ? std::optional<std::int64_t>(e->points) : std::nullopt);
        out.rows.push_back(std::move(row));
    }
    return out;
}

const char* standingsStateText(const Standings& s) {
    return s.provisional ? "Provisional" : "Official";
}

}  // namespace orvex
