#pragma once
#include <QString>
#include <memory>

#include "report/PrintedReport.h"

class QPrintPreviewDialog;
class QWidget;

namespace orvex {

// The report as something other than paper: the print preview and the PDF
// file. Both ask the print dialog's choices and draw through the report's
// one printing path, so they show exactly what the printer would get.
class frmExport {
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
    // false when it failed (the user has been told) and nothing changed on disk.
    static bool WritePdf(const ReportSections& sections, const std::string& path);
};

}  // namespace orvex
