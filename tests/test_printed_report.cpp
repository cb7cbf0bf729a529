#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/FakePlatform.h"
#include "platform/RunError.h"
#include "report/PrintedReport.h"
#include "session/Session.h"

using namespace orvex;

namespace {

// A value line as the report lays it out: the label, blanks up to column 20,
// then ":   " and the value.
std::string valueLine(const std::string& label, const std::string& value) {
    std::string line = label;
    line.resize(19, ' ');
    return line + ":   " + value;
}

std::string header(int page) {
    return "Page  " + std::to_string(page) +
           "   *** ORVEX Timing System 1.0 -- Race -- 04 December 2026 ***";
}

// The lines of the times section of a session without times, from its table.
std::vector<std::string> emptyTimesSection() {
    std::vector<std::string> lines;
    for (int d = 1; d <= 30; ++d) {
        lines.push_back("DRIVER Nr.  " + std::to_string(d));
        lines.push_back("------------");
        lines.push_back("");
        lines.push_back(valueLine("  TOTAL : ", "00:00.00.00"));
        for (int l = 1; l <= 25; ++l) {
            lines.push_back(valueLine("  Time n.  " + std::to_string(l), "00:00.00.00"));
        }
        lines.push_back("");
        lines.push_back("");
    }
    return lines;
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

TEST_F(PrintedReportTest, NothingTickedSendsNoLineButEndsTheJob) {
    report.PrintReport({});
    ASSERT_EQ(fakes.printer.docs.size(), 1u);
    const auto& doc = fakes.printer.docs[0];
    EXPECT_EQ(doc.texts, 0);
    EXPECT_TRUE(doc.pages[0].empty());
    EXPECT_EQ(doc.scaleModes, std::vector<int>{4});
    EXPECT_TRUE(doc.ended);
    EXPECT_TRUE(fakes.messages.shown.empty());
}

TEST_F(PrintedReportTest, TimesOfANewSessionAre930LinesOn15A4PagesEachWithItsHeader) {
    report.PrintReport({.Times = true});
    EXPECT_EQ(body(), emptyTimesSection());
    EXPECT_EQ(body().size(), 930u);
    EXPECT_TRUE(fakes.printer.docs[0].ended);
    // Rows 0 to 63 are used: 16838 \ 240 - 7 = 63; 62 lines under each header.
    ASSERT_EQ(fakes.printer.page(1).size(), 64u);
    EXPECT_EQ(fakes.printer.page(1)[63], body()[61]);
    EXPECT_EQ(fakes.printer.page(2)[2], body()[62]);
    ASSERT_EQ(fakes.printer.pageCount(), 15);
    for (int p = 1; p <= 15; ++p) {
        SCOPED_TRACE(p);
        EXPECT_EQ(fakes.printer.page(p)[0], header(p));
        EXPECT_EQ(fakes.printer.page(p)[1], "");
    }
    // A second report starts again at page 1 with its own header.
    report.PrintReport({.SessionData = true});
    EXPECT_EQ(fakes.printer.page(1)[0], header(1));
}

TEST_F(PrintedReportTest, HeaderDateUsesTheLocalesMonthNameAndTwoDigitDay) {
    struct Italian : FakeRegional {
        std::string monthName(int month) const override { return month == 3 ? "marzo" : "?"; }
    } italian;
    Platform p = fakes.interfaces();
    p.regional = &italian;
    installPlatform(p);
    fakes.dayClock.date = {2027, 3, 7};
    session().DataFileName = "Monza 2";
    report.PrintReport({.SessionData = true});
    EXPECT_EQ(fakes.printer.page(1)[0],
              "Page  1   *** ORVEX Timing System 1.0 -- Monza 2 -- 07 marzo 2027 ***");
}

TEST_F(PrintedReportTest, PageLengthFollowsThePrintersHeight) {
    fakes.printer.heightTwips = 12 * 240 + 100;  // 12 rows: lines start on rows 0 to 5
    report.PrintReport({.SessionData = true});
    ASSERT_EQ(fakes.printer.pageCount(), 3);
    EXPECT_EQ(fakes.printer.page(1).size(), 6u);
    EXPECT_EQ(fakes.printer.page(2).size(), 6u);
    EXPECT_EQ(fakes.printer.page(3)[0], header(3));
    EXPECT_EQ(body().size(), 12u);
}

TEST_F(PrintedReportTest, SessionSectionPrintsTheTabledLinesWithColonsAtColumn20) {
    Session& s = session();
    s.SessionDate = "04/12/2026";
    s.SessionTime = "15:30";
    s.SessionTrack = "Autodromo";
    s.SessionLength = "1000";
    s.SessionVehicle = "Kart 125";
    s.SessionDrivers = "Rossi";
    s.SessionNote = "Dry track";
    report.PrintReport({.SessionData = true});
    EXPECT_EQ(body(), (std::vector<std::string>{
                          "SESSION Data", "------------", valueLine("Date", "04/12/2026"),
                          valueLine("Time", "15:30"), valueLine("Track", "Autodromo"),
                          valueLine("Length", "1000"), valueLine("Vehicle", "Kart 125"),
                          valueLine("Drivers", "Rossi"), "NOTE:", "Dry track", "", ""}));
}

TEST_F(PrintedReportTest, TimesShowEachDriversLapsAndTotal) {
    Session& s = session();
    s.LapTimes[lapSlot(2, 1)] = 8345;
    s.LapTimes[lapSlot(2, 25)] = 6000;
    s.LapTimes[lapSlot(30, 3)] = 99;
    s.MakeTotals();
    report.PrintReport({.Times = true});
    const auto lines = body();
    const std::size_t driver2 = 31, driver30 = 29 * 31;
    EXPECT_EQ(lines[driver2], "DRIVER Nr.  2");
    EXPECT_EQ(lines[driver2 + 3], valueLine("  TOTAL : ", "00:02.23.45"));
    EXPECT_EQ(lines[driver2 + 4], valueLine("  Time n.  1", "00:01.23.45"));
    EXPECT_EQ(lines[driver2 + 28], valueLine("  Time n.  25", "00:01.00.00"));
    EXPECT_EQ(lines[driver30 + 6], valueLine("  Time n.  3", "00:00.00.99"));
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
    EXPECT_EQ(lines[4], valueLine("Track", std::string(50, 'a') + " "));
    EXPECT_EQ(lines[5], std::string(23, ' ') + std::string(20, 'b'));
    EXPECT_EQ(lines[8], valueLine("Drivers", "Rossi"));
    EXPECT_EQ(lines[9], std::string(23, ' ') + "Bianchi");
    EXPECT_EQ(lines[10], std::string(23, ' ') + "Verdi");
    EXPECT_EQ(lines[11], "NOTE:");
    EXPECT_EQ(lines[12], "Dry");
    EXPECT_EQ(lines[13], "Windy");
    EXPECT_EQ(lines[14], std::string(80, 'x'));
    EXPECT_EQ(lines[15], std::string(20, 'x'));
    EXPECT_EQ(lines.size(), 18u);
}

TEST_F(PrintedReportTest, StatisticsSectionComesBetweenSessionAndTimes) {
    report.PrintReport({.Statistics = true});  // a new session has no speed
    EXPECT_EQ(body()[2], valueLine("Total Laps", "0"));
    EXPECT_EQ(body()[5], valueLine("Average Speed", " Km/h"));

    Session& s = session();
    s.SessionLength = "1000";
    s.LapCount = 750;
    s.TotalTime = "0:10:25.00";
    s.AverageLap = "01:23.45";
    s.FastestLapNo = 4;
    s.FastestLap = "00:50.00";
    s.SlowestLapNo = 12;
    s.SlowestLap = "02:00.00";
    report.PrintReport({.SessionData = true, .Statistics = true, .Times = true});
    const auto lines = body();
    const std::vector<std::string> statistics(lines.begin() + 12, lines.begin() + 26);
    EXPECT_EQ(statistics,
              (std::vector<std::string>{
                  "STATISTICS", "----------", valueLine("Total Laps", "750"),
                  valueLine("Total Time", "0:10:25.00"), valueLine("Average Lap", "01:23.45"),
                  valueLine("Average Speed", "43.13 Km/h"), valueLine("Fastest Lap", "4"),
                  valueLine("        Time", "00:50.00"), valueLine("        Speed", "72 Km/h"),
                  valueLine("Slowest Lap", "12"), valueLine("        Time", "02:00.00"),
                  valueLine("        Speed", "30 Km/h"), "", ""}));
    EXPECT_EQ(lines[26], "DRIVER Nr.  1");
}

TEST_F(PrintedReportTest, MissingOrFailingPrinterShowsPrinterErrorOnceAndEndsNoJob) {
    fakes.printer.missing = true;
    fakes.pointer.shape = MousePointer::Hourglass;
    report.PrintReport({.SessionData = true});
    EXPECT_EQ(
        fakes.messages.shown,
        (std::vector<FakeMessageBox::Shown>{{"Printer Error !", MessageBox::Critical, "ORVEX"}}));
    EXPECT_EQ(fakes.pointer.shape, MousePointer::Normal);
    EXPECT_TRUE(fakes.printer.docs.empty());

    // A printer failing mid-way stops the report without ending the job.
    fakes.printer.missing = false;
    fakes.printer.failAtText = 6;
    fakes.pointer.shape = MousePointer::Hourglass;
    report.PrintReport({.SessionData = true, .Times = true});
    EXPECT_EQ(fakes.messages.texts(),
              (std::vector<std::string>{"Printer Error !", "Printer Error !"}));
    EXPECT_EQ(fakes.pointer.shape, MousePointer::Normal);
    const auto& doc = fakes.printer.docs[0];
    EXPECT_FALSE(doc.ended);
    EXPECT_TRUE(doc.dropped);
    EXPECT_EQ(doc.texts, 6);
    // The next report is a fresh job that completes.
    fakes.printer.failAtText = 0;
    report.PrintReport({.SessionData = true});
    EXPECT_TRUE(fakes.printer.docs[1].ended);
    EXPECT_EQ(fakes.printer.page(1)[0], header(1));
}

// The grid the report relies on: Tab(20) puts the next text at column 20
// whatever came before it on the line.
TEST(CellPrintJob, TabReachesTheColumnFromAnyShorterText) {
    FakePlatform fakes;
    auto job = fakes.printer.startJob();
    job->setScaleMode(4);
    for (int n = 0; n <= 19; ++n) {
        job->print(std::string(n, 'x'));
        job->tab(20);
        job->print(":");
        job->endLine();
    }
    // From column 21 on, Tab continues on the next line.
    job->print(std::string(20, 'y'));
    job->tab(20);
    job->print(":");
    const auto& rows = fakes.printer.docs[0].pages[0];
    for (int n = 0; n <= 19; ++n) EXPECT_EQ(rows[n].find(':'), 19u) << n;
    EXPECT_EQ(rows[20], std::string(20, 'y'));
    EXPECT_EQ(rows[21], std::string(19, ' ') + ":");
    EXPECT_DOUBLE_EQ(job->currentY(), 21);
    EXPECT_DOUBLE_EQ(job->currentX(), 20);
}

TEST(CellPrintJob, PositionsFollowTheScaleMode) {
    FakePlatform fakes;
    auto job = fakes.printer.startJob();
    job->print("ab");
    EXPECT_DOUBLE_EQ(job->currentX(), 240);  // twips before the scale mode is set
    job->setScaleMode(4);
    EXPECT_DOUBLE_EQ(job->currentX(), 2);
    job->print("\xC3\xA8t\xC3\xA0");  // three characters, five bytes
    EXPECT_DOUBLE_EQ(job->currentX(), 5);
    job->newPage();
    EXPECT_EQ(job->page(), 2);
    EXPECT_DOUBLE_EQ(job->currentX(), 0);
    EXPECT_DOUBLE_EQ(job->currentY(), 0);
    EXPECT_THROW(job->setScaleMode(3), RunError);
}

}  // namespace
