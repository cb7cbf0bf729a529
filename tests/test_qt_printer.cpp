#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>
#include <QTemporaryDir>

#include "fakes/FakePlatform.h"
#include "platform/QtPrinter.h"
#include "report/PrintedReport.h"
#include "session/Session.h"

using namespace orvex;

namespace {

// Prints through the Qt printer into a PDF file and reads the pages back as
// text laid out by position, the way the sheet looks.
class QtPrinterTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        Platform p = fakes.interfaces();
        p.printer = &printer;
        installPlatform(p);
        session().ResetSession();
        session().FileState = FileState::New;
        session().DataFileName = "Race";
    }

    // Each page's lines as pdftotext -layout gives them.
    std::vector<std::vector<std::string>> pdfPages() {
        const QString tool = QStandardPaths::findExecutable("pdftotext");
        EXPECT_FALSE(tool.isEmpty()) << "pdftotext (poppler-utils) is missing: run tools/setup";
        QProcess run;
        // A cell is 6 points wide: with that pitch every cell is one column.
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

    QTemporaryDir dir;
    QString pdf = dir.filePath("report.pdf");
    FakePlatform fakes;
    QtPrinter printer{pdf};
    PrintedReport report;
};

TEST_F(QtPrinterTest, ReportOnPaperHasItsPagesHeadersAndOneColumnOfColons) {
    Session& s = session();
    s.SessionTrack = "Autodromo";
    s.LapTimes[lapSlot(1, 1)] = 8345;
    s.MakeTotals();
    report.PrintReport({.SessionData = true, .Times = true});
    EXPECT_TRUE(fakes.messages.shown.empty());

    const auto pages = pdfPages();
    ASSERT_EQ(pages.size(), 16u);  // 942 lines, 62 under each header
    EXPECT_NE(pages[1][0].find("Page  2   *** ORVEX Timing System 1.0 -- Race --"),
              std::string::npos);
    // Every value line has its colon 19 cells right of where the lines begin.
    const auto& first = pages[0];
    const auto left = first[2].find('S');
    int valueLines = 0;
    for (const auto& line : first) {
        const auto colon = line.rfind(":   ");
        if (colon == std::string::npos || line.find("***") != std::string::npos) continue;
        ++valueLines;
        EXPECT_EQ(colon, left + 19) << line;
    }
    EXPECT_GT(valueLines, 30);
}

TEST_F(QtPrinterTest, NothingTickedWritesNoPageAnUnwritableTargetIsAPrinterError) {
    report.PrintReport({});
    EXPECT_TRUE(fakes.messages.shown.empty());
    EXPECT_FALSE(QFile::exists(pdf));

    QtPrinter nowhere(dir.filePath("missing/folder/report.pdf"));
    Platform p = fakes.interfaces();
    p.printer = &nowhere;
    installPlatform(p);
    report.PrintReport({.SessionData = true});
    EXPECT_EQ(fakes.messages.texts(), std::vector<std::string>{"Printer Error !"});
}

}  // namespace
