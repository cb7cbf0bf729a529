#pragma once
#include <deque>
#include <string>
#include <vector>

#include "platform/FileDialog.h"

namespace orvex {

// Records every dialog and answers from a script of names; with no answer
// left the dialog is cancelled.
class FakeFileDialog : public FileDialog {
public:
    struct Shown {
        bool save;
        FileDialogSettings settings;
    };
    std::vector<Shown> shown;
    std::deque<std::string> answers;

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
        chosen = answers.front();
        answers.pop_front();
        return true;
    }
};

}  // namespace orvex
