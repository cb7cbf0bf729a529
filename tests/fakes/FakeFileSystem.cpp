#include "fakes/FakeFileSystem.h"

#include "platform/RunError.h"

namespace orvex {

namespace {

std::string folderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) return {};
    return slash == 0 ? "/" : path.substr(0, slash);
}

// An open file; with a target, a replacement that becomes it on commit.
class FakeFile : public BinaryFile {
public:
    FakeFile(FakeFileSystem& fs, std::string name, std::string target = {}, bool keep = false)
        : fs_(fs), name_(std::move(name)), target_(std::move(target)), keep_(keep) {}
    ~FakeFile() override {
        if (!target_.empty()) fs_.files.erase(name_);
    }
    int read(char* data, std::size_t n, std::size_t& got) override {
        const std::string& content = fs_.files[name_];
        got = pos_ < content.size() ? std::min(n, content.size() - pos_) : 0;
        content.copy(data, got, pos_);
        pos_ += got;
        return 0;
    }
    int write(const char* data, std::size_t n) override {
        const long long room = fs_.failAfterBytes < 0 ? static_cast<long long>(n)
                                                      : fs_.failAfterBytes - fs_.bytesWritten;
        const std::size_t allowed = std::min(n, static_cast<std::size_t>(std::max(0LL, room)));
        std::string& content = fs_.files[name_];
        if (content.size() < pos_ + allowed) content.resize(pos_ + allowed);
        content.replace(pos_, allowed, data, allowed);
        pos_ += allowed;
        fs_.bytesWritten += static_cast<long long>(allowed);
        return allowed == n ? 0 : ErrorNo::DiskFull;
    }
    int commit() override {
        if (target_.empty()) return 0;
        if (fs_.commitError) return fs_.commitError;
        if (keep_ && fs_.files.count(target_)) return ErrorNo::FileAlreadyExists;
        fs_.files[target_] = fs_.files[name_];
        return 0;
    }

private:
    FakeFileSystem& fs_;
    std::string name_, target_;
    std::size_t pos_ = 0;
    bool keep_;
};

}  // namespace

int FakeFileSystem::refusal(const std::string& path, bool creating) const {
    if (!folders.count(folderOf(path))) return ErrorNo::PathNotFound;
    return creating && readOnlyFolders.count(folderOf(path)) ? ErrorNo::PermissionDenied : 0;
}

int FakeFileSystem::remove(const std::string& path) {
    if (!files.count(path)) return ErrorNo::FileNotFound;
    if (readOnlyFolders.count(folderOf(path))) return ErrorNo::PermissionDenied;
    files.erase(path);
    return 0;
}

int FakeFileSystem::makeFolder(const std::string& path) {
    if (folders.count(path)) return 0;
    if (readOnlyFolders.count(folderOf(path))) return ErrorNo::PermissionDenied;
    folders.insert(path);
    return 0;
}

std::vector<std::string> FakeFileSystem::fileNames(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& [path, content] : files)
        if (folderOf(path) == folder) names.push_back(path.substr(folder.size() + 1));
    return names;
}

std::unique_ptr<BinaryFile> FakeFileSystem::open(const std::string& path, int& error) {
    error = refusal(path, !files.count(path));
    if (error) return nullptr;
    files[path];
    return std::make_unique<FakeFile>(*this, path);
}

std::unique_ptr<BinaryFile> FakeFileSystem::replace(const std::string& path, int& error) {
    return beside(path, error, false);
}

std::unique_ptr<BinaryFile> FakeFileSystem::create(const std::string& path, int& error) {
    return beside(path, error, true);
}

std::unique_ptr<BinaryFile> FakeFileSystem::beside(const std::string& path, int& error, bool keep) {
    error = refusal(path, true);
    if (error) return nullptr;
    const std::string temp = temporaryNameFor(path, "000000");
    files[temp].clear();
    return std::make_unique<FakeFile>(*this, temp, path, keep);
}

std::unique_ptr<FileLock> FakeFileSystem::lock(const std::string&) {
    return std::make_unique<FileLock>();
}

}  // namespace orvex
