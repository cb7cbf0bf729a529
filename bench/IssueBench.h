#pragma once
// Issuing a full session (30 drivers of 25 laps, named, with penalties and
// marks) into a club database in `folder`: the snapshot, its write in one
// transaction, and the History list's read with its words, `times` times.
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

inline double benchIssueSession(const QString& folder, int times = 21) {
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
    std::vector<double> ms;
    for (int i = 0; i < times; ++i) {
        s.Corrections.setPenalty(1 + i % kDrivers, {100 * (i + 1), "jump start", false});
        QElapsedTimer t;
        t.start();
        const auto key = static_cast<std::int64_t>(lapHash(s.LapTimes));
        if (!store.issue(key, makeIssueSnapshot(s)).isOk()) return -1;
        const Result<IssueStore::History> h = store.history(key);
        if (!h.isOk() || h->issues.size() < 2) {
            ms.push_back(t.nsecsElapsed() / 1e6);
            continue;
        }
        (void)issueChanges(&h->issues[h->issues.size() - 2], h->issues.back());
        ms.push_back(t.nsecsElapsed() / 1e6);
    }
    std::nth_element(ms.begin(), ms.begin() + ms.size() / 2, ms.end());
    return ms[ms.size() / 2];
}

}  // namespace orvex
