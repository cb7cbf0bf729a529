#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include "fakes/DesktopFixture.h"
#include "session/TimeFormat.h"

using namespace orvex;

namespace {

class ListWindowsTest : public DesktopFixture {
protected:
    static bool highlighted(ListForm* f, int row) {
        return f->lblList[(row - 1) * 2 + 1]->palette().color(QPalette::Window) ==
               QColor(128, 128, 128);
    }
};

}  // namespace

TEST_F(ListWindowsTest, DownOnTheLastVisibleLineScrollsByOneAndKeepsTheHighlight) {
    session().LapsWin = WinState{0, 7575, 15, 3300, 3000};
    frmLaps* f = windows.showLaps();
    Elenco& e = f->Lista();
    ASSERT_LT(e.Lines, 25);
    f->Line_Select(e.Lines);
    key(f->picList1, Qt::Key_Down);
    EXPECT_EQ(e.FirstLine, 2);
    EXPECT_EQ(e.ItemSelect, e.Lines + 1);
    EXPECT_TRUE(highlighted(f, e.Lines));

    // With the selection scrolled out of view, Up moves it and brings it back.
    f->scrList->setValue(f->scrList->maximum());
    f->Line_Select(25);
    f->scrList->setValue(0);
    key(f->picList1, Qt::Key_Up);
    EXPECT_EQ(e.ItemSelect, 24);
    EXPECT_EQ(e.FirstLine, 24 - e.Lines + 1);
    EXPECT_TRUE(highlighted(f, e.Lines));
}

TEST_F(ListWindowsTest, AResizeKeepsTheHighlightAndAClickedScrollBarTakesTheKeys) {
    session().LapsWin = WinState{0, 7575, 15, 3300, 3000};
    frmLaps* f = windows.showLaps();
    Elenco& e = f->Lista();
    const int height = f->height();

    // Taller than the list: every line shows, the highlight stays on line 20.
    f->scrList->setValue(f->scrList->maximum());
    f->Line_Select(20);
    f->resize(f->width(), height * 3);
    ASSERT_EQ(e.FirstLine, 1);
    for (int row = 1; row <= e.Lines; ++row) EXPECT_EQ(highlighted(f, row), row == 20) << row;

    f->resize(f->width(), height);
    area->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(area.get()));
    QTest::mouseClick(f->scrList, Qt::LeftButton, {}, QPoint(2, f->scrList->height() - 20));
    EXPECT_TRUE(f->scrList->hasFocus());
    const int first = e.FirstLine;
    ASSERT_GT(first, 1);
    QTest::keyClick(f->scrList, Qt::Key_Up);
    EXPECT_EQ(e.FirstLine, first - 1);
    QTest::keyClick(f->scrList, Qt::Key_Escape);
    EXPECT_EQ(windows.laps(), nullptr);
}

TEST_F(ListWindowsTest, ClicksAndSortButtonsLoadTheLapsOfTheDriverOnTheLineKeysDoNot) {
    // Driver d gets one lap of (31 - d) seconds: driver 30 is the fastest.
    Session& s = session();
    for (int d = 1; d <= kDrivers; ++d) s.LapTimes[lapSlot(d, 1)] = (31 - d) * 100;
    s.MakeTotals();
    s.SortTotals();
    frmLaps* laps = windows.showLaps();
    frmStat* f = windows.showStat();
    const auto firstLap = [&] { return cellText(laps, 1, 2).toStdString(); };
    f->cmdList[1]->click();
    EXPECT_EQ(firstLap(), FormatTime(100));  // the sort buttons load the first line: driver 30
    press(f->lblList[3 * 2]);
    EXPECT_EQ(firstLap(), FormatTime(300));  // driver 28, not driver 3
    key(f->picList1, Qt::Key_Down);          // moving the highlight loads nothing
    EXPECT_EQ(firstLap(), FormatTime(300));
    f->cmdList[0]->click();
    EXPECT_EQ(firstLap(), FormatTime(3000));  // driver 1
}

TEST_F(ListWindowsTest, EscapeClosesAndReopeningRestoresTheLastNormalRectangleMaximisedOrNot) {
    frmLaps* f = windows.showLaps();
    f->move(40, 60);
    const TwipsRect moved = f->windowRect();
    key(f->picList1, Qt::Key_Escape);
    flush();
    f = windows.showLaps();
    EXPECT_EQ(f->windowRect(), moved);

    // Maximised, the window fills the area and stays so.
    f->showMaximized();
    QCoreApplication::processEvents();
    EXPECT_TRUE(f->isMaximized());
    f->GetWinPosition();
    EXPECT_EQ(session().LapsWin.Height, moved.height);
    f->showMinimized();
    f->close();
    EXPECT_EQ(session().LapsWin.Left, moved.left);
    EXPECT_EQ(session().LapsWin.Width, moved.width);
}

TEST_F(ListWindowsTest, ListWithoutLapEntriesShowsNoRowsAndClicksDoNoHarm) {
    frmLaps* laps = windows.showLaps();
    frmStat* f = windows.showStat();
    Session& s = session();
    s.LapList.resize(1);  // an abandoned download leaves only entry 0
    laps->RemakeLista();
    laps->RefreshDati();
    EXPECT_EQ(laps->Lista().rowsLoaded(), 0);
    press(f->lblList[2 * 2]);
    f->cmdList[1]->click();
    EXPECT_EQ(s.LapList.size(), 1u);
    EXPECT_TRUE(fakes.messages.shown.empty());
}
