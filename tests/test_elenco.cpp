#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QMdiArea>
#include <QPushButton>
#include <QScrollBar>

#include "fakes/TestListHost.h"
#include "lists/Elenco.h"
#include "platform/Twips.h"

using namespace orvex;

namespace {

constexpr QColor kGrey(128, 128, 128);

// The configuration both list windows use, with two buttons.
void listWindowSetup(Elenco& e) {
    e.FormLeft = 1500;
    e.FormTop = 150;
    e.FormWidth = 3300;
    e.FormHeight = 3000;  // fits fewer rows than the 25 lines
    e.Border = 100;
    e.ButHeight = 350;
    e.ButWidth = 1400;
    e.ButText = {"A", "B"};
    e.ColumnWidth = {700, 2000, 1200, 1};
    e.Titles = {"Number", "Time"};
    e.Labels = 2;
    e.LineHeight = 250;
}

class ElencoTest : public ::testing::Test {
protected:
    OffscreenDesktop desk;
    TestListHost* host = new TestListHost(desk.area.get());
    Elenco& e() { return host->Lista(); }

    void load(int lines, const std::function<void(Elenco&)>& extra = {}) {
        host->lines = lines;
        host->load([&](Elenco& e) {
            listWindowSetup(e);
            if (extra) extra(e);
        });
    }
    QLabel* cell(int row, int column) { return host->lblList[(row - 1) * 2 + column]; }
    bool highlighted(int row) {
        return cell(row, 1)->palette().color(QPalette::Window) == kGrey &&
               cell(row, 2)->palette().color(QPalette::WindowText) == Qt::white;
    }
    int clientSteps() {
        // The client height beyond the fixed chrome, in row steps.
        const int chrome = 3 * 15 + 3 * e().Border + e().ButHeight;
        return host->clientHeight() - chrome;
    }
    // Resizes the window as a user dragging its frame would.
    void resizeWindow(int widthTwips, int heightTwips) {
        host->resize(twipsToPixelsX(widthTwips), twipsToPixelsY(heightTwips));
    }
};

}  // namespace

TEST_F(ElencoTest, SizesRoundDownToWholePixelsAndNeighboursShareBorders) {
    load(25, [](Elenco& e) { e.Border = 0; });
    EXPECT_EQ(e().Border, 90);  // 0 stands for 100, which is 6 whole pixels
    EXPECT_EQ(e().LineHeight, 240);
    EXPECT_EQ(e().ButWidth, 1395);
    EXPECT_EQ(widthTwips(host->cmdList[0]), 1395);
    EXPECT_EQ(heightTwips(host->lblList[1]), 240);
    ASSERT_EQ(e().pixelWidths().size(), 4u);
    EXPECT_EQ(e().pixelWidths()[0], 690);
    EXPECT_EQ(e().pixelWidths()[1], 1995);
    EXPECT_EQ(e().pixelWidths()[2], 1200);
    EXPECT_EQ(e().pixelWidths()[3], desk.fakes.screen.widthTwips());
    // Cells, titles and rows share their border pixels.
    EXPECT_EQ(geometryTwips(cell(1, 1)), (TwipsRect{0, 0, 690, 240}));
    EXPECT_EQ(geometryTwips(cell(1, 2)), (TwipsRect{675, 0, 1995, 240}));
    EXPECT_EQ(geometryTwips(cell(2, 1)).top, 225);
    EXPECT_EQ(geometryTwips(cell(3, 2)).top, 450);
    ASSERT_EQ(host->lblTitle.size(), 3u);
    EXPECT_EQ(geometryTwips(host->lblTitle[1]), (TwipsRect{15, 15, 690, 240}));
    EXPECT_EQ(geometryTwips(host->lblTitle[2]), (TwipsRect{690, 15, 1995, 240}));
    EXPECT_EQ(host->lblTitle[2]->text(), "Time");
    // Buttons follow each other one pixel apart from their full width.
    EXPECT_EQ(geometryTwips(host->cmdList[1]).left, (1395 - 15) + 90);
    EXPECT_EQ(host->cmdList[1]->text(), "B");
    EXPECT_EQ(cell(2, 1)->text(), "2.1");
}

TEST_F(ElencoTest, ViewportOf2000TwipsFitsEightRowsWithAScrollBar) {
    load(25);
    moveTwips(host->picList1, 15, 255, 2000, 2000);
    e().ListMake();
    EXPECT_EQ(e().rowsFit(), 8);
    EXPECT_EQ(e().Lines, 8);
    EXPECT_EQ(e().rowsLoaded(), 8);
    EXPECT_TRUE(host->scrList->isVisible());
    EXPECT_EQ(host->scrList->maximum(), 17);
    EXPECT_EQ(host->scrList->pageStep(), 8);
    EXPECT_EQ(host->scrList->singleStep(), 1);
    EXPECT_EQ(host->scrList->value(), 0);
}

TEST_F(ElencoTest, ShortListGetsOnlyItsRowsAndNoScrollBar) {
    load(5);
    EXPECT_GT(e().rowsFit(), 5);
    EXPECT_EQ(e().Lines, 5);
    EXPECT_EQ(e().rowsLoaded(), 5);
    EXPECT_EQ(host->lblList.size(), 11u);
    EXPECT_FALSE(host->scrList->isVisible());
    EXPECT_EQ(e().ItemSelect, 1);  // the first ListMake that creates rows selects line 1
    EXPECT_TRUE(highlighted(1));
}

