#include "platform/Texts.h"

namespace orvex {

namespace {
TranslateText installed = nullptr;
}

void installTranslator(TranslateText translate) { installed = translate; }

std::string translated(const char* context, const char* text) {
    return installed ? installed(context, text) : std::string(text);
}

}  // namespace orvex
