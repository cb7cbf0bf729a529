#include "store/TextFold.h"

namespace orvex {

namespace {

// Letters with no decomposition into a base letter and a mark.
const char* plainOf(char16_t c) {
    switch (c) {
        case u'ł':
            return "l";
        case u'ø':
            return "o";
        case u'đ':
            return "d";
        case u'ß':
            return "ss";
        case u'æ':
            return "ae";
        case u'œ':
            return "oe";
        case u'þ':
            return "th";
        case u'ħ':
            return "h";
        case u'ı':
            return "i";
        default:
            return nullptr;
    }
}

}  // namespace

QString foldText(const QString& text) {
    const QString decomposed = text.toCaseFolded().normalized(QString::NormalizationForm_KD);
    QString out;
    out.reserve(decomposed.size());
    for (const QChar c : decomposed) {
        const QChar::Category category = c.category();
        if (category == QChar::Mark_NonSpacing || category == QChar::Mark_SpacingCombining ||
            category == QChar::Mark_Enclosing)
            continue;
        if (const char* plain = plainOf(c.unicode()))
            out += QLatin1String(plain);
        else
            out += c;
    }
    return out;
}

}  // namespace orvex
