#include "ui/archive/frmArchive.h"

#include <QCloseEvent>
#include <QCompleter>
#include <QCoreApplication>
#include <QDateEdit>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMdiArea>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QSplitter>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

#include "platform/MessageBox.h"
#include "platform/Messages.h"
#include "platform/Platform.h"
#include "session/TimeFormat.h"
#include "store/ArchiveIndex.h"
#include "store/ArchiveScan.h"
#include "store/ArchiveScanner.h"

namespace orvex {

namespace {

const QDate kNoDate(2000, 1, 1);

int ask(const QString& text, int flags) {
    return platform().messages->show(text.toStdString(), flags, kProgramTitle);
}

QTableView* makeView(QAbstractItemModel* model, QWidget* parent) {
    auto* view = new QTableView(parent);
    view->setModel(model);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->verticalHeader()->hide();
    view->horizontalHeader()->setStretchLastSection(true);
    view->setWordWrap(false);
    return view;
}

QDateEdit* makeDate(QWidget* parent) {
    auto* edit = new QDateEdit(parent);
    edit->setCalendarPopup(true);
    edit->setDisplayFormat("yyyy-MM-dd");
    edit->setMinimumDate(kNoDate);
    // The lowest date shows blank: no bound.
    edit->setSpecialValueText(" ");
    edit->setDate(kNoDate);
    return edit;
}

QDate bound(const QDateEdit* edit) { return edit->date() == kNoDate ? QDate() : edit->date(); }

// Rows the Sessions list reads at a time: a screenful and more.
constexpr int kPage = 50;

QVariant timeText(std::int64_t value) { return QString::fromStdString(clockText(value)); }

// A day the program noted ("2026-12-07") in the user's short date form.
QString dayText(const QString& iso) {
    const QDate day = QDate::fromString(iso, Qt::ISODate);
    return day.isValid() ? QLocale().toString(day, QLocale::ShortFormat) : iso;
}

// A path cut short keeps its file name and the start of its folder.
class MiddleElide : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        option->textElideMode = Qt::ElideMiddle;
    }
};

// Every column as wide as what it holds, but the last, which takes the rest.
void fitColumns(QTableView* view) {
    for (int c = 0; c + 1 < view->model()->columnCount(); ++c) view->resizeColumnToContents(c);
}

// The store's reason, for the line under the search box.
QString reason(const Status& st) {
    return st.detail().empty() ? QCoreApplication::translate("Status", st.text().c_str())
                               : QString::fromStdString(st.detail());
}

}  // namespace

ArchiveSessionsModel::ArchiveSessionsModel(ArchiveIndex& index, QObject* parent)
    : QAbstractTableModel(parent), index_(index) {}

Status ArchiveSessionsModel::setFilter(const SessionFilter& filter) {
    beginResetModel();
    filter_ = filter;
    present_.clear();
    Result<std::vector<SessionRow>> page = index_.sessions(filter_, 0, kPage);
    rows_ = page.isOk() ? std::move(page.value()) : std::vector<SessionRow>{};
    atEnd_ = !page.isOk() || rows_.size() < kPage;
    endResetModel();
    return page.isOk() ? Status::ok() : page.status();
}

bool ArchiveSessionsModel::canFetchMore(const QModelIndex& parent) const {
    return !parent.isValid() && !atEnd_;
}

void ArchiveSessionsModel::fetchMore(const QModelIndex& parent) {
    if (parent.isValid() || atEnd_) return;
    Result<std::vector<SessionRow>> page =
        index_.sessions(filter_, static_cast<int>(rows_.size()), kPage);
    // A page that cannot be read ends the list where it is.
    atEnd_ = !page.isOk() || page->size() < kPage;
    if (!page.isOk() || page->empty()) return;
    const int first = static_cast<int>(rows_.size());
    beginInsertRows({}, first, first + static_cast<int>(page->size()) - 1);
    for (SessionRow& r : page.value()) rows_.push_back(std::move(r));
    endInsertRows();
}

