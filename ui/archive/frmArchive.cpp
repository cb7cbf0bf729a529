#include "ui/archive/frmArchive.h"

#include <QCloseEvent>
#include <QCompleter>
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
#include <QMdiArea>
#include <QPainter>
#include <QProgressDialog>
#include <QPushButton>
#include <QSplitter>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
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

// Every word of [from, to) in the search text, as a balanced tree of ANDs:
// SQLite refuses an expression nested more than 1,000 deep, which a chain of
// 1,000 words would be.
QString allWords(int from, int to) {
    if (to - from == 1) return "instr(s.search, ?) > 0";
    const int middle = from + (to - from) / 2;
    return "(" + allWords(from, middle) + " AND " + allWords(middle, to) + ")";
}

QDate bound(const QDateEdit* edit) { return edit->date() == kNoDate ? QDate() : edit->date(); }

}  // namespace

ArchiveModel::ArchiveModel(QStringList headers, std::vector<int> timeColumns, int fileColumn,
                           QObject* parent)
    : QSqlQueryModel(parent),
      headers_(std::move(headers)),
      timeColumns_(std::move(timeColumns)),
      fileColumn_(fileColumn) {}

bool ArchiveModel::run(const QString& sql, const QVariantList& binds, const QString& connection) {
    // Not forward only: the model seeks back to rows it has shown. The driver
    // still fetches rows only as the view asks for them.
    QSqlQuery query(QSqlDatabase::database(connection, false));
    query.prepare(sql);
    for (int i = 0; i < binds.size(); ++i) query.bindValue(i, binds[i]);
    const bool ok = query.exec();
    present_.clear();
    setQuery(std::move(query));
    for (int i = 0; i < headers_.size(); ++i) setHeaderData(i, Qt::Horizontal, headers_[i]);
    return ok;
}

QString ArchiveModel::path(int row) const {
    return fileColumn_ < 0 ? QString()
                           : QSqlQueryModel::data(index(row, fileColumn_)).toString().mid(1);
}

// The index's mark, and a look at the disk for the rows shown, once per query:
// a file deleted since the last check is greyed too.
bool ArchiveModel::present(int row) const {
    if (fileColumn_ < 0) return false;
    const auto known = present_.constFind(row);
    if (known != present_.cend()) return *known;
    const QString value = QSqlQueryModel::data(index(row, fileColumn_)).toString();
    const bool there = value.startsWith('1') && QFileInfo::exists(value.mid(1));
    present_.insert(row, there);
    return there;
}

