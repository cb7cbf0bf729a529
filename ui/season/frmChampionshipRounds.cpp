#include "ui/season/frmChampionshipRounds.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>
#include <set>

#include "platform/qt/StatusMessage.h"
#include "session/TimeFormat.h"
#include "store/ArchiveIndex.h"

namespace orvex {

frmChampionshipRounds::frmChampionshipRounds(QWidget* parent, ArchiveIndex& index)
    : QDialog(parent), index_(index) {
    setWindowTitle(tr("Add rounds"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(tr("Choose the issued sessions that are rounds:"), this));
    search_ = new QLineEdit(this);
    search_->setPlaceholderText(tr("Search track, vehicle, note, driver, date"));
    search_->setClearButtonEnabled(true);
    layout->addWidget(search_);
    model_ = new QStandardItemModel(this);
    view_ = new QTableView(this);
    view_->setModel(model_);
    view_->setSelectionBehavior(QAbstractItemView::SelectRows);
    view_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view_->verticalHeader()->hide();
    view_->horizontalHeader()->setStretchLastSection(true);
    layout->addWidget(view_, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(tr("&Add"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(view_, &QTableView::doubleClicked, this, &QDialog::accept);
    layout->addWidget(buttons);
    connect(search_, &QLineEdit::textChanged, this, &frmChampionshipRounds::runSearch);
    resize(640, 420);
    runSearch();
}

void frmChampionshipRounds::runSearch() {
    SessionFilter filter;
    filter.search = search_->text();
    const auto rows = index_.sessions(filter, 0, kShown);
    model_->clear();
    model_->setHorizontalHeaderLabels(
        {tr("Date"), tr("Time"), tr("Track"), tr("Drivers"), tr("Best lap"), tr("By")});
    search_->setToolTip(rows.isOk() ? QString() : statusText(rows.status()));
    if (!rows.isOk()) return;
    for (const SessionRow& r : rows.value()) {
        QList<QStandardItem*> items;
        items << new QStandardItem(r.date) << new QStandardItem(r.time)
              << new QStandardItem(r.track) << new QStandardItem(QString::number(r.drivers))
              << new QStandardItem(r.best > 0 ? QString::fromStdString(clockText(r.best))
                                              : QString())
              << new QStandardItem(r.bestBy);
        items[0]->setData(QVariant::fromValue<qint64>(r.id), Qt::UserRole);
        model_->appendRow(items);
    }
    view_->resizeColumnsToContents();
}

std::vector<std::int64_t> frmChampionshipRounds::chosen() const {
    std::set<int> rows;
    for (const QModelIndex& i : view_->selectionModel()->selectedIndexes()) rows.insert(i.row());
    std::vector<std::int64_t> out;
    for (const int r : rows) out.push_back(model_->item(r, 0)->data(Qt::UserRole).toLongLong());
    return out;
}

}  // namespace orvex
