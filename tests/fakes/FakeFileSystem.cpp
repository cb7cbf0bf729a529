#include "fakes/FakeFileSystem.h"

#include "platform/RunError.h"

namespace orvex {

namespace {

class FakeOpenFile : public BinaryFile {
public:
    FakeOpenFile(FakeFileSystem& fs, std::string& content) : fs_(fs), content_(content) {}
    int read(char* data, std::size_t n, std::size_t& got) override {
        got = pos_ < content_.size() ? std::min(n, content_.size() - pos_) : 0;
        content_.copy(data, got, pos_);
        pos_ += got;
        return 0;
    }
    int write(const char* data, std::size_t n) override {
        return fs_.writeTo(content_, pos_, data, n);
    }
    int commit() override { return 0; }

private:
    FakeFileSystem& fs_;
    std::string& content_;
    std::size_t pos_ = 0;
};

class FakeReplacement : public BinaryFile {
public:
    FakeReplacement(FakeFileSystem& fs, std::string target)
        : fs_(fs), target_(std::move(target)), temp_(target_ + ".tmp~") {
        fs_.files[temp_].clear();
    }
    ~FakeReplacement() override { fs_.files.erase(temp_); }
    int read(char*, std::size_t, std::size_t& got) override {
        got = 0;
        return ErrorNo::BadFileNumber;
    }
    int write(const char* data, std::size_t n) override {
        return fs_.writeTo(fs_.files[temp_], pos_, data, n);
    }
    int commit() override {
        if (fs_.commitError) return fs_.commitError;
        fs_.files[target_] = fs_.files[temp_];
        return 0;
    }

private:
    FakeFileSystem& fs_;
    std::string target_, temp_;
    std::size_t pos_ = 0;
};

}  // namespace

std::string FakeFileSystem::folderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) return {};
    return slash == 0 ? "/" : path.substr(0, slash);
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
    error = 0;
    if (!folders.count(folderOf(path))) {
        error = ErrorNo::PathNotFound;
        return nullptr;
    }
    if (!files.count(path) && readOnlyFolders.count(folderOf(path))) {
        error = ErrorNo::PermissionDenied;
        return nullptr;
    }
    return std::make_unique<FakeOpenFile>(*this, files[path]);
}

std::unique_ptr<BinaryFile> FakeFileSystem::replace(const std::string& path, int& error) {
    error = 0;
    if (!folders.count(folderOf(path))) {
        error = ErrorNo::PathNotFound;
        return nullptr;
    }
    if (readOnlyFolders.count(folderOf(path))) {
        error = ErrorNo::PermissionDenied;
        return nullptr;
    }
    return std::make_unique<FakeReplacement>(*this, path);
}

int FakeFileSystem::writeTo(std::string& content, std::size_t& pos, const char* data,
                            std::size_t n) {
    std::size_t allowed = n;
    if (failAfterBytes >= 0 && bytesWritten + static_cast<long long>(n) > failAfterBytes)
        allowed = static_cast<std::size_t>(std::max(0LL, failAfterBytes - bytesWritten));
    if (content.size() < pos + allowed) content.resize(pos + allowed);
    content.replace(pos, allowed, data, allowed);
    pos += allowed;
    bytesWritten += static_cast<long long>(allowed);
    return allowed == n ? 0 : ErrorNo::DiskFull;
}

}  // namespace orvex