QVariant ArchiveModel::data(const QModelIndex& index, int role) const {
    if (role == Qt::ForegroundRole && fileColumn_ >= 0 && !present(index.row()))
        return QColor(Qt::gray);
    if (role != Qt::DisplayRole) return QSqlQueryModel::data(index, role);
    const QVariant value = QSqlQueryModel::data(index, role);
    if (index.column() == fileColumn_) return QDir::toNativeSeparators(path(index.row()));
    if (std::find(timeColumns_.begin(), timeColumns_.end(), index.column()) != timeColumns_.end())
        return value.toLongLong() > 0 ? QString::fromStdString(FormatTime(value.toLongLong()))
                                      : QString();
    return value;
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
    const int left = fm.horizontalAdvance("00:00.00") + 8, top = fm.height(),
              bottom = fm.height() + 4;
    const QRect plot(left, top, std::max(1, width() - left - 8),
                     std::max(1, height() - top - bottom));
    p.setPen(palette().text().color());
    p.drawText(QRect(0, plot.top() - fm.height() / 2, left - 4, fm.height()), Qt::AlignRight,
               QString::fromStdString(FormatTime(hi->second)));
    p.drawText(QRect(0, plot.bottom() - fm.height() / 2, left - 4, fm.height()), Qt::AlignRight,
               QString::fromStdString(FormatTime(lo->second)));
    p.drawText(plot.left(), height() - 2, points_.front().first);
    p.drawText(QRect(plot.left(), height() - fm.height(), plot.width(), fm.height()),
               Qt::AlignRight, points_.back().first);
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
    sessionsModel_ = new ArchiveModel({tr("Date"), tr("Time"), tr("Track"), tr("Drivers"),
                                       tr("Best lap"), tr("Best by"), tr("File")},
                                      {4}, 6, this);
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
    sessions_->installEventFilter(this);
    pageLayout->addWidget(sessions_);
    tabs_->addTab(page, tr("Sessions"));
    connect(search_, &QLineEdit::textChanged, this, &frmArchive::runSessions);
    connect(from_, &QDateEdit::dateChanged, this, &frmArchive::runSessions);
    connect(to_, &QDateEdit::dateChanged, this, &frmArchive::runSessions);
    connect(sessions_, &QTableView::doubleClicked, this,
            [this](const QModelIndex& i) { openSession(i.row()); });

    // Records
    recordsModel_ = new ArchiveModel(
        {tr("Track"), tr("Best lap"), tr("Best by"), tr("Date"), tr("First seen")}, {1}, -1, this);
    trackModel_ = new ArchiveModel(
        {tr("Best lap"), tr("Driver"), tr("Date"), tr("Time"), tr("First seen")}, {0}, -1, this);
    auto* split = new QSplitter(Qt::Vertical, tabs_);
    records_ = makeView(recordsModel_, split);
    track_ = makeView(trackModel_, split);
    tabs_->addTab(split, tr("Records"));
    connect(records_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& i) { runTrack(i.row()); });

    // Driver
    driverModel_ = new ArchiveModel({tr("First seen"), tr("Date"), tr("Track"), tr("No."),
                                     tr("Laps"), tr("Best lap"), tr("Rank")},
                                    {5}, -1, this);
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
    auto* add = new QPushButton(tr("Add &folder..."), body);
    auto* check = new QPushButton(tr("&Check files"), body);
    buttons->addWidget(add);
    buttons->addWidget(check);
    buttons->addStretch();
    layout->addLayout(buttons);
    connect(add, &QPushButton::clicked, this, &frmArchive::chooseFolder);
    connect(check, &QPushButton::clicked, this, &frmArchive::checkFiles);
    setWidget(body);
}

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

QString frmArchive::sessionsQuery(const QString& search, QDate from, QDate to,
                                  QVariantList& binds) {
    QStringList where;
    QStringList words = search.toLower().split(' ', Qt::SkipEmptyParts);
    words.removeDuplicates();
    if (!words.isEmpty()) {
        for (const QString& word : words) binds << word;
        where << allWords(0, static_cast<int>(words.size()));
    }
    if (from.isValid()) {
        where << "s.first_seen >= ?";
        binds << from.toString("yyyy-MM-dd");
    }
    if (to.isValid()) {
        where << "s.first_seen < ?";
        binds << to.addDays(1).toString("yyyy-MM-dd");
    }
    return "SELECT s.date, s.time, s.track, s.drivers, s.best, CASE WHEN s.best_no > 0 THEN "
           "rtrim(s.best_no || ' ' || s.best_name) ELSE '' END, "
           // The file that gave the texts while it is there, else another.
           "coalesce((SELECT '1' || f.path FROM archive_file f WHERE f.path = s.source_path AND "
           "f.present = 1), (SELECT f.present || f.path FROM archive_file f WHERE f.session_id = "
           "s.id ORDER BY f.present DESC, f.path LIMIT 1)) FROM archive_session s" +
           (where.isEmpty() ? QString() : " WHERE " + where.join(" AND ")) +
           " ORDER BY s.first_seen DESC, s.id";
}

void frmArchive::refresh() {
    runSessions();
    runRecords();
    if (!driver_->text().isEmpty()) showDriver(driver_->text());
}

void frmArchive::runSessions() {
    QVariantList binds;
    const QString sql = sessionsQuery(search_->text(), bound(from_), bound(to_), binds);
    // A search that cannot run says why instead of showing an empty list.
    const bool ran = sessionsModel_->run(sql, binds, index_.db().connectionName());
    searchError_->setText(
        ran ? QString()
            : tr("The search could not be run: %1").arg(sessionsModel_->lastError().text()));
    searchError_->setVisible(!ran);
}

