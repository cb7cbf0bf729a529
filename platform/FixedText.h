#pragma once

namespace orvex {

// A text the program must show exactly as its design gives it, untranslated:
// a caption, title or message of the original windows. Marking them with this
// one name keeps them out of the translation catalogue and lets the check of
// window texts (tests/test_texts.cpp) tell them from a text that forgot tr().
constexpr const char* fixedText(const char* text) { return text; }

}  // namespace orvex
