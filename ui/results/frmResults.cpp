#include "ui/results/frmResults.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateTime>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QMdiArea>
#include <QPushButton>
#include <QScrollBar>
#include <QSettings>
#include <QSortFilterProxyModel>
#include <QSpinBox>
#include <QSplitter>
#include <QTableView>
#include <QUndoStack>
#include <QVBoxLayout>
#include <algorithm>
#include <limits>
#include <tuple>

#include "archive/ArchiveEntry.h"
#include "commands/RaceCommands.h"
#include "platform/Platform.h"
#include "platform/Regional.h"
#include "platform/qt/NormalGeometry.h"
#include "session/Session.h"
#include "session/TimeFormat.h"
#include "store/IssueStore.h"
#include "ui/results/LapChart.h"
#include "ui/results/frmLapRules.h"

namespace orvex {

namespace {

const char* const kGeometryKey = "Results/geometry";
const char* const kSplitterKey = "Results/splitter";
const char* const kLapsSplitterKey = "Results/lapsSplitter";
constexpr int kRowsShown = 12;

QSettings programSettings() { return QSettings("ORVEX", "ORVEX"); }

QString text(const std::string& s) { return QString::fromStdString(s); }

// "No. 7 Anna Rossi", or "No. 7" without a name.
QString driverLabel(int driver, const std::string& name) {
    const QString no = frmResults::tr("No. %1").arg(driver);
    return name.empty() ? no : no + " " + text(name);
}

// The box of a penalty (whole seconds, as the slips print them, and a short
// reason) or, without `seconds`, of a disqualification; false on Cancel.
bool AskReason(QWidget* parent, const QString& title, std::int64_t* seconds, std::string& reason) {
    QDialog dialog(parent);
    dialog.setObjectName("dlgPenalty");
    dialog.setWindowTitle(title);
    auto* spin = new QSpinBox;
    spin->setRange(0, static_cast<int>(RaceCorrections::kMaxPenalty / 100));
    spin->setValue(seconds ? static_cast<int>(*seconds) : 0);
    auto* box = new QLineEdit(text(reason));
    box->setObjectName("txtReason");
    box->setMaxLength(60);
    auto* form = new QFormLayout;
    if (seconds)
        form->addRow(frmResults::tr("&Seconds added to the race time:"), spin);
    else
        delete spin;
    form->addRow(frmResults::tr("&Reason:"), box);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addLayout(form);
    layout->addWidget(buttons);
    if (dialog.exec() != QDialog::Accepted) return false;
    if (seconds) *seconds = spin->value();
    reason = box->text().simplified().toStdString();
    return true;
}

bool AskPenalty(QWidget* parent, const QString& driver, DriverPenalty& penalty) {
    std::int64_t seconds = penalty.hundredths / 100;
    if (!AskReason(parent, frmResults::tr("Penalty for %1").arg(driver), &seconds, penalty.reason))
        return false;
    penalty.hundredths = seconds * 100;
    return true;
}

}  // namespace

frmResults* frmResults::Load(QMdiArea* area, RaceCommands& commands, IssueStore* issues) {
    auto* f = new frmResults(area, commands, issues);
    f->refresh();
    // Once: measuring every cell again on each refresh would cost more than
    // the whole rebuild, and the texts keep their widths.
    f->fitAllColumns();
    QSettings settings = programSettings();
    const QRect saved = settings.value(kGeometryKey).toRect();
    if (saved.isValid())
        f->setGeometry(saved);
    else  // in the area's corner, as wide as it allows, so the Laps pane is in reach
        f->setGeometry(0, 0, std::min(820, std::max(area->viewport()->width(), 600)), 720);
    // The splitters are restored at the size they were saved at; hidden, the
    // window lays itself out only when asked.
    auto settle = [f] {
        if (f->layout()) f->layout()->activate();
        f->widget()->layout()->activate();
    };
    settle();
    f->split_->restoreState(settings.value(kSplitterKey).toByteArray());
    f->lapsSplit_->restoreState(settings.value(kLapsSplitterKey).toByteArray());
    // The table opens with room for its first rows; the user may make it
    // smaller afterwards.
    QTableView* t = f->table_;
    const int rows = t->horizontalHeader()->sizeHint().height() +
                     kRowsShown * t->verticalHeader()->defaultSectionSize() +
                     t->horizontalScrollBar()->sizeHint().height() + 2 * t->frameWidth();
    QList<int> sizes = f->split_->sizes();
    if (sizes.value(0) < rows) {
        f->resize(f->width(), f->height() + rows - sizes.value(0));
        settle();
        f->split_->setSizes({rows, sizes.value(1)});
    }
    // Whole inside the main window's area, however large the window was
    // when it was saved: the chart keeps its least height, the table the rest.
    if (const QRect seen = inSight(f->geometry(), area); seen != f->geometry()) {
        f->setGeometry(seen);
        settle();
        sizes = f->split_->sizes();
        const int both = sizes.value(0) + sizes.value(1);
        const int chart = std::max(f->chart_->minimumHeight(), both - rows);
        f->split_->setSizes({both - chart, chart});
        if (saved.isValid()) f->storedGeometry_ = saved;
        f->sightRect_ = f->geometry();
    }
    return f;
}

frmResults::frmResults(QMdiArea* area, RaceCommands& commands, IssueStore* issues)
    : commands_(commands),
      model_(new ResultsModel(this)),
      proxy_(new QSortFilterProxyModel(this)),
      table_(new QTableView),
      laps_(new DriverLapsModel(this)),
      lapsTable_(new QTableView),
      chart_(new LapChart),
      split_(new QSplitter(Qt::Vertical)),
      lapsSplit_(new QSplitter(Qt::Horizontal)),
      cboRank_(new QComboBox),
      spnRun_(new QSpinBox),
      issues_(issues),
      lblIssue_(new QLabel),
      lstHistory_(new QListWidget),
      actPenalty_(new QAction(tr("&Penalty..."), this)),
      actDisqualify_(new QAction(tr("&Disqualify"), this)),
      actJoin_(new QAction(tr("&Join with next"), this)),
      actVoid_(new QAction(tr("&Void"), this)),
      actRestore_(new QAction(tr("&Restore lap"), this)),
      actUndo_(commands.stack().createUndoAction(this, tr("&Undo"))),
      actRedo_(commands.stack().createRedoAction(this, tr("&Redo"))),
      lblSuspects_(new QLabel),
      cmdNextSuspect_(new QPushButton(tr("&Next suspect"))) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(tr("Results"));
    setObjectName("frmResults");
    proxy_->setSourceModel(model_);
    proxy_->setSortRole(Qt::UserRole);
    table_->setObjectName("tblResults");
    table_->setModel(proxy_);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->verticalHeader()->hide();
    table_->setSortingEnabled(true);
    table_->sortByColumn(ResultsModel::Pos, Qt::AscendingOrder);
    table_->setContextMenuPolicy(Qt::ActionsContextMenu);
    table_->addActions({actPenalty_, actDisqualify_});
    connect(table_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { updateChart(); });
    connect(table_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this] { showDriver(); });

    lapsTable_->setObjectName("tblLaps");
    lapsTable_->setModel(laps_);
    lapsTable_->setSelectionBehavior(QAbstractItemView::SelectRows);
    lapsTable_->setSelectionMode(QAbstractItemView::SingleSelection);
    lapsTable_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lapsTable_->verticalHeader()->hide();
    // The status says what a join counts for: it takes the pane's width.
    lapsTable_->horizontalHeader()->setStretchLastSection(true);
    lapsTable_->setContextMenuPolicy(Qt::ActionsContextMenu);
    lapsTable_->addActions({actJoin_, actVoid_, actRestore_});
    connect(lapsTable_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this] { updateActions(); });

    // Only while the focus is in this window: the keys stay free elsewhere,
    // and a text box keeps them for its own typing.
    actUndo_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    actRedo_->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
    for (QAction* a : {actUndo_, actRedo_}) {
        a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        addAction(a);
        // Undone, a penalty or another ranking may need other widths.
        connect(a, &QAction::triggered, this, [this] {
            fitColumns({ResultsModel::Penalty, ResultsModel::Figure, ResultsModel::Gap});
        });
    }
    auto* separator = new QAction(this);
    separator->setSeparator(true);
    table_->addActions({separator, actUndo_, actRedo_});
    lapsTable_->addActions({separator, actUndo_, actRedo_});

    connect(actPenalty_, &QAction::triggered, this, [this] { askPenalty(); });
    connect(actDisqualify_, &QAction::triggered, this, [this] { askDisqualify(); });
    connect(actJoin_, &QAction::triggered, this,
            [this] { markLap(currentDriver(), currentLap(), LapCorrection::Join); });
    connect(actVoid_, &QAction::triggered, this,
            [this] { markLap(currentDriver(), currentLap(), LapCorrection::Void); });
    connect(actRestore_, &QAction::triggered, this,
            [this] { markLap(currentDriver(), currentLap(), LapCorrection::None); });

    cboRank_->setObjectName("cboRank");
    cboRank_->addItems({tr("Best lap"), tr("Race"), tr("Best consecutive")});
    spnRun_->setObjectName("spnRun");
    spnRun_->setRange(RaceCorrections::kMinRun, RaceCorrections::kMaxRun);
    spnRun_->setSuffix(tr(" laps"));
    auto rankingChosen = [this] {
        setRanking(static_cast<RankMode>(cboRank_->currentIndex()), spnRun_->value());
    };
    connect(cboRank_, &QComboBox::currentIndexChanged, this, rankingChosen);
    connect(spnRun_, &QSpinBox::valueChanged, this, rankingChosen);
    auto* rules = new QPushButton(tr("Lap rules..."));
    rules->setObjectName("cmdLapRules");
    connect(rules, &QPushButton::clicked, this, [this] { editLapRules(); });
    lblSuspects_->setObjectName("lblSuspects");
    cmdNextSuspect_->setObjectName("cmdNextSuspect");
    cmdNextSuspect_->setAutoDefault(false);
    connect(cmdNextSuspect_, &QPushButton::clicked, this, [this] { nextSuspect(); });
    // F3 as in a search: while the focus is in this window.
    auto* actNext = new QAction(this);
    actNext->setShortcut(QKeySequence(Qt::Key_F3));
    actNext->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    connect(actNext, &QAction::triggered, this, [this] { nextSuspect(); });
    addAction(actNext);
    auto* bar = new QHBoxLayout;
    bar->addWidget(new QLabel(tr("Rank by")));
    bar->addWidget(cboRank_);
    bar->addWidget(spnRun_);
    bar->addStretch();
    bar->addWidget(lblSuspects_);
    bar->addWidget(cmdNextSuspect_);
    bar->addWidget(rules);

    auto* lapsPane = new QWidget;
    auto* lapsLayout = new QVBoxLayout(lapsPane);
    lapsLayout->setContentsMargins(0, 0, 0, 0);
    lapsLayout->addWidget(new QLabel(tr("Laps")));
    lapsLayout->addWidget(lapsTable_, 2);
    lstHistory_->setObjectName("lstHistory");
    auto* historyCaption = new QLabel(tr("&History"));
    historyCaption->setBuddy(lstHistory_);
    lapsLayout->addWidget(historyCaption);
    lapsLayout->addWidget(lstHistory_, 1);
    lapsSplit_->addWidget(table_);
    lapsSplit_->addWidget(lapsPane);
    lapsSplit_->setStretchFactor(0, 3);
    lapsSplit_->setStretchFactor(1, 1);
    split_->setObjectName("splitResults");
    split_->addWidget(lapsSplit_);
    split_->addWidget(chart_);
    split_->setChildrenCollapsible(false);
    split_->setStretchFactor(0, 1);
    split_->setStretchFactor(1, 1);
    auto* body = new QWidget;
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(4, 4, 4, 4);
    lblIssue_->setObjectName("lblIssue");
    QFont strong = lblIssue_->font();
    strong.setBold(true);
    lblIssue_->setFont(strong);
    layout->addWidget(lblIssue_);
    layout->addLayout(bar);
    layout->addWidget(split_, 1);
    setWidget(body);
    area->addSubWindow(this);
}