void frmArchive::runRecords() {
    // SQLite gives the other columns of the row that holds the minimum.
    recordsModel_->run(
        "SELECT s.track, min(s.best), rtrim(s.best_no || ' ' || s.best_name), s.date, "
        "substr(s.first_seen, 1, 10), s.track_key FROM archive_session s WHERE s.best > 0 "
        "GROUP BY s.track_key ORDER BY s.track_key",
        {}, index_.db().connectionName());
    records_->setColumnHidden(5, true);
    trackModel_->clear();
    if (recordsModel_->rowCount() > 0) records_->selectRow(0);
}

void frmArchive::runTrack(int row) {
    const QString key =
        recordsModel_->QSqlQueryModel::data(recordsModel_->index(row, 5)).toString();
    // A lap among the track's 10 best lies in a session whose own best is among the
    // track's 10 best sessions: only their drivers are looked at.
    trackModel_->run(
        "SELECT d.best, rtrim(d.number || ' ' || d.name), s.date, s.time, "
        "substr(s.first_seen, 1, 10) FROM archive_driver d JOIN (SELECT id, date, time, "
        "first_seen FROM archive_session WHERE track_key = ? AND best > 0 ORDER BY best LIMIT "
        "10) s ON s.id = d.session_id WHERE d.best > 0 ORDER BY d.best, s.first_seen LIMIT 10",
        {key}, index_.db().connectionName());
}

void frmArchive::showDriver(const QString& name) {
    if (driver_->text() != name) driver_->setText(name);
    const QString key = ArchiveIndex::nameKey(name.toStdString());
    const char* sql =
        "SELECT substr(s.first_seen, 1, 10), s.date, s.track, d.number, d.laps, d.best, d.rank "
        "FROM archive_driver d JOIN archive_session s ON s.id = d.session_id WHERE d.name_key = "
        "? ORDER BY s.first_seen, s.id";
    driverModel_->run(sql, {key}, index_.db().connectionName());
    // One driver's sessions are few: the chart reads them all from the table's model.
    while (driverModel_->canFetchMore()) driverModel_->fetchMore();
    std::vector<std::pair<QString, std::int32_t>> points;
    for (int row = 0; row < driverModel_->rowCount(); ++row) {
        const QSqlRecord r = driverModel_->record(row);
        if (r.value(5).toInt() > 0) points.emplace_back(r.value(0).toString(), r.value(5).toInt());
    }
    chart_->setPoints(std::move(points));
}

void frmArchive::openSession(int row) {
    const QString path = sessionsModel_->path(row);
    if (path.isEmpty()) return;
    if (!sessionsModel_->present(row) || !QFileInfo::exists(path)) {
        const QString text =
            tr("The file %1 is no longer there.").arg(QDir::toNativeSeparators(path)) + "\n\n" +
            tr("Remove it from the archive?");
        if (ask(text, MessageBox::YesNo + MessageBox::Question) == MessageBox::Yes &&
            index_.removeFile(path))
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
    QProgressDialog progress(tr("Indexing session files..."), tr("Cancel"), 0, 0, this);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(500);
    const ArchiveScanResult r = Archive_ScanFolder(index_, folder, [&](int done, int total) {
        if (progress.maximum() != total) progress.setMaximum(total);
        progress.setValue(done);
        return !progress.wasCanceled();
    });
    progress.reset();
    refresh();
    ask(r.summary(), MessageBox::OkOnly + MessageBox::Information);
}

void frmArchive::checkFiles() {
    const int gone = index_.checkFiles();
    if (gone < 0) {
        ask(tr("The archive could not be checked; try again later."),
            MessageBox::OkOnly + MessageBox::Exclamation);
        return;
    }
    const int orphans = index_.orphanSessions();
    const QString text = tr("%n file(s) of the archive are no longer there.", nullptr, gone);
    refresh();
    if (orphans <= 0) {
        ask(text, MessageBox::OkOnly + MessageBox::Information);
        return;
    }
    if (ask(text + "\n\n" +
                tr("%n session(s) have no file left. Remove them from the archive?", nullptr,
                   orphans),
            MessageBox::YesNo + MessageBox::Question) == MessageBox::Yes &&
        index_.dropOrphans() >= 0)
        refresh();
}

}  // namespace orvex
