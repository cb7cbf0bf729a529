#include "ui/device/frmSetup.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "device/DeviceLink.h"
#include "platform/FixedText.h"
#include "platform/Messages.h"
#include "platform/MousePointer.h"
#include "platform/Platform.h"
#include "platform/qt/QtCaptions.h"
#include "platform/qt/Twips.h"

namespace orvex {

namespace {
void place(QWidget* w, int left, int top, int width, int height) {
    w->setGeometry(twipsToPixels(left, top, width, height));
}
}  // namespace

frmSetup::frmSetup(DeviceRequests& requests, QWidget* parent)
    : QDialog(parent, Qt::Tool), requests_(requests) {
    setWindowTitle(fixedText(" Setup"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(twipsToPixelsX(2280), twipsToPixelsY(2400));
    sspStat = new QFrame(this);
    sspStat->setFrameShape(QFrame::Panel);
    sspStat->setFrameShadow(QFrame::Raised);
    sspStat->setGeometry(rect());

    chkSetupBox = new QCheckBox(fixedText("Luminositá alta"), sspStat);
    place(chkSetupBox, 240, 180, 1755, 315);
    chkSetup1Box = new QCheckBox(fixedText("Visualizzazione Lap"), sspStat);
    place(chkSetup1Box, 240, 600, 1755, 315);
    lblDiag[2] = new QLabel(fixedText("Pausa (sec.)"), sspStat);
    place(lblDiag[2], 300, 1080, 1035, 255);
    txtSetupBox[1] = new QLineEdit(sspStat);
    txtSetupBox[1]->setMaxLength(3);
    place(txtSetupBox[1], 1380, 1020, 615, 315);
    lblDiag[3] = new QLabel(fixedText("Correzione"), sspStat);
    place(lblDiag[3], 300, 1440, 1035, 255);
    txtSetupBox[2] = new QLineEdit(sspStat);
    txtSetupBox[2]->setMaxLength(4);
    place(txtSetupBox[2], 1380, 1380, 615, 315);
    cmdSetup[0] = new QPushButton(fixedText("TX Dati"), sspStat);
    place(cmdSetup[0], 180, 1800, 915, 375);
    cmdSetup[1] = new QPushButton(fixedText("RX Dati"), sspStat);
    place(cmdSetup[1], 1080, 1800, 975, 375);

    setTabOrder(chkSetupBox, chkSetup1Box);
    setTabOrder(chkSetup1Box, txtSetupBox[1]);
    setTabOrder(txtSetupBox[1], txtSetupBox[2]);
    setTabOrder(txtSetupBox[2], cmdSetup[0]);
    setTabOrder(cmdSetup[0], cmdSetup[1]);

    for (int i = 0; i < 2; ++i)
        connect(cmdSetup[i], &QPushButton::clicked, this,
                [this, i] { trapErrors([&] { cmdSetup_Click(i); }); });
    fitCaptions(this);
}

void frmSetup::Form_Load(const QRect& clientArea) { centreIn(this, clientArea); }

void frmSetup::cmdSetup_Click(int index) {
    platform().pointer->set(MousePointer::Hourglass);
    requests_.post(index == 0 ? DeviceCommand::SetupWrite : DeviceCommand::SetupRead);
    platform().pointer->set(MousePointer::Normal);
}

bool frmSetup::chkSetup() const { return chkSetupBox->isChecked(); }
void frmSetup::setChkSetup(bool ticked) { chkSetupBox->setChecked(ticked); }
bool frmSetup::chkSetup1() const { return chkSetup1Box->isChecked(); }
void frmSetup::setChkSetup1(bool ticked) { chkSetup1Box->setChecked(ticked); }

std::string frmSetup::txtSetup(int index) const {
    return index == 1 || index == 2 ? txtSetupBox[index]->text().toStdString() : std::string();
}

void frmSetup::setTxtSetup(int index, const std::string& text) {
    if (index == 1 || index == 2) txtSetupBox[index]->setText(QString::fromStdString(text));
}

}  // namespace orvex
