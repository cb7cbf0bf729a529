#include <gtest/gtest.h>

#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryFile>

#include "fakes/FakePlatform.h"
#include "report/PrintedReport.h"
#include "session/Session.h"
#include "ui/export/frmExport.h"

using namespace orvex;

namespace {

std::string rightTrimmed(std::string s) {
    s.erase(s.find_last_not_of(' ') + 1);
    return s;
}

class ExportPdfTest : public ::testing::Test {
protected:
    void SetUp() override {
        Session& s = session();
        s.ResetSession();
        s.FileState = FileState::New;
        s.SessionTrack = "Autodromo, \"the long one\"";
        s.SessionNote = "Dry track\r\nWind from the west";
        s.LapTimes[lapSlot(1, 1)] = 8345;
        s.LapTimes[lapSlot(30, 25)] = 360000;
        s.MakeTotals();
        fakes.files.folders.insert("/out");
    }

    // The pages the recording printer gets for the same choices.
    std::vector<std::vector<std::string>> printedPages(const ReportSections& sections) {
        PrintedReport().PrintReport(sections);
        auto pages = fakes.printer.docs.back().pages;
        for (auto& page : pages) {
            for (auto& row : page) row = rightTrimmed(row);
            while (!page.empty() && page.back().empty()) page.pop_back();
        }
        return pages;
    }

    // The PDF's text, one column per 6-point cell, less the left margin.
    static std::vector<std::vector<std::string>> pdfText(const std::string& bytes) {
        QTemporaryFile pdf;
        EXPECT_TRUE(pdf.open());
        pdf.write(bytes.data(), static_cast<qint64>(bytes.size()));
        pdf.close();
        QProcess run;
        run.start(QStandardPaths::findExecutable("pdftotext"),
                  {"-layout", "-fixed", "6", pdf.fileName(), "-"});
        EXPECT_TRUE(run.waitForFinished(60000));
        std::vector<std::vector<std::string>> pages;
        std::size_t margin = std::string::npos;
        for (const QString& sheet : QString::fromUtf8(run.readAllStandardOutput()).split('\f')) {
            std::vector<std::string> lines;
            for (const QString& line : sheet.split('\n')) {
                lines.push_back(rightTrimmed(line.toStdString()));
                if (!lines.back().empty())
                    margin = std::min(margin, lines.back().find_first_not_of(' '));
            }
            while (!lines.empty() && lines.back().empty()) lines.pop_back();
            if (!lines.empty()) pages.push_back(lines);
        }
        for (auto& page : pages)
            for (auto& line : page) line.erase(0, std::min(margin, line.size()));
        return pages;
    }

    FakePlatform fakes;
};

TEST_F(ExportPdfTest, PdfHoldsLineForLineWhatThePrinterGetsAndReplacesTheFileWhole) {
    for (const ReportSections sections : {ReportSections{.SessionData = true},
                                          ReportSections{.SessionData = true, .Times = true}}) {
        fakes.files.files["/out/race.pdf"] = "earlier";
        ASSERT_TRUE(frmExport::WritePdf(sections, "/out/race.pdf").isOk());
        const auto pages = pdfText(fakes.files.files.at("/out/race.pdf"));
        EXPECT_EQ(pages, printedPages(sections));
        EXPECT_EQ(pages.size(), sections.Times ? 16u : 1u);
    }
    EXPECT_EQ(fakes.files.files.size(), 1u);  // no temporary file left behind

    fakes.files.failAfterBytes = fakes.files.bytesWritten + 100;
    const Status failed = frmExport::WritePdf({.Times = true}, "/out/race.pdf");
    EXPECT_EQ(failed.code(), StatusCode::DiskFull);
    EXPECT_EQ(fakes.files.files.size(), 1u);
    EXPECT_EQ(fakes.files.files.at("/out/race.pdf").substr(0, 5), "%PDF-");
    EXPECT_TRUE(fakes.messages.texts().empty());  // the command handler tells, not WritePdf
}

TEST_F(ExportPdfTest, PreviewShowsThePrintedPages) {
    for (const ReportSections sections :
         {ReportSections{.SessionData = true, .Times = true}, ReportSections{.Times = true}}) {
        const auto preview = frmExport::MakePreview(nullptr, sections);
        preview->printer()->setPageSize(QPageSize(QPageSize::A4));
        preview->show();
        auto* pages = preview->findChild<QPrintPreviewWidget*>();
        pages->updatePreview();
        EXPECT_EQ(pages->pageCount(), static_cast<int>(printedPages(sections).size()));
        preview->close();
    }
}

}  // namespace
