#include "ui/results/frmLapRules.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QVBoxLayout>

#include "commands/RaceCommands.h"
#include "platform/Messages.h"
#include "session/TimeFormat.h"

namespace orvex {

frmLapRules::frmLapRules(RaceCommands& commands, QWidget* parent)
    : QDialog(parent),
      commands_(commands),
      txtMin_(new QLineEdit),
      txtMax_(new QLineEdit),
      spnShort_(new QSpinBox),
      spnLong_(new QSpinBox) {
    setObjectName("frmLapRules");
    setWindowTitle(tr("Lap rules"));
    const RaceCorrections& c = commands_.session().Corrections;
    txtMin_->setText(QString::fromStdString(clockText(c.minLap)));
    txtMax_->setText(QString::fromStdString(clockText(c.maxLap)));
    for (QLineEdit* box : {txtMin_, txtMax_}) {
        box->setMaxLength(20);
        box->setPlaceholderText(tr("none"));
    }
    spnShort_->setObjectName("spnSuspectShort");
    spnShort_->setRange(RaceCorrections::kMinSuspectShort, RaceCorrections::kMaxSuspectShort);
    spnShort_->setValue(c.suspectShort);
    spnLong_->setObjectName("spnSuspectLong");
    spnLong_->setRange(RaceCorrections::kMinSuspectLong, RaceCorrections::kMaxSuspectLong);
    spnLong_->setValue(c.suspectLong);
    for (QSpinBox* box : {spnShort_, spnLong_}) box->setSuffix(tr(" % of the median lap"));
    auto* form = new QFormLayout;
    form->addRow(tr("Mi&nimum lap:"), txtMin_);
    form->addRow(tr("Ma&ximum lap:"), txtMax_);
    form->addRow(tr("Suspect &below:"), spnShort_);
    form->addRow(tr("Suspect &above:"), spnLong_);
    auto* hint = new QLabel(
        tr("Times as 1:24.53 or in seconds (85). A shorter lap is joined with the next;\n"
           "a longer lap is void. Leave a box empty for no rule.\n"
           "A lap far from the driver's median is only marked suspect."));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        if (apply()) accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(hint);
    layout->addWidget(buttons);
}

bool frmLapRules::apply() {
    const auto lo = parseTime(txtMin_->text().toStdString());
    const auto hi = parseTime(txtMax_->text().toStdString());
    QLineEdit* bad = !lo ? txtMin_ : !hi ? txtMax_ : nullptr;
    if (bad) {
        ShowMessage(tr("\"%1\" is not a lap time. Type it as 1:24.53 or in seconds (85), "
                       "or leave the box empty.")
                        .arg(bad->text())
                        .toStdString());
        bad->setFocus();
        return false;
    }
    if (*lo > 0 && *hi > 0 && *lo >= *hi) {
        ShowMessage(tr("The minimum lap must be shorter than the maximum lap.").toStdString());
        txtMin_->setFocus();
        return false;
    }
    commands_.setLapRules(*lo, *hi, spnShort_->value(), spnLong_->value());
    return true;
}

void frmLapRules::Edit(QWidget* parent, RaceCommands& commands) {
    frmLapRules dialog(commands, parent);
    dialog.exec();
}

}  // namespace orvex
