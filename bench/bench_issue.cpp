// Issuing a session's results: see bench/IssueBench.h.
#include <QTemporaryDir>
#include <cstdio>

#include "bench/BenchApp.h"
#include "bench/IssueBench.h"

int main(int argc, char** argv) {
    orvex::BenchApp app(argc, argv);
    QTemporaryDir dir;
    orvex::IssueBenchParts parts;
    const double ms = orvex::benchIssueSession(dir.path(), 21, &parts);
    std::printf(
        "Issue a session (30 drivers, 25 laps): %.1f ms (goal <= 50 ms): snapshot %.1f, write "
        "%.1f, history %.1f\n",
        ms, parts.snapshot, parts.write, parts.history);
    return ms >= 0 ? 0 : 1;
}
