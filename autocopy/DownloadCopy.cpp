#include "autocopy/DownloadCopy.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "platform/FileSystem.h"
#include "platform/Messages.h"
#include "platform/Platform.h"
#include "platform/ProgramFolder.h"
#include "platform/RunError.h"
#include "session/DataFile.h"

namespace orvex {

namespace {

constexpr std::size_t kStampLength = 19;  // "YYYY-MM-DD HH-MM-SS"
constexpr int kMaxNumber = 9999;

bool digits(const std::string& s, std::size_t from, std::size_t count) {
    if (from + count > s.size() || count == 0) return false;
    return std::all_of(s.begin() + static_cast<std::ptrdiff_t>(from),
                       s.begin() + static_cast<std::ptrdiff_t>(from + count),
                       [](unsigned char c) { return std::isdigit(c) != 0; });
}

// The copy's number (1 without a suffix), or 0 when `name` is not a copy's
// name: only those are ever deleted.
int copyNumber(const std::string& name) {
    static const char kShape[] = "dddd-dd-dd dd-dd-dd";
    if (name.size() < kStampLength + 4) return 0;
    for (std::size_t i = 0; i < kStampLength; ++i) {
        const bool digit = std::isdigit(static_cast<unsigned char>(name[i])) != 0;
        if (kShape[i] == 'd' ? !digit : name[i] != kShape[i]) return 0;
    }
    const std::string rest = name.substr(kStampLength);
    if (rest == ".DAT") return 1;
    // " (n).DAT"
    if (rest.size() < 8 || rest.compare(0, 2, " (") != 0 ||
        rest.compare(rest.size() - 5, 5, ").DAT") != 0)
        return 0;
    const std::size_t count = rest.size() - 7;
    if (count > 4 || rest[2] == '0' || !digits(rest, 2, count)) return 0;
    return std::stoi(rest.substr(2, count));
}

std::string inFolder(const std::string& folder, const std::string& name) {
    return folder + platform().folder->separator() + name;
}

// Why a copy failed, naming the folder as the system does: the record-file
// layer's boxes speak Italian and name the file upper-cased.
Status failed(int number, const std::string& folder) {
    const auto status = [&](StatusCode code, const char* text, std::vector<std::string> args) {
        return Status::fail(code, text, std::move(args));
    };
    switch (number) {
        case ErrorNo::DiskFull:
            return status(
                StatusCode::DiskFull,
                QT_TRANSLATE_NOOP("Status", "Download copy not saved: the disk is full (%1)"),
                {folder});
        case ErrorNo::PermissionDenied:
            return status(
                StatusCode::Io,
                QT_TRANSLATE_NOOP("Status", "Download copy not saved: permission denied (%1)"),
                {folder});
        case ErrorNo::PathNotFound:
        case ErrorNo::PathFileAccess:
            return status(
                StatusCode::Io,
                QT_TRANSLATE_NOOP("Status",
                                  "Download copy not saved: the folder cannot be written (%1)"),
                {folder});
        case ErrorNo::DiskNotReady:
        case ErrorNo::DeviceUnavailable:
            return status(StatusCode::Io,
                          QT_TRANSLATE_NOOP(
                              "Status", "Download copy not saved: the disk is not available (%1)"),
                          {folder});
        case ErrorNo::DeviceIO:
            return status(
                StatusCode::Io,
                QT_TRANSLATE_NOOP("Status", "Download copy not saved: input/output error (%1)"),
                {folder});
        default:
            return status(StatusCode::Io,
                          QT_TRANSLATE_NOOP("Status", "Download copy not saved: error%1 (%2)"),
                          {numberText(number), folder});
    }
}

// Deletes the oldest copies beyond those kept, never `newest`: a clock set
// back can make the copy just written sort first. A copy that cannot be
// deleted now is tried again after the next download.
void pruneCopies(const std::string& folder, const std::string& newest) {
    std::vector<std::string> copies = downloadCopies(platform().files->fileNames(folder));
    if (copies.size() <= kDownloadCopiesKept) return;
    const std::size_t excess = copies.size() - kDownloadCopiesKept;
    copies.erase(std::remove(copies.begin(), copies.end(), newest), copies.end());
    for (std::size_t i = 0; i < excess && i < copies.size(); ++i)
        platform().files->remove(inFolder(folder, copies[i]));
}

}  // namespace

std::string downloadCopyFolder() {
    return inFolder(platform().folder->userDataPath(), "downloads");
}

std::string downloadCopyName(const LocalTime& t, int number) {
    char stamp[64];
    std::snprintf(stamp, sizeof stamp, "%04d-%02d-%02d %02d-%02d-%02d", t.date.year, t.date.month,
                  t.date.day, t.hour, t.minute, t.second);
    std::string name = stamp;
    if (number > 1) name += " (" + std::to_string(number) + ")";
    return name + ".DAT";
}

std::vector<std::string> downloadCopies(const std::vector<std::string>& names) {
    std::vector<std::string> copies;
    for (const std::string& n : names)
        if (copyNumber(n) > 0) copies.push_back(n);
    // The time stamp sorts as text; within one second the numbers count, and
    // " (10)" comes after " (9)".
    std::sort(copies.begin(), copies.end(), [](const std::string& a, const std::string& b) {
        const int stamp = a.compare(0, kStampLength, b, 0, kStampLength);
        return stamp != 0 ? stamp < 0 : copyNumber(a) < copyNumber(b);
    });
    return copies;
}

void RemoveUnfinishedCopies() {
    const std::string folder = downloadCopyFolder();
    for (const std::string& name : platform().files->fileNames(folder))
        if (copyNumber(temporaryTarget(name)) > 0)
            platform().files->removeUnfinished(inFolder(folder, name));
}

Result<std::string> Download_Copy(DesktopViews* views) {
    std::string folder;
    try {
        const LocalTime now = platform().dayClock->now();
        folder = downloadCopyFolder();
        FileSystem& files = *platform().files;
        if (const int number = files.makeFolder(folder)) return failed(number, folder);
        // The name is taken only by a complete copy and never over another, so
        // a second instance of the program writing at the same second gets the
        // next number instead of overwriting.
        for (int n = 1; n <= kMaxNumber; ++n) {
            const std::string name = downloadCopyName(now, n);
            const std::string path = inFolder(folder, name);
            if (files.fileExists(path)) continue;
            const int number = Data_FileCopy(path, views);
            if (number == ErrorNo::FileAlreadyExists) continue;
            if (number) return failed(number, folder);
            pruneCopies(folder, name);
            return path;
        }
        return Status::fail(
            StatusCode::Io,
            QT_TRANSLATE_NOOP("Status",
                              "Download copy not saved: too many downloads within one second (%1)"),
            {folder});
    } catch (const std::exception& e) {
        // The download has completed whatever happens here.
        std::string what = e.what();
        std::replace(what.begin(), what.end(), '\n', ' ');
        return Status::fail(StatusCode::Io,
                            QT_TRANSLATE_NOOP("Status", "Download copy not saved: %1 (%2)"),
                            {what, folder});
    }
}

}  // namespace orvex
