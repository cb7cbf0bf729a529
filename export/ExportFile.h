#pragma once
#include <string>

namespace orvex {

// The save dialog of an export, offering the session's name; false on Cancel.
bool AskExportFile(const char* filter, const char* defaultExt, std::string& chosen);

// Writes `bytes` as the whole new content of the file `path`, the way Save
// replaces a data file: the old file changes only once everything is on disk.
// A failure throws RunError with the error number; any earlier file of that
// name is then left as it was and no temporary file stays behind.
void WriteExportFile(const std::string& path, const std::string& bytes);

// Tells the user that an export to `path` failed with error `number` and
// that nothing on disk changed. A cancelled dialog says nothing.
void ReportExportFailure(const std::string& path, int number);

}  // namespace orvex
