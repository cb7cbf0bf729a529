#pragma once
// Issuing a full session (30 drivers of 25 laps, named, with penalties and
// marks) into a club database in `folder`, after one issue of it: the
// snapshot, its write in one transaction, and the History list's read with
// its words, `times` times.
// The median in milliseconds; the goal is 50 ms.
#include <QElapsedTimer>
#include <QString>
#include <algorithm>
#include <vector>

#include "archive/ArchiveEntry.h"
#include "season/Issue.h"
#include "session/Session.h"
#include "store/ClubDatabase.h"
#include "store/IssueStore.h"

namespace orvex {

// `parts`, when given, gets the medians of the snapshot, the write and the
// History's read with its words.
struct IssueBenchParts {
    double snapshot = 0, write = 0, history = 0;
};

inline double benchIssueSession(const QString& folder, int times = 21,
                                IssueBenchParts* parts = nullptr) {
    ClubDatabase club(folder);
    IssueStore store(club.connectionName());
    Session s;
    s.LapTimes.assign(kLapSlots + 1, 0);
    for (int i = 1; i <= kLapSlots; ++i) s.LapTimes[i] = 4000 + (i * 37) % 900;
    for (int d = 1; d <= kDrivers; ++d) {
        s.DriverNames[d] = "Driver number " + std::to_string(d);
        s.Corrections.marks[lapSlot(d, 3)] = {LapCorrection::Join, s.LapTimes[lapSlot(d, 3)]};
    }
    s.Corrections.mode = RankMode::Race;
    std::vector<double> ms, snap, write, read;
    const auto median = [](std::vector<double>& v) {
        std::nth_element(v.begin(), v.begin() + v.size() / 2, v.end());
        return v[v.size() / 2];
    };
    for (int i = 0; i < times; ++i) {
        // Each a session of its own with one issue before: a session gets a few.
        s.LapTimes[1] = 4000 + i;
        const auto key = static_cast<std::int64_t>(lapHash(s.LapTimes));
        if (!store.issue(key, makeIssueSnapshot(s)).isOk()) return -1;
        s.Corrections.setPenalty(1 + i % kDrivers, {100 * (i + 1), "jump start", false});
        QElapsedTimer t;
        t.start();
        IssueSnapshot snapshot = makeIssueSnapshot(s);
        const double a = t.nsecsElapsed() / 1e6;
        if (!store.issue(key, std::move(snapshot)).isOk()) return -1;
        const double b = t.nsecsElapsed() / 1e6;
        const Result<IssueStore::History> h = store.history(key);
        if (h.isOk() && h->issues.size() >= 2)
            (void)issueChanges(&h->issues[h->issues.size() - 2], h->issues.back());
        ms.push_back(t.nsecsElapsed() / 1e6);
        snap.push_back(a);
        write.push_back(b - a);
        read.push_back(ms.back() - b);
    }
    if (parts) *parts = {median(snap), median(write), median(read)};
    return median(ms);
}

}  // namespace orvex
