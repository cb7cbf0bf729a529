#pragma once
#include "platform/FileDialog.h"

namespace orvex {

// The open and save dialogs on QFileDialog, over the active window.
class QtFileDialog : public FileDialog {
public:
    bool showOpen(const FileDialogSettings& settings, std::string& chosen) override;
    bool showSave(const FileDialogSettings& settings, std::string& chosen) override;

private:
    bool show(const FileDialogSettings& settings, bool save, std::string& chosen);
};

}  // namespace orvex
