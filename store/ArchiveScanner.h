#pragma once
#include <QObject>
#include <QString>
#include <QThread>
#include <atomic>
#include <memory>

#include "store/ArchiveScan.h"

namespace orvex {

// Runs a folder scan on a thread of its own, with its own connection to the
// club database (a Qt SQL connection belongs to its thread), so the windows
// stay responsive. Progress and the end come as signals, queued to the thread
// that made the scanner; cancel() may be called from any thread and stops the
// scan before its next file, leaving the batches written so far.
class ArchiveScanner : public QObject {
    Q_OBJECT
public:
    // `databasePath`: the club database's file.
    explicit ArchiveScanner(QString databasePath, QObject* parent = nullptr);
    // Cancels a running scan and waits for its thread.
    ~ArchiveScanner() override;

    // Starts scanning `folder`; false while a scan runs.
    bool start(const QString& folder);
    void cancel() { cancel_ = true; }
    bool isRunning() const { return busy_; }

signals:
    // `done` of `total` files read; at most about every 50 ms.
    void progress(int done, int total);
    void finished(const orvex::ArchiveScanResult& result);

private:
    void run(const QString& folder);

    QString databasePath_;
    std::unique_ptr<QThread> thread_;
    std::atomic<bool> cancel_{false};
    std::atomic<bool> busy_{false};
};

}  // namespace orvex
