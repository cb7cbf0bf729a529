#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>

// Every test binary gets one QApplication (offscreen, set by the test's
// environment) before any test runs, so widget tests need no setup of their own.
// Its home and data folders are a temporary folder, removed at the end, so
// nothing a test writes (download copies, settings) lands in the user's home.
int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QTemporaryDir home;
    if (!home.isValid()) return 1;
    qputenv("HOME", home.path().toUtf8());
    for (const char* xdg : {"XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME", "XDG_STATE_HOME"})
        qunsetenv(xdg);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
