#pragma once
#include <QString>
#include <memory>

#include "platform/Printer.h"

class QPrinter;

namespace orvex {

// The page printer on Qt. The report's fixed-pitch font is laid on the
// 120 x 240 twip grid, so column 20 is column 20 whatever font is found.
// By default it prints to the system's default printer; given a file name it
// writes a PDF file instead (A4), which is how the report can be checked
// without paper.
class QtPrinter : public Printer {
public:
    QtPrinter() = default;
    explicit QtPrinter(const QString& pdfFile) : pdfFile_(pdfFile) {}
    // Draws on a printer set up by someone else, such as the one a print
    // preview hands over; it must outlive the jobs.
    explicit QtPrinter(QPrinter* target) : target_(target) {}

    std::unique_ptr<PrintJob> startJob() override;

private:
    QString pdfFile_;
    QPrinter* target_ = nullptr;
};

}  // namespace orvex
