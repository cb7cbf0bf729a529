#include "report/PrintedReport.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <memory>

#include "platform/DayClock.h"
#include "platform/MessageBox.h"
#include "platform/Messages.h"
#include "platform/MousePointer.h"
#include "platform/Platform.h"
#include "platform/PrintJob.h"
#include "platform/Printer.h"
#include "platform/Regional.h"
#include "session/Session.h"
#include "session/TimeFormat.h"

namespace orvex {

namespace {

constexpr int kFooterRows = 7;  // rows left empty at the bottom of a page
constexpr const char* kValueMark = ":   ";
constexpr const char* kValueIndent = "    ";  // continues a value under its first line
constexpr int kVersionMajor = 1, kVersionMinor = 0;

// The first `cells` characters of a UTF-8 text, as a byte count.
std::size_t bytesOfCells(const std::string& text, int cells) {
    std::size_t i = 0;
    for (int n = 0; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80 && n++ == cells) break;
    }
    return i;
}

}  // namespace

std::string PrintedReport::HeaderLine(int page, const std::string& dataFileName) {
    const CalendarDate d = platform().dayClock->today();
    std::string year = std::to_string(d.year);
    year.insert(0, year.size() < 4 ? 4 - year.size() : 0, '0');
    const std::string date =
        twoDigits(d.day) + " " + platform().regional->monthName(d.month) + " " + year;
    return "Page " + numberText(page) + "   *** " + kProgramName + " " +
           std::to_string(kVersionMajor) + "." + std::to_string(kVersionMinor) + " -- " +
           dataFileName + " -- " + date + " ***";
}

std::string PrintedReport::StatisticSpeed(const std::string& lapStatistic) {
    // A lap statistic has no hours field, so it is read here and given to the
    // speed routine in the time text layout, which it expects.
    const auto colon = lapStatistic.find(':');
    const auto point = lapStatistic.find('.', colon == std::string::npos ? 0 : colon);
    if (colon == std::string::npos || point == std::string::npos) return {};
    auto number = [&](std::size_t from, std::size_t to) {
        // Clamped, so no text can overflow the sum below.
        const long long n = std::strtoll(lapStatistic.substr(from, to - from).c_str(), nullptr, 10);
        return std::clamp(n, 0LL, 1000000000LL);
    };
    const long long t = number(0, colon) * 6000 + number(colon + 1, point) * 100 +
                        number(point + 1, lapStatistic.size());
    if (t <= 0 || t > INT32_MAX) return {};
    return LapSpeed(FormatTime(static_cast<std::int32_t>(t)));
}

std::vector<std::string> PrintedReport::PrintedPieces(const std::string& text, int cells) {
    std::vector<std::string> pieces;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = text.find_first_of("\r\n", start);
        std::string line = text.substr(start, end == std::string::npos ? end : end - start);
        while (cells > 0 && PrintJob::cellCount(line) > cells) {
            std::size_t cut = bytesOfCells(line, cells);
            const std::size_t blank = line.rfind(' ', cut - 1);
            if (blank != std::string::npos && blank > 0) cut = blank + 1;
            pieces.push_back(line.substr(0, cut));
            line.erase(0, cut);
        }
        pieces.push_back(line);
        if (end == std::string::npos) break;
        start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    }
    return pieces;
}

int PrintedReport::CellsPerLine() const { return job_->width() / PrintJob::kCellWidthTwips; }

void PrintedReport::StartLine() {
    if (job_->currentY() > job_->height() / PrintJob::kCellHeightTwips - kFooterRows) {
        job_->newPage();
    }
    if (PageNo != job_->page()) {
        job_->setCurrentX(0);
        job_->setCurrentY(0);
        job_->print(HeaderLine(job_->page(), session().DataFileName));
        job_->endLine();
        job_->endLine();
        PageNo = static_cast<std::int16_t>(job_->page());
    }
    job_->setCurrentX(0);
}

