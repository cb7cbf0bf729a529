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
#include "ui/report/frmStampa.h"

namespace orvex {

std::unique_ptr<QPrintPreviewDialog> frmExport::MakePreview(QWidget* parent,
                                                            const ReportSections& sections) {
    auto preview = std::make_unique<QPrintPreviewDialog>(parent);
    preview->setWindowTitle(QStringLiteral("Print Preview"));
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
    if (!frmStampa::ChooseSections(parent, QStringLiteral("Print Preview"), sections)) return;
    platform().pointer->set(MousePointer::Hourglass);
    const auto preview = MakePreview(parent, sections);
    preview->resize(parent ? parent->size() : QSize(800, 600));
    platform().pointer->set(MousePointer::Normal);
    preview->exec();
}

bool frmExport::WritePdf(const ReportSections& sections, const std::string& path) {
    bool printed = true;
    std::optional<std::string> bytes;
    if (const auto failure = catchError([&] {
            bytes = DrawPdf([&](const QString& drawn) {
                QtPrinter printer(drawn);
                printed = PrintedReport().PrintReport(sections, printer);
            });
        })) {
        ReportExportFailure(path, *failure);
        return false;
    }
    if (!printed) return false;
    if (!bytes) {
        ShowMessage("No section was chosen, so no PDF file was written.");
        return false;
    }
    const auto failure = catchError([&] { WriteExportFile(path, *bytes); });
    if (failure) ReportExportFailure(path, *failure);
    return !failure;
}

void frmExport::ExportPdf(QWidget* parent) {
    ReportSections sections;
    if (!frmStampa::ChooseSections(parent, QStringLiteral("Export PDF"), sections)) return;
    std::string chosen;
    if (!AskExportFile("PDF file (*.pdf)|*.pdf", "pdf", chosen)) return;
    platform().pointer->set(MousePointer::Hourglass);
    WritePdf(sections, chosen);
    platform().pointer->set(MousePointer::Normal);
}

}  // namespace orvex
