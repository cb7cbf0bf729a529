#pragma once
#include <memory>
#include <string>
#include <vector>

#include "platform/BinaryFile.h"

namespace orvex {

// A replacement is written under its target's name followed by ".tmp-" and six
// letters or digits, beside the target; a write killed half way leaves such a file.
std::string temporaryNameFor(const std::string& target, const std::string& tag);
// The target's name when `name` has that shape, else the empty string.
std::string temporaryTarget(const std::string& name);

// Held until dropped.
class FileLock {
public:
    virtual ~FileLock() = default;
};

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
    // The target changes only at commit(), and only once every byte is on disk;
    // dropping the object uncommitted, or a failed commit, leaves the target
    // untouched and no temporary file behind.
    virtual std::unique_ptr<BinaryFile> replace(const std::string& path, int& error) = 0;
    // As replace, but commit() gives the file its name only while no file has
    // it, never replacing one (error 58 otherwise): two writers never take one name.
    virtual std::unique_ptr<BinaryFile> create(const std::string& path, int& error) = 0;
    // Deletes a temporary file left by a killed replacement; one that a write
    // still holds stays. Returns 0 or an error number.
    virtual int removeUnfinished(const std::string& path) = 0;
    // Waits a few seconds at most for other instances of the program to let go
    // of `path`'s lock (a file beside it) and takes it. Null when it could not
    // be had.
    virtual std::unique_ptr<FileLock> lock(const std::string& path) = 0;
};

}  // namespace orvex
