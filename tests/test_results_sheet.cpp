#include <gtest/gtest.h>

#include <QDate>
#include <QLocale>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTime>
#include <map>

#include "fakes/FakePlatform.h"
#include "results/Results.h"
#include "session/Session.h"
#include "session/TimeFormat.h"
#include "sheet/ResultsSheet.h"
#include "ui/sheet/SheetPainter.h"
#include "ui/sheet/frmSheet.h"

using namespace orvex;

namespace {

// One column of the sheet's rows, found by its title.
std::vector<std::string> column(const ResultsSheet& sheet, const std::string& title) {
    std::vector<std::string> cells;
    for (std::size_t c = 0; c < sheet.columns.size(); ++c)
        if (sheet.columns[c].title == title)
            for (const SheetRow& row : sheet.rows) cells.push_back(row.cells[c]);
    return cells;
}

// The output of a poppler tool run on `bytes` as a PDF file.
QString poppler(const char* tool, const std::string& bytes, QStringList args) {
    QTemporaryDir dir;
    QFile pdf(dir.filePath("r.pdf"));
    EXPECT_TRUE(pdf.open(QIODevice::WriteOnly));
    pdf.write(bytes.data(), static_cast<qint64>(bytes.size()));
    pdf.close();
    QProcess run;
    args << pdf.fileName();
    if (QString(tool) == "pdftotext") args << "-";
    run.start(QStandardPaths::findExecutable(tool), args);
    EXPECT_TRUE(run.waitForFinished(60000)) << tool;
    return QString::fromUtf8(run.readAllStandardOutput());
}

}  // namespace

TEST(ResultsSheet, RankedDriversThenUnrankedThenDisqualifiedInTheResultsForms) {
    std::vector<std::int32_t> t(kLapSlots + 1, 0);
    const std::map<int, std::vector<std::int32_t>> laps{{5, {8453, 8500, 8600}},
                                                        {3, {8400, 8400, 8400}},
                                                        {9, {5000, 5000}},
                                                        {7, {7000, 7000, 7000}},
                                                        {2, {9000, 9000, 9000, 9000}}};
    for (const auto& [d, times] : laps)
        for (std::size_t l = 0; l < times.size(); ++l) t[lapSlot(d, int(l) + 1)] = times[l];
    RaceCorrections c;
    c.mode = RankMode::BestConsecutive;
    c.setPenalty(7, {.reason = "Pit lane speeding", .disqualified = true});
    c.setPenalty(3, {.hundredths = 1000, .reason = "Jump start"});
    SheetHeader header;
    header.title = "Pista Azzurra";
    header.date = "4 Dec";
    header.vehicle = "Karts";
    const SheetWords w = SheetPainter::Words();

    ResultsSheet sheet = makeResultsSheet(makeResults(t, c, 1000), header, w, ",");
    EXPECT_EQ(sheet.details, (std::vector<std::string>{"Date: 4 Dec", "Vehicle: Karts",
                                                       "Ranking: Best 3 consecutive"}));
    std::vector<std::string> titles;
    for (const SheetColumn& col : sheet.columns) titles.push_back(col.title);
    EXPECT_EQ(titles,
              (std::vector<std::string>{"Pos", "No.", "Name", "Laps", "Best 3 consecutive", "Gap",
                                        "Best lap", "Average", "Best speed (km/h)", "Penalty"}));
    EXPECT_EQ(column(sheet, "Pos"), (std::vector<std::string>{"1", "2", "3", "", "DSQ"}));
    EXPECT_EQ(column(sheet, "No."), (std::vector<std::string>{"3", "5", "2", "9", "7"}));
    EXPECT_EQ(sheet.rows[1].cells,
              (std::vector<std::string>{"2", "5", "", "3", "4:15.53 (1-3)", "+3.53", "1:24.53 (1)",
                                        "1:25.18", "42,58", ""}));
    EXPECT_EQ(column(sheet, "Penalty"), (std::vector<std::string>{"10,00 s", "", "", "", ""}));
    EXPECT_EQ(sheet.rows[0].note, "Jump start");
    EXPECT_EQ(sheet.rows[4].note, "Pit lane speeding");
    c.dsqReasons[7] = "Unsafe re-entry";  // as Disqualify keeps it
    EXPECT_EQ(makeResultsSheet(makeResults(t, c, 1000), header, w, ",").rows[4].note,
              "Pit lane speeding; Unsafe re-entry");

    // Ranked by race: the laps behind; by best lap: no figure column twice, no
    // speeds without a track length.
    c.mode = RankMode::Race;
    sheet = makeResultsSheet(makeResults(t, c), header, w, ".");
    EXPECT_EQ(column(sheet, "No."), (std::vector<std::string>{"2", "5", "3", "9", "7"}));
    EXPECT_EQ(column(sheet, "Gap"),
              (std::vector<std::string>{"", "+1 lap", "+1 lap", "+2 laps", ""}));
    EXPECT_EQ(column(sheet, "Race time")[2], "4:22.00");
    EXPECT_EQ(sheet.columns.size(), 9u);
    c.mode = RankMode::BestLap;
    EXPECT_EQ(makeResultsSheet(makeResults(t, c), header, w, ".").columns.size(), 8u);
}