bool ArchiveSessionsModel::present(int row) const {
    const auto known = present_.constFind(row);
    if (known != present_.cend()) return *known;
    const SessionRow& r = rows_[static_cast<std::size_t>(row)];
    const bool there = r.present && QFileInfo::exists(r.path);
    present_.insert(row, there);
    return there;
}

int ArchiveSessionsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int ArchiveSessionsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 7;
}

QVariant ArchiveSessionsModel::headerData(int section, Qt::Orientation orientation,
                                          int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    const QString headers[] = {tr("Date"),     tr("Time"),    tr("Track"), tr("Drivers"),
                               tr("Best lap"), tr("Best by"), tr("File")};
    return section >= 0 && section < 7 ? headers[section] : QVariant();
}

QVariant ArchiveSessionsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    if (role == Qt::ForegroundRole) return present(index.row()) ? QVariant() : QColor(Qt::gray);
    if (role != Qt::DisplayRole) return {};
    const SessionRow& r = row(index.row());
    switch (index.column()) {
        case 0:
            return r.date;
        case 1:
            return r.time;
        case 2:
            return r.track;
        case 3:
            return r.drivers;
        case 4:
            return timeText(r.best);
        case 5:
            return r.bestBy;
        case 6:
            return QDir::toNativeSeparators(r.path);
        default:
            return {};
    }
}

ArchiveListModel::ArchiveListModel(QStringList headers, QObject* parent)
    : QAbstractTableModel(parent), headers_(std::move(headers)) {}

void ArchiveListModel::setRows(int count, Cell cell) {
    beginResetModel();
    count_ = count;
    cell_ = std::move(cell);
    endResetModel();
}

int ArchiveListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : count_;
}

int ArchiveListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(headers_.size());
}

QVariant ArchiveListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    return section >= 0 && section < headers_.size() ? headers_[section] : QVariant();
}

QVariant ArchiveListModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= count_ || !cell_) return {};
    return cell_(index.row(), index.column());
}

void ArchiveChart::setPoints(std::vector<std::pair<QString, std::int32_t>> points) {
    points_ = std::move(points);
    update();
}

void ArchiveChart::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), palette().base());
    if (points_.empty()) return;
    const auto [lo, hi] =
        std::minmax_element(points_.begin(), points_.end(),
                            [](const auto& a, const auto& b) { return a.second < b.second; });
    const QFontMetrics fm(font());
    const QString high = QString::fromStdString(clockText(hi->second));
    const QString low = QString::fromStdString(clockText(lo->second));
    const int left = std::max(fm.horizontalAdvance(high), fm.horizontalAdvance(low)) + 8,
              top = fm.height(), bottom = fm.height() + 4;
    const QRect plot(left, top, std::max(1, width() - left - 8),
                     std::max(1, height() - top - bottom));
    p.setPen(palette().text().color());
    p.drawText(QRect(0, plot.top() - fm.height() / 2, left - 4, fm.height()), Qt::AlignRight, high);
    p.drawText(QRect(0, plot.bottom() - fm.height() / 2, left - 4, fm.height()), Qt::AlignRight,
               low);
    // The first and last days, whole: from the plot's left edge and up to the window's right.
    const QString first = dayText(points_.front().first), last = dayText(points_.back().first);
    p.drawText(QRect(plot.left(), height() - fm.height(), fm.horizontalAdvance(first), fm.height()),
               Qt::AlignLeft, first);
    if (points_.size() > 1)
        p.drawText(QRect(width() - 4 - fm.horizontalAdvance(last), height() - fm.height(),
                         fm.horizontalAdvance(last), fm.height()),
                   Qt::AlignLeft, last);
    p.drawRect(plot);
    const double span = std::max<double>(1, hi->second - lo->second);
    const auto at = [&](std::size_t i) {
        const double x = points_.size() < 2 ? 0.5 : double(i) / double(points_.size() - 1);
        return QPointF(plot.left() + x * plot.width(),
                       plot.top() + (hi->second - points_[i].second) / span * plot.height());
    };
    p.setPen(QPen(palette().highlight().color(), 2));
    for (std::size_t i = 1; i < points_.size(); ++i) p.drawLine(at(i - 1), at(i));
    for (std::size_t i = 0; i < points_.size(); ++i) p.drawEllipse(at(i), 2.5, 2.5);
}

