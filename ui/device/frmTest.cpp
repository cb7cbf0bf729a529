#include "ui/device/frmTest.h"

#include <QFrame>
#include <QPushButton>

#include "device/DeviceLink.h"
#include "platform/FixedText.h"
#include "platform/MessageBox.h"
#include "platform/Messages.h"
#include "platform/Platform.h"
#include "platform/qt/QtCaptions.h"
#include "platform/qt/Twips.h"

namespace orvex {

frmTest::frmTest(DeviceRequests& requests, QWidget* parent)
    : QDialog(parent, Qt::Tool), requests_(requests) {
    setWindowTitle(fixedText(" Test"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(twipsToPixelsX(2235), twipsToPixelsY(2115));
    sspStat = new QFrame(this);
    sspStat->setFrameShape(QFrame::Panel);
    sspStat->setFrameShadow(QFrame::Raised);
    sspStat->setGeometry(rect());

    struct Button {
        int index;
        const char* caption;
        int top;
    };
    // In tab order, top to bottom.
    const Button buttons[] = {{1, fixedText("Test Ingressi"), 120},
                              {2, fixedText("Test Display"), 600},
                              {3, fixedText("Fine Test"), 1080},
                              {0, fixedText("Cancella Memoria"), 1560}};
    QWidget* previous = nullptr;
    for (const Button& b : buttons) {
        auto* button = new QPushButton(b.caption, sspStat);
        button->setGeometry(twipsToPixels(120, b.top, 1995, 435));
        Command1[b.index] = button;
        const int index = b.index;
        connect(button, &QPushButton::clicked, this,
                [this, index] { trapErrors([&] { Command1_Click(index); }); });
        if (previous) setTabOrder(previous, button);
        previous = button;
    }
    fitCaptions(this);
}

void frmTest::Form_Load(const QRect& clientArea) { centreIn(this, clientArea); }

void frmTest::Command1_Click(int index) {
    switch (index) {
        case 0: {
            // Erasing loses every lap in the device: ask first, No by default.
            const int answer = platform().messages->show(
                tr(kEraseQuestion).toStdString(),
                MessageBox::YesNo | MessageBox::Question | MessageBox::Default2, kProgramTitle);
            if (answer == MessageBox::Yes) requests_.post(DeviceCommand::MemoryClear);
            break;
        }
        case 1:
            requests_.post(DeviceCommand::InputsTest);
            break;
        case 2:
            requests_.post(DeviceCommand::DisplayTest);
            break;
        case 3:
            requests_.post(DeviceCommand::EndTest);
            break;
        default:
            break;
    }
}

}  // namespace orvex
