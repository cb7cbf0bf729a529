#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "fakes/FakePlatform.h"
#include "platform/MousePointer.h"
#include "session/Session.h"
#include "ui/report/frmStampa.h"

using namespace orvex;

namespace {

class frmStampaTest : public ::testing::Test {
protected:
    void SetUp() override {
        session().ResetSession();
        session().FileState = FileState::New;
    }
    FakePlatform fakes;
};

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
        if (target == 4) {
            f.CmdPrint[1]->click();
        } else {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier, QString(QChar(27)));
            QApplication::sendEvent(on[target], &press);
        }
        EXPECT_FALSE(f.isVisible());
    }
    EXPECT_TRUE(fakes.printer.docs.empty());
    frmStampa f;
    f.chkPrint[2]->setChecked(true);
    f.show();
    QTest::keyClick(f.CmdPrint[0], Qt::Key_Return);
    EXPECT_EQ(fakes.printer.docs.size(), 1u);
}

TEST_F(frmStampaTest, OkWithNothingTickedPrintsNothingSilentlyPreviewAndPdfAskForATick) {
    // Printing nothing sends no job, even with no printer to send it to.
    fakes.printer.missing = true;
    frmStampa f;
    f.show();
    f.CmdPrint[0]->click();
    EXPECT_FALSE(f.isVisible());
    EXPECT_EQ(f.result(), QDialog::Accepted);
    EXPECT_TRUE(fakes.printer.docs.empty());
    EXPECT_TRUE(fakes.messages.shown.empty());
    EXPECT_EQ(fakes.pointer.shape, MousePointer::Normal);

    // The preview and the PDF ask through the same dialog, which stays open.
    bool stayedOpen = false;
    QTimer::singleShot(0, [&] {
        auto* d = qobject_cast<frmStampa*>(QApplication::activeModalWidget());
        ASSERT_TRUE(d);
        d->CmdPrint[0]->click();
        stayedOpen = d->isVisible();
        d->chkPrint[2]->setChecked(true);
        d->CmdPrint[0]->click();
    });
    ReportSections chosen;
    EXPECT_TRUE(frmStampa::ChooseSections(nullptr, "Print Preview", chosen));
    EXPECT_TRUE(stayedOpen);
    EXPECT_TRUE(chosen.Times && !chosen.SessionData);
    EXPECT_EQ(fakes.messages.texts(),
              std::vector<std::string>{"Tick Session data or Times to print."});
    EXPECT_TRUE(fakes.printer.docs.empty());
}

}  // namespace
