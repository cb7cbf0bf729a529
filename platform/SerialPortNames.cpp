#include "platform/SerialPortNames.h"

#include <algorithm>
#include <tuple>

namespace orvex {

namespace {

struct PortKey {
    int group;
    std::string stem;
    long number;  // -1 when the name has no number
    std::string path;
};

PortKey keyOf(const std::string& path) {
    const std::string name = path.substr(path.find_last_of('/') + 1);
    std::size_t digits = name.size();
    while (digits > 0 && name[digits - 1] >= '0' && name[digits - 1] <= '9') --digits;
    const std::string stem = name.substr(0, digits);
    const std::string tail = name.substr(digits);
    long number = -1;
    if (!tail.empty() && tail.size() < 10) number = std::stol(tail);
    const int group = stem == "ttyUSB" ? 0 : stem == "ttyACM" ? 1 : 2;
    return {group, stem, number, path};
}

}  // namespace

std::vector<std::string> orderSystemPorts(std::vector<std::string> paths) {
    std::vector<PortKey> keys;
    for (const auto& p : paths) keys.push_back(keyOf(p));
    // ttyUSB10 after ttyUSB9: numbers compare as numbers, not as text.
    std::stable_sort(keys.begin(), keys.end(), [](const PortKey& a, const PortKey& b) {
        return std::tie(a.group, a.stem, a.number, a.path) <
               std::tie(b.group, b.stem, b.number, b.path);
    });
    std::vector<std::string> ordered;
    for (const auto& k : keys) ordered.push_back(k.path);
    return ordered;
}

std::string serialPortPath(int number, const std::optional<std::string>& listing,
                           const std::vector<std::string>& systemPorts) {
    if (number < 1) return {};
    if (listing) {
        std::size_t start = 0;
        for (int n = 1;; ++n) {
            const std::size_t colon = listing->find(':', start);
            const std::size_t end = colon == std::string::npos ? listing->size() : colon;
            if (n == number) return listing->substr(start, end - start);
            if (colon == std::string::npos) return {};
            start = colon + 1;
        }
    }
    const auto ordered = orderSystemPorts(systemPorts);
    return static_cast<std::size_t>(number) <= ordered.size() ? ordered[number - 1] : std::string();
}

}  // namespace orvex
