#pragma once
#include <QAbstractTableModel>
#include <QMdiSubWindow>
#include <vector>

#include "results/Results.h"

class QMdiArea;
class QSortFilterProxyModel;
class QTableView;

namespace orvex {

class frmResultsChart;

// The results as a table model: the texts to show, and under Qt::UserRole
// the value a column sorts by.
class ResultsModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Pos, Driver, Name, Laps, Best, Average, Total, Gap, Speed, ColumnCount };
    using QAbstractTableModel::QAbstractTableModel;

    void setRows(std::vector<DriverResult> rows);
    const std::vector<DriverResult>& rows() const { return rows_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    std::vector<DriverResult> rows_;
};

// "Results": every driver with laps ranked by best lap, and the lap chart of
// the drivers selected in the table. Its place and size live in the
// program's settings, not in the session.
class frmResults : public QMdiSubWindow {
    Q_OBJECT
public:
    // A new window loaded into `area`; ChildWindows keeps it the only one.
    static frmResults* Load(QMdiArea* area);
    ~frmResults() override;

    // Rebuilds the table and the chart from the session; the selected
    // drivers stay selected while they are listed.
    void refresh();

    QTableView* table() const { return table_; }
    QSortFilterProxyModel* proxy() const { return proxy_; }
    ResultsModel* model() const { return model_; }
    frmResultsChart* chart() const { return chart_; }
    // The drivers selected in the table, in driver order.
    std::vector<int> selectedDrivers() const;

signals:
    // The main window clears the View check mark.
    void unloaded();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    explicit frmResults(QMdiArea* area);
    void selectDrivers(const std::vector<int>& drivers);
    void updateChart();

    ResultsModel* model_;
    QSortFilterProxyModel* proxy_;
    QTableView* table_;
    frmResultsChart* chart_;
};

}  // namespace orvex
