#pragma once
#include <memory>
#include <string>
#include <vector>

#include "platform/BinaryFile.h"

namespace orvex {

// Files and folders by full name. Failures are the program's error numbers.
class FileSystem {
public:
    virtual ~FileSystem() = default;
    virtual bool fileExists(const std::string& path) = 0;
    virtual bool folderExists(const std::string& path) = 0;
    // Returns 0 or an error number.
    virtual int remove(const std::string& path) = 0;
    // Creates the folder and any missing parents. Returns 0 or an error number.
    virtual int makeFolder(const std::string& path) = 0;
    // The names (without folder) of the files directly in `folder`; none when it is missing.
    virtual std::vector<std::string> fileNames(const std::string& folder) = 0;
    // Opens for reading and writing, creating a missing file and never
    // truncating an existing one; a file that may only be read opens read-only.
    // Returns null and sets `error` on failure.
    virtual std::unique_ptr<BinaryFile> open(const std::string& path, int& error) = 0;
    // A new content for `path`, written to a temporary file in the same folder.
    // The target changes only at commit(); dropping the object uncommitted
    // leaves the target untouched and no temporary file behind.
    virtual std::unique_ptr<BinaryFile> replace(const std::string& path, int& error) = 0;
};

}  // namespace orvex
