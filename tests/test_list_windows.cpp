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

TEST_F(ListWindowsTest, ANewSessionShowsEveryLineUnderTheHourglass) {
    frmLaps* laps = windows.showLaps();
    EXPECT_EQ(windows.showLaps(), laps);  // one window of each kind
    EXPECT_EQ(session().LapsWin.Open, -1);
    for (int l = 1; l <= 25; ++l) EXPECT_EQ(lineText(laps, l, 1), QString(" %1").arg(l));
    EXPECT_EQ(cellText(laps, 1, 2), QString::fromStdString(FormatTime(0)));
    frmStat* f = windows.showStat();
    EXPECT_EQ(f->Line_Count(), 30);
    EXPECT_EQ(lineText(f, 30, 1), " 30");
    ASSERT_FALSE(fakes.pointer.history.empty());
    EXPECT_EQ(fakes.pointer.history.front(), MousePointer::Hourglass);
    EXPECT_EQ(fakes.pointer.shape, MousePointer::Normal);
}

TEST_F(ListWindowsTest, DownOnTheLastVisibleLineScrollsByOneAndKeepsTheHighlight) {
    session().LapsWin = WinState{0, 7575, 15, 3300, 3000};
    frmLaps* f = windows.showLaps();
    Elenco& e = f->Lista();
    ASSERT_LT(e.Lines, 25);
    EXPECT_EQ(f->scrList->maximum(), 25 - e.Lines);
    f->Line_Select(e.Lines);
    key(f->picList1, Qt::Key_Down);
    EXPECT_EQ(e.FirstLine, 2);
    EXPECT_EQ(e.ItemSelect, e.Lines + 1);
    EXPECT_EQ(e.LineSelect, e.Lines);
    EXPECT_TRUE(highlighted(f, e.Lines));
    EXPECT_EQ(cellText(f, e.Lines, 1), QString(" %1").arg(e.Lines + 1));

    // With the selection scrolled out of view, Up moves it and brings it back.
    f->scrList->setValue(f->scrList->maximum());
    f->Line_Select(25);
    f->scrList->setValue(0);
    ASSERT_EQ(e.LineSelect, 0);
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
    EXPECT_EQ(e.ItemSelect, 20);
    EXPECT_EQ(e.LineSelect, 20);
    for (int row = 1; row <= e.Lines; ++row) EXPECT_EQ(highlighted(f, row), row == 20) << row;

    f->resize(f->width(), height);
    area->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(area.get()));
    ASSERT_TRUE(f->scrList->isVisible());
    QTest::mouseClick(f->scrList, Qt::LeftButton, {}, QPoint(2, f->scrList->height() - 20));
    EXPECT_TRUE(f->scrList->hasFocus());
    const int first = e.FirstLine;
    ASSERT_GT(first, 1);
    QTest::keyClick(f->scrList, Qt::Key_Up);
    EXPECT_EQ(e.FirstLine, first - 1);
    QTest::keyClick(f->scrList, Qt::Key_Escape);
    EXPECT_EQ(windows.laps(), nullptr);
}

TEST_F(ListWindowsTest, TimeViewPutsDriversWithoutLapsFirstAndTiesInNumberOrder) {
    Session& s = session();
    s.LapTimes[lapSlot(5, 1)] = 1000;
    s.LapTimes[lapSlot(5, 2)] = 1000;
    s.LapTimes[lapSlot(2, 7)] = 2000;
    s.LapTimes[lapSlot(9, 25)] = 1500;
    s.MakeTotals();
    s.SortTotals();
    frmStat* f = windows.showStat();
    f->cmdList[1]->click();
    std::vector<int> expected;
    for (int d = 1; d <= 30; ++d)
        if (d != 2 && d != 5 && d != 9) expected.push_back(d);
    expected.insert(expected.end(), {9, 2, 5});
    for (int line = 1; line <= 30; ++line)
        EXPECT_EQ(lineText(f, line, 1), QString(" %1").arg(expected[line - 1])) << line;
    EXPECT_EQ(lineText(f, 30, 2), QString::fromStdString(FormatTime(2000)));

    // The order survives closing and reopening, and the sort buttons switch it.
    key(f->cmdList[1], Qt::Key_Escape);
    flush();
    EXPECT_EQ(windows.stat(), nullptr);
    f = windows.showStat();
    EXPECT_EQ(cellText(f, 1, 1), QString(" %1").arg(expected[0]));
    f->cmdList[0]->click();
    EXPECT_EQ(lineText(f, 28, 1), " 28");
}

