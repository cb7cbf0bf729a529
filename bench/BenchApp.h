#pragma once
// The opening every bench shares: a Qt application, offscreen at 96 DPI unless
// the caller chose otherwise, with the Qt platform installed.
#include <QApplication>
#include <QElapsedTimer>
#include <QStandardPaths>
#include <algorithm>
#include <functional>
#include <vector>

#include "platform/qt/QtPlatform.h"
#include "session/Session.h"

namespace orvex {

class BenchApp {
public:
    BenchApp(int& argc, char** argv) : ready_(prepareEnvironment()), app_(argc, argv) {}

private:
    // Runs before the application exists, which reads the variables once.
    static bool prepareEnvironment() {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        if (qEnvironmentVariableIsEmpty("QT_FONT_DPI")) qputenv("QT_FONT_DPI", "96");
        // Settings and download copies go to Qt's test folders, not the user's.
        QStandardPaths::setTestModeEnabled(true);
        return true;
    }

    bool ready_;
    QApplication app_;
    QtPlatform platform_;
};

// The program's session, full: every one of the 750 slots holds a lap, with
// a track length so the speeds are computed too.
inline Session& fullSession() {
    Session& s = session();
    s.ResetSession();
    for (int i = 1; i <= kLapSlots; ++i) s.LapTimes[i] = 5000 + 7 * i;
    s.SessionTrack = "Circuito";
    s.SessionLength = "1200";
    s.FileState = FileState::Modified;
    return s;
}

// The median: one slow run (a page fault, another process) does not move it.
inline double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Median of `rounds` runs of `body`, in milliseconds.
inline double medianMs(int rounds, const std::function<void()>& body) {
    std::vector<double> ms;
    QElapsedTimer timer;
    for (int r = 0; r < rounds; ++r) {
        timer.restart();
        body();
        ms.push_back(timer.nsecsElapsed() / 1e6);
    }
    return median(std::move(ms));
}

}  // namespace orvex
