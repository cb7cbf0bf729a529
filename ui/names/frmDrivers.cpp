#include "ui/names/frmDrivers.h"

#include <QCheckBox>
#include <QCompleter>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QStringListModel>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QVBoxLayout>

#include "commands/RaceCommands.h"
#include "names/NamesImport.h"
#include "platform/DayClock.h"
#include "platform/FileDialog.h"
#include "platform/MessageBox.h"
#include "platform/Messages.h"
#include "platform/Platform.h"
#include "platform/Roster.h"
#include "results/Results.h"
#include "session/DriverNames.h"
#include "session/Session.h"

namespace orvex {

namespace {

const char* const kKeepNamesKey = "Drivers/keepNames";

// Why the club's roster did not take the names.
QString rosterFailure(const Status& st) {
    return QCoreApplication::translate("frmDrivers",
                                       "The club's roster could not remember the names: %1")
        .arg(st.detail().empty() ? QCoreApplication::translate("Status", st.text().c_str())
                                 : QString::fromStdString(st.detail()));
}

// The name cells edit with the roster's completion.
class NameDelegate : public QStyledItemDelegate {
public:
    NameDelegate(QCompleter* completer, QObject* parent)
        : QStyledItemDelegate(parent), completer_(completer) {}
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&,
                          const QModelIndex&) const override {
        auto* edit = new QLineEdit(parent);
        edit->setFrame(false);
        edit->setCompleter(completer_);
        return edit;
    }

private:
    QCompleter* completer_;
};

QString reasonText(SkipReason why) {
    switch (why) {
        case SkipReason::NoNumber:
            return frmDrivers::tr("it has no driver number");
        case SkipReason::OutOfRange:
            return frmDrivers::tr("its number is not between 1 and 30");
        case SkipReason::EmptyName:
            return frmDrivers::tr("it has no name");
        case SkipReason::OpenQuote:
            return frmDrivers::tr("a quote in it is not closed");
        case SkipReason::Unreadable:
            return frmDrivers::tr(
                "the file cannot be read as a list of names (it is binary, "
                "missing or larger than 2 MB)");
        case SkipReason::None:
            break;
    }
    return {};
}

}  // namespace

