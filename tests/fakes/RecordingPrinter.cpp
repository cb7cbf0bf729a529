#include "fakes/RecordingPrinter.h"

#include <cmath>

#include "platform/CellPrintJob.h"
#include "platform/RunError.h"

namespace orvex {

namespace {

class RecordingJob : public CellPrintJob {
public:
    RecordingJob(RecordingPrinter& printer, std::size_t doc) : printer_(printer), index_(doc) {}

    int height() const override { return printer_.heightTwips; }
    int width() const override { return printer_.widthTwips; }
    void endDoc() override { doc().ended = true; }
    void endLine() override {
        row(yTwips());  // an empty line is a line on paper too
        CellPrintJob::endLine();
    }

protected:
    void drawText(double x, double y, const std::string& text) override {
        Doc& d = doc();
        if (++d.texts == printer_.failAtText) throw RunError(ErrorNo::PrinterError);
        const auto column = static_cast<std::size_t>(std::lround(x / kCellWidthTwips));
        std::string& line = row(y);
        if (line.size() < column) line.resize(column, ' ');
        line.replace(column, std::min(text.size(), line.size() - column), text);
    }
    void startNextPage() override { doc().pages.emplace_back(); }

private:
    using Doc = RecordingPrinter::Doc;
    Doc& doc() { return printer_.docs[index_]; }
    std::string& row(double y) {
        auto& rows = doc().pages.back();
        const auto n = static_cast<std::size_t>(std::lround(y / kCellHeightTwips));
        if (rows.size() <= n) rows.resize(n + 1);
        return rows[n];
    }

    RecordingPrinter& printer_;
    std::size_t index_;
};

}  // namespace

std::unique_ptr<PrintJob> RecordingPrinter::startJob() {
    if (missing) throw RunError(ErrorNo::NoPrinter);
    docs.emplace_back();
    return std::make_unique<RecordingJob>(*this, docs.size() - 1);
}

}  // namespace orvex
