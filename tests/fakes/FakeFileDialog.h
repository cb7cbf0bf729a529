#pragma once
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "platform/FileDialog.h"

namespace orvex {

// Records every dialog and answers from a script: a name, or nothing for
// Cancel. With no answer left the dialog is cancelled.
class FakeFileDialog : public FileDialog {
public:
    struct Shown {
        bool save;
        FileDialogSettings settings;
    };
    std::vector<Shown> shown;
    std::deque<std::optional<std::string>> answers;

    bool showOpen(const FileDialogSettings& s, std::string& chosen) override {
        return answer(false, s, chosen);
    }
    bool showSave(const FileDialogSettings& s, std::string& chosen) override {
        return answer(true, s, chosen);
    }

private:
    bool answer(bool save, const FileDialogSettings& s, std::string& chosen) {
        shown.push_back({save, s});
        if (answers.empty()) return false;
        const auto a = answers.front();
        answers.pop_front();
        if (!a) return false;
        chosen = *a;
        return true;
    }
};

}  // namespace orvex
