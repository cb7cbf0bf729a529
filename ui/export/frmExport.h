#pragma once
#include <QCoreApplication>
#include <QString>
#include <memory>

#include "platform/Status.h"
#include "report/PrintedReport.h"

class QPrintPreviewDialog;
class QWidget;

namespace orvex {

// The report as something other than paper: the print preview and the PDF
// file. Both ask the print dialog's choices and draw through the report's
// one printing path, so they show exactly what the printer would get.
class frmExport {
    Q_DECLARE_TR_FUNCTIONS(frmExport)

public:
    // File > Print Preview: the choices, then the report page by page.
    static void ShowPreview(QWidget* parent);
    // File > Export > PDF: the choices, a save dialog, then the report as an
    // A4 PDF file written atomically.
    static void ExportPdf(QWidget* parent);

    // The preview of the chosen sections, not yet shown; printing from it
    // draws the same report on the printer the user picks.
    static std::unique_ptr<QPrintPreviewDialog> MakePreview(QWidget* parent,
                                                            const ReportSections& sections);
    // Writes the chosen sections to `path` as the PDF file the report makes;
    // on a failure nothing changed on disk (a printing failure has been told
    // by the report and comes back as a cancel).
    static Status WritePdf(const ReportSections& sections, const std::string& path);
};

}  // namespace orvex
