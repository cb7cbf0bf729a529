#include <gtest/gtest.h>

#include <QLabel>
#include <QMdiArea>
#include <QScrollBar>
#include <memory>

#include "fakes/FakePlatform.h"
#include "platform/qt/Twips.h"
#include "session/Session.h"
#include "ui/lists/Elenco.h"
#include "ui/lists/ListForm.h"

using namespace orvex;

namespace {

// A list host whose cells show "line.column", with a line count the test sets.
class TestListHost : public ListForm {
public:
    explicit TestListHost(QMdiArea* area) : ListForm(area) {}
    int lines = 25;
    WinState win;

    std::int16_t Line_Count() override { return static_cast<std::int16_t>(lines); }
    void Item_Get(std::int16_t, std::int16_t Numero, std::int16_t Linea, QWidget* Cella) override {
        static_cast<QLabel*>(Cella)->setText(QString("%1.%2").arg(Linea).arg(Numero));
    }
    void Item_Set(std::int16_t, std::int16_t, std::int16_t, QWidget*) override {}
    void load(const std::function<void(Elenco&)>& configure) { loadList(configure); }

protected:
    WinState& winState() override { return win; }
};

class ElencoTest : public ::testing::Test {
protected:
    FakePlatform fakes;
    std::unique_ptr<QMdiArea> area = [] {
        auto a = std::make_unique<QMdiArea>();
        a->resize(1200, 900);
        a->show();
        return a;
    }();
    TestListHost* host = new TestListHost(area.get());
    Elenco& e() { return host->Lista(); }

    // The list windows' configuration: the window fits fewer rows than 25.
    void load(int lines, int labels = 2) {
        host->lines = lines;
        host->load([&](Elenco& e) {
            e.FormLeft = 1500;
            e.FormTop = 150;
            e.FormWidth = 3300;
            e.FormHeight = 3000;
            e.Border = 100;
            e.ButHeight = 350;
            e.ButWidth = 1400;
            e.ButText = {"A", "B"};
            e.ColumnWidth = {700, 2000, 1200, 1};
            e.Titles = {"Number", "Time"};
            e.Labels = labels;
            e.LineHeight = 250;
        });
    }
    QLabel* cell(int row, int column) { return host->lblList[(row - 1) * 2 + column]; }
    bool highlighted(int row) {
        return cell(row, 1)->palette().color(QPalette::Window) == QColor(128, 128, 128) &&
               cell(row, 2)->palette().color(QPalette::WindowText) == Qt::white;
    }
};

}  // namespace

TEST_F(ElencoTest, SelectionClampsToTheListAndTheHighlightFollowsScrolling) {
    load(25);
    e().ListSelect(99.0);
    EXPECT_EQ(e().ItemSelect, 25);
    EXPECT_EQ(e().LineSelect, 0);  // line 25 is below the window
    e().ListSelect(cell(3, 2), 240.0);
    EXPECT_EQ(e().ItemSelect, 4);  // an offset of one row selects the next line
    host->scrList->setValue(5);
    EXPECT_EQ(e().LineSelect, 0);
    EXPECT_FALSE(highlighted(2));
    host->scrList->setValue(1);
    EXPECT_TRUE(highlighted(3));                         // line 4 on row 3
    EXPECT_EQ(e().ListLineNumber(host->lblList[4]), 3);  // row 2 shows line 1 + 2
}

TEST_F(ElencoTest, ScrollingRefillsTheSameCellsAShrunkListFillsItsLastLine) {
    load(25);
    const int widgets = host->picList1->findChildren<QLabel*>().size();
    for (int v = 0; v <= host->scrList->maximum(); ++v) host->scrList->setValue(v);
    EXPECT_EQ(host->picList1->findChildren<QLabel*>().size(), widgets);
    EXPECT_EQ(cell(e().Lines, 1)->text(), "25.1");

    // An empty list has no rows or selection.
    load(5);
    host->lines = 3;  // the data shrank before the host remade the list
    e().ListRefresh();
    EXPECT_EQ(cell(3, 2)->text(), "3.2");
    EXPECT_FALSE(e().refreshing());

    host->lines = 0;
    e().ListMake();
    EXPECT_EQ(e().rowsLoaded(), 0);
    EXPECT_EQ(e().ItemSelect, 0);
    EXPECT_FALSE(host->scrList->isVisible());
    host->lines = 25;
    e().ListMake();
    EXPECT_EQ(e().ItemSelect, 1);
    EXPECT_TRUE(highlighted(1));
}

TEST_F(ElencoTest, WideScreenDoesNotOverflowTheRowLayout) {
    fakes.screen.widthPx = 2560;
    load(25, 4);
    EXPECT_EQ(e().rowsLoaded(), e().Lines);
}
