#include "store/ArchiveScanner.h"

#include <QElapsedTimer>
#include <QMetaObject>
#include <QSqlDatabase>
#include <atomic>

#include "store/ArchiveIndex.h"
#include "store/ClubDatabase.h"

namespace orvex {

ArchiveScanner::ArchiveScanner(QString databasePath, QObject* parent)
    : QObject(parent), databasePath_(std::move(databasePath)) {
    qRegisterMetaType<ArchiveScanResult>("orvex::ArchiveScanResult");
}

ArchiveScanner::~ArchiveScanner() {
    cancel_ = true;
    if (thread_) thread_->wait();
}

bool ArchiveScanner::start(const QString& folder) {
    if (isRunning()) return false;
    if (thread_) thread_->wait();
    cancel_ = false;
    busy_ = true;
    thread_.reset(QThread::create([this, folder] { run(folder); }));
    thread_->start();
    return true;
}

void ArchiveScanner::run(const QString& folder) {
    static std::atomic<int> connections{0};
    const QString name = QString("orvex-scan-%1").arg(++connections);
    ArchiveScanResult r;
    if (const Status opened = ClubDatabase::openConnection(databasePath_, name); opened.isOk()) {
        ArchiveIndex index(name);
        QElapsedTimer since;
        since.start();
        r = scanArchiveFolder(index, folder, [&](int done, int total) {
            if (done == 0 || done == total || since.elapsed() >= 50) {
                since.restart();
                emit progress(done, total);
            }
            return !cancel_;
        });
    } else {
        r.error = opened;
    }
    QSqlDatabase::removeDatabase(name);
    busy_ = false;
    emit finished(r);
}

}  // namespace orvex
