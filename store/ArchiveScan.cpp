#include "store/ArchiveScan.h"

#include <dirent.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QStringDecoder>
#include <QStringList>
#include <vector>

#include "platform/RunError.h"
#include "platform/qt/QtFileSystem.h"
#include "session/DataFile.h"
#include "session/Session.h"
#include "store/ArchiveIndex.h"

namespace orvex {

namespace {

// Enough files for one transaction to be worth its sync, few enough that
// another copy of the program waits only briefly for the lock.
constexpr std::size_t kBatch = 250;

struct Walk {
    QStringList files;
    QSet<QString> seenFiles, seenFolders;
    int unreadable = 0;
    int loops = 0;
    int badNames = 0;
};

// Qt leaves out of its listing a name whose bytes are not UTF-8, which it
// could not name again: such names are counted here, never passed over in silence.
int namesNotUtf8(const QString& folder) {
    DIR* d = ::opendir(QFile::encodeName(folder).constData());
    if (!d) return 0;
    int count = 0;
    while (const dirent* e = ::readdir(d)) {
        QStringDecoder utf8(QStringDecoder::Utf8);
        const QString name = utf8(e->d_name);
        count += utf8.hasError() ? 1 : 0;
    }
    ::closedir(d);
    return count;
}

void walk(const QString& folder, QStringList& ancestors, Walk& w) {
    const QString canonical = QFileInfo(folder).canonicalFilePath();
    if (canonical.isEmpty()) return;
    if (ancestors.contains(canonical)) {
        ++w.loops;
        return;
    }
    // Reached a second time through a link: already scanned.
    if (w.seenFolders.contains(canonical)) return;
    w.seenFolders.insert(canonical);
    const QDir dir(folder);
    if (!QFileInfo(folder).isReadable()) {
        ++w.unreadable;
        return;
    }
    ancestors.append(canonical);
    w.badNames += namesNotUtf8(folder);
    const QFileInfoList entries = dir.entryInfoList(
        QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System, QDir::Name);
    for (const QFileInfo& e : entries) {
        if (e.isDir()) {
            walk(e.filePath(), ancestors, w);
        } else if (e.isFile()) {
            const QString file = e.canonicalFilePath();
            if (file.isEmpty() || w.seenFiles.contains(file)) continue;
            w.seenFiles.insert(file);
            w.files.append(file);
        }
        // A dangling link or a socket is nothing to index.
    }
    ancestors.removeLast();
}

}  // namespace

QString ArchiveScanResult::summary() const {
    QString text = tr("%n session file(s) indexed", nullptr, indexed) + ", " +
                   tr("%n new session(s)", nullptr, newSessions) + ".";
    if (cancelled) text += " " + tr("The scan was cancelled; it can be repeated.");
    if (!error.isOk())
        text +=
            " " +
            tr("The archive could not be written: %1").arg(QString::fromStdString(error.detail()));
    if (skipped() == 0) return text;
    QStringList why;
    if (notSession) why << tr("%n not a session file", nullptr, notSession);
    if (unreadable) why << tr("%n unreadable", nullptr, unreadable);
    if (damaged) why << tr("%n damaged", nullptr, damaged);
    if (empty) why << tr("%n without laps", nullptr, empty);
    if (loops) why << tr("%n symbolic-link loop(s)", nullptr, loops);
    if (badNames) why << tr("%n with a name that is not valid UTF-8", nullptr, badNames);
    return text + "\n" + tr("Skipped %1: %2.").arg(skipped()).arg(why.join(", "));
}

ArchiveScanResult scanArchiveFolder(ArchiveIndex& index, const QString& folder,
                                    const std::function<bool(int, int)>& progress) {
    ArchiveScanResult r;
    Walk w;
    QStringList ancestors;
    walk(folder, ancestors, w);
    r.unreadable = w.unreadable;
    r.loops = w.loops;
    r.badNames = w.badNames;
    std::vector<ArchiveIndex::Seen> batch;
    const auto flush = [&] {
        if (batch.empty() || !r.error.isOk()) return;
        // The first failed write ends the scan: the next batch would fail alike.
        const Result<int> added = index.add(batch);
        if (added.isOk()) {
            r.newSessions += added.value();
            r.indexed += static_cast<int>(batch.size());
        } else {
            r.error = added.status();
        }
        batch.clear();
    };
    Session s;
    const int total = static_cast<int>(w.files.size());
    for (int i = 0; i < total && r.error.isOk(); ++i) {
        if (progress && !progress(i, total)) {
            r.cancelled = true;
            break;
        }
        const QString& path = w.files[i];
        // A FIFO or a device put in a file's place since the walk is passed
        // over, never waited on.
        QByteArray head;
        bool regular = true;
        const int error = readFileStart(path, kDataFileHeadBytes, head, regular);
        if (error != 0) {
            ++(regular ? r.unreadable : r.notSession);
            continue;
        }
        const QDateTime written = QFileInfo(path).lastModified();
        if (!looksLikeDataFile(head.constData(), static_cast<std::size_t>(head.size()))) {
            ++r.notSession;
            continue;
        }
        s.ResetSession();
        const DataFileLoad load = Data_FileLoad(QDir::toNativeSeparators(path).toStdString(), s);
        if (!load.ok()) {
            // A file gone between the listing and the read is unreadable, not damaged.
            ++(load.error == ErrorNo::FileNotFound ? r.unreadable : r.damaged);
            continue;
        }
        bool hasLaps = false;
        ArchiveEntry entry = makeArchiveEntry(s, hasLaps);
        if (!hasLaps) {
            ++r.empty;
            continue;
        }
        batch.push_back({std::move(entry), path, written});
        if (batch.size() >= kBatch) flush();
    }
    flush();
    if (progress && !r.cancelled) progress(total, total);
    return r;
}

Status indexSession(ArchiveIndex& index, const Session& s, const QString& path) {
    bool hasLaps = false;
    ArchiveEntry entry = makeArchiveEntry(s, hasLaps);
    return hasLaps ? indexEntry(index, std::move(entry), path) : Status::ok();
}

Status indexEntry(ArchiveIndex& index, ArchiveEntry entry, const QString& path) {
    const QFileInfo info(path);
    const QDateTime written = info.exists() ? info.lastModified() : QDateTime::currentDateTime();
    const Result<int> added = index.add({{std::move(entry), info.absoluteFilePath(), written}});
    return added.isOk() ? Status::ok() : added.status();
}

}  // namespace orvex
