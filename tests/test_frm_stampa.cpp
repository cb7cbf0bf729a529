#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QFrame>
#include <QKeyEvent>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "fakes/FakePlatform.h"
#include "report/frmStampa.h"
#include "session/Session.h"
#include "shell/frmDesktop.h"

using namespace orvex;

namespace {

class frmStampaTest : public ::testing::Test {
protected:
    void SetUp() override {
        session().ResetSession();
        session().FileState = FileState::New;
        session().DataFileName = "Race";
    }

    static void pressEscape(QWidget* w) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier, QString(QChar(27)));
        QApplication::sendEvent(w, &press);
    }

    FakePlatform fakes;
};

// Twips at 15 to the pixel.
QRect px(int left, int top, int width, int height) {
    return QRect(left / 15, top / 15, width / 15, height / 15);
}

TEST_F(frmStampaTest, OpensCentredWithTheCaptionsPlacesAndTabOrderOfTheDesign) {
    frmStampa f;
    EXPECT_EQ(f.windowTitle(), "Print");
    EXPECT_EQ(f.Frame1->geometry(), px(60, 0, 1995, 1275));
    EXPECT_EQ(f.chkPrint[0]->text(), "  Session data");
    EXPECT_EQ(f.chkPrint[1]->text(), "  Statistics");
    EXPECT_EQ(f.chkPrint[2]->text(), "  Times");
    EXPECT_EQ(f.chkPrint[0]->geometry(), px(240, 240, 1515, 315));
    EXPECT_EQ(f.chkPrint[2]->geometry(), px(240, 600, 1575, 315));
    EXPECT_EQ(f.chkPrint[1]->geometry(), px(240, 960, 1455, 315));
    EXPECT_EQ(f.CmdPrint[0]->text(), "OK");
    EXPECT_EQ(f.CmdPrint[1]->text(), "Cancel");
    EXPECT_EQ(f.CmdPrint[0]->geometry(), px(60, 1380, 915, 375));
    EXPECT_EQ(f.CmdPrint[1]->geometry(), px(1080, 1380, 915, 375));
    for (auto* box : f.chkPrint) {
        EXPECT_EQ(box->parentWidget(), f.Frame1);
        EXPECT_FALSE(box->isChecked());
    }

    f.show();
    EXPECT_TRUE(f.chkPrint[0]->isVisible());
    EXPECT_TRUE(f.chkPrint[2]->isVisible());
    EXPECT_FALSE(f.chkPrint[1]->isVisible());
    // Tab walks session data, statistics, times, OK, Cancel; Qt passes over the hidden box.
    EXPECT_EQ(f.chkPrint[0]->nextInFocusChain(), f.chkPrint[1]);
    EXPECT_EQ(f.chkPrint[1]->nextInFocusChain(), f.chkPrint[2]);
    EXPECT_EQ(f.chkPrint[2]->nextInFocusChain(), f.CmdPrint[0]);
    EXPECT_EQ(f.CmdPrint[0]->nextInFocusChain(), f.CmdPrint[1]);
    // Centred on the 1024 x 768 screen by its outer frame.
    const QRect outer = f.frameGeometry();
    ASSERT_NE(outer.size(), f.size());
    EXPECT_NEAR(2 * outer.left() + outer.width(), 1024, 1);
    EXPECT_NEAR(2 * outer.top() + outer.height(), 768, 1);
    f.close();
}

TEST_F(frmStampaTest, CancelOrEscapeOnAnyControlClosesWithoutPrinting) {
    for (int target = 0; target < 5; ++target) {
        SCOPED_TRACE(target);
        frmStampa f;
        f.chkPrint[0]->setChecked(true);
        f.chkPrint[2]->setChecked(true);
        f.show();
        QWidget* on[] = {&f, f.chkPrint[0], f.chkPrint[2], f.CmdPrint[0]};
        if (target == 4)
            f.CmdPrint[1]->click();
        else
            pressEscape(on[target]);
        EXPECT_FALSE(f.isVisible());
        EXPECT_EQ(f.result(), QDialog::Rejected);
    }
    EXPECT_TRUE(fakes.printer.docs.empty());
}

