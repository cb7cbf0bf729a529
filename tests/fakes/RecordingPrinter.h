#pragma once
#include <memory>
#include <string>
#include <vector>

#include "platform/Printer.h"

namespace orvex {

// Keeps each job's pages as rows of text, characters at their cells.
class RecordingPrinter : public Printer {
public:
    struct Doc {
        std::vector<std::vector<std::string>> pages{1};  // page, row -> text
        int texts = 0;                                   // print calls that put text on paper
        bool ended = false;                              // EndDoc reached
    };

    int heightTwips = 16838;  // A4
    int widthTwips = 11186;   // A4 less a quarter inch each side
    bool missing = false;     // startJob fails: no default printer
    int failAtText = 0;       // the n-th text (1-based) fails; 0 never
    std::vector<Doc> docs;

    std::unique_ptr<PrintJob> startJob() override;

    const std::vector<std::string>& page(int n) const { return docs.back().pages.at(n - 1); }
    int pageCount() const { return static_cast<int>(docs.back().pages.size()); }
};

}  // namespace orvex
