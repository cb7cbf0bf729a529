#pragma once
#include <map>
#include <set>
#include <string>

#include "platform/FileSystem.h"

namespace orvex {

// Files held in memory by full name ("/data/Race1.DAT"), with folders that
// must exist and failures a test can inject. A replacement lives under a
// temporary name beside its target until it is committed, so a test can
// see that nothing is left behind.
class FakeFileSystem : public FileSystem {
public:
    std::map<std::string, std::string> files;
    std::set<std::string> folders{"/", "/orvex"};
    // Folders where nothing can be created or replaced (error 70).
    std::set<std::string> readOnlyFolders;
    // The write that would take the bytes written (all files together) past
    // this count writes only what fits and fails as a full disk.
    long long failAfterBytes = -1;
    int commitError = 0;
    long long bytesWritten = 0;

    bool fileExists(const std::string& path) override { return files.count(path) != 0; }
    bool folderExists(const std::string& path) override { return folders.count(path) != 0; }
    int remove(const std::string& path) override;
    int makeFolder(const std::string& path) override;
    std::vector<std::string> fileNames(const std::string& folder) override;
    std::unique_ptr<BinaryFile> open(const std::string& path, int& error) override;
    std::unique_ptr<BinaryFile> replace(const std::string& path, int& error) override;
    std::unique_ptr<BinaryFile> create(const std::string& path, int& error) override;
    int removeUnfinished(const std::string& path) override { return remove(path); }
    std::unique_ptr<FileLock> lock(const std::string& path) override;

private:
    int refusal(const std::string& path, bool creating) const;
    std::unique_ptr<BinaryFile> beside(const std::string& path, int& error, bool keep);
};

}  // namespace orvex
