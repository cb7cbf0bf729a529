#pragma once
#include <QSqlDatabase>
#include <QString>
#include <optional>
#include <vector>

#include "platform/Status.h"
#include "season/Issue.h"
#include "season/Season.h"

namespace orvex {

// The issues of sessions' results in the club database, keyed by the lap hash
// the archive keys a session by, so a download copy and a saved file of one
// race share them. Issues are only ever added: an earlier one is never
// changed. Every statement on them is here.
class IssueStore {
public:
    // `connection`: a Qt SQL connection to the club database, of this thread.
    explicit IssueStore(const QString& connection) : connection_(connection) {}

    // The schema step's tables, run inside the migration's transaction.
    static bool createTables(QSqlDatabase db, QString& error);

    // Records `snapshot` as the session's next issue: numbered after the
    // database's last one and after `after` (the issue a file says it had).
    // The snapshot as stored, with its number and time.
    Result<IssueSnapshot> issue(std::int64_t lapHash, IssueSnapshot snapshot, int after = 0);

    // Every issue of a session, oldest first; the numbers of records that do
    // not read are in `damaged` and left out.
    struct History {
        std::vector<IssueSnapshot> issues;
        std::vector<int> damaged;
    };
    Result<History> history(std::int64_t lapHash);
    // The last issue that reads; nothing when there is none.
    Result<std::optional<IssueSnapshot>> last(std::int64_t lapHash);

    // The session's issueHash as the program last saw it, so a championship
    // can tell a round changed since its issue without the file.
    Status noteCurrent(std::int64_t lapHash, std::uint64_t hash);

private:
    QSqlDatabase db() const { return QSqlDatabase::database(connection_, false); }
    QString connection_;
};

// The standings' view of the issues: each round's last readable issue, its
// state by the hash last seen of the session, its title and first-seen time
// from the archive (missing when the archive no longer has the session).
class StoredRounds : public IssuedRounds {
public:
    explicit StoredRounds(const QString& connection)
        : connection_(connection), store_(connection) {}
    std::optional<Round> round(std::int64_t lapHash) override;

private:
    QString connection_;
    IssueStore store_;
};

}  // namespace orvex