TEST_F(ElencoTest, ResizeSnapsToWholeRowsAndRefusesLessThanTwo) {
    load(25);
    EXPECT_EQ(clientSteps() % 225, 0);
    const TwipsRect before = host->windowRect();
    resizeWindow(before.width, before.height - 100 * 15 + 7 * 15);
    EXPECT_EQ(clientSteps() % 225, 0);
    EXPECT_EQ(e().FormHeight, host->windowRect().height);
    EXPECT_LT(host->windowRect().height, before.height);
    EXPECT_EQ(e().Lines, e().rowsFit());

    resizeWindow(before.width, 300);
    EXPECT_EQ(clientSteps(), 2 * 225);  // frame + chrome + 2 x 240 snapped down
    EXPECT_EQ(e().Lines, 1);            // the title row takes one step
}

TEST_F(ElencoTest, ShrinkingKeepsSurplusRowsUntilTheListIsRemade) {
    load(25);
    const int loaded = e().rowsLoaded();
    const TwipsRect r = host->windowRect();
    resizeWindow(r.width, r.height - 4 * 225);
    EXPECT_EQ(e().Lines, loaded - 4);
    EXPECT_EQ(e().rowsLoaded(), loaded);
    e().ListMake();
    EXPECT_EQ(e().rowsLoaded(), loaded - 4);
}

TEST_F(ElencoTest, WideningIsUndoneAtOnceNarrowingWorks) {
    load(25);
    const TwipsRect r = host->windowRect();
    EXPECT_EQ(e().FormMaxWidth, 3300);
    resizeWindow(r.width + 1500, r.height);
    EXPECT_EQ(host->windowRect().width, 3300);
    resizeWindow(r.width + 150, r.height);
    EXPECT_EQ(host->windowRect().width, 3300);
    resizeWindow(r.width - 150, r.height);
    EXPECT_EQ(host->windowRect().width, 3150);
}

TEST_F(ElencoTest, ButtonsSetTheNarrowestWidth) {
    load(25, [](Elenco& e) {
        e.FormWidth = 1500;
        e.ButOffset = 150;
    });
    // Two 1395 buttons, two borders of 90 and the frame. The gap between the
    // buttons would need more, but the width reached on load is the widest.
    const int frame = host->windowRect().width - host->clientWidth();
    EXPECT_EQ(host->windowRect().width, 2 * 1395 + 2 * 90 + frame);
    EXPECT_EQ(e().FormMaxWidth, host->windowRect().width);
}

TEST_F(ElencoTest, SelectionClampsToTheList) {
    load(25);
    e().ListSelect(0.0);
    EXPECT_EQ(e().ItemSelect, 1);
    e().ListSelect(99.0);
    EXPECT_EQ(e().ItemSelect, 25);
    EXPECT_EQ(e().LineSelect, 0);  // line 25 is below the window
    e().ListSelect(cell(3, 2), 240.0);
    EXPECT_EQ(e().ItemSelect, 4);  // an offset of one row selects the next line
    e().ListSelect(cell(3, 2), -1.0);
    EXPECT_EQ(e().ItemSelect, 2);
}

TEST_F(ElencoTest, HighlightAndLabelLinesFollowScrolling) {
    load(25);
    e().ListSelect(2.0);
    ASSERT_TRUE(highlighted(2));
    EXPECT_FALSE(highlighted(1));
    host->scrList->setValue(5);
    EXPECT_EQ(e().FirstLine, 6);
    EXPECT_EQ(e().ItemSelect, 2);
    EXPECT_EQ(e().LineSelect, 0);
    EXPECT_FALSE(highlighted(2));
    EXPECT_EQ(cell(1, 1)->text(), "6.1");
    host->scrList->setValue(1);
    EXPECT_EQ(e().LineSelect, 1);
    EXPECT_TRUE(highlighted(1));
    EXPECT_EQ(cell(2, 1)->palette().color(QPalette::Window), QColor(Qt::white));
    host->scrList->setValue(3);
    EXPECT_EQ(e().ListLineNumber(host->lblList[4]), 5);  // row 2 shows line 4 + 1
    EXPECT_EQ(e().ListLineNumber(host->lblList[5]), 6);  // row 3
}

TEST_F(ElencoTest, ScrollingRefillsCellsAndAsksOnlyForVisibleOnes) {
    load(25);
    const int widgets = host->picList1->findChildren<QLabel*>().size();
    host->gets = 0;
    for (int v = 0; v <= host->scrList->maximum(); ++v) host->scrList->setValue(v);
    EXPECT_EQ(host->picList1->findChildren<QLabel*>().size(), widgets);
    host->gets = 0;
    e().ListRefresh();
    EXPECT_EQ(host->gets, e().Lines * 2);
    EXPECT_EQ(cell(e().Lines, 1)->text(), "25.1");
}

TEST_F(ElencoTest, AShrunkListFillsItsLastLineAnEmptyOneHasNoRowsOrSelection) {
    load(5);
    host->lines = 3;  // the data shrank before the host remade the list
    e().ListRefresh();
    EXPECT_EQ(cell(3, 2)->text(), "3.2");
    EXPECT_FALSE(e().refreshing());

    host->lines = 25;
    e().ListMake();
    ASSERT_TRUE(host->scrList->isVisible());
    host->lines = 0;
    e().ListMake();
    EXPECT_EQ(e().rowsLoaded(), 0);
    EXPECT_EQ(e().Lines, 0);
    EXPECT_EQ(e().ItemSelect, 0);
    EXPECT_FALSE(host->scrList->isVisible());
    host->lines = 25;
    e().ListMake();
    EXPECT_EQ(e().ItemSelect, 1);
    EXPECT_TRUE(highlighted(1));
}

TEST_F(ElencoTest, WideScreenDoesNotOverflowTheRowLayout) {
    desk.fakes.screen.widthPx = 2560;
    load(25, [](Elenco& e) { e.Labels = 4; });
    EXPECT_EQ(e().rowsLoaded(), e().Lines);
    EXPECT_GT(e().Lines, 0);
}