frmArchive::frmArchive(QMdiArea* area, ArchiveIndex& index, std::vector<std::string> roster,
                       Opener open)
    : QMdiSubWindow(area), index_(index), open_(std::move(open)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(tr("Archive"));
    auto* body = new QWidget(this);
    auto* layout = new QVBoxLayout(body);
    tabs_ = new QTabWidget(body);
    layout->addWidget(tabs_);

    // Sessions
    sessionsModel_ = new ArchiveSessionsModel(index_, this);
    auto* page = new QWidget(tabs_);
    auto* pageLayout = new QVBoxLayout(page);
    auto* filters = new QHBoxLayout;
    search_ = new QLineEdit(page);
    search_->setPlaceholderText(tr("Search track, vehicle, note, driver, date"));
    search_->setClearButtonEnabled(true);
    from_ = makeDate(page);
    to_ = makeDate(page);
    filters->addWidget(search_, 1);
    filters->addWidget(new QLabel(tr("From"), page));
    filters->addWidget(from_);
    filters->addWidget(new QLabel(tr("To"), page));
    filters->addWidget(to_);
    pageLayout->addLayout(filters);
    searchError_ = new QLabel(page);
    searchError_->setWordWrap(true);
    searchError_->hide();
    pageLayout->addWidget(searchError_);
    sessions_ = makeView(sessionsModel_, page);
    sessions_->setItemDelegateForColumn(6, new MiddleElide(sessions_));
    sessions_->installEventFilter(this);
    pageLayout->addWidget(sessions_);
    tabs_->addTab(page, tr("Sessions"));
    connect(search_, &QLineEdit::textChanged, this, &frmArchive::runSessions);
    connect(from_, &QDateEdit::dateChanged, this, &frmArchive::runSessions);
    connect(to_, &QDateEdit::dateChanged, this, &frmArchive::runSessions);
    connect(sessions_, &QTableView::doubleClicked, this,
            [this](const QModelIndex& i) { openSession(i.row()); });

    // Records
    recordsModel_ = new ArchiveListModel(
        {tr("Track"), tr("Best lap"), tr("Best by"), tr("Date"), tr("First seen")}, this);
    trackModel_ = new ArchiveListModel(
        {tr("Best lap"), tr("Driver"), tr("Date"), tr("Time"), tr("First seen")}, this);
    auto* split = new QSplitter(Qt::Vertical, tabs_);
    records_ = makeView(recordsModel_, split);
    track_ = makeView(trackModel_, split);
    tabs_->addTab(split, tr("Records"));
    connect(records_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& i) { runTrack(i.row()); });

    // Driver
    driverModel_ = new ArchiveListModel({tr("First seen"), tr("Date"), tr("Track"), tr("No."),
                                         tr("Laps"), tr("Best lap"), tr("Rank")},
                                        this);
    page = new QWidget(tabs_);
    auto* form = new QFormLayout;
    driver_ = new QLineEdit(page);
    QStringList names;
    for (const std::string& n : roster) names << QString::fromStdString(n);
    auto* completer = new QCompleter(names, driver_);
    completer->setCaseSensitivity(Qt::CaseInsensitive);
    completer->setFilterMode(Qt::MatchContains);
    driver_->setCompleter(completer);
    form->addRow(tr("Driver"), driver_);
    auto* driverLayout = new QVBoxLayout(page);
    driverLayout->addLayout(form);
    driverView_ = makeView(driverModel_, page);
    chart_ = new ArchiveChart(page);
    chart_->setMinimumHeight(140);
    driverLayout->addWidget(driverView_, 2);
    driverLayout->addWidget(chart_, 1);
    tabs_->addTab(page, tr("Driver"));
    connect(driver_, &QLineEdit::editingFinished, this, [this] { showDriver(driver_->text()); });
    connect(completer, qOverload<const QString&>(&QCompleter::activated), this,
            &frmArchive::showDriver);

    auto* buttons = new QHBoxLayout;
    add_ = new QPushButton(tr("Add &folder..."), body);
    auto* check = new QPushButton(tr("&Check files"), body);
    progress_ = new QProgressBar(body);
    progress_->hide();
    cancel_ = new QPushButton(tr("Ca&ncel"), body);
    cancel_->hide();
    buttons->addWidget(add_);
    buttons->addWidget(check);
    buttons->addWidget(progress_, 1);
    buttons->addWidget(cancel_);
    buttons->addStretch();
    layout->addLayout(buttons);
    scanner_ = std::make_unique<ArchiveScanner>(index_.db().databaseName());
    connect(scanner_.get(), &ArchiveScanner::progress, this, [this](int done, int total) {
        progress_->setMaximum(total);
        progress_->setValue(done);
    });
    connect(scanner_.get(), &ArchiveScanner::finished, this, &frmArchive::scanFinished);
    connect(cancel_, &QPushButton::clicked, this, [this] { scanner_->cancel(); });
    connect(add_, &QPushButton::clicked, this, &frmArchive::chooseFolder);
    connect(check, &QPushButton::clicked, this, &frmArchive::checkFiles);
    setWidget(body);
}

