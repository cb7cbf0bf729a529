#include "platform/qt/FixedFont.h"

#include <QFontDatabase>

namespace orvex {

QFont fixedPitchFont() {
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setKerning(false);
    font.setPointSizeF(10);
    return font;
}

}  // namespace orvex
