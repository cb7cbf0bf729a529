#pragma once
#include <string>

namespace orvex {

// Where the program keeps its files (settings, help, new sessions).
class ProgramFolder {
public:
    virtual ~ProgramFolder() = default;
    // Without a trailing separator.
    virtual std::string path() const = 0;
    // The platform's path separator, written where file names are joined.
    virtual char separator() const { return '/'; }
};

}  // namespace orvex
