#pragma once
#include <string>

namespace orvex {

// What an open or save dialog is asked to show. The filter is written as
// description and pattern joined by a vertical bar: "Data file (*.DAT)|*.DAT".
struct FileDialogSettings {
    std::string filter;
    int filterIndex = 1;
    std::string defaultExt;
    std::string initialName;
    // The folder the dialog starts in; empty: the platform's choice.
    std::string initialFolder;
    bool overwritePrompt = false;
    bool hideReadOnly = false;
    bool pathMustExist = false;
    bool fileMustExist = false;
};

// The common open and save dialogs.
class FileDialog {
public:
    virtual ~FileDialog() = default;
    // Return false when the user cancels; otherwise `chosen` is the full name.
    virtual bool showOpen(const FileDialogSettings& settings, std::string& chosen) = 0;
    virtual bool showSave(const FileDialogSettings& settings, std::string& chosen) = 0;
};

}  // namespace orvex
