#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <string>
#include <vector>

#include "fakes/FakePlatform.h"
#include "platform/qt/QtPrinter.h"
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

TEST_F(PrintedReportTest, TimesAre31LinesADriverOnPagesOf62LinesEachWithItsHeader) {
    Session& s = session();
    s.LapTimes[lapSlot(2, 1)] = 8345;
    s.LapTimes[lapSlot(30, 3)] = 99;
    s.MakeTotals();
    report.PrintReport({.Times = true});
    const auto lines = body();
    ASSERT_EQ(lines.size(), 930u);
    EXPECT_EQ(lines[34], valueLine("  TOTAL : ", "00:01.23.45"));
    EXPECT_EQ(lines[29 * 31 + 6], valueLine("  Time n.  3", "00:00.00.99"));
    ASSERT_EQ(fakes.printer.pageCount(), 15);
    for (int p = 1; p <= 15; ++p)
        EXPECT_EQ(fakes.printer.page(p)[0],
                  "Page  " + std::to_string(p) +
                      "   *** ORVEX Timing System 1.0 -- Race -- 04 December 2026 ***");
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
    EXPECT_EQ(fakes.messages.texts(), std::vector<std::string>{"Printer Error !"});
    EXPECT_EQ(fakes.pointer.shape, MousePointer::Normal);
    EXPECT_TRUE(fakes.printer.docs.empty());

    fakes.printer.missing = false;
    fakes.printer.failAtText = 6;
    report.PrintReport({.SessionData = true, .Times = true});
    EXPECT_EQ(fakes.messages.shown.size(), 2u);
    EXPECT_FALSE(fakes.printer.docs[0].ended);
    // The next report is a fresh job that completes.
    fakes.printer.failAtText = 0;
    report.PrintReport({.SessionData = true});
    EXPECT_TRUE(fakes.printer.docs[1].ended);

    // A PDF target that cannot be written is a printer error, not a silent loss.
    QTemporaryDir dir;
    QtPrinter nowhere(dir.filePath("missing/folder/report.pdf"));
    Platform p = fakes.interfaces();
    p.printer = &nowhere;
    installPlatform(p);
    report.PrintReport({.SessionData = true});
    EXPECT_EQ(fakes.messages.texts().back(), "Printer Error !");
}

// Tab(20) puts the next text at column 20 from any shorter text, from a longer
// one on the next line; a character is one cell, whatever its bytes.
TEST(CellPrintJob, TabReachesTheColumnFromAnyShorterTextAndCountsCharactersNotBytes) {
    FakePlatform fakes;
    auto job = fakes.printer.startJob();
    job->setScaleMode(4);
    job->print("\xC3\xA8t\xC3\xA0");
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
}
