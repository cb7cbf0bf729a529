#include <gtest/gtest.h>

#include <QProcess>

#include "fakes/FakePlatform.h"
#include "shell/frmStart.h"

using namespace orvex;

// Each pass of the wait loop moves the day clock by 10 ms, wrapping at midnight.
TEST(SplashWait, EndsAtTheRoundedThirdSecondEvenAcrossMidnight) {
    const std::pair<double, double> cases[] = {
        {1000.2, 2.8}, {1000.5, 3.5}, {1001.5, 2.5}, {86398.7, 3.3}};  // ties round to even
    for (const auto& [start, waited] : cases) {
        FakePlatform fakes;
        fakes.dayClock.seconds = start;
        fakes.events.hooks.push_back([&] {
            fakes.dayClock.seconds += 0.01;
            if (fakes.dayClock.seconds >= 86400.0) fakes.dayClock.seconds -= 86400.0;
        });
        EXPECT_NEAR(SplashWait(fakes.dayClock, fakes.events), waited, 1e-9) << start;
    }
}

// The program run with nothing of the test's environment but `env`: no
// display unless given one.
struct Outcome {
    int code;
    QString errors;
};
Outcome runOrvex(const QStringList& arguments, const QStringList& env = {}) {
    QProcess orvex;
    QProcessEnvironment clean;
    clean.insert("ASAN_OPTIONS", "detect_leaks=0");
    clean.insert("HOME", "/nonexistent");
    for (const QString& pair : env) clean.insert(pair.section('=', 0, 0), pair.section('=', 1));
    orvex.setProcessEnvironment(clean);
    orvex.start(ORVEX_BINARY, arguments);
    EXPECT_TRUE(orvex.waitForFinished(60000));
    return {orvex.exitStatus() == QProcess::NormalExit ? orvex.exitCode() : -1,
            QString::fromLocal8Bit(orvex.readAllStandardError())};
}

TEST(CommandLine, ABadOptionPrintsTheUsageAndWithoutADisplaySoDoesAPlainStart) {
    for (const QStringList& env : {QStringList{}, QStringList{"QT_QPA_PLATFORM=offscreen"}}) {
        const Outcome bogus = runOrvex({"--bogus"}, env);
        EXPECT_EQ(bogus.code, 1) << env.join(' ').toStdString();
        EXPECT_TRUE(bogus.errors.contains("Unknown option 'bogus'")) << bogus.errors.toStdString();
        EXPECT_TRUE(bogus.errors.contains("Usage: ")) << bogus.errors.toStdString();
    }
    for (const QStringList& env : {QStringList{}, QStringList{"QT_QPA_PLATFORM=xcb"}}) {
        const Outcome plain = runOrvex({}, env);
        EXPECT_EQ(plain.code, 1);
        EXPECT_EQ(plain.errors.toStdString(),
                  "orvex needs a graphical display (DISPLAY or WAYLAND_DISPLAY is not set).\n");
    }
}
