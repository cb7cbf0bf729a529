#pragma once
#include <QByteArray>
#include <QString>

#include "platform/FileSystem.h"

namespace orvex {

// Files through QFile, opened only when they are regular files, without
// waiting on a FIFO or a device put in their place; replacements through a descriptor of their own,
// checked, synced and renamed, so a failed save never touches the file it was meant to replace.
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

// The first `n` bytes of `path` (fewer when it is shorter), read the same way:
// never waiting, only from a regular file. 0 or an error number; `regular`
// is false for what is not a regular file.
int readFileStart(const QString& path, std::size_t n, QByteArray& bytes, bool& regular);

}  // namespace orvex