frmResults::~frmResults() {
    QSettings settings = programSettings();
    const QRect now = normalGeometry_.of(*this).value_or(geometry());
    // Moved only to be seen, it keeps the place the user gave it.
    settings.setValue(kGeometryKey,
                      storedGeometry_.isValid() && now == sightRect_ ? storedGeometry_ : now);
    settings.setValue(kSplitterKey, split_->saveState());
    settings.setValue(kLapsSplitterKey, lapsSplit_->saveState());
}

void frmResults::refresh() {
    const std::vector<int> keep = selectedDrivers();
    const int current = currentDriver();
    const int lap = currentLap();
    model_->setResults(makeResults(session()), platform().regional->decimalSeparator());
    updateRanking();
    updateIssue();
    const int suspects = model_->results().suspects;
    lblSuspects_->setText(tr("Suspect laps: %1").arg(suspects));
    cmdNextSuspect_->setEnabled(suspects > 0);
    selectDrivers(keep, current);
    for (int r = 0; r < laps_->rowCount(); ++r)
        if (laps_->laps()[r].lap == lap) lapsTable_->selectRow(r);
    updateActions();
}

void frmResults::fitAllColumns() {
    table_->resizeColumnsToContents();
    lapsTable_->resizeColumnsToContents();
}

void frmResults::fitColumns(std::initializer_list<int> columns) {
    for (int c : columns) table_->resizeColumnToContents(c);
}

