#include <gtest/gtest.h>

#include <QAction>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>

#include "fakes/MainWindowFixture.h"
#include "lists/frmLaps.h"
#include "lists/frmStat.h"
#include "session/frmSession.h"
#include "shell/DesktopFileViews.h"

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
    bool pressed(const char* key) { return desk->buttonValue(key) == 1; }
    bool checked(int index) { return desk->MenuView(index)->isChecked(); }
};

}  // namespace

TEST_F(ViewCommandsTest, SessionDataAndStatisticsToggleFromMenuAndToolbar) {
    desk->MenuView(0)->trigger();
    ASSERT_NE(frmSession::instance(), nullptr);
    EXPECT_TRUE(pressed("Session"));
    EXPECT_TRUE(checked(0));
    desk->MenuView(0)->trigger();
    EXPECT_EQ(frmSession::instance(), nullptr);
    EXPECT_FALSE(pressed("Session"));
    EXPECT_FALSE(checked(0));

    click("Statistics");
    ASSERT_NE(frmStat::instance(), nullptr);
    EXPECT_TRUE(pressed("Statistics"));
    click("Statistics");
    EXPECT_EQ(frmStat::instance(), nullptr);
    EXPECT_FALSE(pressed("Statistics"));
}

TEST_F(ViewCommandsTest, LapsButtonOpensAndClosesBothListWindows) {
    click("Laps");
    ASSERT_NE(frmLaps::instance(), nullptr);
    ASSERT_NE(frmStat::instance(), nullptr);
    EXPECT_EQ(frmLaps::instance()->mdiArea(), desk->mdiArea());
    EXPECT_TRUE(pressed("Laps"));
    EXPECT_TRUE(checked(2));
    EXPECT_FALSE(pressed("Statistics"));
    EXPECT_FALSE(checked(1));
    click("Laps");
    EXPECT_EQ(frmLaps::instance(), nullptr);
    EXPECT_EQ(frmStat::instance(), nullptr);
    EXPECT_FALSE(pressed("Laps"));
    EXPECT_FALSE(checked(2));
}

TEST_F(ViewCommandsTest, TimesRecomputesTheListsBeforeShowingThem) {
    session().LapTimes[lapSlot(1, 3)] = 4321;
    desk->MenuView(2)->trigger();
    EXPECT_EQ(session().LapList[3].Text, "00:00.43.21");
    EXPECT_EQ(frmLaps::instance()->lblList[3 * 2]->text(), "00:00.43.21");
}

TEST_F(ViewCommandsTest, ClosingTheLapsWindowItselfReleasesItsButton) {
    click("Laps");
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QCoreApplication::sendEvent(frmLaps::instance()->picList1, &escape);
    EXPECT_EQ(frmLaps::instance(), nullptr);
    EXPECT_FALSE(pressed("Laps"));
    EXPECT_FALSE(checked(2));
    EXPECT_NE(frmStat::instance(), nullptr);  // it stays until the next Times
}

TEST_F(ViewCommandsTest, ClicksWhileBusyAreIgnored) {
    fakes.pointer.shape = MousePointer::Hourglass;
    desk->MenuDevice(0)->trigger();
    click("Upload");
    click("Laps");
    EXPECT_EQ(DeviceCommand, 0);
    EXPECT_EQ(frmLaps::instance(), nullptr);
    fakes.pointer.shape = MousePointer::Normal;
    click("Upload");
    EXPECT_EQ(DeviceCommand, DeviceCommandCode::StartDownload);
}

TEST_F(ViewCommandsTest, EndOfDownloadRefreshesTheOpenListWindows) {
    click("Laps");
    frmStat* stat = frmStat::instance();
    stat->Line_Select(4);
    Session& s = session();
    s.LapTimes[lapSlot(1, 2)] = 1234;
    s.MakeTotals();
    s.SortTotals();
    desk->refreshListsAfterDownload();
    EXPECT_EQ(stat->Lista().ItemSelect, 1);
    EXPECT_EQ(stat->lblList[2]->text(), "00:00.12.34");
    EXPECT_EQ(frmLaps::instance()->lblList[2 * 2]->text(), "00:00.12.34");
}

TEST_F(ViewCommandsTest, FileCommandsReadTheOpenWindowsPositionsAndTexts) {
    click("Laps");
    desk->MenuView(0)->trigger();
    frmLaps::instance()->move(30, 40);
    frmSession::instance()->move(50, 60);
    static_cast<QLineEdit*>(frmSession::instance()->txtSession[0])->setText("Sunday");
    DesktopFileViews views(*desk);
    views.recordWindowPositions();
    EXPECT_EQ(session().LapsWin.Left, 30 * 15);
    EXPECT_EQ(session().SessionWin.Top, 60 * 15);
    EXPECT_EQ(session().SessionDate, "");
    views.copySessionTexts();
    EXPECT_EQ(session().SessionDate, "Sunday");
    EXPECT_EQ(session().FileState, FileState::Modified);
}
