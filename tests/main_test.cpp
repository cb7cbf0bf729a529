#include <gtest/gtest.h>

#include <QApplication>

// Every test binary gets one QApplication (offscreen, set by the test's
// environment) before any test runs, so widget tests need no setup of their own.
int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
