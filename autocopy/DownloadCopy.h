#pragma once
#include <cstddef>
#include <string>
#include <vector>

#include "platform/DayClock.h"
#include "platform/Status.h"

namespace orvex {

class DesktopViews;

// Every completed download is also written, as Save would write it, to a file
// of its own in the user's data folder, so a race survives a flat battery or a
// "No" to the save question. The newest kDownloadCopiesKept are kept.

inline constexpr std::size_t kDownloadCopiesKept = 200;

// The folder of the copies: "downloads" in the user's data folder.
std::string downloadCopyFolder();

// "YYYY-MM-DD HH-MM-SS.DAT"; a `number` above 1 adds " (number)" before the
// extension, for a second download within the same second.
std::string downloadCopyName(const LocalTime& time, int number);

// The copies among `names`, oldest first; any other name is left out.
std::vector<std::string> downloadCopies(const std::vector<std::string>& names);

// Writes the session's copy, named by the time of the download, and then
// deletes the oldest copies beyond kDownloadCopiesKept, never the new one;
// the copy's full name, or why there is none (for the status bar). Shows
// nothing and throws nothing; the session's name and state stay as they were.
Result<std::string> Download_Copy(DesktopViews* views);

// Deletes what copies killed half way left in the folder (their temporary
// files); nothing else there. Run at start-up.
void RemoveUnfinishedCopies();

}  // namespace orvex
