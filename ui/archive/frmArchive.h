#pragma once
#include <QAbstractTableModel>
#include <QDate>
#include <QHash>
#include <QMdiSubWindow>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/Status.h"
#include "store/ArchiveRows.h"

class QDateEdit;
class QLabel;
class QLineEdit;
class QMdiArea;
class QProgressBar;
class QPushButton;
class QTabWidget;
class QTableView;

namespace orvex {

class ArchiveIndex;
class ArchiveScanner;
struct ArchiveScanResult;

// The Sessions list over the store's rows, fetched a page at a time as the
// view scrolls; a file that has gone is greyed.
class ArchiveSessionsModel : public QAbstractTableModel {
    Q_OBJECT
public:
    ArchiveSessionsModel(ArchiveIndex& index, QObject* parent);
    // Reads the first page for `filter`; the status of that read.
    Status setFilter(const SessionFilter& filter);
    const SessionRow& row(int row) const { return rows_[static_cast<std::size_t>(row)]; }
    // Whether row `row`'s file is there: the index's mark, and a look at the
    // disk once per filter, so a file deleted since the last check is greyed too.
    bool present(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;

private:
    ArchiveIndex& index_;
    SessionFilter filter_;
    std::vector<SessionRow> rows_;
    bool atEnd_ = true;
    mutable QHash<int, bool> present_;
};

// A short list read whole (records, a track's best laps, a driver's sessions):
// its headers and a function giving a cell's text.
class ArchiveListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using Cell = std::function<QVariant(int row, int column)>;
    ArchiveListModel(QStringList headers, QObject* parent);
    void setRows(int count, Cell cell);
    void clear() { setRows(0, {}); }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QStringList headers_;
    int count_ = 0;
    Cell cell_;
};

// The best laps of one driver over time, oldest on the left.
class ArchiveChart : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;
    void setPoints(std::vector<std::pair<QString, std::int32_t>> points);
    const std::vector<std::pair<QString, std::int32_t>>& points() const { return points_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<std::pair<QString, std::int32_t>> points_;
};

// "Archive": every session the index knows ("Sessions"), the best laps of each
// track ("Records") and one driver's sessions ("Driver"). Rows come from the
// club database as the views scroll; nothing loads the whole archive.
class frmArchive : public QMdiSubWindow {
    Q_OBJECT
public:
    // Opens a session's file as File > Open does (save question first).
    using Opener = std::function<void(const std::string& path)>;

    ~frmArchive() override;

    static frmArchive* Load(QMdiArea* area, ArchiveIndex& index, std::vector<std::string> roster,
                            Opener open);

    // Reads the lists again (after a download, an open, a save).
    void refresh();

    // "Add &folder..." after its dialog: scans on a thread of its own, with
    // progress and Cancel in the window, then says what was skipped.
    void addFolder(const QString& folder);
    ArchiveScanner* scanner() const { return scanner_.get(); }
    // "&Check files".
    void checkFiles();
    // Double-click or Enter on a row of the Sessions tab.
    void openSession(int row);
    // The Driver tab for `name`.
    void showDriver(const QString& name);

    QTabWidget* tabs() const { return tabs_; }
    QLineEdit* searchBox() const { return search_; }
    QLabel* searchError() const { return searchError_; }
    QDateEdit* fromDate() const { return from_; }
    QDateEdit* toDate() const { return to_; }
    QTableView* sessionsView() const { return sessions_; }
    ArchiveSessionsModel* sessionsModel() const { return sessionsModel_; }
    ArchiveListModel* recordsModel() const { return recordsModel_; }
    ArchiveListModel* trackModel() const { return trackModel_; }
    ArchiveListModel* driverModel() const { return driverModel_; }
    QProgressBar* scanProgress() const { return progress_; }
    QTableView* recordsView() const { return records_; }
    QLineEdit* driverBox() const { return driver_; }
    ArchiveChart* chart() const { return chart_; }

signals:
    void unloaded();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    frmArchive(QMdiArea* area, ArchiveIndex& index, std::vector<std::string> roster, Opener open);
    void runSessions();
    void runRecords();
    void runTrack(int row);
    void chooseFolder();
    void scanFinished(const ArchiveScanResult& result);

    ArchiveIndex& index_;
    Opener open_;
    QTabWidget* tabs_ = nullptr;
    QLineEdit* search_ = nullptr;
    QLabel* searchError_ = nullptr;  // why the last search could not run
    QDateEdit* from_ = nullptr;
    QDateEdit* to_ = nullptr;
    QTableView* sessions_ = nullptr;
    QTableView* records_ = nullptr;
    QTableView* track_ = nullptr;
    QTableView* driverView_ = nullptr;
    QLineEdit* driver_ = nullptr;
    ArchiveChart* chart_ = nullptr;
    ArchiveSessionsModel* sessionsModel_ = nullptr;
    ArchiveListModel* recordsModel_ = nullptr;
    ArchiveListModel* trackModel_ = nullptr;
    ArchiveListModel* driverModel_ = nullptr;
    std::vector<TrackRecordRow> recordRows_;
    std::vector<TrackLapRow> trackRows_;
    std::vector<DriverSessionRow> driverRows_;
    QPushButton* add_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QProgressBar* progress_ = nullptr;
    std::unique_ptr<ArchiveScanner> scanner_;
};

}  // namespace orvex
