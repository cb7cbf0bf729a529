#include <gtest/gtest.h>

#include "fakes/FakePlatform.h"
#include "platform/Messages.h"

using namespace orvex;

TEST(Errori, ReportsEachFailureOnceRestoresThePointerAndKeepsCancelsSilent) {
    FakePlatform fakes;
    fakes.pointer.shape = MousePointer::Hourglass;
    setPendingError(53);
    Errori();
    Errori();
    setPendingError(ErrorNo::DialogCancelled);
    Errori();
    EXPECT_EQ(fakes.pointer.shape, MousePointer::Normal);
    trapErrors([] { throw RunError(61); });
    trapErrors([] { throw std::runtime_error("boom"); });
    trapErrors([] { throw RunError(ErrorNo::DialogCancelled); });
    EXPECT_EQ(fakes.messages.texts(),
              (std::vector<std::string>{"Error n.  53 !", "Error n.  61 !", "Error n.  51 !"}));
}
