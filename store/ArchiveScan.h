#pragma once
#include <QCoreApplication>
#include <QMetaType>
#include <QString>
#include <functional>

#include "platform/Status.h"

namespace orvex {

class ArchiveIndex;
struct ArchiveEntry;
class Session;

// What a scan of a folder did, and what it skipped and why.
struct ArchiveScanResult {
    Q_DECLARE_TR_FUNCTIONS(ArchiveScan)

public:
    int indexed = 0;      // session files read into the index
    int newSessions = 0;  // sessions the index did not know
    int notSession = 0;   // files that do not begin as a data file
    int unreadable = 0;   // files and folders that could not be read
    int damaged = 0;      // data files that could not be read to their last lap
    int empty = 0;        // data files without a lap
    int loops = 0;        // symbolic links to a folder the walk is inside
    int badNames = 0;     // files and folders whose name is not valid UTF-8
    bool cancelled = false;
    Status error;  // the index could not be written
    int skipped() const { return notSession + unreadable + damaged + empty + loops + badNames; }
    // The one message at the end of a scan.
    QString summary() const;
};

// Indexes every data file in `folder` and its sub-folders, recognised by the
// header item, not by the extension; a symbolic link is followed unless it
// leads back into the walk. `progress(done, total)` is called for every file;
// false cancels. Each batch of files is one transaction, so a scan that is
// cancelled or killed leaves a consistent index, and can be repeated.
ArchiveScanResult scanArchiveFolder(ArchiveIndex& index, const QString& folder,
                                    const std::function<bool(int, int)>& progress = {});

// Indexes one session held in memory as the file `path` (a download's copy, a
// file just opened or saved); a session without a lap is not indexed, which is
// no failure.
Status indexSession(ArchiveIndex& index, const Session& s, const QString& path);
// The same for figures already taken from a session (makeArchiveEntry).
Status indexEntry(ArchiveIndex& index, ArchiveEntry entry, const QString& path);

}  // namespace orvex

Q_DECLARE_METATYPE(orvex::ArchiveScanResult)