frmDrivers::frmDrivers(RaceCommands& commands, Roster* roster, QWidget* parent)
    : QDialog(parent),
      commands_(commands),
      session_(commands.session()),
      roster_(roster),
      table_(new QTableWidget(kDrivers, 3, this)),
      completionNames_(new QStringListModel(this)),
      completer_(new QCompleter(this)),
      chkKeep_(new QCheckBox(tr("&Keep these names for the next session"))) {
    setWindowTitle(tr("Drivers"));
    setObjectName("frmDrivers");
    completer_->setModel(completionNames_);
    completer_->setCaseSensitivity(Qt::CaseInsensitive);
    completer_->setModelSorting(QCompleter::CaseInsensitivelySortedModel);
    if (roster_) addToCompletion(roster_->names());

    table_->setHorizontalHeaderLabels({tr("No."), tr("Name"), tr("Laps")});
    table_->verticalHeader()->hide();
    table_->setItemDelegateForColumn(Name, new NameDelegate(completer_, this));
    table_->setEditTriggers(QAbstractItemView::AllEditTriggers);
    // The laps the results count, joined ones as one.
    const RaceResults results = makeResults(session_);
    for (int d = 1; d <= kDrivers; ++d) {
        const DriverResult* r = results.find(d);
        const int laps = r ? r->laps : 0;
        const QString texts[] = {QString::number(d),
                                 QString::fromStdString(session_.DriverNames[d]),
                                 QString::number(laps)};
        for (int c = No; c <= Laps; ++c) {
            auto* item = new QTableWidgetItem(texts[c]);
            if (c != Name) item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            if (c != Name) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            table_->setItem(d - 1, c, item);
        }
    }
    table_->horizontalHeader()->setSectionResizeMode(Name, QHeaderView::Stretch);
    table_->resizeColumnToContents(No);
    table_->resizeColumnToContents(Laps);

    chkKeep_->setObjectName("chkKeep");
    chkKeep_->setChecked(keepNames());
    // What changes the table stands apart from what closes the dialog.
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    auto* import = new QPushButton(tr("&Import..."));
    auto* clear = new QPushButton(tr("C&lear"));
    import->setAutoDefault(false);
    clear->setAutoDefault(false);
    connect(import, &QPushButton::clicked, this, [this] { trapErrors([this] { importAsked(); }); });
    connect(clear, &QPushButton::clicked, this, &frmDrivers::clearNames);
    connect(buttons, &QDialogButtonBox::accepted, this, &frmDrivers::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &frmDrivers::reject);

    auto* row = new QHBoxLayout;
    row->addWidget(import);
    row->addWidget(clear);
    row->addStretch();
    row->addSpacing(24);
    row->addWidget(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(table_);
    layout->addWidget(chkKeep_);
    layout->addLayout(row);
    resize(420, 560);
}

void frmDrivers::Edit(QWidget* parent, RaceCommands& commands, Roster* roster) {
    frmDrivers dialog(commands, roster, parent);
    dialog.exec();
}

QString frmDrivers::nameOf(int driver) const { return table_->item(driver - 1, Name)->text(); }

void frmDrivers::setNameOf(int driver, const QString& name) {
    table_->item(driver - 1, Name)->setText(name);
}

void frmDrivers::addToCompletion(const std::vector<std::string>& names) {
    QStringList list = completionNames_->stringList();
    for (const std::string& n : names) list << QString::fromStdString(n);
    list.sort(Qt::CaseInsensitive);
    list.removeDuplicates();
    completionNames_->setStringList(list);
}

void frmDrivers::importAsked() {
    FileDialogSettings settings;
    settings.filter = tr("CSV files (*.csv *.txt)|*.csv;*.txt").toStdString();
    settings.fileMustExist = true;
    std::string chosen;
    if (platform().fileDialogs->showOpen(settings, chosen)) importFile(chosen);
}

void frmDrivers::importFile(const std::string& path) {
    const NamesImport found = ImportNamesFile(path);
    std::vector<std::string> taken;
    for (const auto& [number, name] : found.names) {
        setNameOf(number, QString::fromStdString(name));
        taken.push_back(name);
    }
    const Status remembered =
        roster_ ? roster_->remember(taken, platform().dayClock->today()) : Status::ok();
    addToCompletion(taken);
    QString text =
        tr("Names taken: %1. Rows skipped: %2.").arg(found.names.size()).arg(found.skipped);
    if (found.skipped > 0)
        text += " " + tr("The first row skipped is line %1: %2.")
                          .arg(found.firstSkippedLine)
                          .arg(reasonText(found.firstReason));
    // What was taken is news, not a warning, unless the roster failed.
    if (remembered.isOk()) {
        ShowInformation(text.toStdString());
        return;
    }
    text += "\n" + rosterFailure(remembered);
    ShowMessage(text.toStdString());
}

bool frmDrivers::keepNames() { return QSettings("ORVEX", "ORVEX").value(kKeepNamesKey).toBool(); }

void frmDrivers::clearNames() {
    if (platform().messages->show(tr("Clear every name in the list?").toStdString(),
                                  MessageBox::YesNo | MessageBox::Question | MessageBox::Default2,
                                  kProgramTitle) != MessageBox::Yes)
        return;
    for (int d = 1; d <= kDrivers; ++d) setNameOf(d, QString());
}

void frmDrivers::accept() {
    // A cell still being typed in counts as typed: leaving it commits it.
    table_->setCurrentIndex(QModelIndex());
    DriverNameList names;
    std::vector<std::string> confirmed;
    for (int d = 1; d <= kDrivers; ++d) {
        names[d] = CleanDriverName(nameOf(d).toStdString());
        if (!names[d].empty()) confirmed.push_back(names[d]);
    }
    if (commands_.setNames(names)) changed_ = true;
    QSettings("ORVEX", "ORVEX").setValue(kKeepNamesKey, chkKeep_->isChecked());
    // The names are set either way: the roster only helps typing them.
    if (const Status st =
            roster_ ? roster_->remember(confirmed, platform().dayClock->today()) : Status::ok();
        !st.isOk())
        ShowMessage(rosterFailure(st).toStdString());
    QDialog::accept();
}

}  // namespace orvex
