#include "ui/season/frmChampionship.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDate>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QMdiArea>
#include <QPdfWriter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSpinBox>
#include <QSplitter>
#include <QStandardItemModel>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QVBoxLayout>

#include "export/ExportFile.h"
#include "platform/DayClock.h"
#include "platform/FixedText.h"
#include "platform/MessageBox.h"
#include "platform/Messages.h"
#include "platform/MousePointer.h"
#include "platform/Platform.h"
#include "platform/Regional.h"
#include "platform/RunError.h"
#include "platform/qt/PdfFile.h"
#include "platform/qt/StatusMessage.h"
#include "season/Standings.h"
#include "season/StandingsCsv.h"
#include "store/ArchiveIndex.h"
#include "ui/season/StandingsPainter.h"
#include "ui/season/frmChampionshipRounds.h"

namespace orvex {

namespace {

QSpinBox* spin(QWidget* parent, int most) {
    auto* s = new QSpinBox(parent);
    s->setRange(0, most);
    return s;
}

QString printedOn() {
    const CalendarDate d = platform().dayClock->today();
    return QLocale().toString(QDate(d.year, d.month, d.day), QLocale::ShortFormat);
}

}  // namespace

frmChampionship::frmChampionship(QMdiArea* area, ChampionshipStore& store, ArchiveIndex& index,
                                 IssuedRounds* issued)
    : QMdiSubWindow(area), store_(store), index_(index), issued_(issued) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(tr("Championship"));
    auto* body = new QSplitter(this);

    auto* left = new QWidget(body);
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    list_ = new QListWidget(left);
    leftLayout->addWidget(list_, 1);
    auto* create = new QPushButton(tr("&New..."), left);
    rename_ = new QPushButton(tr("Re&name..."), left);
    delete_ = new QPushButton(tr("&Delete"), left);
    for (QPushButton* b : {create, rename_, delete_}) leftLayout->addWidget(b);
    connect(create, &QPushButton::clicked, this, [this] { trapErrors([&] { askNew(); }); });
    connect(rename_, &QPushButton::clicked, this, [this] { trapErrors([&] { askRename(); }); });
    connect(delete_, &QPushButton::clicked, this,
            [this] { trapErrors([&] { deleteChampionship(); }); });
    connect(list_, &QListWidget::currentRowChanged, this, [this] { loadCurrent(); });

    tabs_ = new QTabWidget(body);
    tabs_->addTab(makeStandingsTab(), tr("&Standings"));
    tabs_->addTab(makeRoundsTab(), tr("R&ounds"));
    tabs_->addTab(makePointsTab(), tr("Points and r&ules"));
    body->addWidget(left);
    body->addWidget(tabs_);
    body->setStretchFactor(1, 1);
    setWidget(body);
    // Meanwhile a round may have been issued, or its session dropped from the
    // archive; the boxes being edited stay as they are.
    connect(this, &QMdiSubWindow::aboutToActivate, this, [this] {
        if (!championship_) return;
        if (auto c = store_.championship(championship_->id); c.isOk())
            championship_ = std::move(c.value());
        fillStandings();
    });
}

frmChampionship::~frmChampionship() = default;

QWidget* frmChampionship::makeStandingsTab() {
    auto* page = new QWidget(tabs_);
    auto* layout = new QVBoxLayout(page);
    state_ = new QLabel(page);
    QFont bold = state_->font();
    bold.setBold(true);
    state_->setFont(bold);
    layout->addWidget(state_);
    standingsModel_ = new QStandardItemModel(this);
    standingsView_ = new QTableView(page);
    standingsView_->setModel(standingsModel_);
    standingsView_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    standingsView_->setSelectionBehavior(QAbstractItemView::SelectRows);
    standingsView_->verticalHeader()->hide();
    layout->addWidget(standingsView_, 1);
    hint_ = new QLabel(page);
    hint_->setWordWrap(true);
    layout->addWidget(hint_);
    auto* buttons = new QHBoxLayout;
    print_ = new QPushButton(tr("&Print..."), page);
    pdf_ = new QPushButton(tr("P&DF..."), page);
    csv_ = new QPushButton(tr("&CSV..."), page);
    buttons->addStretch(1);
    for (QPushButton* b : {print_, pdf_, csv_}) buttons->addWidget(b);
    layout->addLayout(buttons);
    connect(print_, &QPushButton::clicked, this, [this] { trapErrors([&] { printStandings(); }); });
    connect(pdf_, &QPushButton::clicked, this, [this] { trapErrors([&] { exportPdf(); }); });
    connect(csv_, &QPushButton::clicked, this, [this] { trapErrors([&] { exportCsv(); }); });
    return page;
}

