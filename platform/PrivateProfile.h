#pragma once
#include <string>

#include "platform/FileSystem.h"

namespace orvex {

// Settings (INI) files as the classic private-profile calls treat them:
// section and key names ignore letter case, blanks around names and "=" do
// not count, CR LF and LF line ends both read, and a write creates whatever
// is missing while keeping every other line as it was.
class PrivateProfile {
public:
    explicit PrivateProfile(FileSystem& files) : files_(files) {}

    // The key's value, or `fallback` when the file, section or key is
    // missing; cut to `size` - 1 characters.
    std::string read(const std::string& file, const std::string& section, const std::string& key,
                     const std::string& fallback, int size);
    // Returns false when the file could not be written.
    bool write(const std::string& file, const std::string& section, const std::string& key,
               const std::string& value);

private:
    FileSystem& files_;
};

}  // namespace orvex
