#include <gtest/gtest.h>

#include <QFontMetricsF>
#include <QPdfWriter>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <limits>

#include "fakes/FakePlatform.h"
#include "platform/Messages.h"
#include "session/Session.h"
#include "slips/SlipSource.h"
#include "ui/slips/SlipPainter.h"
#include "ui/slips/frmSlips.h"

using namespace orvex;

namespace {

class SlipsTest : public ::testing::Test {
protected:
    void SetUp() override {
        Session& s = session();
        s.ResetSession();
        s.FileState = FileState::New;
        s.SessionTrack = "Pista Azzurra";
        // Twelve drivers; driver 1 has all 25 laps, the others fewer.
        for (int d = 1; d <= 12; ++d)
            for (int l = 1; l <= (d == 1 ? 25 : 3); ++l)
                s.LapTimes[lapSlot(d, l)] = 5000 + 37 * d + l;
        fakes.files.folders.insert("/out");
        frmSlips::printerInstalled = [] { return false; };
    }
    void TearDown() override { frmSlips::printerInstalled = nullptr; }

    // pdfinfo's report of the PDF the fake file system holds at `path`.
    QString pdfInfo(const std::string& path) {
        const std::string& bytes = fakes.files.files.at(path);
        QTemporaryDir dir;
        QFile pdf(dir.filePath("s.pdf"));
        EXPECT_TRUE(pdf.open(QIODevice::WriteOnly));
        pdf.write(bytes.data(), static_cast<qint64>(bytes.size()));
        pdf.close();
        QProcess run;
        run.start(QStandardPaths::findExecutable("pdfinfo"),
                  {"-f", "1", "-l", "99", pdf.fileName()});
        EXPECT_TRUE(run.waitForFinished(60000));
        return QString::fromUtf8(run.readAllStandardOutput());
    }

    static int pages(const QString& info) {
        return QRegularExpression("Pages: +(\\d+)").match(info).captured(1).toInt();
    }

    FakePlatform fakes;
};

TEST_F(SlipsTest, PdfHasOnePagePerSlipFourToAnA4SheetAndReceiptsAsLongAsTheirSlip) {
    const std::vector<SlipDriver> slips = slipDrivers(session());
    ASSERT_EQ(slips.size(), 12u);
    ASSERT_TRUE(frmSlips::WritePdf(slips, SlipPaper::A4One, "/out/s.pdf").isOk());
    EXPECT_EQ(pages(pdfInfo("/out/s.pdf")), 12);
    ASSERT_TRUE(frmSlips::WritePdf(slips, SlipPaper::A4Four, "/out/s.pdf").isOk());
    const QString four = pdfInfo("/out/s.pdf");
    EXPECT_EQ(pages(four), 3);
    EXPECT_TRUE(four.contains(QRegularExpression("Page +3 size: +595[.\\d]* x 84[12][.\\d]* pts")));

    ASSERT_TRUE(frmSlips::WritePdf(slips, SlipPaper::Receipt, "/out/s.pdf").isOk());
    const QString receipt = pdfInfo("/out/s.pdf");
    EXPECT_EQ(pages(receipt), 12);
    // 80 mm wide; driver 1's 25 laps (the fastest, so first) make a longer page.
    QRegularExpression size("Page +(\\d+) size: +([\\d.]+) x ([\\d.]+) pts");
    std::vector<double> heights;
    for (auto m = size.globalMatch(receipt); m.hasNext();) {
        const auto page = m.next();
        EXPECT_NEAR(page.captured(2).toDouble(), 80 / 25.4 * 72, 0.5);
        heights.push_back(page.captured(3).toDouble());
    }
    ASSERT_EQ(heights.size(), 12u);
    EXPECT_GT(heights.front(), heights.back() + 22 * 8);  // 22 more lap lines
    EXPECT_EQ(fakes.files.files.size(), 1u);              // no temporary file left behind
}

TEST_F(SlipsTest, TheReceiptFontDrawsTheWidestSlipInsideTheReceiptsPrintableWidth) {
    SlipDriver d;
    d.program = kProgramName;
    d.result.driver = 30;
    d.result.name = "Åsa-Zoë Ünal-Øberg Fernández del Córdova";
    d.result.best = std::numeric_limits<std::int32_t>::max();
    d.result.bestLapNo = 25;
    for (int l = 1; l <= 25; ++l)
        d.result.recorded.push_back(
            {l, std::numeric_limits<std::int32_t>::max(), LapCorrection::Join});
    const std::vector<SlipLine> lines =
        slipLines(d, slipWidth(SlipPaper::Receipt), SlipPainter::Words());

    QTemporaryDir dir;
    QPdfWriter device(dir.filePath("w.pdf"));
    QFont font = SlipPainter::Font(device, SlipPaper::Receipt, static_cast<int>(lines.size()));
    EXPECT_GE(font.pointSizeF(), 7.5);  // readable
    font.setBold(true);                 // the wider weight
    const QFontMetricsF metrics(font, &device);
    const double printable = 72 / 25.4 * device.logicalDpiX();
    for (const SlipLine& l : lines)
        EXPECT_LE(metrics.horizontalAdvance(QString::fromStdString(l.text)), printable) << l.text;
}

TEST_F(SlipsTest, DialogOffersTheResultsSelectionAndStillMakesPdfsWithoutAPrinter) {
    frmSlips none(nullptr, {});
    EXPECT_FALSE(none.optSelected->isEnabled());
    EXPECT_TRUE(none.optAll->isChecked());

    frmSlips dialog(nullptr, {3, 7});
    ASSERT_TRUE(dialog.optSelected->isEnabled());
    dialog.optSelected->setChecked(true);
    dialog.optA4Four->setChecked(true);
    const std::vector<SlipDriver> chosen = dialog.chosenSlips();
    ASSERT_EQ(chosen.size(), 2u);
    EXPECT_EQ(chosen[0].result.driver, 3);  // in ranking order
    EXPECT_EQ(chosen[1].result.driver, 7);
    EXPECT_TRUE(frmSlips(nullptr, {}).optA4Four->isChecked());  // the paper last chosen

    dialog.cmdPrint->click();
    EXPECT_EQ(
        fakes.messages.texts(),
        std::vector<std::string>{"No printer is installed. Preview and Save PDF still work."});

    fakes.fileDialogs.answers = {"/out/chosen.pdf"};
    dialog.cmdPdf->click();
    EXPECT_EQ(pages(pdfInfo("/out/chosen.pdf")), 1);  // two slips, one A4 sheet
    EXPECT_EQ(fakes.messages.shown.size(), 1u);

    // An unwritable target: the dialog's message, the dialog stays, the old file too.
    fakes.files.folders.insert("/ro");
    fakes.files.readOnlyFolders.insert("/ro");
    fakes.files.files["/ro/s.pdf"] = "earlier";
    fakes.fileDialogs.answers = {"/ro/s.pdf"};
    dialog.show();
    dialog.cmdPdf->click();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(fakes.files.files.at("/ro/s.pdf"), "earlier");
    ASSERT_EQ(fakes.messages.shown.size(), 2u);
    EXPECT_NE(fakes.messages.shown.back().text.find("Nothing on disk has changed."),
              std::string::npos);

    // The preview draws the same pages as the PDF.
    const auto preview = frmSlips::MakePreview(nullptr, slipDrivers(session()), SlipPaper::A4Four);
    preview->show();
    auto* shown = preview->findChild<QPrintPreviewWidget*>();
    shown->updatePreview();
    EXPECT_EQ(shown->pageCount(), 3);
    preview->close();
}

}  // namespace
