#include "platform/qt/StatusMessage.h"

#include <QCoreApplication>

#include "platform/MessageBox.h"
#include "platform/Messages.h"
#include "platform/MousePointer.h"
#include "platform/Platform.h"

namespace orvex {

QString statusText(const Status& status) {
    // The context matches the QT_TRANSLATE_NOOP("Status", ...) that marked the text.
    const QString form = QCoreApplication::translate("Status", status.text().c_str());
    // One pass, not a chain of arg(): a file name holding "%2" stays as it is.
    QString text;
    for (qsizetype i = 0; i < form.size(); ++i) {
        const qsizetype n = i + 1 < form.size() ? form[i + 1].digitValue() : -1;
        if (form[i] == '%' && n >= 1 && static_cast<std::size_t>(n) <= status.args().size()) {
            text += QString::fromStdString(status.args()[static_cast<std::size_t>(n - 1)]);
            ++i;
        } else {
            text += form[i];
        }
    }
    if (!status.detail().empty()) text += "\n\n" + QString::fromStdString(status.detail());
    return text;
}

bool showStatus(const Status& status) {
    if (status.isOk()) return true;
    platform().pointer->set(MousePointer::Normal);
    if (status.isCancelled()) return false;
    platform().messages->show(statusText(status).toStdString(),
                              MessageBox::OkOnly | MessageBox::Exclamation, kProgramTitle);
    return false;
}

}  // namespace orvex
