#include "shell/frmAbout.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/FixedText.h"
#include "platform/qt/Twips.h"
#include "shell/ImageList1.h"

namespace orvex {

frmAbout::frmAbout(QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("About ORVEX"));
    Image1 = new QLabel(this);
    Image1->setPixmap(ImageList1::pixmap(ImageList1::Logo, 48));
    Label1 = new QLabel(fixedText("ORVEX Timing System  - Version 1.0   "), this);
    Command1 = new QPushButton(fixedText("OK"), this);
    Command1->setDefault(true);
    // QDialog already closes on Esc, whichever of its controls has the focus.
    connect(Command1, &QPushButton::clicked, this, &QDialog::accept);

    auto* row = new QHBoxLayout;
    row->addWidget(Image1);
    row->addWidget(Label1, 1);
    auto* column = new QVBoxLayout(this);
    column->addLayout(row);
    column->addWidget(Command1, 0, Qt::AlignHCenter);
}

void frmAbout::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    centreOnScreen(this);
}

}  // namespace orvex
