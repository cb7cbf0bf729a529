#pragma once
#include <string>

namespace orvex {

// Where the program keeps its files (settings, help, new sessions).
class ProgramFolder {
public:
    virtual ~ProgramFolder() = default;
    // Without a trailing separator.
    virtual std::string path() const = 0;
    // The user's own data folder, which may not exist yet; without a trailing
    // separator. Where nothing else is known, the program's folder.
    virtual std::string userDataPath() const { return path(); }
    // The platform's path separator, written where file names are joined.
    virtual char separator() const { return '/'; }
};

}  // namespace orvex