QWidget* frmChampionship::makeRoundsTab() {
    auto* page = new QWidget(tabs_);
    auto* layout = new QVBoxLayout(page);
    rounds_ = new QTableWidget(0, 4, page);
    rounds_->setHorizontalHeaderLabels({tr("Round"), tr("Session"), tr("State"), tr("Unnamed")});
    rounds_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    rounds_->setSelectionBehavior(QAbstractItemView::SelectRows);
    rounds_->setSelectionMode(QAbstractItemView::SingleSelection);
    rounds_->verticalHeader()->hide();
    rounds_->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    layout->addWidget(rounds_, 1);
    auto* note = new QLabel(tr("Drivers are matched by name. A result without a name does not "
                               "count: name it and issue the session again."),
                            page);
    note->setWordWrap(true);
    layout->addWidget(note);
    auto* buttons = new QHBoxLayout;
    addRounds_ = new QPushButton(tr("&Add rounds..."), page);
    removeRound_ = new QPushButton(tr("&Remove round"), page);
    buttons->addStretch(1);
    buttons->addWidget(addRounds_);
    buttons->addWidget(removeRound_);
    layout->addLayout(buttons);
    connect(addRounds_, &QPushButton::clicked, this, [this] { trapErrors([&] { askRounds(); }); });
    connect(removeRound_, &QPushButton::clicked, this,
            [this] { trapErrors([&] { removeRound(rounds_->currentRow()); }); });
    return page;
}

QWidget* frmChampionship::makePointsTab() {
    auto* page = new QWidget(tabs_);
    auto* form = new QFormLayout(page);
    points_ = new QComboBox(page);
    points_->setEditable(true);
    points_->addItems({fixedText("25 18 15 12 10 8 6 4 2 1"), fixedText("10 8 6 5 4 3 2 1")});
    points_->setToolTip(tr("Points for 1st, 2nd, 3rd... separated by blanks"));
    form->addRow(tr("Points by &position:"), points_);
    pointsError_ = new QLabel(page);
    pointsError_->setWordWrap(true);
    pointsError_->setStyleSheet("color: #b00000");
    form->addRow(QString(), pointsError_);
    fastest_ = spin(page, kMaxPoints);
    takingPart_ = spin(page, kMaxPoints);
    noPosition_ = spin(page, kMaxPoints);
    dropWorst_ = spin(page, 999);
    minRounds_ = spin(page, 999);
    form->addRow(tr("&Fastest lap:"), fastest_);
    form->addRow(tr("&Taking part:"), takingPart_);
    form->addRow(tr("Took part, no posi&tion:"), noPosition_);
    form->addRow(tr("Drop the &worst rounds:"), dropWorst_);
    form->addRow(tr("&Minimum rounds to be classified:"), minRounds_);
    apply_ = new QPushButton(tr("&Apply"), page);
    form->addRow(QString(), apply_);
    connect(apply_, &QPushButton::clicked, this, [this] { trapErrors([&] { applyPoints(); }); });
    return page;
}

frmChampionship* frmChampionship::Load(QMdiArea* area, ChampionshipStore& store,
                                       ArchiveIndex& index, IssuedRounds* issued) {
    auto* f = new frmChampionship(area, store, index, issued);
    const QSize room = area->viewport()->size();
    f->resize(std::min(900, std::max(room.width(), 400)),
              std::min(560, std::max(room.height(), 300)));
    f->move(0, 0);
    f->refresh();
    return f;
}

void frmChampionship::closeEvent(QCloseEvent* event) {
    emit unloaded();
    QMdiSubWindow::closeEvent(event);
}

std::optional<qint64> frmChampionship::current() const {
    const QListWidgetItem* item = list_->currentItem();
    if (!item) return std::nullopt;
    return item->data(Qt::UserRole).toLongLong();
}

void frmChampionship::refresh(std::optional<qint64> select) {
    const std::optional<qint64> keep = select ? select : current();
    const auto rows = store_.list();
    {
        const QSignalBlocker quiet(list_);
        list_->clear();
        if (rows.isOk()) {
            for (const ChampionshipRow& r : rows.value()) {
                auto* item = new QListWidgetItem(r.name, list_);
                item->setData(Qt::UserRole, r.id);
                if (keep && *keep == r.id) list_->setCurrentItem(item);
            }
        }
        if (!list_->currentItem() && list_->count() > 0) list_->setCurrentRow(0);
    }
    if (!rows.isOk()) showStatus(rows.status());
    loadCurrent();
}

