#include "platform/qt/PdfFile.h"

#include <QFile>
#include <QTemporaryDir>

#include "platform/RunError.h"

namespace orvex {

std::optional<std::string> DrawPdf(const std::function<void(const QString& file)>& draw) {
    QTemporaryDir work;
    if (!work.isValid()) throw RunError(ErrorNo::PathFileAccess);
    const QString drawn = work.filePath(QStringLiteral("drawn.pdf"));
    draw(drawn);
    QFile file(drawn);
    if (!file.exists()) return std::nullopt;
    if (!file.open(QIODevice::ReadOnly)) throw RunError(ErrorNo::DeviceIO);
    return file.readAll().toStdString();
}

}  // namespace orvex
