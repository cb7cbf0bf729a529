#include "export/ExportFile.h"

#include "platform/BinaryFile.h"
#include "platform/FileDialog.h"
#include "platform/FileSystem.h"
#include "platform/Messages.h"
#include "platform/MousePointer.h"
#include "platform/Platform.h"
#include "platform/RunError.h"
#include "session/Session.h"

namespace orvex {

bool AskExportFile(const char* filter, const char* defaultExt, std::string& chosen) {
    FileDialogSettings d;
    d.filter = filter;
    d.defaultExt = defaultExt;
    d.initialName = session().DataFileName;
    d.overwritePrompt = true;
    d.hideReadOnly = true;
    d.pathMustExist = true;
    return platform().fileDialogs->showSave(d, chosen);
}

void WriteExportFile(const std::string& path, const std::string& bytes) {
    int error = 0;
    // Dropped uncommitted on any failure below, which removes the temporary file.
    const auto file = platform().files->replace(path, error);
    if (!file) throw RunError(error ? error : ErrorNo::PathFileAccess);
    if ((error = file->write(bytes.data(), bytes.size())) != 0) throw RunError(error);
    if ((error = file->commit()) != 0) throw RunError(error);
}

void ReportExportFailure(const std::string& path, int number) {
    platform().pointer->set(MousePointer::Normal);
    if (number == ErrorNo::None || number == ErrorNo::DialogCancelled) return;
    ShowMessage("The file " + path + " could not be written (error " + std::to_string(number) +
                ").\nNothing on disk has changed.");
}

}  // namespace orvex
