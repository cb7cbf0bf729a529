#pragma once
#include <QTextBrowser>

namespace orvex {

// A plain window that shows the HTML user guide.
class QtHelpWindow : public QTextBrowser {
public:
    QtHelpWindow();
    bool showFile(const QString& path);
};

}  // namespace orvex
