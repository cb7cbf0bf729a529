#pragma once
#include <QDate>
#include <QHash>
#include <QMdiSubWindow>
#include <QSqlQueryModel>
#include <functional>
#include <string>
#include <vector>

class QDateEdit;
class QLabel;
class QLineEdit;
class QMdiArea;
class QPushButton;
class QTabWidget;
class QTableView;

namespace orvex {

class ArchiveIndex;

// A query model that fetches its rows as the view scrolls, shows lap values
// as times and a file that has gone greyed. A File column holds the present
// flag ('1' or '0') before the path.
class ArchiveModel : public QSqlQueryModel {
    Q_OBJECT
public:
    ArchiveModel(QStringList headers, std::vector<int> timeColumns, int fileColumn,
                 QObject* parent);
    // Runs `sql` with `binds`; false when the query fails (the model is then empty).
    bool run(const QString& sql, const QVariantList& binds, const QString& connection);
    QVariant data(const QModelIndex& index, int role) const override;
    // The path of row `row`'s file, and whether it is still there.
    QString path(int row) const;
    bool present(int row) const;

private:
    QStringList headers_;
    std::vector<int> timeColumns_;
    int fileColumn_;
    mutable QHash<int, bool> present_;
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

    static frmArchive* Load(QMdiArea* area, ArchiveIndex& index, std::vector<std::string> roster,
                            Opener open);

    // Runs the queries again (after a download, an open, a save).
    void refresh();

    // The SQL of the Sessions tab for a search text and a first-seen date range
    // (a null date is no bound), with the values to bind.
    static QString sessionsQuery(const QString& search, QDate from, QDate to, QVariantList& binds);

    // "Add &folder..." after its dialog: scans, says what was skipped.
    void addFolder(const QString& folder);
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
    ArchiveModel* sessionsModel() const { return sessionsModel_; }
    ArchiveModel* recordsModel() const { return recordsModel_; }
    ArchiveModel* trackModel() const { return trackModel_; }
    ArchiveModel* driverModel() const { return driverModel_; }
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
    ArchiveModel* sessionsModel_ = nullptr;
    ArchiveModel* recordsModel_ = nullptr;
    ArchiveModel* trackModel_ = nullptr;
    ArchiveModel* driverModel_ = nullptr;
};

}  // namespace orvex