// A scan still running is cancelled and waited for.
frmArchive::~frmArchive() = default;

frmArchive* frmArchive::Load(QMdiArea* area, ArchiveIndex& index, std::vector<std::string> roster,
                             Opener open) {
    auto* f = new frmArchive(area, index, std::move(roster), std::move(open));
    // Within the main window's area, so no edge opens out of reach.
    const QSize room = area->viewport()->size();
    f->resize(std::min(860, std::max(room.width(), 400)),
              std::min(560, std::max(room.height(), 300)));
    f->move(0, 0);
    f->refresh();
    return f;
}

void frmArchive::closeEvent(QCloseEvent* event) {
    emit unloaded();
    QMdiSubWindow::closeEvent(event);
}

bool frmArchive::eventFilter(QObject* watched, QEvent* event) {
    if (watched == sessions_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) &&
            sessions_->currentIndex().isValid()) {
            openSession(sessions_->currentIndex().row());
            return true;
        }
    }
    return QMdiSubWindow::eventFilter(watched, event);
}

void frmArchive::refresh() {
    runSessions();
    runRecords();
    if (!driver_->text().isEmpty()) showDriver(driver_->text());
}

void frmArchive::runSessions() {
    const Status st = sessionsModel_->setFilter({search_->text(), bound(from_), bound(to_)});
    // A search that cannot run says why instead of showing an empty list.
    searchError_->setText(st.isOk() ? QString()
                                    : tr("The search could not be run: %1").arg(reason(st)));
    searchError_->setVisible(!st.isOk());
    fitColumns(sessions_);
}

void frmArchive::runRecords() {
    Result<std::vector<TrackRecordRow>> rows = index_.trackRecords();
    recordRows_ = rows.isOk() ? std::move(rows.value()) : std::vector<TrackRecordRow>{};
    recordsModel_->setRows(static_cast<int>(recordRows_.size()), [this](int row, int column) {
        const TrackRecordRow& r = recordRows_[static_cast<std::size_t>(row)];
        const QVariant cells[] = {r.track.isEmpty() ? tr("(no track)") : r.track, timeText(r.best),
                                  r.bestBy, r.date, dayText(r.firstSeen)};
        return column < 5 ? cells[column] : QVariant();
    });
    fitColumns(records_);
    trackModel_->clear();
    if (!recordRows_.empty()) records_->selectRow(0);
}