TEST_F(ListWindowsTest, ClicksAndSortButtonsLoadTheLapsOfTheDriverOnTheLineKeysDoNot) {
    // Driver d gets one lap of (31 - d) seconds: driver 30 is the fastest.
    Session& s = session();
    for (int d = 1; d <= kDrivers; ++d) s.LapTimes[lapSlot(d, 1)] = (31 - d) * 100;
    s.MakeTotals();
    s.SortTotals();
    frmLaps* laps = windows.showLaps();
    frmStat* f = windows.showStat();
    f->cmdList[1]->click();
    ASSERT_EQ(cellText(f, 3, 1), " 28");
    press(f->lblList[3 * 2]);
    EXPECT_EQ(f->Lista().ItemSelect, 3);
    EXPECT_EQ(session().LapList[1].Text, FormatTime(300));  // driver 28, not driver 3
    EXPECT_EQ(cellText(laps, 1, 2), QString::fromStdString(FormatTime(300)));

    // Moving the highlight with the keys loads nothing.
    key(f->picList1, Qt::Key_Down);
    key(f->picList1, Qt::Key_Down);
    EXPECT_EQ(f->Lista().ItemSelect, 5);
    EXPECT_EQ(cellText(laps, 1, 2), QString::fromStdString(FormatTime(300)));

    // The sort buttons load the laps of the first line.
    f->cmdList[1]->click();
    EXPECT_EQ(cellText(laps, 1, 2), QString::fromStdString(FormatTime(100)));  // driver 30
    f->cmdList[0]->click();
    EXPECT_EQ(cellText(laps, 1, 2), QString::fromStdString(FormatTime(3000)));  // driver 1
}

TEST_F(ListWindowsTest, EscapeClosesAndReopeningRestoresTheLastNormalRectangleMaximisedOrNot) {
    frmLaps* f = windows.showLaps();
    int released = 0;
    QObject::connect(f, &frmLaps::unloaded, [&] { ++released; });
    f->move(40, 60);
    const TwipsRect moved = f->windowRect();
    key(f->picList1, Qt::Key_Escape);
    EXPECT_EQ(windows.laps(), nullptr);
    EXPECT_EQ(released, 1);
    EXPECT_EQ(session().LapsWin.Open, 0);
    EXPECT_EQ(session().LapsWin.Top, moved.top);
    flush();
    f = windows.showLaps();
    EXPECT_EQ(f->windowRect(), moved);

    // Maximised, the window fills the area and stays so.
    f->showMaximized();
    QCoreApplication::processEvents();
    EXPECT_TRUE(f->isMaximized());
    EXPECT_EQ(f->geometry(), area->viewport()->rect());
    f->GetWinPosition();
    EXPECT_EQ(session().LapsWin.Left, moved.left);
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
    EXPECT_FALSE(laps->scrList->isVisible());
    press(f->lblList[2 * 2]);
    f->cmdList[1]->click();
    f->cmdList[0]->click();
    EXPECT_EQ(s.LapList.size(), 1u);
    EXPECT_TRUE(fakes.messages.shown.empty());

    s.ResetSession();
    laps->RemakeLista();
    laps->RefreshDati();
    EXPECT_EQ(laps->Lista().Lines, laps->Lista().rowsLoaded());
    EXPECT_EQ(laps->Lista().ItemSelect, 1);
    EXPECT_TRUE(highlighted(laps, 1));
}