void frmResults::markLap(int driver, int lap, LapCorrection mark) {
    commands_.markLap(driver, lap, mark);
}

void frmResults::setPenalty(int driver, DriverPenalty penalty) {
    if (commands_.setPenalty(driver, std::move(penalty))) fitColumns({ResultsModel::Penalty});
}

void frmResults::setRanking(RankMode mode, int run) {
    // Another figure and gap ("+2 laps"), other widths; the rest keep theirs.
    if (commands_.setRanking(mode, run)) fitColumns({ResultsModel::Figure, ResultsModel::Gap});
}

void frmResults::editLapRules() { frmLapRules::Edit(this, commands_); }

void frmResults::askPenalty() {
    const int driver = currentDriver();
    if (driver == 0) return;
    DriverPenalty p = session().Corrections.penaltyOf(driver);
    const DriverResult* r = model_->results().find(driver);
    if (AskPenalty(this, driverLabel(driver, r ? r->name : std::string()), p))
        setPenalty(driver, std::move(p));
}

// Taking a disqualification back asks nothing.
void frmResults::askDisqualify() {
    const int driver = currentDriver();
    if (driver == 0) return;
    if (session().Corrections.penaltyOf(driver).disqualified) {
        commands_.disqualify(driver, false);
        return;
    }
    const DriverResult* r = model_->results().find(driver);
    std::string reason;
    if (AskReason(this, tr("Disqualify %1").arg(driverLabel(driver, r ? r->name : std::string())),
                  nullptr, reason))
        commands_.disqualify(driver, true, reason);
}

