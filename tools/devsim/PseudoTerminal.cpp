#include "tools/devsim/PseudoTerminal.h"

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

namespace orvex {

namespace {

std::runtime_error failure(const char* what) {
    return std::runtime_error(std::string(what) + ": " + std::strerror(errno));
}

}  // namespace

PseudoTerminal::PseudoTerminal() {
    master_ = posix_openpt(O_RDWR | O_NOCTTY);
    if (master_ < 0) throw failure("posix_openpt");
    if (grantpt(master_) != 0 || unlockpt(master_) != 0) {
        ::close(master_);
        throw failure("grantpt/unlockpt");
    }
    const char* name = ptsname(master_);
    if (!name) {
        ::close(master_);
        throw failure("ptsname");
    }
    path_ = name;
    device_ = ::open(path_.c_str(), O_RDWR | O_NOCTTY);
    if (device_ < 0) {
        ::close(master_);
        throw failure("open device end");
    }
    // Raw from the start: no echo, no line editing, no CR/LF translation, so
    // every byte passes unchanged even before the program sets the line up.
    termios t{};
    if (tcgetattr(device_, &t) == 0) {
        cfmakeraw(&t);
        cfsetispeed(&t, B9600);
        cfsetospeed(&t, B9600);
        tcsetattr(device_, TCSANOW, &t);
    }
    fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK);
}

PseudoTerminal::~PseudoTerminal() { hangUp(); }

void PseudoTerminal::hangUp() {
    if (device_ >= 0) ::close(device_);
    if (master_ >= 0) ::close(master_);
    device_ = master_ = -1;
}

}  // namespace orvex
