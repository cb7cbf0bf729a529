#include "ui/slips/frmSlips.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QVBoxLayout>

#include "export/ExportFile.h"
#include "platform/Messages.h"
#include "platform/MousePointer.h"
#include "platform/Platform.h"
#include "platform/RunError.h"
#include "platform/qt/PdfFile.h"
#include "platform/qt/StatusMessage.h"
#include "session/Session.h"
#include "slips/SlipSource.h"
#include "ui/slips/SlipPainter.h"

namespace orvex {

namespace {

bool anyPrinter() { return !QPrinterInfo::availablePrinters().isEmpty(); }

// The paper last chosen, as its place in the dialog's list.
const char* const kPaperKey = "Slips/paper";

void say(const QString& text) { ShowMessage(text.toStdString()); }

}  // namespace

frmSlips::frmSlips(QWidget* parent, std::vector<int> selectedInResults)
    : QDialog(parent), selected_(std::move(selectedInResults)) {
    setWindowTitle(tr("Slips"));
    setObjectName(QStringLiteral("frmSlips"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);

    auto* drivers = new QGroupBox(tr("Drivers"), this);
    optAll = new QRadioButton(tr("&All drivers with laps"), drivers);
    optSelected = new QRadioButton(tr("&Selected in Results"), drivers);
    optAll->setChecked(true);
    optSelected->setEnabled(!selected_.empty());
    auto* driverRows = new QVBoxLayout(drivers);
    driverRows->addWidget(optAll);
    driverRows->addWidget(optSelected);

    auto* paper = new QGroupBox(tr("Paper"), this);
    optA4One = new QRadioButton(tr("A&4, one driver per page"), paper);
    optA4Four = new QRadioButton(tr("A4, &four drivers per page"), paper);
    optReceipt = new QRadioButton(tr("&Receipt, 80 mm"), paper);
    auto* paperRows = new QVBoxLayout(paper);
    const QRadioButton* papers[] = {optA4One, optA4Four, optReceipt};
    const int chosen = QSettings("ORVEX", "ORVEX").value(kPaperKey, 0).toInt();
    for (QRadioButton* b : {optA4One, optA4Four, optReceipt}) {
        paperRows->addWidget(b);
        b->setChecked(b == papers[chosen >= 0 && chosen < 3 ? chosen : 0]);
        connect(b, &QRadioButton::toggled, this, [this](bool on) {
            if (on)
                QSettings("ORVEX", "ORVEX").setValue(kPaperKey, static_cast<int>(this->paper()));
        });
    }

    auto* buttons = new QDialogButtonBox(this);
    cmdPrint = buttons->addButton(tr("&Print..."), QDialogButtonBox::ActionRole);
    cmdPreview = buttons->addButton(tr("Pre&view..."), QDialogButtonBox::ActionRole);
    cmdPdf = buttons->addButton(tr("Save P&DF..."), QDialogButtonBox::ActionRole);
    cmdCancel = buttons->addButton(QDialogButtonBox::Cancel);
    cmdCancel->setText(tr("Cancel"));
    // Enter on a choice must not print what was not meant yet.
    for (QPushButton* b : {cmdPrint, cmdPreview, cmdPdf, cmdCancel}) b->setAutoDefault(false);
    connect(cmdPrint, &QPushButton::clicked, this, [this] { trapErrors([&] { Print_Click(); }); });
    connect(cmdPreview, &QPushButton::clicked, this,
            [this] { trapErrors([&] { Preview_Click(); }); });
    connect(cmdPdf, &QPushButton::clicked, this, [this] { trapErrors([&] { Pdf_Click(); }); });
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(drivers);
    layout->addWidget(paper);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

SlipPaper frmSlips::paper() const {
    if (optA4Four->isChecked()) return SlipPaper::A4Four;
    if (optReceipt->isChecked()) return SlipPaper::Receipt;
    return SlipPaper::A4One;
}

std::vector<SlipDriver> frmSlips::chosenSlips() const {
    std::vector<SlipDriver> all = slipDrivers(session());
    if (optSelected->isChecked()) return slipsOf(all, selected_);
    return all;
}

std::vector<SlipDriver> frmSlips::slipsOrSay() const {
    std::vector<SlipDriver> slips = chosenSlips();
    if (slips.empty()) say(tr("No driver has laps, so there is no slip to make."));
    return slips;
}

void frmSlips::Print_Click() {
    if (!(printerInstalled ? printerInstalled : &anyPrinter)()) {
        say(tr("No printer is installed. Preview and Save PDF still work."));
        return;
    }
    const std::vector<SlipDriver> slips = slipsOrSay();
    if (slips.empty()) return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QStringLiteral("ORVEX"));
    QPrintDialog ask(&printer, this);
    if (ask.exec() != QDialog::Accepted) return;
    platform().pointer->set(MousePointer::Hourglass);
    hide();
    const auto failure = catchError([&] {
        if (paper() == SlipPaper::Receipt) {
            // A job of its own for each receipt, so each is only as long as it needs.
            for (const SlipDriver& d : slips) SlipPainter::Draw(printer, {d}, SlipPaper::Receipt);
        } else {
            SlipPainter::Draw(printer, slips, paper());
        }
    });
    platform().pointer->set(MousePointer::Normal);
    if (failure) {
        showStatus(
            Status::fail(StatusCode::Printer,
                         QT_TRANSLATE_NOOP("Status", "The slips could not be printed (error %1)."),
                         {std::to_string(*failure)}));
        reject();
        return;
    }
    accept();
}

void frmSlips::Preview_Click() {
    const std::vector<SlipDriver> slips = slipsOrSay();
    if (slips.empty()) return;
    const auto preview = MakePreview(this, slips, paper());
    preview->resize(parentWidget() ? parentWidget()->size() : QSize(800, 600));
    preview->exec();
}

void frmSlips::Pdf_Click() {
    const std::vector<SlipDriver> slips = slipsOrSay();
    if (slips.empty()) return;
    std::string chosen;
    if (!AskExportFile(tr("PDF file (*.pdf)|*.pdf").toStdString(), "pdf", chosen)) return;
    platform().pointer->set(MousePointer::Hourglass);
    const Status written = WritePdf(slips, paper(), chosen);
    platform().pointer->set(MousePointer::Normal);
    if (showStatus(written)) accept();
}

std::unique_ptr<QPrintPreviewDialog> frmSlips::MakePreview(QWidget* parent,
                                                           std::vector<SlipDriver> slips,
                                                           SlipPaper paper) {
    auto preview = std::make_unique<QPrintPreviewDialog>(parent);
    preview->setWindowTitle(tr("Slips Preview"));
    // Called for the preview's pages and again when the user prints from it.
    QObject::connect(preview.get(), &QPrintPreviewDialog::paintRequested, preview.get(),
                     [slips = std::move(slips), paper](QPrinter* target) {
                         trapErrors([&] { SlipPainter::Draw(*target, slips, paper); });
                     });
    return preview;
}

Status frmSlips::WritePdf(const std::vector<SlipDriver>& slips, SlipPaper paper,
                          const std::string& path) {
    Status written = Status::ok();
    const auto failure = catchError([&] {
        const auto bytes = DrawPdf([&](const QString& drawn) {
            QPdfWriter pdf(drawn);
            pdf.setTitle(tr("Slips"));
            pdf.setCreator(QString::fromLatin1(kProgramName));
            SlipPainter::Draw(pdf, slips, paper);
        });
        if (!bytes) throw RunError(ErrorNo::DeviceIO);
        written = WriteExportFile(path, *bytes);
    });
    return failure ? ExportFailure(path, *failure) : written;
}

void frmSlips::ShowModal(QWidget* parent, std::vector<int> selectedInResults) {
    frmSlips dialog(parent, std::move(selectedInResults));
    dialog.exec();
}

void frmSlips::ExportPdf(QWidget*) {
    const std::vector<SlipDriver> slips = slipDrivers(session());
    if (slips.empty()) {
        say(tr("No driver has laps, so there is no slip to make."));
        return;
    }
    std::string chosen;
    if (!AskExportFile(tr("PDF file (*.pdf)|*.pdf").toStdString(), "pdf", chosen)) return;
    platform().pointer->set(MousePointer::Hourglass);
    const Status written = WritePdf(slips, SlipPaper::A4One, chosen);
    platform().pointer->set(MousePointer::Normal);
    showStatus(written);
}

}  // namespace orvex