void PrintedReport::PrintLine(const std::string& text) {
    for (const auto& piece : PrintedPieces(text, CellsPerLine())) {
        StartLine();
        job_->print(piece);
        job_->endLine();
    }
}

void PrintedReport::PrintLine(const std::string& text, const std::string& value) {
    const int valueCells = CellsPerLine() - (TabColumn - 1) - PrintJob::cellCount(kValueMark);
    const auto pieces = PrintedPieces(value, valueCells);
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        StartLine();
        if (i == 0) job_->print(text);
        job_->tab(TabColumn);
        job_->print(i == 0 ? kValueMark : kValueIndent);
        job_->print(pieces[i]);
        job_->endLine();
    }
}

void PrintedReport::PrintSessionData() {
    const Session& s = session();
    PrintLine("SESSION Data");
    PrintLine("------------");
    PrintLine("Date", s.SessionDate);
    PrintLine("Time", s.SessionTime);
    PrintLine("Track", s.SessionTrack);
    PrintLine("Length", s.SessionLength);
    PrintLine("Vehicle", s.SessionVehicle);
    PrintLine("Drivers", s.SessionDrivers);
    PrintLine("NOTE:");
    PrintLine(s.SessionNote);
    PrintLine("");
    PrintLine("");
}

void PrintedReport::PrintStatistics() {
    const Session& s = session();
    PrintLine("STATISTICS");
    PrintLine("----------");
    PrintLine("Total Laps", std::to_string(s.LapCount));
    PrintLine("Total Time", s.TotalTime);
    PrintLine("Average Lap", s.AverageLap);
    PrintLine("Average Speed", StatisticSpeed(s.AverageLap) + " Km/h");
    PrintLine("Fastest Lap", std::to_string(s.FastestLapNo));
    PrintLine("        Time", s.FastestLap);
    PrintLine("        Speed", StatisticSpeed(s.FastestLap) + " Km/h");
    PrintLine("Slowest Lap", std::to_string(s.SlowestLapNo));
    PrintLine("        Time", s.SlowestLap);
    PrintLine("        Speed", StatisticSpeed(s.SlowestLap) + " Km/h");
    PrintLine("");
    PrintLine("");
    TabColumn = 20;
}

void PrintedReport::PrintTimes() {
    const Session& s = session();
    if (s.LapTimes.size() < std::size_t(kLapSlots) + 1)
        throw RunError(ErrorNo::SubscriptOutOfRange);
    for (int d = 1; d <= Session::upper(s.TotalList); ++d) {
        PrintLine("DRIVER Nr. " + numberText(d));
        PrintLine("------------");
        PrintLine("");
        PrintLine("  TOTAL : ", s.TotalList[d].Text);
        for (int l = 1; l <= kLapsPerDriver; ++l) {
            PrintLine("  Time n. " + numberText(l), FormatTime(s.LapTimes.at(lapSlot(d, l))));
        }
        PrintLine("");
        PrintLine("");
    }
}

void PrintedReport::PrintReport(const ReportSections& sections) {
    PrintReport(sections, *platform().printer);
}

bool PrintedReport::PrintReport(const ReportSections& sections, Printer& printer) {
    const auto failure = catchError([&] {
        // Dropped without EndDoc when anything below fails.
        const std::unique_ptr<PrintJob> job = printer.startJob();
        job_ = job.get();
        PageNo = 0;
        job_->setScaleMode(PrintJob::Characters);
        TabColumn = 20;
        if (sections.SessionData) PrintSessionData();
        if (sections.Statistics) PrintStatistics();
        if (sections.Times) PrintTimes();
        TabColumn = 20;
        job_->endDoc();
    });
    job_ = nullptr;
    if (!failure) return true;
    platform().pointer->set(MousePointer::Normal);
    if (*failure != ErrorNo::None && *failure != ErrorNo::DialogCancelled) {
        // An OK button alone is the box's default.
        platform().messages->show("Printer Error !", MessageBox::Critical, kProgramTitle);
    }
    return false;
}

}  // namespace orvex
