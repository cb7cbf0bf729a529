// Issuing a session's results: see bench/IssueBench.h.
#include <QTemporaryDir>
#include <cstdio>

#include "bench/BenchApp.h"
#include "bench/IssueBench.h"

int main(int argc, char** argv) {
    orvex::BenchApp app(argc, argv);
    QTemporaryDir dir;
    const double ms = orvex::benchIssueSession(dir.path());
    std::printf("Issue a session (30 drivers, 25 laps): %.1f ms (goal <= 50 ms)\n", ms);
    return ms >= 0 ? 0 : 1;
}
