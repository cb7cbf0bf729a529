#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <string>
#include <vector>

#include "fakes/FakePlatform.h"
#include "platform/QtPrinter.h"
#include "platform/RunError.h"
#include "report/PrintedReport.h"
#include "session/Session.h"

using namespace orvex;

namespace {

// A value line: the label, blanks up to column 20, then ":   " and the value.
std::string valueLine(const std::string& label, const std::string& value) {
    std::string line = label;
    line.resize(19, ' ');
    return line + ":   " + value;
}

std::string header(int page) {
    return "Page  " + std::to_string(page) +
           "   *** ORVEX Timing System 1.0 -- Race -- 04 December 2026 ***";
}

// The pages of a PDF as pdftotext lays them out by position, the way the
// sheet looks: at a pitch of 6 points, one cell, every cell is one column.
std::vector<std::vector<std::string>> pdfPages(const QString& pdf) {
    const QString tool = QStandardPaths::findExecutable("pdftotext");
    EXPECT_FALSE(tool.isEmpty()) << "pdftotext (poppler-utils) is missing: run tools/setup";
    QProcess run;
    run.start(tool, {"-layout", "-fixed", "6", pdf, "-"});
    EXPECT_TRUE(run.waitForFinished(60000));
    EXPECT_EQ(run.exitCode(), 0) << run.readAllStandardError().toStdString();
    std::vector<std::vector<std::string>> pages;
    for (const QString& page : QString::fromUtf8(run.readAllStandardOutput()).split('\f')) {
        if (page.trimmed().isEmpty()) continue;
        pages.emplace_back();
        for (const QString& line : page.split('\n')) pages.back().push_back(line.toStdString());
    }
    return pages;
}

class PrintedReportTest : public ::testing::Test {
protected:
    void SetUp() override {
        session().ResetSession();
        session().FileState = FileState::New;
        session().DataFileName = "Race";
    }

    // The printed lines without the two header rows of each page.
    std::vector<std::string> body() const {
        std::vector<std::string> lines;
        for (int p = 1; p <= fakes.printer.pageCount(); ++p) {
            const auto& rows = fakes.printer.page(p);
            lines.insert(lines.end(), rows.begin() + std::min<std::size_t>(2, rows.size()),
                         rows.end());
        }
        return lines;
    }

    FakePlatform fakes;
    PrintedReport report;
};

}  // namespace

TEST_F(PrintedReportTest, TimesAre31LinesADriverOnA4PagesOf62LinesEachWithItsHeader) {
    Session& s = session();
    s.LapTimes[lapSlot(2, 1)] = 8345;
    s.LapTimes[lapSlot(2, 25)] = 6000;
    s.LapTimes[lapSlot(30, 3)] = 99;
    s.MakeTotals();
    report.PrintReport({.Times = true});
    const auto lines = body();
    ASSERT_EQ(lines.size(), 930u);
    const std::vector<std::string> driver2(lines.begin() + 31, lines.begin() + 36);
    EXPECT_EQ(driver2, (std::vector<std::string>{"DRIVER Nr.  2", "------------", "",
                                                 valueLine("  TOTAL : ", "00:02.23.45"),
                                                 valueLine("  Time n.  1", "00:01.23.45")}));
    EXPECT_EQ(lines[31 + 28], valueLine("  Time n.  25", "00:01.00.00"));
    EXPECT_EQ(lines[29 * 31 + 6], valueLine("  Time n.  3", "00:00.00.99"));
    // Rows 0 to 63 are used: 16838 \ 240 - 7 = 63.
    ASSERT_EQ(fakes.printer.pageCount(), 15);
    EXPECT_EQ(fakes.printer.page(1).size(), 64u);
    for (int p = 1; p <= 15; ++p) EXPECT_EQ(fakes.printer.page(p)[0], header(p));
    EXPECT_TRUE(fakes.printer.docs[0].ended);

    // Page length follows the printer's height: 12 rows, lines on rows 0 to 5.
    fakes.printer.heightTwips = 12 * 240 + 100;
    report.PrintReport({.SessionData = true});
    EXPECT_EQ(fakes.printer.pageCount(), 3);
    EXPECT_EQ(fakes.printer.page(2).size(), 6u);
}

TEST_F(PrintedReportTest, SessionAndStatisticsComeBeforeTheTimesWithSpeedsFromTheTrack) {
    Session& s = session();
    s.SessionLength = "1000";
    s.SessionNote = "Dry track";
    s.AverageLap = "01:23.45";
    s.SlowestLap = "02:00.00";
    report.PrintReport({.SessionData = true, .Statistics = true, .Times = true});
    const auto lines = body();
    const std::pair<std::size_t, std::string> expected[] = {
        {0, "SESSION Data"},
        {8, "NOTE:"},
        {9, "Dry track"},
        {12, "STATISTICS"},
        {17, valueLine("Average Speed", "43.13 Km/h")},
        {23, valueLine("        Speed", "30 Km/h")},
        {26, "DRIVER Nr.  1"}};
    for (const auto& [at, text] : expected) EXPECT_EQ(lines.at(at), text) << at;

    // The date is in the user's language with a two-digit day.
    fakes.regional.december = "dicembre";
    fakes.dayClock.date = {2027, 12, 7};
    s.DataFileName = "Monza 2";
    report.PrintReport({.Statistics = true});
    EXPECT_EQ(fakes.printer.page(1)[0],
              "Page  1   *** ORVEX Timing System 1.0 -- Monza 2 -- 07 dicembre 2027 ***");
}