void frmArchive::runTrack(int row) {
    if (row < 0 || row >= static_cast<int>(recordRows_.size())) return;
    Result<std::vector<TrackLapRow>> rows =
        index_.trackLaps(recordRows_[static_cast<std::size_t>(row)].trackKey);
    trackRows_ = rows.isOk() ? std::move(rows.value()) : std::vector<TrackLapRow>{};
    trackModel_->setRows(static_cast<int>(trackRows_.size()), [this](int row, int column) {
        const TrackLapRow& r = trackRows_[static_cast<std::size_t>(row)];
        const QVariant cells[] = {timeText(r.best), r.driver, r.date, r.time, dayText(r.firstSeen)};
        return column < 5 ? cells[column] : QVariant();
    });
    fitColumns(track_);
}

void frmArchive::showDriver(const QString& name) {
    if (driver_->text() != name) driver_->setText(name);
    Result<std::vector<DriverSessionRow>> rows = index_.driverHistory(name);
    driverRows_ = rows.isOk() ? std::move(rows.value()) : std::vector<DriverSessionRow>{};
    driverModel_->setRows(static_cast<int>(driverRows_.size()), [this](int row, int column) {
        const DriverSessionRow& r = driverRows_[static_cast<std::size_t>(row)];
        const QVariant cells[] = {dayText(r.firstSeen), r.date, r.track, r.number, r.laps,
                                  timeText(r.best),     r.rank};
        return column < 7 ? cells[column] : QVariant();
    });
    fitColumns(driverView_);
    std::vector<std::pair<QString, std::int32_t>> points;
    for (const DriverSessionRow& r : driverRows_)
        if (r.best > 0) points.emplace_back(r.firstSeen, r.best);
    chart_->setPoints(std::move(points));
}

void frmArchive::openSession(int row) {
    if (row < 0 || row >= sessionsModel_->rowCount()) return;
    const QString path = sessionsModel_->row(row).path;
    if (path.isEmpty()) return;
    if (!sessionsModel_->present(row) || !QFileInfo::exists(path)) {
        const QString text =
            tr("The file %1 is no longer there.").arg(QDir::toNativeSeparators(path)) + "\n\n" +
            tr("Remove it from the archive?");
        if (ask(text, MessageBox::YesNo + MessageBox::Question) != MessageBox::Yes) return;
        if (const Status st = index_.removeFile(path); !st.isOk())
            ask(tr("The file could not be removed from the archive: %1").arg(reason(st)),
                MessageBox::OkOnly + MessageBox::Exclamation);
        refresh();
        return;
    }
    if (open_) open_(QDir::toNativeSeparators(path).toStdString());
}

void frmArchive::chooseFolder() {
    const QString folder = QFileDialog::getExistingDirectory(this, tr("Add folder"));
    if (!folder.isEmpty()) addFolder(folder);
}

void frmArchive::addFolder(const QString& folder) {
    if (!scanner_->start(folder)) return;
    add_->setEnabled(false);
    progress_->setRange(0, 0);
    progress_->show();
    cancel_->show();
}

void frmArchive::scanFinished(const ArchiveScanResult& result) {
    progress_->hide();
    cancel_->hide();
    add_->setEnabled(true);
    refresh();
    ask(result.summary(), MessageBox::OkOnly + MessageBox::Information);
}

void frmArchive::checkFiles() {
    const Result<int> gone = index_.checkFiles();
    if (!gone.isOk()) {
        ask(tr("The archive could not be checked; try again later."),
            MessageBox::OkOnly + MessageBox::Exclamation);
        return;
    }
    const Result<int> orphans = index_.orphanSessions();
    const QString text =
        tr("%n file(s) of the archive are no longer there.", nullptr, gone.value());
    refresh();
    if (!orphans.isOk() || orphans.value() <= 0) {
        ask(text, MessageBox::OkOnly + MessageBox::Information);
        return;
    }
    if (ask(text + "\n\n" +
                tr("%n session(s) have no file left. Remove them from the archive?", nullptr,
                   orphans.value()),
            MessageBox::YesNo + MessageBox::Question) != MessageBox::Yes)
        return;
    if (const Result<int> dropped = index_.dropOrphans(); !dropped.isOk())
        ask(tr("The archive could not be changed: %1").arg(reason(dropped.status())),
            MessageBox::OkOnly + MessageBox::Exclamation);
    refresh();
}

}  // namespace orvex
