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

int pendingError() { return gPendingError; }
void setPendingError(int number) { gPendingError = number; }

std::string numberText(int number) {
    return number < 0 ? std::to_string(number) : " " + std::to_string(number);
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
