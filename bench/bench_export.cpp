// Exports a full session (750 laps, both report sections) and prints the time
// of a laps CSV file, of a PDF file and until the print preview shows its pages.

#include <QElapsedTimer>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

#include "bench/BenchApp.h"
#include "export/ExportFile.h"
#include "export/LapsCsv.h"
#include "platform/Platform.h"
#include "platform/Regional.h"
#include "session/Session.h"
#include "ui/export/frmExport.h"

using namespace orvex;

int main(int argc, char** argv) {
    BenchApp app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
    QTemporaryDir dir;

    Session& s = fullSession();
    s.DataFileName = "Race1";
    s.MakeTotals();
    const ReportSections all{.SessionData = true, .Times = true};

    const std::string csv = dir.filePath("laps.csv").toStdString();
    const double csvMs = medianMs(rounds, [&] {
        if (!WriteExportFile(csv, LapsCsv(s, platform().regional->decimalSeparator())).isOk())
            std::exit(1);
    });
    const std::string pdf = dir.filePath("report.pdf").toStdString();
    const double pdfMs = medianMs(rounds, [&] {
        if (!frmExport::WritePdf(all, pdf).isOk()) std::exit(1);
    });
    int pages = 0;
    const double previewMs = medianMs(rounds, [&] {
        const auto preview = frmExport::MakePreview(nullptr, all);
        preview->show();
        auto* widget = preview->findChild<QPrintPreviewWidget*>();
        while (widget->pageCount() == 0) QApplication::processEvents();
        pages = widget->pageCount();
        preview->close();
    });

    std::printf("full session: 750 laps, report of session data and times, median of %d\n", rounds);
    std::printf("laps CSV export: %.2f ms (goal 20 ms)\n", csvMs);
    std::printf("PDF export: %.1f ms (goal 300 ms)\n", pdfMs);
    std::printf("print preview shown with %d pages: %.1f ms (goal 500 ms)\n", pages, previewMs);
    return 0;
}
