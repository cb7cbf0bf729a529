#pragma once
// The opening every bench shares: a Qt application, offscreen at 96 DPI unless
// the caller chose otherwise, with the Qt platform installed.
#include <QApplication>

#include "platform/QtPlatform.h"

namespace orvex {

class BenchApp {
public:
    BenchApp(int& argc, char** argv) : ready_(prepareEnvironment()), app_(argc, argv) {}

private:
    // Runs before the application exists, which reads the variables once.
    static bool prepareEnvironment() {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        if (qEnvironmentVariableIsEmpty("QT_FONT_DPI")) qputenv("QT_FONT_DPI", "96");
        return true;
    }

    bool ready_;
    QApplication app_;
    QtPlatform platform_;
};

}  // namespace orvex
