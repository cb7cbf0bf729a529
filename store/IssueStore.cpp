#include "store/IssueStore.h"

#include <QDateTime>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <algorithm>

#include "session/CorrectionsCodec.h"

namespace orvex {

namespace {

const char* const kTables[] = {
    // The snapshot in three texts: the ranking's lines, the names and the
    // corrections with the ranking, the last two in the data file's codecs.
    "CREATE TABLE issue (lap_hash INTEGER NOT NULL, number INTEGER NOT NULL, issued_at INTEGER "
    "NOT NULL, hash INTEGER NOT NULL, title TEXT NOT NULL, lines TEXT NOT NULL, names TEXT NOT "
    "NULL, corrections TEXT NOT NULL, PRIMARY KEY (lap_hash, number)) WITHOUT ROWID",
    "CREATE TABLE issue_seen (lap_hash INTEGER NOT NULL PRIMARY KEY, hash INTEGER NOT NULL) "
    "WITHOUT ROWID",
};

Status failed(const QSqlQuery& q) {
    return Status::fail(StatusCode::Database,
                        QT_TRANSLATE_NOOP("Status", "The club database refused the issue."), {},
                        q.lastError().text().toStdString());
}

std::string text(const QVariant& v) { return v.toString().toStdString(); }

// A row of SELECT number, issued_at, hash, title, lines, names, corrections.
bool readRow(const QSqlQuery& q, IssueSnapshot& s) {
    s.number = q.value(0).toInt();
    s.issuedAt = q.value(1).toLongLong();
    s.hash = static_cast<std::uint64_t>(q.value(2).toLongLong());
    s.title = text(q.value(3));
    const std::string names = text(q.value(5));
    return decodeIssueLines(text(q.value(4)), s.lines) &&
           (names.empty() || decodeNames(names, kNamesSectionVersion, s.names)) &&
           decodeCorrections(text(q.value(6)), kCorrectionsVersion, s.corrections);
}

constexpr const char* kSelect =
    "SELECT number, issued_at, hash, title, lines, names, corrections FROM issue WHERE lap_hash "
    "= ? ORDER BY number";

}  // namespace

bool IssueStore::createTables(QSqlDatabase db, QString& error) {
    QSqlQuery q(db);
    for (const char* sql : kTables)
        if (!q.exec(sql)) {
            error = q.lastError().text();
            return false;
        }
    return true;
}

Result<IssueSnapshot> IssueStore::issue(std::int64_t lapHash, IssueSnapshot snapshot, int after) {
    QSqlQuery q(db());
    if (!q.exec("BEGIN IMMEDIATE")) return failed(q);
    const auto rollback = [&](const QSqlQuery& bad) {
        Status st = failed(bad);
        QSqlQuery(db()).exec("ROLLBACK");
        return st;
    };
    q.prepare("SELECT coalesce(max(number), 0) FROM issue WHERE lap_hash = ?");
    q.bindValue(0, qint64(lapHash));
    if (!q.exec() || !q.next()) return rollback(q);
    snapshot.number = std::max(q.value(0).toInt(), after) + 1;
    q.finish();
    snapshot.issuedAt = QDateTime::currentSecsSinceEpoch();
    q.prepare("INSERT INTO issue VALUES (?, ?, ?, ?, ?, ?, ?, ?)");
    const QVariantList values = {qint64(lapHash),
                                 snapshot.number,
                                 qint64(snapshot.issuedAt),
                                 qint64(snapshot.hash),
                                 QString::fromStdString(snapshot.title),
                                 QString::fromStdString(encodeIssueLines(snapshot.lines)),
                                 QString::fromStdString(encodeNames(snapshot.names)),
                                 QString::fromStdString(encodeCorrections(snapshot.corrections))};
    for (int i = 0; i < values.size(); ++i) q.bindValue(i, values[i]);
    if (!q.exec()) return rollback(q);
    q.prepare(
        "INSERT INTO issue_seen VALUES (?, ?) ON CONFLICT (lap_hash) DO UPDATE SET hash = "
        "excluded.hash");
    q.bindValue(0, qint64(lapHash));
    q.bindValue(1, qint64(snapshot.hash));
    if (!q.exec() || !q.exec("COMMIT")) return rollback(q);
    return snapshot;
}

Result<IssueStore::History> IssueStore::history(std::int64_t lapHash) {
    QSqlQuery q(db());
    q.setForwardOnly(true);
    q.prepare(kSelect);
    q.bindValue(0, qint64(lapHash));
    if (!q.exec()) return failed(q);
    History h;
    while (q.next()) {
        IssueSnapshot s;
        if (readRow(q, s))
            h.issues.push_back(std::move(s));
        else
            h.damaged.push_back(s.number);
    }
    return h;
}

Result<std::optional<IssueSnapshot>> IssueStore::last(std::int64_t lapHash) {
    QSqlQuery q(db());
    q.setForwardOnly(true);
    q.prepare(QString(kSelect) + " DESC");
    q.bindValue(0, qint64(lapHash));
    if (!q.exec()) return failed(q);
    while (q.next()) {
        IssueSnapshot s;
        if (readRow(q, s)) return std::optional<IssueSnapshot>(std::move(s));
    }
    return std::optional<IssueSnapshot>();
}

Status IssueStore::noteCurrent(std::int64_t lapHash, std::uint64_t hash) {
    QSqlQuery q(db());
    // Only for an issued session: the others have nothing to compare.
    q.prepare("UPDATE issue_seen SET hash = ? WHERE lap_hash = ? AND hash <> ?");
    q.bindValue(0, qint64(hash));
    q.bindValue(1, qint64(lapHash));
    q.bindValue(2, qint64(hash));
    return q.exec() ? Status::ok() : failed(q);
}

std::optional<Round> StoredRounds::round(std::int64_t lapHash) {
    const Result<std::optional<IssueSnapshot>> last = store_.last(lapHash);
    if (!last.isOk() || !last.value()) return std::nullopt;
    const IssueSnapshot& s = *last.value();
    Round r;
    r.lapHash = lapHash;
    r.title = s.title;
    r.firstSeen = s.issuedAt;
    r.drivers = roundDrivers(s);
    r.state = {IssueKind::Official, s.number, s.issuedAt};
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    q.prepare("SELECT hash FROM issue_seen WHERE lap_hash = ?");
    q.bindValue(0, qint64(lapHash));
    if (q.exec() && q.next() && static_cast<std::uint64_t>(q.value(0).toLongLong()) != s.hash)
        r.state.kind = IssueKind::Changed;
    q.finish();
    q.prepare("SELECT date, track, first_seen FROM archive_session WHERE id = ?");
    q.bindValue(0, qint64(lapHash));
    r.missing = !(q.exec() && q.next());
    if (!r.missing) {
        r.title = (q.value(0).toString() + " " + q.value(1).toString()).trimmed().toStdString();
        const QDateTime seen = QDateTime::fromString(q.value(2).toString(), "yyyy-MM-dd HH:mm:ss");
        if (seen.isValid()) r.firstSeen = seen.toSecsSinceEpoch();
    }
    return r;
}

}  // namespace orvex