void frmChampionship::loadCurrent() {
    championship_.reset();
    if (const auto id = current()) {
        auto c = store_.championship(*id);
        if (c.isOk())
            championship_ = std::move(c.value());
        else
            hint_->setText(statusText(c.status()));
    }
    if (championship_) {
        const PointsTable& p = championship_->points;
        points_->setEditText(QString::fromStdString(pointsListText(p.perPosition)));
        points_->lineEdit()->setCursorPosition(0);  // the start of a long list shows
        fastest_->setValue(p.fastestLap);
        takingPart_->setValue(p.takingPart);
        noPosition_->setValue(p.noPosition);
        dropWorst_->setValue(championship_->rules.dropWorst);
        minRounds_->setValue(championship_->rules.minRounds);
        pointsError_->clear();
    }
    fillStandings();
    enableButtons();
}

void frmChampionship::fillStandings() {
    standings_ = championship_ ? standingsOf(*championship_, issued_) : Standings{};
    const Standings& s = standings_;
    standingsModel_->clear();
    QStringList heads = {tr("Pos"), tr("Name"), tr("Points")};
    for (std::size_t r = 0; r < s.roundTitles.size(); ++r) heads << tr("R%1").arg(r + 1);
    heads << tr("Wins");
    standingsModel_->setHorizontalHeaderLabels(heads);
    for (std::size_t r = 0; r < s.roundTitles.size(); ++r)
        standingsModel_->horizontalHeaderItem(3 + static_cast<int>(r))
            ->setToolTip(QString::fromStdString(s.roundTitles[r]));
    const auto number = [](qint64 v) {
        auto* item = new QStandardItem(QString::number(v));
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        return item;
    };
    for (const StandingsRow& row : s.rows) {
        QList<QStandardItem*> items;
        items << (row.pos > 0 ? number(row.pos) : new QStandardItem());
        items << new QStandardItem(QString::fromStdString(row.name));
        items << number(row.points);
        for (std::size_t r = 0; r < s.roundTitles.size(); ++r) {
            auto* item = new QStandardItem(QString::fromStdString(roundCellText(row, r)));
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            items << item;
        }
        items << number(row.wins);
        standingsModel_->appendRow(items);
    }
    standingsView_->resizeColumnsToContents();

    if (!championship_) {
        state_->clear();
        hint_->setText(list_->count() == 0 ? tr("No championship yet: make one with New.")
                                           : QString());
    } else {
        int missing = 0;
        for (const StandingsRound& r : s.roundInfo) missing += r.missing ? 1 : 0;
        QString state = StandingsPainter::stateText(s);
        if (missing == 1)
            state += tr(" (a session missing)");
        else if (missing > 1)
            state += tr(" (%1 sessions missing)").arg(missing);
        state_->setText(state);
        if (s.roundTitles.empty())
            hint_->setText(tr("No rounds yet: add issued sessions on the Rounds tab."));
        else if (s.rows.empty())
            hint_->setText(tr("No round has named results yet: issue the sessions."));
        else
            hint_->clear();
    }
    fillRounds();
}

QString frmChampionship::roundStateText(const StandingsRound& r) {
    QString text;
    if (r.state.issue == 0)
        text = tr("Provisional (not issued)");
    else if (r.state.kind == IssueKind::Changed)
        text = tr("Changed since issue %1").arg(r.state.issue);
    else
        text = tr("Official (issue %1)").arg(r.state.issue);
    if (r.missing) text += tr(", session missing");
    return text;
}

void frmChampionship::fillRounds() {
    const auto& info = standings_.roundInfo;
    rounds_->setRowCount(static_cast<int>(info.size()));
    for (std::size_t i = 0; i < info.size(); ++i) {
        const int row = static_cast<int>(i);
        auto* round = new QTableWidgetItem(tr("R%1").arg(i + 1));
        round->setData(Qt::UserRole, QVariant::fromValue<qint64>(info[i].lapHash));
        rounds_->setItem(row, 0, round);
        rounds_->setItem(row, 1, new QTableWidgetItem(QString::fromStdString(info[i].title)));
        rounds_->setItem(row, 2, new QTableWidgetItem(roundStateText(info[i])));
        auto* unnamed = new QTableWidgetItem(QString::number(info[i].unnamed));
        unnamed->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        rounds_->setItem(row, 3, unnamed);
    }
    rounds_->resizeColumnToContents(2);
}

void frmChampionship::enableButtons() {
    const bool one = championship_.has_value();
    for (QWidget* w : std::initializer_list<QWidget*>{rename_, delete_, print_, pdf_, csv_,
                                                      addRounds_, removeRound_, apply_})
        w->setEnabled(one);
}

void frmChampionship::askNew() {
    bool ok = false;
    const QString name = QInputDialog::getText(this, tr("New championship"), tr("&Name:"),
                                               QLineEdit::Normal, QString(), &ok);
    if (ok) createChampionship(name);
}

