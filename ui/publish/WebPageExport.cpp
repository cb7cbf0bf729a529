#include "ui/publish/WebPageExport.h"

#include <QCoreApplication>
#include <QInputDialog>

#include "export/ExportFile.h"
#include "publish/Published.h"
#include "ui/publish/Publishing.h"

namespace orvex {

Status ExportWebPage(QWidget* parent, Publishing& publishing) {
    std::optional<Standings> standings;
    const std::vector<std::string> names = publishing.championships();
    if (!names.empty()) {
        const QString none = QCoreApplication::translate("WebPageExport", "(none)");
        QStringList items{none};
        for (const std::string& n : names) items << QString::fromStdString(n);
        bool ok = false;
        const QString chosen = QInputDialog::getItem(
            parent, QCoreApplication::translate("WebPageExport", "Results web page"),
            QCoreApplication::translate("WebPageExport", "Standings of the &championship:"), items,
            0, false, &ok);
        if (!ok) return Status::cancelled();
        if (chosen != none) standings = publishing.standings(chosen.toStdString());
    }
    std::string path;
    if (!AskExportFile(
            QCoreApplication::translate("WebPageExport", "Web page (*.html)|*.html").toStdString(),
            "html", path))
        return Status::cancelled();
    const std::string page =
        exportPage(publishing.current(), standings ? &*standings : nullptr, generatedNow());
    return WriteExportFile(path, page);
}

}  // namespace orvex
