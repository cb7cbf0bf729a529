#pragma once
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <functional>
#include <vector>

namespace orvex {

// Runs `body`(i) for i = 0 .. count - 1, each in a process of its own, all at
// once, and returns their exit codes (-1 for a child that did not exit). With
// `fileSizeLimit`, no file a child writes grows past that many bytes: a write
// beyond fails with EFBIG, as on a full disk, without root or a small disk.
inline std::vector<int> inChildren(int count, const std::function<int(int)>& body,
                                   long fileSizeLimit = -1) {
    std::vector<pid_t> pids;
    for (int i = 0; i < count; ++i) {
        const pid_t pid = ::fork();
        if (pid == 0) {
            if (fileSizeLimit >= 0) {
                std::signal(SIGXFSZ, SIG_IGN);
                const auto size = static_cast<rlim_t>(fileSizeLimit);
                const rlimit limit{size, size};
                ::setrlimit(RLIMIT_FSIZE, &limit);
            }
            int code = 100;
            try {
                code = body(i);
            } catch (...) {
            }
            ::_exit(code);
        }
        pids.push_back(pid);
    }
    std::vector<int> codes;
    for (const pid_t pid : pids) {
        int status = 0;
        const bool exited = pid > 0 && ::waitpid(pid, &status, 0) == pid && WIFEXITED(status);
        codes.push_back(exited ? WEXITSTATUS(status) : -1);
    }
    return codes;
}

inline int inChild(const std::function<int()>& body, long fileSizeLimit = -1) {
    return inChildren(
               1, [&](int) { return body(); }, fileSizeLimit)
        .front();
}

}  // namespace orvex
