#include "export/ExportFile.h"

#include "platform/BinaryFile.h"
#include "platform/FileDialog.h"
#include "platform/FileSystem.h"
#include "platform/Platform.h"
#include "platform/RunError.h"
#include "session/Session.h"

namespace orvex {

bool AskExportFile(const std::string& filter, const char* defaultExt, std::string& chosen) {
    FileDialogSettings d;
    d.filter = filter;
    d.defaultExt = defaultExt;
    d.initialName = session().DataFileName;
    d.overwritePrompt = true;
    d.hideReadOnly = true;
    d.pathMustExist = true;
    return platform().fileDialogs->showSave(d, chosen);
}

Status WriteExportFile(const std::string& path, const std::string& bytes) {
    int error = 0;
    // Dropped uncommitted on any failure below, which removes the temporary file.
    const auto file = platform().files->replace(path, error);
    if (!file) return ExportFailure(path, error ? error : ErrorNo::PathFileAccess);
    if ((error = file->write(bytes.data(), bytes.size())) != 0) return ExportFailure(path, error);
    if ((error = file->commit()) != 0) return ExportFailure(path, error);
    return Status::ok();
}

Status ExportFailure(const std::string& path, int number) {
    if (number == ErrorNo::None) return Status::ok();
    if (number == ErrorNo::DialogCancelled) return Status::cancelled();
    return Status::fail(number == ErrorNo::DiskFull ? StatusCode::DiskFull : StatusCode::Io,
                        QT_TRANSLATE_NOOP("Status",
                                          "The file %1 could not be written (error %2).\n"
                                          "Nothing on disk has changed."),
                        {path, std::to_string(number)});
}

}  // namespace orvex
