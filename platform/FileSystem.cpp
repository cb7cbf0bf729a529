#include "platform/FileSystem.h"

#include <algorithm>
#include <cctype>

namespace orvex {

namespace {

constexpr const char kTemporaryMark[] = ".tmp-";
constexpr std::size_t kMarkLength = sizeof kTemporaryMark - 1;
constexpr std::size_t kTagLength = 6;

}  // namespace

std::string temporaryNameFor(const std::string& target, const std::string& tag) {
    return target + kTemporaryMark + tag;
}

std::string temporaryTarget(const std::string& name) {
    const std::size_t tail = kMarkLength + kTagLength;
    if (name.size() <= tail) return {};
    const std::size_t mark = name.size() - tail;
    if (name.compare(mark, kMarkLength, kTemporaryMark) != 0) return {};
    if (!std::all_of(name.begin() + static_cast<std::ptrdiff_t>(mark + kMarkLength), name.end(),
                     [](unsigned char c) { return std::isalnum(c) != 0; }))
        return {};
    return name.substr(0, mark);
}

}  // namespace orvex
