#include "platform/Messages.h"

#include "platform/MessageBox.h"
#include "platform/MousePointer.h"
#include "platform/Platform.h"

namespace orvex {

namespace {
int gPendingError = 0;
}  // namespace

void ShowMessage(const std::string& text) {
    platform().messages->show(text, MessageBox::OkOnly | MessageBox::Exclamation, kProgramTitle);
}

void ShowInformation(const std::string& text) {
    platform().messages->show(text, MessageBox::OkOnly | MessageBox::Information, kProgramTitle);
}

int pendingError() { return gPendingError; }
void setPendingError(int number) { gPendingError = number; }

std::string numberText(int number) {
    // The blank is inserted in place: GCC 12 at -O3 takes " " + text for an
    // overlapping copy and warns (-Wrestrict).
    std::string text = std::to_string(number);
    if (number >= 0) text.insert(text.begin(), ' ');
    return text;
}

std::string errorText(int number) { return "Error n. " + numberText(number) + " !"; }

void Errori() {
    platform().pointer->set(MousePointer::Normal);
    const int number = gPendingError;
    if (number == ErrorNo::None || number == ErrorNo::DialogCancelled) {
        gPendingError = 0;
        return;
    }
    platform().messages->show(errorText(number), MessageBox::OkOnly | MessageBox::Exclamation,
                              kProgramTitle);
    gPendingError = 0;
}

}  // namespace orvex
