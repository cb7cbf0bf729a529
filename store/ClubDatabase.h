#pragma once
#include <QCoreApplication>
#include <QString>

#include "platform/Roster.h"
#include "platform/Status.h"

class QSqlDatabase;
class QSqlError;

namespace orvex {

// The club database, club.db in the user's data folder: SQLite through Qt
// SQL, in WAL mode, its schema version in PRAGMA user_version. Its integrity
// is checked at the opening only when the last run did not close it (a mark
// set at the opening and cleared at a clean close), so a large archive costs
// the start nothing. Every write is
// one IMMEDIATE transaction that waits for another copy of the program
// holding the lock, so two copies writing at once lose nothing. A file that
// is damaged or cannot be opened is renamed aside and a new one made; the
// program goes on without a roster when even that fails. A file of a newer
// schema than this program knows is opened read-only and never written.
class ClubDatabase : public Roster {
    Q_DECLARE_TR_FUNCTIONS(ClubDatabase)

public:
    // 1: the roster; 2: the archive (store/ArchiveIndex); 3: the file that
    // gave an archived session its texts; 4: the folded search text with its
    // trigram index, and the clean-close mark; 5: the season's issued results
    // and championships (store/IssueStore, store/ChampionshipStore).
    static constexpr int kSchemaVersion = 5;
    static constexpr const char* kFileName = "club.db";

    // Opens (or makes) club.db in `folder`, which is created when missing.
    explicit ClubDatabase(const QString& folder);
    ~ClubDatabase() override;
    ClubDatabase(const ClubDatabase&) = delete;
    ClubDatabase& operator=(const ClubDatabase&) = delete;

    bool isOpen() const { return open_; }
    // Open but never written: a newer version of the program made the file.
    bool isReadOnly() const { return readOnly_; }
    // What the status bar says about the opening; empty when all went well.
    QString notice() const { return notice_; }
    QString path() const { return path_; }
    // The Qt SQL connection, for the archive that shares the file.
    QString connectionName() const { return connection_; }
    // True when a damaged file was set aside at the opening: what it indexed
    // is rebuilt from the files.
    bool setAside() const { return setAside_; }
    // True when the opening ran the integrity check (the last run ended uncleanly).
    bool checked() const { return checked_; }
    int schemaVersion() const;

    std::vector<std::string> names() override;
    Status remember(const std::vector<std::string>& names, const CalendarDate& day) override;

    // Opens a further connection `name` to the club database at `path` for
    // another thread (Qt SQL connections belong to the thread that made them),
    // with the busy timeout of the main one. Remove it with
    // QSqlDatabase::removeDatabase when done.
    static Status openConnection(const QString& path, const QString& name);

private:
    enum class Opened { Ok, Busy, Damaged, Unusable };
    static Opened classify(const QSqlError& e);
    Opened openFile(QString& error);
    // True when the file holds a schema newer than kSchemaVersion.
    bool isNewer();
    // `busy`: it failed because another copy held the lock too long.
    bool migrate(QString& error, bool& busy);
    static bool runStep5(QSqlDatabase db, QString& error);
    // The mark of an open database: set at the opening, cleared at a clean close.
    bool setOpenMark(bool open);
    void close();

    QString path_;
    QString connection_;
    QString notice_;
    bool open_ = false;
    bool setAside_ = false;
    bool readOnly_ = false;
    bool checked_ = false;
};

}  // namespace orvex
