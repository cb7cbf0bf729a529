#pragma once
#include "platform/FileSystem.h"

namespace orvex {

// Files through QFile; replacements through a descriptor of their own, checked,
// synced and renamed, so a failed save never touches the file it was meant to replace.
class QtFileSystem : public FileSystem {
public:
    bool fileExists(const std::string& path) override;
    bool folderExists(const std::string& path) override;
    int remove(const std::string& path) override;
    int makeFolder(const std::string& path) override;
    std::vector<std::string> fileNames(const std::string& folder) override;
    std::unique_ptr<BinaryFile> open(const std::string& path, int& error) override;
    std::unique_ptr<BinaryFile> replace(const std::string& path, int& error) override;
    std::unique_ptr<BinaryFile> create(const std::string& path, int& error) override;
    int removeUnfinished(const std::string& path) override;
    std::unique_ptr<FileLock> lock(const std::string& path) override;
};

}  // namespace orvex
