#pragma once
#include <QDialog>
#include <array>

#include "report/PrintedReport.h"

class QCheckBox;
class QFrame;
class QPushButton;

namespace orvex {

// "Print": the user ticks the sections of the report and confirms. A fresh
// dialog for every opening, so the boxes always start unticked.
class frmStampa : public QDialog {
    Q_OBJECT
public:
    explicit frmStampa(QWidget* parent = nullptr);

    // Opens the dialog modally over `parent`; returns once it has closed.
    static void ShowModal(QWidget* parent);
    // The same choices for another use of the report (a preview, a PDF):
    // the dialog, titled `title`, only asks. False when it was cancelled.
    static bool ChooseSections(QWidget* parent, const QString& title, ReportSections& chosen);

    QFrame* Frame1 = nullptr;
    // 0 session data, 1 statistics (never shown), 2 times.
    std::array<QCheckBox*, 3> chkPrint{};
    // 0 "OK", 1 "Cancel".
    std::array<QPushButton*, 2> CmdPrint{};

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void CmdPrint_Click(int index);
    void Form_Load();

    ReportSections ticked() const;

    PrintedReport report_;
    bool chooseOnly_ = false;
};

}  // namespace orvex
