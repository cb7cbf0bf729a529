#pragma once
#include <QDialog>
#include <memory>
#include <string>
#include <vector>

#include "platform/Status.h"
#include "slips/Slip.h"

class QPrintPreviewDialog;
class QPushButton;
class QRadioButton;

namespace orvex {

// "Slips": one printed slip for each driver, on A4 or on a receipt printer,
// sent to the printer, shown in the preview or saved as a PDF file.
class frmSlips : public QDialog {
    Q_OBJECT
public:
    // `selectedInResults`: the drivers selected in the Results window, if any.
    frmSlips(QWidget* parent, std::vector<int> selectedInResults);

    // File > Print Slips...: the dialog, modal over `parent`.
    static void ShowModal(QWidget* parent, std::vector<int> selectedInResults);
    // File > Export > Slips PDF...: every driver's slip, A4 one to a page,
    // to a file the user names; no dialog of its own.
    static void ExportPdf(QWidget* parent);

    // Writes `slips` to `path` as a PDF file, atomically; on a failure
    // nothing changed on disk.
    static Status WritePdf(const std::vector<SlipDriver>& slips, SlipPaper paper,
                           const std::string& path);
    // The preview of `slips`, not yet shown; printing from it draws the same.
    static std::unique_ptr<QPrintPreviewDialog> MakePreview(QWidget* parent,
                                                            std::vector<SlipDriver> slips,
                                                            SlipPaper paper);
    // Whether the system has a printer; tests put their own answer here.
    static inline bool (*printerInstalled)() = nullptr;

    std::vector<SlipDriver> chosenSlips() const;
    SlipPaper paper() const;

    QRadioButton* optAll = nullptr;
    QRadioButton* optSelected = nullptr;
    QRadioButton* optA4One = nullptr;
    QRadioButton* optA4Four = nullptr;
    QRadioButton* optReceipt = nullptr;
    QPushButton* cmdPrint = nullptr;
    QPushButton* cmdPreview = nullptr;
    QPushButton* cmdPdf = nullptr;
    QPushButton* cmdCancel = nullptr;

private:
    void Print_Click();
    void Preview_Click();
    void Pdf_Click();
    // The chosen slips, or a message and none when no driver has laps.
    std::vector<SlipDriver> slipsOrSay() const;

    std::vector<int> selected_;
};

}  // namespace orvex
