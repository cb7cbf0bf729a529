// orvex-devsim: the lap-timing device on a pseudo-terminal, for tests, demos
// and anyone without the hardware. Prints the device path on its first line.

#include <getopt.h>
#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <iterator>
#include <memory>
#include <sstream>
#include <string>

#include "tools/devsim/DeviceSimulator.h"
#include "tools/devsim/PseudoTerminal.h"

using namespace orvex;
using Clock = std::chrono::steady_clock;

namespace {

volatile sig_atomic_t gStop = 0;

void onSignal(int) { gStop = 1; }

const char kUsage[] =
    "Usage: orvex-devsim [options]\n"
    "Simulates the lap-timing device on a pseudo-terminal. The first line of\n"
    "output is the device path to open as the serial port (e.g. ORVEX_PORTS=<path>).\n"
    "\n"
    "Memory (750 records):\n"
    "  --memory FILE          load the 3750-byte memory image from FILE\n"
    "  --seed N               generate a race from seed N (default: seed 1)\n"
    "  --erased-from B        blocks B (1..30) to 30 erased to FF bytes, as memory\n"
    "                         left by a race with fewer drivers\n"
    "  --new-race             after each download (block 1 read) hold the race of\n"
    "                         the next seed, as after another session\n"
    "Timing:\n"
    "  --baud N               take the wire time of N baud (10 bits a byte) for\n"
    "                         every request and reply; default: no wire time\n"
    "  --delay MS             wait MS milliseconds before every reply\n"
    "Faults:\n"
    "  --silent               answer nothing\n"
    "  --no-reply-block B     do not answer block B (1..30)\n"
    "  --short-reply          send every reply one byte short\n"
    "  --bad-check R[,R...]   store records R (1..750) with a wrong check byte\n"
    "  --extra N              send N junk bytes after every reply\n"
    "  --hang-up-after N      drop the line after answering N blocks, then exit\n"
    "  --slow-block B         spread the reply to block B over 1.5 seconds\n"
    "Other:\n"
    "  --log FILE             log every frame received (and replies sent) to FILE,\n"
    "                         '-' for standard error\n"
    "  --help                 show this text\n"
    "Ends cleanly on SIGINT or SIGTERM.\n";

struct Options {
    std::string memoryFile;
    unsigned seed = 1;
    bool newRace = false;
    int baud = 0;
    int delayMs = 0;
    std::string logFile;
    SimulatorFaults faults;
};

[[noreturn]] void usageError(const std::string& message) {
    std::cerr << "orvex-devsim: " << message << "\nTry 'orvex-devsim --help'.\n";
    std::exit(2);
}

int number(const char* text, int lo, int hi, const char* option) {
    char* end = nullptr;
    errno = 0;
    const long v = std::strtol(text, &end, 10);
    if (errno != 0 || end == text || *end != '\0' || v < lo || v > hi)
        usageError(std::string("--") + option + " wants a number from " + std::to_string(lo) +
                   " to " + std::to_string(hi));
    return static_cast<int>(v);
}

Options parse(int argc, char** argv) {
    enum {
        Memory = 1000,
        Seed,
        Baud,
        Delay,
        Silent,
        NoReply,
        Short,
        BadCheck,
        Extra,
        HangUp,
        Slow,
        Erased,
        NewRace,
        Log,
        Help
    };
    static const option longOptions[] = {{"memory", required_argument, nullptr, Memory},
                                         {"seed", required_argument, nullptr, Seed},
                                         {"baud", required_argument, nullptr, Baud},
                                         {"delay", required_argument, nullptr, Delay},
                                         {"silent", no_argument, nullptr, Silent},
                                         {"no-reply-block", required_argument, nullptr, NoReply},
                                         {"short-reply", no_argument, nullptr, Short},
                                         {"bad-check", required_argument, nullptr, BadCheck},
                                         {"extra", required_argument, nullptr, Extra},
                                         {"hang-up-after", required_argument, nullptr, HangUp},
                                         {"slow-block", required_argument, nullptr, Slow},
                                         {"erased-from", required_argument, nullptr, Erased},
                                         {"new-race", no_argument, nullptr, NewRace},
                                         {"log", required_argument, nullptr, Log},
                                         {"help", no_argument, nullptr, Help},
                                         {nullptr, 0, nullptr, 0}};
    Options o;
    int c;
    while ((c = getopt_long(argc, argv, "", longOptions, nullptr)) != -1) {
        switch (c) {
            case Memory:
                o.memoryFile = optarg;
                break;
            case Seed:
                o.seed = static_cast<unsigned>(number(optarg, 0, 2000000000, "seed"));
                break;
            case Baud:
                o.baud = number(optarg, 50, 4000000, "baud");
                break;
            case Delay:
                o.delayMs = number(optarg, 0, 60000, "delay");
                break;
            case Silent:
                o.faults.silent = true;
                break;
            case NoReply:
                o.faults.noReplyBlock = number(optarg, 1, 30, "no-reply-block");
                break;
            case Short:
                o.faults.shortReply = true;
                break;
            case BadCheck: {
                std::stringstream list(optarg);
                std::string item;
                while (std::getline(list, item, ','))
                    o.faults.badCheckRecords.insert(number(item.c_str(), 1, 750, "bad-check"));
                break;
            }
            case Extra:
                o.faults.extraBytes = number(optarg, 0, 1000, "extra");
                break;
            case HangUp:
                o.faults.hangUpAfterBlocks = number(optarg, 1, 1000000, "hang-up-after");
                break;
            case Slow:
                o.faults.slowBlock = number(optarg, 1, 30, "slow-block");
                break;
            case Erased:
                o.faults.erasedFromBlock = number(optarg, 1, 30, "erased-from");
                break;
            case NewRace:
                o.newRace = true;
                break;
            case Log:
                o.logFile = optarg;
                break;
            case Help:
                std::cout << kUsage;
                std::exit(0);
            default:
                usageError("unknown option");
        }
    }
    if (optind < argc) usageError(std::string("unexpected argument '") + argv[optind] + "'");
    return o;
}

Bytes loadMemory(const Options& o) {
    if (o.memoryFile.empty()) return DeviceSimulator::generateRace(o.seed);
    std::ifstream in(o.memoryFile, std::ios::binary);
    if (!in) usageError("cannot read " + o.memoryFile);
    Bytes memory((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (memory.size() != static_cast<std::size_t>(kMemoryBytes))
        usageError(o.memoryFile + " holds " + std::to_string(memory.size()) +
                   " bytes; a memory image has " + std::to_string(kMemoryBytes));
    return memory;
}

// Sleeps until `when`, waking early only to stop.
void sleepUntil(Clock::time_point when) {
    while (!gStop) {
        const auto left = when - Clock::now();
        if (left <= Clock::duration::zero()) return;
        const auto step = std::min<Clock::duration>(left, std::chrono::milliseconds(50));
        timespec ts{0, static_cast<long>(
                           std::chrono::duration_cast<std::chrono::nanoseconds>(step).count())};
        nanosleep(&ts, nullptr);
    }
}

// Writes what it can; with nobody at the other end the bytes are lost, as on a wire.
void writeOut(int fd, const std::uint8_t* bytes, std::size_t count) {
    while (count > 0 && !gStop) {
        const ssize_t n = ::write(fd, bytes, count);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return;
        bytes += n;
        count -= static_cast<std::size_t>(n);
    }
}

class FrameLog {
public:
    explicit FrameLog(const std::string& file) {
        if (file == "-")
            out_ = stderr;
        else if (!file.empty() && !(out_ = std::fopen(file.c_str(), "w")))
            usageError("cannot write " + file);
    }
    ~FrameLog() {
        if (out_ && out_ != stderr) std::fclose(out_);
    }
    void line(const char* what, const Bytes& bytes) {
        if (!out_) return;
        const auto ms =
            std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start_);
        std::fprintf(out_, "%8lld %s", static_cast<long long>(ms.count()), what);
        for (std::uint8_t b : bytes) std::fprintf(out_, " %02X", b);
        std::fprintf(out_, "\n");
        std::fflush(out_);
    }

private:
    std::FILE* out_ = nullptr;
    Clock::time_point start_ = Clock::now();
};

}  // namespace

int main(int argc, char** argv) {
    const Options options = parse(argc, argv);
    DeviceSimulator device(loadMemory(options), options.faults);
    if (options.newRace) device.newRaceAfterDownload(options.seed + 1);
    FrameLog log(options.logFile);
    device.onFrame = [&](const Bytes& frame, bool valid) { log.line(valid ? "RX" : "RX?", frame); };

    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    signal(SIGPIPE, SIG_IGN);

    std::unique_ptr<PseudoTerminal> line;
    try {
        line = std::make_unique<PseudoTerminal>();
    } catch (const std::exception& e) {
        std::cerr << "orvex-devsim: " << e.what() << "\n";
        return 1;
    }
    std::cout << line->devicePath() << std::endl;

    const auto byteTime = options.baud > 0
                              ? std::chrono::nanoseconds(10'000'000'000LL / options.baud)
                              : std::chrono::nanoseconds(0);
    std::uint8_t buffer[512];
    while (!gStop) {
        pollfd p{line->fd(), POLLIN, 0};
        const int ready = poll(&p, 1, 200);
        if (ready <= 0) continue;
        const ssize_t n = ::read(line->fd(), buffer, sizeof buffer);
        if (n <= 0) {
            // Nothing to read after all (or a passing hang-up of the far end).
            usleep(10000);
            continue;
        }
        const auto arrived = Clock::now();
        const auto answers = device.receive(Bytes(buffer, buffer + n));
        // The request's own bytes take their wire time before the device has them.
        auto due = arrived + byteTime * n;
        for (const auto& a : answers) {
            log.line("TX", a.bytes);
            due += std::chrono::milliseconds(options.delayMs);
            sleepUntil(due);
            const auto spacing =
                a.spreadMs > 0 && !a.bytes.empty()
                    ? std::chrono::nanoseconds(std::chrono::milliseconds(a.spreadMs)) /
                          static_cast<long>(a.bytes.size())
                    : byteTime;
            if (spacing.count() == 0) {
                writeOut(line->fd(), a.bytes.data(), a.bytes.size());
            } else {
                for (std::size_t i = 0; i < a.bytes.size() && !gStop; ++i) {
                    due += spacing;
                    sleepUntil(due);
                    writeOut(line->fd(), &a.bytes[i], 1);
                }
            }
            due = std::max(due, Clock::now());
            if (a.hangUp) {
                log.line("HANG-UP", {});
                // Let the last reply reach the program before the line drops.
                usleep(100000);
                line->hangUp();
                return 0;
            }
        }
    }
    return 0;
}
