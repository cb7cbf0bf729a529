#include "platform/qt/InstallLayout.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace orvex {

QString installedDataFolder() {
    // ORVEX_DATA_FROM_BIN is the install rules' path from bin to the data folder.
    const QString dir = QDir::cleanPath(
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral(ORVEX_DATA_FROM_BIN)));
    return QFileInfo::exists(QDir(dir).filePath("ORVEX.html")) ? dir : QString();
}

}  // namespace orvex
