#pragma once
#include <string>

// Marks a text for the translation catalogue without pulling Qt into the plain
// layers; the catalogue tools read the macro by its name.
#ifndef QT_TRANSLATE_NOOP
#define QT_TRANSLATE_NOOP(scope, text) text
#endif

namespace orvex {

// Looks a marked text up in the user's language. The program installs Qt's
// catalogue lookup at start-up; without one (tests, tools) the English stays.
using TranslateText = std::string (*)(const char* context, const char* text);
void installTranslator(TranslateText translate);
std::string translated(const char* context, const char* text);

}  // namespace orvex
