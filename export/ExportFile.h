#pragma once
#include <string>

#include "platform/Status.h"

namespace orvex {

// The save dialog of an export, offering the session's name; false on Cancel.
bool AskExportFile(const std::string& filter, const char* defaultExt, std::string& chosen);

// Writes `bytes` as the whole new content of the file `path`, the way Save
// replaces a data file: the old file changes only once everything is on disk.
// On a failure any earlier file of that name is left as it was and no
// temporary file stays behind.
Status WriteExportFile(const std::string& path, const std::string& bytes);

// What an export to `path` that failed with error `number` tells the user:
// that nothing on disk changed. A cancelled dialog is a cancel.
Status ExportFailure(const std::string& path, int number);

}  // namespace orvex