TEST_F(PrintedReportTest, LineBreaksAndOverlongTextsContinueOnFurtherLines) {
    // A note or a value printed on one line would run off the page and be lost.
    Session& s = session();
    s.SessionDrivers = "Rossi\r\nBianchi\nVerdi";
    s.SessionNote = "Dry\r\nWindy\r\n" + std::string(100, 'x');
    s.SessionTrack = std::string(50, 'a') + " " + std::string(20, 'b');
    fakes.printer.widthTwips = 80 * 120;
    report.PrintReport({.SessionData = true});
    const auto lines = body();
    const std::string indent(23, ' ');
    EXPECT_EQ(lines[4], valueLine("Track", std::string(50, 'a') + " "));
    EXPECT_EQ(lines[5], indent + std::string(20, 'b'));
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 8, lines.end()),
              (std::vector<std::string>{valueLine("Drivers", "Rossi"), indent + "Bianchi",
                                        indent + "Verdi", "NOTE:", "Dry", "Windy",
                                        std::string(80, 'x'), std::string(20, 'x'), "", ""}));
}

TEST_F(PrintedReportTest, NoPrinterOrAFailingOneShowsPrinterErrorOnceAndEndsNoJob) {
    fakes.printer.missing = true;
    fakes.pointer.shape = MousePointer::Hourglass;
    report.PrintReport({.SessionData = true});
    EXPECT_EQ(
        fakes.messages.shown,
        (std::vector<FakeMessageBox::Shown>{{"Printer Error !", MessageBox::Critical, "ORVEX"}}));
    EXPECT_EQ(fakes.pointer.shape, MousePointer::Normal);
    EXPECT_TRUE(fakes.printer.docs.empty());

    fakes.printer.missing = false;
    fakes.printer.failAtText = 6;
    report.PrintReport({.SessionData = true, .Times = true});
    EXPECT_EQ(fakes.messages.shown.size(), 2u);
    EXPECT_FALSE(fakes.printer.docs[0].ended);
    EXPECT_EQ(fakes.printer.docs[0].texts, 6);
    // The next report is a fresh job that completes.
    fakes.printer.failAtText = 0;
    report.PrintReport({.SessionData = true});
    EXPECT_TRUE(fakes.printer.docs[1].ended);
}

TEST_F(PrintedReportTest, OnPaperEachPageHasItsHeaderAndTheColonsStandInOneColumn) {
    QTemporaryDir dir;
    const QString pdf = dir.filePath("report.pdf");
    QtPrinter printer(pdf), nowhere(dir.filePath("missing/folder/report.pdf"));
    Platform p = fakes.interfaces();
    p.printer = &printer;
    installPlatform(p);
    report.PrintReport({});
    EXPECT_FALSE(QFile::exists(pdf));  // nothing ticked, no page
    session().SessionTrack = "Autodromo";
    session().LapTimes[lapSlot(1, 1)] = 8345;
    session().MakeTotals();
    report.PrintReport({.SessionData = true, .Times = true});
    EXPECT_TRUE(fakes.messages.shown.empty());
    const auto pages = pdfPages(pdf);
    ASSERT_EQ(pages.size(), 16u);  // 942 lines, 62 under each header
    EXPECT_NE(pages[1][0].find(header(2)), std::string::npos);
    // Every value line has its colon 19 cells right of where the lines begin.
    const auto left = pages[0][2].find('S');
    int valueLines = 0;
    for (const auto& line : pages[0]) {
        const auto colon = line.rfind(":   ");
        if (colon == std::string::npos || line.find("***") != std::string::npos) continue;
        ++valueLines;
        EXPECT_EQ(colon, left + 19) << line;
    }
    EXPECT_GT(valueLines, 30);

    // A target that cannot be written is a printer error, not a silent loss.
    p.printer = &nowhere;
    installPlatform(p);
    report.PrintReport({.SessionData = true});
    EXPECT_EQ(fakes.messages.texts(), std::vector<std::string>{"Printer Error !"});
}

// The grid the report relies on: a character is one cell, and Tab(20) puts the
// next text at column 20 from any shorter text, from a longer one on the next line.
TEST(CellPrintJob, TabReachesTheColumnFromAnyShorterTextAndCountsCharactersNotBytes) {
    FakePlatform fakes;
    auto job = fakes.printer.startJob();
    job->setScaleMode(4);
    job->print("\xC3\xA8t\xC3\xA0");  // three characters, five bytes
    EXPECT_DOUBLE_EQ(job->currentX(), 3);
    job->endLine();
    for (int n : {19, 20}) {
        job->print(std::string(n, 'x'));
        job->tab(20);
        job->print(":");
        job->endLine();
    }
    EXPECT_EQ(fakes.printer.page(1),
              (std::vector<std::string>{"\xC3\xA8t\xC3\xA0", std::string(19, 'x') + ":",
                                        std::string(20, 'x'), std::string(19, ' ') + ":"}));
    EXPECT_THROW(job->setScaleMode(3), RunError);
}