bool frmResults::nextSuspect() {
    // The suspects in the table's order: (row, lap, driver).
    std::vector<std::tuple<int, int, int>> suspects;
    int here = -1;
    const int driverNow = currentDriver();
    for (int row = 0; row < proxy_->rowCount(); ++row) {
        const DriverResult& r = model_->rows()[proxy_->mapToSource(proxy_->index(row, 0)).row()];
        if (r.driver == driverNow) here = row;
        for (const RecordedLap& l : r.recorded)
            if (l.suspect) suspects.emplace_back(row, l.lap, r.driver);
    }
    if (suspects.empty()) return false;
    const auto next = std::upper_bound(suspects.begin(), suspects.end(),
                                       std::make_tuple(here, currentLap(), kDrivers + 1));
    const auto [row, lap, driver] = next == suspects.end() ? suspects.front() : *next;
    selectDrivers({driver}, driver);
    table_->scrollTo(proxy_->index(row, 0));
    for (int r = 0; r < laps_->rowCount(); ++r)
        if (laps_->laps()[r].lap == lap) lapsTable_->selectRow(r);
    return true;
}

void frmResults::updateRanking() {
    const RaceCorrections& c = session().Corrections;
    const QSignalBlocker a(cboRank_), b(spnRun_);
    cboRank_->setCurrentIndex(static_cast<int>(c.mode));
    spnRun_->setValue(c.run);
    spnRun_->setVisible(c.mode == RankMode::BestConsecutive);
}

