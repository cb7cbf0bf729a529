#include "ui/sheet/frmSheet.h"

#include <QDate>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLocale>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QTime>
#include <QVBoxLayout>

#include "export/ExportFile.h"
#include "platform/DayClock.h"
#include "platform/Messages.h"
#include "platform/MousePointer.h"
#include "platform/Platform.h"
#include "platform/Regional.h"
#include "platform/RunError.h"
#include "platform/qt/PdfFile.h"
#include "platform/qt/StatusMessage.h"
#include "results/Results.h"
#include "session/IssueMark.h"
#include "session/Session.h"
#include "ui/sheet/SheetPainter.h"

namespace orvex {

namespace {

bool anyPrinter() { return !QPrinterInfo::availablePrinters().isEmpty(); }

// A sheet of no driver would be a header alone: say so instead.
bool hasRows(const ResultsSheet& sheet) {
    if (!sheet.rows.empty()) return true;
    ShowMessage(
        frmSheet::tr("No driver has laps, so there are no results to print.").toStdString());
    return false;
}

}  // namespace

frmSheet::frmSheet(QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("Results Sheet"));
    setObjectName(QStringLiteral("frmSheet"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);

    auto* about = new QLabel(tr("The results as ranked now, on one A4 page."), this);

    auto* buttons = new QDialogButtonBox(this);
    cmdPrint = buttons->addButton(tr("&Print..."), QDialogButtonBox::ActionRole);
    cmdPreview = buttons->addButton(tr("Pre&view..."), QDialogButtonBox::ActionRole);
    cmdPdf = buttons->addButton(tr("Save P&DF..."), QDialogButtonBox::ActionRole);
    cmdCancel = buttons->addButton(QDialogButtonBox::Cancel);
    cmdCancel->setText(tr("Cancel"));
    for (QPushButton* b : {cmdPrint, cmdPreview, cmdPdf, cmdCancel}) b->setAutoDefault(false);
    connect(cmdPrint, &QPushButton::clicked, this, [this] { trapErrors([&] { Print_Click(); }); });
    connect(cmdPreview, &QPushButton::clicked, this,
            [this] { trapErrors([&] { Preview_Click(); }); });
    connect(cmdPdf, &QPushButton::clicked, this, [this] { trapErrors([&] { Pdf_Click(); }); });
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(about);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

ResultsSheet frmSheet::SessionSheet(const std::string& status) {
    const Session& s = session();
    SheetHeader header = sheetHeader(s);
    header.status = status;
    const LocalTime now = platform().dayClock->now();
    const QLocale locale;
    header.printed =
        tr("Printed %1 %2")
            .arg(locale.toString(QDate(now.date.year, now.date.month, now.date.day),
                                 QLocale::ShortFormat),
                 locale.toString(QTime(now.hour, now.minute, now.second), QLocale::ShortFormat))
            .toStdString();
    return makeResultsSheet(makeResults(s), header, SheetPainter::Words(),
                            platform().regional->decimalSeparator());
}

void frmSheet::Print_Click() {
    if (!(printerInstalled ? printerInstalled : &anyPrinter)()) {
        ShowMessage(tr("No printer is installed. Preview and Save PDF still work.").toStdString());
        return;
    }
    const ResultsSheet sheet = CurrentSheet();
    if (!hasRows(sheet)) return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QStringLiteral("ORVEX"));
    QPrintDialog ask(&printer, this);
    if (ask.exec() != QDialog::Accepted) return;
    platform().pointer->set(MousePointer::Hourglass);
    hide();
    const auto failure = catchError([&] { SheetPainter::Draw(printer, sheet); });
    platform().pointer->set(MousePointer::Normal);
    if (failure) {
        showStatus(Status::fail(
            StatusCode::Printer,
            QT_TRANSLATE_NOOP("Status", "The results sheet could not be printed (error %1)."),
            {std::to_string(*failure)}));
        reject();
        return;
    }
    accept();
}

void frmSheet::Preview_Click() {
    ResultsSheet sheet = CurrentSheet();
    if (!hasRows(sheet)) return;
    const auto preview = MakePreview(this, std::move(sheet));
    preview->resize(parentWidget() ? parentWidget()->size() : QSize(800, 600));
    preview->exec();
}

void frmSheet::Pdf_Click() {
    if (SavePdf()) accept();
}

ResultsSheet frmSheet::CurrentSheet() { return SessionSheet(issueStatusText(session(), true)); }

bool frmSheet::SavePdf() {
    const ResultsSheet sheet = CurrentSheet();
    if (!hasRows(sheet)) return false;
    std::string chosen;
    if (!AskExportFile(tr("PDF file (*.pdf)|*.pdf").toStdString(), "pdf", chosen)) return false;
    platform().pointer->set(MousePointer::Hourglass);
    const Status written = WritePdf(sheet, chosen);
    platform().pointer->set(MousePointer::Normal);
    return showStatus(written);
}

std::unique_ptr<QPrintPreviewDialog> frmSheet::MakePreview(QWidget* parent, ResultsSheet sheet) {
    auto preview = std::make_unique<QPrintPreviewDialog>(parent);
    preview->setWindowTitle(tr("Results Sheet Preview"));
    // Called for the preview's pages and again when the user prints from it.
    QObject::connect(preview.get(), &QPrintPreviewDialog::paintRequested, preview.get(),
                     [sheet = std::move(sheet)](QPrinter* target) {
                         trapErrors([&] { SheetPainter::Draw(*target, sheet); });
                     });
    return preview;
}

Status frmSheet::WritePdf(const ResultsSheet& sheet, const std::string& path) {
    Status written = Status::ok();
    const auto failure = catchError([&] {
        const auto bytes = DrawPdf([&](const QString& drawn) {
            QPdfWriter pdf(drawn);
            pdf.setTitle(tr("Results"));
            pdf.setCreator(QString::fromLatin1(kProgramName));
            SheetPainter::Draw(pdf, sheet);
        });
        if (!bytes) throw RunError(ErrorNo::DeviceIO);
        written = WriteExportFile(path, *bytes);
    });
    return failure ? ExportFailure(path, *failure) : written;
}

void frmSheet::ShowModal(QWidget* parent) {
    frmSheet dialog(parent);
    dialog.exec();
}

void frmSheet::ExportPdf(QWidget*) { SavePdf(); }

}  // namespace orvex