void frmChampionship::askRename() {
    if (!championship_) return;
    bool ok = false;
    const QString name = QInputDialog::getText(this, tr("Rename championship"), tr("&Name:"),
                                               QLineEdit::Normal, championship_->name, &ok);
    if (ok) renameChampionship(name);
}

void frmChampionship::createChampionship(const QString& name) {
    const auto id = store_.create(name);
    if (!id.isOk()) {
        showStatus(id.status());
        return;
    }
    refresh(id.value());
}

void frmChampionship::renameChampionship(const QString& name) {
    if (const auto id = current()) {
        showStatus(store_.rename(*id, name));
        refresh();
    }
}

void frmChampionship::deleteChampionship() {
    if (!championship_) return;
    const std::string question =
        tr("Delete the championship \"%1\"? Its sessions stay in the archive.")
            .arg(championship_->name)
            .toStdString();
    if (platform().messages->show(question,
                                  MessageBox::YesNo + MessageBox::Question + MessageBox::Default2,
                                  kProgramTitle) != MessageBox::Yes)
        return;
    showStatus(store_.remove(championship_->id));
    refresh();
}

void frmChampionship::askRounds() {
    if (!championship_) return;
    frmChampionshipRounds dialog(this, index_);
    if (dialog.exec() == QDialog::Accepted) addRounds(dialog.chosen());
}

void frmChampionship::addRounds(const std::vector<std::int64_t>& lapHashes) {
    if (!championship_) return;
    for (const std::int64_t hash : lapHashes)
        if (!showStatus(store_.addRound(championship_->id, hash))) break;
    refresh();
}

void frmChampionship::removeRound(int row) {
    if (!championship_ || row < 0 || row >= rounds_->rowCount()) return;
    const qint64 hash = rounds_->item(row, 0)->data(Qt::UserRole).toLongLong();
    showStatus(store_.removeRound(championship_->id, hash));
    refresh();
}

void frmChampionship::applyPoints() {
    if (!championship_) return;
    const auto list = parsePointsList(points_->currentText().toStdString());
    if (!list.isOk()) {
        pointsError_->setText(statusText(list.status()));
        return;
    }
    pointsError_->clear();
    PointsTable p;
    p.perPosition = list.value();
    p.fastestLap = fastest_->value();
    p.takingPart = takingPart_->value();
    p.noPosition = noPosition_->value();
    ChampionshipRules rules;
    rules.dropWorst = dropWorst_->value();
    rules.minRounds = minRounds_->value();
    if (showStatus(store_.setPoints(championship_->id, p)))
        showStatus(store_.setRules(championship_->id, rules));
    refresh();
}

void frmChampionship::printStandings() {
    if (!championship_) return;
    QPrintPreviewDialog preview(this);
    preview.setWindowTitle(tr("Standings Preview"));
    const Standings s = standings_;
    const QString on = printedOn();
    connect(&preview, &QPrintPreviewDialog::paintRequested, &preview, [s, on](QPrinter* target) {
        trapErrors([&] { StandingsPainter::Draw(*target, s, on); });
    });
    preview.exec();
}

Status frmChampionship::writePdf(const std::string& path) {
    Status written = Status::ok();
    const auto failure = catchError([&] {
        const auto bytes = DrawPdf([&](const QString& drawn) {
            QPdfWriter pdf(drawn);
            pdf.setTitle(tr("Standings"));
            pdf.setCreator(QString::fromLatin1(kProgramName));
            StandingsPainter::Draw(pdf, standings_, printedOn());
        });
        if (!bytes) throw RunError(ErrorNo::DeviceIO);
        written = WriteExportFile(path, *bytes);
    });
    return failure ? ExportFailure(path, *failure) : written;
}

Status frmChampionship::writeCsv(const std::string& path) {
    return WriteExportFile(path, standingsCsv(standings_, platform().regional->decimalSeparator()));
}

void frmChampionship::exportPdf() {
    if (!championship_) return;
    std::string chosen;
    if (!AskExportFile(tr("PDF file (*.pdf)|*.pdf").toStdString(), "pdf", chosen)) return;
    platform().pointer->set(MousePointer::Hourglass);
    const Status written = writePdf(chosen);
    platform().pointer->set(MousePointer::Normal);
    showStatus(written);
}

void frmChampionship::exportCsv() {
    if (!championship_) return;
    std::string chosen;
    if (!AskExportFile(tr("CSV file (*.csv)|*.csv").toStdString(), "csv", chosen)) return;
    showStatus(writeCsv(chosen));
}

}  // namespace orvex
