#include "ui/device/frmProgress.h"

#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

#include "platform/FixedText.h"
#include "platform/Messages.h"
#include "platform/qt/Twips.h"

namespace orvex {

frmProgress::frmProgress(QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setWindowTitle(kProgramTitle);
    Label1 = new QLabel(fixedText("Download data in progress ..."), this);
    ProgressBar = new QProgressBar(this);
    ProgressBar->setMinimum(0);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(ProgressBar);
    setFixedSize(twipsToPixelsX(4500), twipsToPixelsY(1200));
}

void frmProgress::Form_Load(const QRect& clientArea) {
    centreIn(this, clientArea);
    ProgressBar->setValue(0);
}

}  // namespace orvex
