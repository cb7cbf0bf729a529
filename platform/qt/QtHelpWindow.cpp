#include "platform/qt/QtHelpWindow.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QUrl>

namespace orvex {

QtHelpWindow::QtHelpWindow() {
    setWindowTitle(QCoreApplication::translate("QtHelpWindow", "ORVEX Help"));
    setOpenExternalLinks(false);
    resize(640, 560);
}

bool QtHelpWindow::showFile(const QString& path) {
    setSource(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()));
    if (toPlainText().isEmpty()) return false;
    show();
    raise();
    activateWindow();
    return true;
}

}  // namespace orvex
