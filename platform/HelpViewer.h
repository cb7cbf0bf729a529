#pragma once
#include <string>

namespace orvex {

// Shows the contents page of the program's help file.
class HelpViewer {
public:
    virtual ~HelpViewer() = default;
    // Returns false when the file cannot be shown (missing, unreadable).
    virtual bool showContents(const std::string& helpFile) = 0;
};

}  // namespace orvex
