#include "platform/qt/QtFileDialog.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QStringList>

namespace orvex {

namespace {

// "Data file (*.DAT)|*.DAT" lists description and pattern pairs; Qt wants
// each pair as one "description (patterns)" entry.
QStringList qtFilters(const std::string& filter) {
    const QStringList parts = QString::fromStdString(filter).split('|');
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        const QString patterns = QString(parts[i + 1]).replace(';', ' ');
        const QString& description = parts[i];
        out << (description.contains("(" + patterns + ")") ? description
                                                           : description + " (" + patterns + ")");
    }
    return out;
}

}  // namespace

bool QtFileDialog::showOpen(const FileDialogSettings& settings, std::string& chosen) {
    return show(settings, false, chosen);
}

bool QtFileDialog::showSave(const FileDialogSettings& settings, std::string& chosen) {
    return show(settings, true, chosen);
}

bool QtFileDialog::show(const FileDialogSettings& settings, bool save, std::string& chosen) {
    QFileDialog dialog(QApplication::activeWindow());
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    // A save dialog asks for a name that may not exist yet, whatever the
    // file-must-exist option says; an open dialog offers existing files only.
    dialog.setFileMode(save || !settings.fileMustExist ? QFileDialog::AnyFile
                                                       : QFileDialog::ExistingFile);
    const QStringList filters = qtFilters(settings.filter);
    dialog.setNameFilters(filters);
    if (settings.filterIndex >= 1 && settings.filterIndex <= filters.size())
        dialog.selectNameFilter(filters[settings.filterIndex - 1]);
    dialog.setDefaultSuffix(QString::fromStdString(settings.defaultExt));
    if (!settings.initialFolder.empty())
        dialog.setDirectory(QString::fromStdString(settings.initialFolder));
    if (!settings.initialName.empty())
        dialog.selectFile(QString::fromStdString(settings.initialName));
    QFileDialog::Options options;
    if (!settings.overwritePrompt) options |= QFileDialog::DontConfirmOverwrite;
    // Qt's dialogs have no read-only check box, so hideReadOnly needs nothing.
    dialog.setOptions(options);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
    chosen = QDir::toNativeSeparators(dialog.selectedFiles().first()).toStdString();
    return true;
}

}  // namespace orvex
