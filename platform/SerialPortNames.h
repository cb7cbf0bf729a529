#pragma once
#include <optional>
#include <string>
#include <vector>

namespace orvex {

// How port numbers 1 to 20 become device paths where ports have no numbers
// of their own.
//
// `listing` is the ORVEX_PORTS value when set: colon-separated paths, entry n
// is port n, an empty entry is a port that does not exist. Without it the
// system's ports count: USB adapters first (ttyUSB*, then ttyACM*), then the
// others, each group in numeric order. Empty result: no such port.
std::string serialPortPath(int number, const std::optional<std::string>& listing,
                           const std::vector<std::string>& systemPorts);

// The system's port paths in port-number order.
std::vector<std::string> orderSystemPorts(std::vector<std::string> paths);

}  // namespace orvex