void frmResults::updateIssue() {
    const Session& s = session();
    const IssueState state = issueState(s);
    QString status = tr("Provisional");
    if (state.kind == IssueKind::Changed)
        status = tr("Changed since issue %1").arg(state.issue);
    else if (state.kind == IssueKind::Official && state.issuedAt > 0)
        status = tr("Official (issue %1, %2)")
                     .arg(state.issue)
                     .arg(QLocale().toString(QDateTime::fromSecsSinceEpoch(state.issuedAt),
                                             QLocale::ShortFormat));
    else if (state.kind == IssueKind::Official)
        status = tr("Official (issue %1)").arg(state.issue);
    lblIssue_->setText(status);

    // The issues change only when one is made: read again for another one.
    const std::pair<std::int64_t, int> of{static_cast<std::int64_t>(lapHash(s.LapTimes)),
                                          s.Issue.issue};
    if (of == historyOf_) return;
    historyOf_ = of;
    lstHistory_->clear();
    if (!issues_ || s.Issue.issue == 0) return;
    const Result<IssueStore::History> history = issues_->history(of.first);
    if (!history.isOk()) {
        lstHistory_->addItem(tr("The issues could not be read from the club database (%1).")
                                 .arg(QString::fromStdString(history.status().detail())));
        historyOf_ = {0, -1};
        return;
    }
    const std::vector<IssueSnapshot>& all = history->issues;
    for (std::size_t i = all.size(); i-- > 0;) {
        const IssueSnapshot& issue = all[i];
        auto* head = new QListWidgetItem(
            tr("Issue %1, %2")
                .arg(issue.number)
                .arg(QLocale().toString(QDateTime::fromSecsSinceEpoch(issue.issuedAt),
                                        QLocale::ShortFormat)));
        QFont bold = head->font();
        bold.setBold(true);
        head->setFont(bold);
        lstHistory_->addItem(head);
        const std::vector<std::string> changes = issueChanges(i > 0 ? &all[i - 1] : nullptr, issue);
        // The changes indented under their issue.
        const QString indent(4, QChar(' '));
        if (changes.empty()) lstHistory_->addItem(indent + tr("No change"));
        for (const std::string& change : changes) lstHistory_->addItem(indent + text(change));
    }
    for (const int number : history->damaged)
        lstHistory_->addItem(
            tr("Issue %1 in the club database is damaged; it is left out.").arg(number));
}

