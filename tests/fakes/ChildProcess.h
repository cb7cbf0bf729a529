#pragma once
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <functional>
#include <vector>

namespace orvex {

// Runs body(0) .. body(count - 1) at once, each in a forked process, and returns
// their exit codes (-1: no normal exit). With `fileSizeLimit` no file a child
// writes grows past that many bytes: a write beyond fails with EFBIG, a full
// disk without root.
inline std::vector<int> inChildren(int count, const std::function<int(int)>& body,
                                   long fileSizeLimit = -1) {
    std::vector<pid_t> pids;
    for (int i = 0; i < count; ++i) {
        if (const pid_t pid = ::fork(); pid != 0) {
            pids.push_back(pid);
            continue;
        }
        std::signal(SIGXFSZ, SIG_IGN);
        const auto size = static_cast<rlim_t>(fileSizeLimit);
        const rlimit limit{size, size};
        if (fileSizeLimit >= 0) ::setrlimit(RLIMIT_FSIZE, &limit);
        int code = 100;  // a child never returns into the tests
        try {
            code = body(i);
        } catch (...) {
        }
        ::_exit(code);
    }
    std::vector<int> codes;
    for (int status = 0; const pid_t pid : pids)
        codes.push_back(::waitpid(pid, &status, 0) == pid && WIFEXITED(status) ? WEXITSTATUS(status)
                                                                               : -1);
    return codes;
}

}  // namespace orvex
