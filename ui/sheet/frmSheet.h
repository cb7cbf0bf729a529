#pragma once
#include <QDialog>
#include <memory>
#include <string>

#include "platform/Status.h"
#include "sheet/ResultsSheet.h"

class QPrintPreviewDialog;
class QPushButton;

namespace orvex {

// "Results Sheet": the session's results as ranked now, one sheet to post,
// sent to the printer, shown in the preview or saved as a PDF file.
class frmSheet : public QDialog {
    Q_OBJECT
public:
    explicit frmSheet(QWidget* parent);

    // File > Print Results...: the dialog, modal over `parent`.
    static void ShowModal(QWidget* parent);
    // File > Export > Results PDF...: the sheet to a file the user names; no
    // dialog of its own.
    static void ExportPdf(QWidget* parent);

    // The session's sheet now, with `status` as the header's status line
    // (none when empty) and the time of printing at its foot.
    static ResultsSheet SessionSheet(const std::string& status = {});
    // Writes `sheet` to `path` as a PDF file, atomically; on a failure
    // nothing changed on disk.
    static Status WritePdf(const ResultsSheet& sheet, const std::string& path);
    // The preview of `sheet`, not yet shown; printing from it draws the same.
    static std::unique_ptr<QPrintPreviewDialog> MakePreview(QWidget* parent, ResultsSheet sheet);
    // Whether the system has a printer; tests put their own answer here.
    static inline bool (*printerInstalled)() = nullptr;

    QPushButton* cmdPrint = nullptr;
    QPushButton* cmdPreview = nullptr;
    QPushButton* cmdPdf = nullptr;
    QPushButton* cmdCancel = nullptr;

private:
    void Print_Click();
    void Preview_Click();
    void Pdf_Click();
    // The sheet with the session's issue state, as every command prints it.
    static ResultsSheet CurrentSheet();
    // Asks for a file and writes the sheet there; true once it is written.
    static bool SavePdf();
};

}  // namespace orvex
