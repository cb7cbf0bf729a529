#pragma once
#include <cstddef>

namespace orvex {

// One open file, read and written sequentially from its first byte.
// Failures come back as the program's error numbers (see RunError.h).
class BinaryFile {
public:
    virtual ~BinaryFile() = default;
    // Reads up to `n` bytes; `got` says how many there were (fewer at the end
    // of the file, which is not a failure). Returns 0 or an error number.
    virtual int read(char* data, std::size_t n, std::size_t& got) = 0;
    // Writes all `n` bytes or fails. Returns 0 or an error number.
    virtual int write(const char* data, std::size_t n) = 0;
    // Makes what was written durable. For a replacement (FileSystem::replace)
    // this is the moment the target takes the new content, all at once.
    // Returns 0 or an error number.
    virtual int commit() = 0;
};

}  // namespace orvex