TEST(ResultsSheet, ThirtyDriversWithLongNamesAndReasonsFitOnePortraitA4Page) {
    FakePlatform fakes;
    fakes.files.folders.insert("/out");
    Session& s = session();
    s.ResetSession();
    s.FileState = FileState::New;
    s.SessionTrack = "Autodromo Internazionale del Mugello";
    s.SessionDate = "4 December 2026";
    s.SessionTime = "14:30";
    s.SessionVehicle = "Karts 125 cc";
    s.SessionLength = "1200";
    s.Corrections.mode = RankMode::BestConsecutive;
    for (int d = 1; d <= kDrivers; ++d) {
        s.DriverNames[d] = "MMM Åsa-Zoë Ünal-Øberg Fernández Cruz " + twoDigits(d);
        for (int l = 1; l <= kLapsPerDriver; ++l)
            s.LapTimes[lapSlot(d, l)] = 8400 + 37 * d + 13 * l;
    }
    s.Corrections.setPenalty(4, {.hundredths = 1000, .reason = "Jump start at the green light"});
    s.Corrections.setPenalty(17, {.reason = "Unsafe re-entry after a spin", .disqualified = true});

    ASSERT_TRUE(
        frmSheet::WritePdf(frmSheet::SessionSheet("Official (issue 2)"), "/out/r.pdf").isOk());
    const std::string& bytes = fakes.files.files.at("/out/r.pdf");
    const QString info = poppler("pdfinfo", bytes, {});
    EXPECT_TRUE(info.contains(QRegularExpression("Pages: +1\n"))) << info.toStdString();
    EXPECT_TRUE(info.contains(QRegularExpression("Page size: +595[.\\d]* x 84[12]")))
        << info.toStdString();
    // In the normal form that splits the font's ligatures ("ﬃ") into letters.
    const QString text =
        poppler("pdftotext", bytes, {"-layout"}).normalized(QString::NormalizationForm_KC);
    for (const char* whole : {"Official (issue 2)", "Vehicle: Karts 125 cc",
                              "Jump start at the green light", "Unsafe re-entry after a spin"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(whole))) << whole << "\n" << text.toStdString();
    const QLocale locale;
    EXPECT_TRUE(text.contains(QString("Printed %1 %2")
                                  .arg(locale.toString(QDate(2026, 12, 4), QLocale::ShortFormat),
                                       locale.toString(QTime(12, 0), QLocale::ShortFormat))));
    for (int d = 1; d <= kDrivers; ++d)
        EXPECT_TRUE(text.contains(
            QString::fromStdString(s.DriverNames[d]).normalized(QString::NormalizationForm_KC)))
            << d;
    // The disqualified driver comes last.
    EXPECT_GT(text.indexOf("DSQ"), text.indexOf(QString::fromStdString(s.DriverNames[1])));

    const auto preview = frmSheet::MakePreview(nullptr, frmSheet::SessionSheet());
    preview->show();
    auto* pages = preview->findChild<QPrintPreviewWidget*>();
    pages->updatePreview();
    EXPECT_EQ(pages->pageCount(), 1);
    preview->close();
}
