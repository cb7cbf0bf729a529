#include <gtest/gtest.h>

#include "fakes/FakePlatform.h"
#include "platform/Messages.h"

using namespace orvex;

TEST(Errori, ShowsTheNumberWithItsSignPosition) {
    EXPECT_EQ(errorText(53), "Error n.  53 !");
    EXPECT_EQ(errorText(-5), "Error n. -5 !");
    EXPECT_EQ(errorText(0), "Error n.  0 !");
}

TEST(Errori, ReportsOnceWithTitleAndIconAndClears) {
    FakePlatform fakes;
    fakes.pointer.shape = MousePointer::Hourglass;
    setPendingError(53);
    Errori();
    EXPECT_EQ(fakes.messages.shown,
              (std::vector<FakeMessageBox::Shown>{
                  {"Error n.  53 !", MessageBox::OkOnly | MessageBox::Exclamation, "ORVEX"}}));
    EXPECT_EQ(fakes.pointer.shape, MousePointer::Normal);
    EXPECT_EQ(pendingError(), 0);
    Errori();
    EXPECT_EQ(fakes.messages.shown.size(), 1u);
}

TEST(Errori, NoErrorAndCancelledDialogAreSilent) {
    FakePlatform fakes;
    fakes.pointer.shape = MousePointer::Hourglass;
    Errori();
    EXPECT_EQ(fakes.pointer.shape, MousePointer::Normal);
    setPendingError(ErrorNo::DialogCancelled);
    Errori();
    EXPECT_TRUE(fakes.messages.shown.empty());
}

TEST(TrapErrors, TurnsEveryFailureIntoOneReport) {
    FakePlatform fakes;
    trapErrors([] { throw RunError(61); });
    trapErrors([] { throw std::runtime_error("boom"); });
    trapErrors([] { throw RunError(ErrorNo::DialogCancelled); });
    trapErrors([] {});
    EXPECT_EQ(fakes.messages.texts(),
              (std::vector<std::string>{"Error n.  61 !", "Error n.  51 !"}));
}

TEST(ShowMessage, IsTheWarningBoxTitledORVEX) {
    FakePlatform fakes;
    ShowMessage("Device NOT Connected !");
    EXPECT_EQ(fakes.messages.shown,
              (std::vector<FakeMessageBox::Shown>{
                  {"Device NOT Connected !", MessageBox::Exclamation, "ORVEX"}}));
}
