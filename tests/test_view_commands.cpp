#include <gtest/gtest.h>

#include <QAction>
#include <QKeyEvent>
#include <QLabel>
#include <functional>

#include "fakes/MainWindowFixture.h"
#include "shell/DesktopDevice.h"
#include "ui/lists/ChildWindows.h"
#include "ui/lists/frmLaps.h"
#include "ui/lists/frmSession.h"
#include "ui/lists/frmStat.h"

using namespace orvex;

namespace {

// The main window on a new session, as File > New leaves it.
class ViewCommandsTest : public MainWindowFixture {
protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        Session& s = session();
        s.ResetSession();
        s.FileState = FileState::New;
        s.LapsWin.Left = s.StatWin.Left = s.SessionWin.Left = -1;
        load();
    }
    void click(const char* key) { desk->toolbarButton(key)->trigger(); }
    ChildWindows& w() { return desk->childWindows(); }
};

}  // namespace

TEST_F(ViewCommandsTest, ButtonsAndCheckMarksFollowTheWindowsHoweverTheyOpenOrClose) {
    auto escape = [](QWidget* w) {
        QKeyEvent e(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QCoreApplication::sendEvent(w, &e);
    };
    struct Step {
        const char* what;
        std::function<void()> act;
        bool session, stat, laps;  // which windows are open afterwards
    };
    const std::vector<Step> steps = {
        {"View > Times", [&] { desk->MenuView(2)->trigger(); }, false, true, true},
        {"Escape in Times", [&] { escape(w().laps()->picList1); }, false, true, false},
        {"close box of Statistics", [&] { w().stat()->close(); }, false, false, false},
        {"Statistics button", [&] { click("Statistics"); }, false, true, false},
        {"View > Statistics", [&] { desk->MenuView(1)->trigger(); }, false, false, false},
        {"Session button", [&] { click("Session"); }, true, false, false},
        {"Escape in Session data", [&] { escape(w().sessionData()); }, false, false, false},
        {"View > Session data", [&] { desk->MenuView(0)->trigger(); }, true, false, false},
        {"Laps button", [&] { click("Laps"); }, true, true, true},
        {"View > Times closes both", [&] { desk->MenuView(2)->trigger(); }, true, false, false},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        step.act();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        const bool open[] = {w().sessionData() != nullptr, w().stat() != nullptr,
                             w().laps() != nullptr};
        const bool want[] = {step.session, step.stat, step.laps};
        const char* button[] = {"Session", "Statistics", "Laps"};
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(open[i], want[i]) << i;
            EXPECT_EQ(desk->buttonValue(button[i]) == 1, want[i]) << i;
            EXPECT_EQ(desk->MenuView(i)->isChecked(), want[i]) << i;
        }
    }
}

TEST_F(ViewCommandsTest, TimesAndTheEndOfADownloadBuildTheLapsListOnce) {
    Session& s = session();
    s.LapTimes[lapSlot(1, 3)] = 4321;
    desk->MenuView(2)->trigger();
    frmLaps* laps = w().laps();
    EXPECT_EQ(laps->listBuilds(), 1);
    EXPECT_EQ(laps->lblList[3 * 2]->text(), "00:00.43.21");

    // A download ends as the comm tick ends it: new lists, driver 1's laps.
    w().stat()->Line_Select(4);
    s.LapTimes[lapSlot(1, 2)] = 1234;
    s.MakeTotals();
    s.SortTotals();
    s.MakeLapList(1);
    desk->refreshListsAfterDownload();
    EXPECT_EQ(laps->listBuilds(), 2);
    EXPECT_EQ(w().stat()->Lista().ItemSelect, 1);
    EXPECT_EQ(laps->lblList[2 * 2]->text(), "00:00.12.34");
}

TEST_F(ViewCommandsTest, ClicksWhileBusyAreIgnored) {
    fakes.pointer.shape = MousePointer::Hourglass;
    desk->MenuDevice(0)->trigger();
    click("Upload");
    EXPECT_EQ(desk->device().requests().pending(), DeviceCommand::None);
    fakes.pointer.shape = MousePointer::Normal;
    click("Upload");
    EXPECT_EQ(desk->device().requests().pending(), DeviceCommand::StartDownload);
}
