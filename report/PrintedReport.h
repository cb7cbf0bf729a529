#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace orvex {

class PrintJob;
class Printer;

// The sections a report holds, as ticked in the print dialog.
struct ReportSections {
    bool SessionData = false;
    bool Statistics = false;
    bool Times = false;
};

// The printed report of the session: plain text lines on the default
// printer, in character cells, with a header line on every page.
class PrintedReport {
public:
    // The page whose header was printed last; 0 before the first line.
    std::int16_t PageNo = 0;
    // The column at which a line's value part starts.
    std::int16_t TabColumn = 20;

    // Prints the chosen sections and hands the job to the printer. A failure
    // ends the report there: the pointer goes back to normal, "Printer Error !"
    // is shown and the unfinished job is dropped.
    void PrintReport(const ReportSections& sections);
    // The same report on another printer (a preview, a PDF file); false when
    // it failed and was dropped.
    bool PrintReport(const ReportSections& sections, Printer& printer);

    // One line with the page logic: a page break when the page is full, the
    // header at the top of every page. A text running past the right edge or
    // holding line breaks continues on further lines.
    void PrintLine(const std::string& text);
    // A label and its value: the value starts with ":   " at TabColumn.
    void PrintLine(const std::string& text, const std::string& value);

    // "Page  1   *** ORVEX Timing System 1.0 -- Race -- 04 December 2026 ***"
    static std::string HeaderLine(int page, const std::string& dataFileName);

    // The km/h text of a lap statistic written "MM:SS.CC"; empty for no time.
    static std::string StatisticSpeed(const std::string& lapStatistic);

    // Splits a text at its line breaks (CR LF, LF or CR) and each part into
    // pieces of at most `cells` characters, breaking after a blank where it can.
    static std::vector<std::string> PrintedPieces(const std::string& text, int cells);

private:
    void PrintSessionData();
    void PrintStatistics();
    void PrintTimes();
    // Page logic before a line: break, header, start of the row.
    void StartLine();
    int CellsPerLine() const;

    PrintJob* job_ = nullptr;
};

}  // namespace orvex
