#pragma once
#include <string>

namespace orvex {

// A modal message box. Flags and answers use the classic numeric codes
// (buttons + icon + default button), so callers read like the design tables.
class MessageBox {
public:
    // Buttons
    static constexpr int OkOnly = 0, OkCancel = 1, YesNoCancel = 3, YesNo = 4;
    // Icons
    static constexpr int Critical = 16, Question = 32, Exclamation = 48, Information = 64;
    // Default button
    static constexpr int Default1 = 0, Default2 = 256, Default3 = 512;
    // Answers
    static constexpr int Ok = 1, Cancel = 2, Yes = 6, No = 7;

    virtual ~MessageBox() = default;
    // Shows `text` with the given flags and title; returns the answer.
    virtual int show(const std::string& text, int flags, const std::string& title) = 0;
};

}  // namespace orvex
