#pragma once
#include <QString>

namespace orvex {

// The text the archive's search compares: case folded, accents removed, and
// the letters that do not decompose spelled plainly (ł l, ø o, đ d, ß ss, æ ae,
// œ oe), so "muller" finds "Müller" and "zolc" finds "Żółć".
QString foldText(const QString& text);

}  // namespace orvex
