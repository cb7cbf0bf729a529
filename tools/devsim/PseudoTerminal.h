#pragma once
#include <string>

namespace orvex {

// A pseudo-terminal whose device end stands in for a serial port. The
// simulator keeps the device end open itself, so the line survives the
// program opening and closing it between commands.
class PseudoTerminal {
public:
    PseudoTerminal();  // throws std::runtime_error
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    // The simulator's end (non-blocking).
    int fd() const { return master_; }
    // The path the program opens as its serial port.
    const std::string& devicePath() const { return path_; }
    // Drops the line, as unplugging the device would.
    void hangUp();

private:
    int master_ = -1;
    int device_ = -1;
    std::string path_;
};

}  // namespace orvex