int frmResults::currentDriver() const {
    QModelIndex i = table_->currentIndex();
    if (!i.isValid()) {
        const QModelIndexList rows = table_->selectionModel()->selectedRows();
        if (rows.isEmpty()) return 0;
        i = rows.front();
    }
    const int row = proxy_->mapToSource(i).row();
    return row >= 0 && row < model_->rowCount() ? model_->rows()[row].driver : 0;
}

int frmResults::currentLap() const {
    const int row = lapsTable_->currentIndex().row();
    return row >= 0 && row < laps_->rowCount() ? laps_->laps()[row].lap : 0;
}

QAction* frmResults::lapAction(LapCorrection mark) const {
    return mark == LapCorrection::Join   ? actJoin_
           : mark == LapCorrection::Void ? actVoid_
                                         : actRestore_;
}

std::vector<int> frmResults::selectedDrivers() const {
    std::vector<int> drivers;
    for (const QModelIndex& i : table_->selectionModel()->selectedRows()) {
        const int row = proxy_->mapToSource(i).row();
        if (row >= 0 && row < model_->rowCount()) drivers.push_back(model_->rows()[row].driver);
    }
    std::sort(drivers.begin(), drivers.end());
    return drivers;
}

// The drivers still listed, or the first row when none of them is; the
// current driver stays current.
void frmResults::selectDrivers(const std::vector<int>& drivers, int current) {
    QItemSelection selection;
    QModelIndex currentIndex;
    const int last = ResultsModel::ColumnCount - 1;
    for (int r = 0; r < proxy_->rowCount(); ++r) {
        const QModelIndex i = proxy_->index(r, 0);
        const int driver = model_->rows()[proxy_->mapToSource(i).row()].driver;
        if (std::binary_search(drivers.begin(), drivers.end(), driver))
            selection.select(i, proxy_->index(r, last));
        if (driver == current) currentIndex = i;
    }
    if (selection.isEmpty() && proxy_->rowCount() > 0) {
        selection.select(proxy_->index(0, 0), proxy_->index(0, last));
        currentIndex = proxy_->index(0, 0);
    }
    QItemSelectionModel* s = table_->selectionModel();
    s->select(selection, QItemSelectionModel::ClearAndSelect);
    if (currentIndex.isValid()) s->setCurrentIndex(currentIndex, QItemSelectionModel::NoUpdate);
    showDriver();
    updateChart();
}

void frmResults::showDriver() {
    const DriverResult* r = model_->results().find(currentDriver());
    laps_->setLaps(r ? r->recorded : std::vector<RecordedLap>{});
    updateActions();
}

void frmResults::updateActions() {
    const DriverResult* r = model_->results().find(currentDriver());
    const bool dsq = r && r->disqualified;
    actPenalty_->setEnabled(r != nullptr);
    actDisqualify_->setEnabled(r != nullptr);
    actDisqualify_->setText(dsq ? tr("Un&disqualify") : tr("&Disqualify"));
    const int row = lapsTable_->currentIndex().row();
    const RecordedLap* lap = row >= 0 && row < laps_->rowCount() ? &laps_->laps()[row] : nullptr;
    actJoin_->setEnabled(lap && lap->mark != LapCorrection::Join);
    actVoid_->setEnabled(lap && lap->mark != LapCorrection::Void);
    actRestore_->setEnabled(lap && lap->mark != LapCorrection::None);
}

void frmResults::updateChart() {
    std::vector<ChartSeries> series;
    for (int driver : selectedDrivers()) {
        if (const DriverResult* r = model_->results().find(driver))
            series.push_back({driver, r->recorded, text(r->name)});
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

// The normal rectangle is what the settings keep: a minimised window's
// would reopen it as a bare title bar.
void frmResults::moveEvent(QMoveEvent* event) {
    QMdiSubWindow::moveEvent(event);
    normalGeometry_.follow(*this);
}

void frmResults::resizeEvent(QResizeEvent* event) {
    QMdiSubWindow::resizeEvent(event);
    normalGeometry_.follow(*this);
}

}  // namespace orvex
