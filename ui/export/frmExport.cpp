#include "ui/export/frmExport.h"

#include <QPrintPreviewDialog>
#include <QPrinter>
#include <optional>

#include "export/ExportFile.h"
#include "platform/Messages.h"
#include "platform/MousePointer.h"
#include "platform/Platform.h"
#include "platform/qt/PdfFile.h"
#include "platform/qt/QtPrinter.h"
#include "platform/qt/StatusMessage.h"
#include "ui/report/frmStampa.h"

namespace orvex {

std::unique_ptr<QPrintPreviewDialog> frmExport::MakePreview(QWidget* parent,
                                                            const ReportSections& sections) {
    auto preview = std::make_unique<QPrintPreviewDialog>(parent);
    preview->setWindowTitle(tr("Print Preview"));
    // Called for the preview's pages and again when the user prints from it.
    QObject::connect(preview.get(), &QPrintPreviewDialog::paintRequested, preview.get(),
                     [sections](QPrinter* target) {
                         QtPrinter printer(target);
                         PrintedReport().PrintReport(sections, printer);
                     });
    return preview;
}

void frmExport::ShowPreview(QWidget* parent) {
    ReportSections sections;
    if (!frmStampa::ChooseSections(parent, tr("Print Preview"), sections)) return;
    platform().pointer->set(MousePointer::Hourglass);
    const auto preview = MakePreview(parent, sections);
    preview->resize(parent ? parent->size() : QSize(800, 600));
    platform().pointer->set(MousePointer::Normal);
    preview->exec();
}

Status frmExport::WritePdf(const ReportSections& sections, const std::string& path) {
    bool printed = true;
    std::optional<std::string> bytes;
    if (const auto failure = catchError([&] {
            bytes = DrawPdf([&](const QString& drawn) {
                QtPrinter printer(drawn);
                printed = PrintedReport().PrintReport(sections, printer);
            });
        }))
        return ExportFailure(path, *failure);
    if (!printed) return Status::cancelled();
    if (!bytes)
        return Status::fail(
            StatusCode::Invalid,
            QT_TRANSLATE_NOOP("Status", "No section was chosen, so no PDF file was written."));
    return WriteExportFile(path, *bytes);
}

void frmExport::ExportPdf(QWidget* parent) {
    ReportSections sections;
    if (!frmStampa::ChooseSections(parent, tr("Export PDF"), sections)) return;
    std::string chosen;
    if (!AskExportFile(tr("PDF file (*.pdf)|*.pdf").toStdString(), "pdf", chosen)) return;
    platform().pointer->set(MousePointer::Hourglass);
    const Status written = WritePdf(sections, chosen);
    platform().pointer->set(MousePointer::Normal);
    showStatus(written);
}

}  // namespace orvex
