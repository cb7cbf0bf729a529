#include "results/frmResults.h"

#include <QCloseEvent>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QMdiArea>
#include <QSettings>
#include <QSortFilterProxyModel>
#include <QSplitter>
#include <QTableView>
#include <algorithm>

#include "results/frmResultsChart.h"
#include "session/Session.h"

namespace orvex {

namespace {

const char* const kGeometryKey = "Results/geometry";

QSettings programSettings() { return QSettings("ORVEX", "ORVEX"); }

}  // namespace

void ResultsModel::setRows(std::vector<DriverResult> rows) {
    beginResetModel();
    rows_ = std::move(rows);
    endResetModel();
}

int ResultsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int ResultsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant ResultsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const DriverResult& r = rows_[index.row()];
    if (role == Qt::TextAlignmentRole)
        return int((index.column() == Name ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);
    if (role == Qt::UserRole) {
        switch (index.column()) {
            case Pos:
            case Best:
                return r.pos;  // equal best laps keep their rank
            case Driver:
                return r.driver;
            case Name:
                return QString::fromStdString(r.name);
            case Laps:
                return r.laps;
            case Average:
                return qlonglong(r.average);
            case Total:
                return qlonglong(r.total);
            case Gap:
                return qlonglong(r.gap);
            // Faster is a shorter best lap; no speed sorts first.
            case Speed:
                return r.speedText.empty() ? qlonglong(0) : -qlonglong(r.best);
            default:
                return {};
        }
    }
    if (role != Qt::DisplayRole) return {};
    switch (index.column()) {
        case Pos:
            return r.pos;
        case Driver:
            return r.driver;
        case Name:
            return QString::fromStdString(r.name);
        case Laps:
            return r.laps;
        case Best:
            return QString::fromStdString(r.bestText);
        case Average:
            return QString::fromStdString(r.averageText);
        case Total:
            return QString::fromStdString(r.totalText);
        case Gap:
            return QString::fromStdString(r.gapText);
        case Speed:
            return QString::fromStdString(r.speedText);
        default:
            return {};
    }
}

QVariant ResultsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    static const char* const titles[] = {"Pos",         "Driver", "Name", "Laps",      "Best lap",
                                         "Average lap", "Total",  "Gap",  "Best speed"};
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= ColumnCount)
        return QAbstractTableModel::headerData(section, orientation, role);
    return QString(titles[section]);
}

frmResults* frmResults::Load(QMdiArea* area) {
    auto* f = new frmResults(area);
    const QRect saved = programSettings().value(kGeometryKey).toRect();
    if (saved.isValid())
        f->setGeometry(saved);
    else
        f->resize(720, 520);
    f->refresh();
    // Once: measuring every cell again on each refresh would cost more than
    // the whole rebuild, and the texts keep their widths.
    f->table_->resizeColumnsToContents();
    return f;
}

frmResults::frmResults(QMdiArea* area)
    : model_(new ResultsModel(this)),
      proxy_(new QSortFilterProxyModel(this)),
      table_(new QTableView),
      chart_(new frmResultsChart) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle("Results");
    setObjectName("frmResults");
    proxy_->setSourceModel(model_);
    proxy_->setSortRole(Qt::UserRole);
    table_->setModel(proxy_);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->verticalHeader()->hide();
    table_->setSortingEnabled(true);
    table_->sortByColumn(ResultsModel::Pos, Qt::AscendingOrder);
    connect(table_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { updateChart(); });
    auto* split = new QSplitter(Qt::Vertical);
    split->addWidget(table_);
    split->addWidget(chart_);
    setWidget(split);
    area->addSubWindow(this);
}

frmResults::~frmResults() { programSettings().setValue(kGeometryKey, geometry()); }

void frmResults::refresh() {
    const std::vector<int> keep = selectedDrivers();
    model_->setRows(MakeResults(session()));
    selectDrivers(keep);
}

std::vector<int> frmResults::selectedDrivers() const {
    std::vector<int> drivers;
    for (const QModelIndex& i : table_->selectionModel()->selectedRows())
        drivers.push_back(model_->rows()[proxy_->mapToSource(i).row()].driver);
    std::sort(drivers.begin(), drivers.end());
    return drivers;
}

// The drivers still listed, or the first row when none of them is.
void frmResults::selectDrivers(const std::vector<int>& drivers) {
    QItemSelection selection;
    for (int r = 0; r < proxy_->rowCount(); ++r) {
        const QModelIndex i = proxy_->index(r, 0);
        const int driver = model_->rows()[proxy_->mapToSource(i).row()].driver;
        if (std::binary_search(drivers.begin(), drivers.end(), driver))
            selection.select(i, proxy_->index(r, ResultsModel::ColumnCount - 1));
    }
    if (selection.isEmpty() && proxy_->rowCount() > 0)
        selection.select(proxy_->index(0, 0), proxy_->index(0, ResultsModel::ColumnCount - 1));
    table_->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    updateChart();
}

void frmResults::updateChart() {
    std::vector<ChartSeries> series;
    const std::vector<DriverResult>& rows = model_->rows();
    for (int driver : selectedDrivers()) {
        const auto r = std::find_if(rows.begin(), rows.end(),
                                    [driver](const DriverResult& x) { return x.driver == driver; });
        series.push_back({driver, LapSeries(session().LapTimes, driver), r->bestLapNo,
                          QString::fromStdString(r->name)});
    }
    chart_->setSeries(std::move(series));
}

void frmResults::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QMdiSubWindow::keyPressEvent(event);
}

void frmResults::closeEvent(QCloseEvent* event) {
    emit unloaded();
    QMdiSubWindow::closeEvent(event);
}

}  // namespace orvex
