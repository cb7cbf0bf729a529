#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

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

// The dialog opened modally; `act` answers it.
void whenOpen(const std::function<void(frmStampa*)>& act) {
    QTimer::singleShot(0, [act] {
        auto* f = qobject_cast<frmStampa*>(QApplication::activeModalWidget());
        ASSERT_NE(f, nullptr);
        act(f);
    });
}

TEST_F(frmStampaTest, CancelEscapeAndEnterOnACheckBoxPrintNothingEnterOnOkPrints) {
    for (int target = 0; target < 5; ++target) {
        SCOPED_TRACE(target);
        frmStampa f;
        f.chkPrint[0]->setChecked(true);
        f.chkPrint[2]->setChecked(true);
        f.show();
        for (QWidget* box : {f.chkPrint[0], f.chkPrint[2]})
            for (Qt::Key enter : {Qt::Key_Return, Qt::Key_Enter}) QTest::keyClick(box, enter);
        EXPECT_TRUE(f.isVisible());
        QWidget* on[] = {&f, f.chkPrint[0], f.chkPrint[2], f.CmdPrint[0]};
        if (target == 4)
            f.CmdPrint[1]->click();
        else
            pressEscape(on[target]);
        EXPECT_FALSE(f.isVisible());
        EXPECT_EQ(f.result(), QDialog::Rejected);
    }
    EXPECT_TRUE(fakes.printer.docs.empty());
    frmStampa f;
    f.chkPrint[2]->setChecked(true);
    f.show();
    QTest::keyClick(f.CmdPrint[0], Qt::Key_Return);
    EXPECT_EQ(fakes.printer.docs.size(), 1u);
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
    bool ticked = true;
    whenOpen([](frmStampa* f) {
        f->chkPrint[0]->setChecked(true);
        f->CmdPrint[1]->click();
    });
    frmStampa::ShowModal(nullptr);
    whenOpen([&](frmStampa* f) {
        ticked = f->chkPrint[0]->isChecked() || f->chkPrint[2]->isChecked();
        pressEscape(f);
    });
    frmStampa::ShowModal(nullptr);
    EXPECT_FALSE(ticked);
    EXPECT_TRUE(fakes.printer.docs.empty());
}

TEST_F(frmStampaTest, FilePrintAndThePrintButtonOpenTheDialog) {
    frmDesktop desk;
    desk.Form_Load();
    int opened = 0;
    const auto okOnTimes = [&](frmStampa* f) {
        ++opened;
        f->chkPrint[2]->setChecked(true);
        f->CmdPrint[0]->click();
    };
    whenOpen(okOnTimes);
    desk.menuFile(5)->trigger();
    whenOpen(okOnTimes);
    desk.toolbarButton("Print")->trigger();
    EXPECT_EQ(opened, 2);
    ASSERT_EQ(fakes.printer.docs.size(), 2u);
    EXPECT_TRUE(fakes.printer.docs[1].ended);
    EXPECT_EQ(fakes.printer.page(1)[2], "DRIVER Nr.  1");
}

}  // namespace