TEST_F(frmStampaTest, EnterOnACheckBoxPrintsNothingEnterOnOkPrints) {
    frmStampa f;
    f.chkPrint[2]->setChecked(true);
    f.show();
    for (QWidget* box : {f.chkPrint[0], f.chkPrint[2]})
        for (Qt::Key enter : {Qt::Key_Return, Qt::Key_Enter}) QTest::keyClick(box, enter);
    EXPECT_TRUE(f.isVisible());
    EXPECT_TRUE(fakes.printer.docs.empty());
    QTest::keyClick(f.CmdPrint[0], Qt::Key_Return);
    EXPECT_EQ(fakes.printer.docs.size(), 1u);
    EXPECT_FALSE(f.isVisible());
}

TEST_F(frmStampaTest, OkPrintsTheTickedSectionsUnderTheBusyPointer) {
    frmStampa f;
    f.chkPrint[0]->setChecked(true);
    f.show();
    fakes.pointer.history.clear();
    f.CmdPrint[0]->click();
    ASSERT_EQ(fakes.printer.docs.size(), 1u);
    EXPECT_TRUE(fakes.printer.docs[0].ended);
    EXPECT_EQ(fakes.printer.page(1)[2], "SESSION Data");
    EXPECT_EQ(fakes.printer.page(1).size(), 14u);  // header, empty line, the session section
    EXPECT_EQ(fakes.pointer.history,
              (std::vector<MousePointer::Shape>{MousePointer::Hourglass, MousePointer::Normal}));
    EXPECT_FALSE(f.isVisible());
    EXPECT_EQ(f.result(), QDialog::Accepted);
}

TEST_F(frmStampaTest, FailingPrinterShowsOneBoxAndOkStillRestoresThePointer) {
    fakes.printer.failAtText = 3;
    frmStampa f;
    f.chkPrint[2]->setChecked(true);
    f.show();
    f.CmdPrint[0]->click();
    EXPECT_EQ(fakes.messages.texts(), std::vector<std::string>{"Printer Error !"});
    EXPECT_FALSE(fakes.printer.docs[0].ended);
    EXPECT_EQ(fakes.pointer.shape, MousePointer::Normal);
    EXPECT_EQ(fakes.pointer.history.back(), MousePointer::Normal);
    EXPECT_FALSE(f.isVisible());
}

TEST_F(frmStampaTest, ShowModalStartsUntickedAtEveryOpening) {
    std::vector<bool> tickedAtOpening;
    auto answer = [&](bool tickAndCancel) {
        QTimer::singleShot(0, [&, tickAndCancel] {
            auto* f = qobject_cast<frmStampa*>(QApplication::activeModalWidget());
            ASSERT_NE(f, nullptr);
            tickedAtOpening.push_back(f->chkPrint[0]->isChecked() || f->chkPrint[2]->isChecked());
            if (tickAndCancel) {
                f->chkPrint[0]->setChecked(true);
                f->chkPrint[2]->setChecked(true);
                f->CmdPrint[1]->click();
            } else {
                pressEscape(f);
            }
        });
    };
    answer(true);
    frmStampa::ShowModal(nullptr);
    answer(false);
    frmStampa::ShowModal(nullptr);
    EXPECT_EQ(tickedAtOpening, (std::vector<bool>{false, false}));
    EXPECT_TRUE(fakes.printer.docs.empty());
}

TEST_F(frmStampaTest, FilePrintAndThePrintButtonOpenTheDialog) {
    frmDesktop desk;
    desk.Form_Load();
    int opened = 0;
    auto okOnTimes = [&] {
        QTimer::singleShot(0, [&] {
            auto* f = qobject_cast<frmStampa*>(QApplication::activeModalWidget());
            ASSERT_NE(f, nullptr);
            ++opened;
            f->chkPrint[2]->setChecked(true);
            f->CmdPrint[0]->click();
        });
    };
    okOnTimes();
    desk.menuFile(5)->trigger();
    okOnTimes();
    desk.toolbarButton("Print")->trigger();
    EXPECT_EQ(opened, 2);
    ASSERT_EQ(fakes.printer.docs.size(), 2u);
    EXPECT_TRUE(fakes.printer.docs[1].ended);
    EXPECT_EQ(fakes.printer.page(1)[2], "DRIVER Nr.  1");
}

}  // namespace
