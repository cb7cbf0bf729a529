#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>

#include "device/CommTick.h"
#include "device/DeviceLink.h"
#include "device/frmProgress.h"
#include "device/frmSetup.h"
#include "device/frmTest.h"
#include "fakes/FakePlatform.h"
#include "fakes/MainWindowFixture.h"
#include "fakes/ScriptedDevice.h"
#include "shell/DesktopDevice.h"

using namespace orvex;

namespace {

class DeviceDialogs : public ::testing::Test {
protected:
    FakePlatform fakes;
    void SetUp() override { DeviceCommand = 0; }
    void TearDown() override { DeviceCommand = 0; }
};

// Twips at 15 per pixel.
QRect px(int left, int top, int width, int height) {
    return QRect(left / 15, top / 15, width / 15, height / 15);
}

// The next control Tab moves to.
QWidget* nextTabStop(QWidget* w) {
    QWidget* next = w->nextInFocusChain();
    while (next != w && !(next->focusPolicy() & Qt::TabFocus)) next = next->nextInFocusChain();
    return next;
}

}  // namespace

TEST_F(DeviceDialogs, SetupHasItsControlsWhereTheyBelong) {
    frmSetup dialog;
    EXPECT_EQ(dialog.windowTitle(), " Setup");
    EXPECT_EQ(dialog.chkSetupBox->text(), QString::fromUtf8("Luminositá alta"));
    EXPECT_EQ(dialog.chkSetup1Box->text(), "Visualizzazione Lap");
    EXPECT_EQ(dialog.lblDiag[2]->text(), "Pausa (sec.)");
    EXPECT_EQ(dialog.lblDiag[3]->text(), "Correzione");
    EXPECT_EQ(dialog.cmdSetup[0]->text(), "TX Dati");
    EXPECT_EQ(dialog.cmdSetup[1]->text(), "RX Dati");
    EXPECT_EQ(dialog.chkSetupBox->geometry(), px(240, 180, 1755, 315));
    EXPECT_EQ(dialog.txtSetupBox[1]->geometry(), px(1380, 1020, 615, 315));
    EXPECT_EQ(dialog.txtSetupBox[2]->geometry(), px(1380, 1380, 615, 315));
    EXPECT_EQ(dialog.cmdSetup[1]->geometry(), px(1080, 1800, 975, 375));
    EXPECT_EQ(dialog.txtSetupBox[1]->maxLength(), 3);
    EXPECT_EQ(dialog.txtSetupBox[2]->maxLength(), 4);
    // The fields start empty and unticked.
    EXPECT_FALSE(dialog.chkSetup());
    EXPECT_EQ(dialog.txtSetup(1), "");
    // Tab order: boxes, fields, buttons.
    EXPECT_EQ(nextTabStop(dialog.chkSetupBox), dialog.chkSetup1Box);
    EXPECT_EQ(nextTabStop(dialog.chkSetup1Box), dialog.txtSetupBox[1]);
    EXPECT_EQ(nextTabStop(dialog.txtSetupBox[2]), dialog.cmdSetup[0]);
}

TEST_F(DeviceDialogs, SetupButtonsStoreTheirCommands) {
    frmSetup dialog;
    dialog.cmdSetup[0]->click();
    EXPECT_EQ(DeviceCommand, 6);
    dialog.cmdSetup[1]->click();
    EXPECT_EQ(DeviceCommand, 7);
    EXPECT_EQ(fakes.pointer.history,
              (std::vector<MousePointer::Shape>{MousePointer::Hourglass, MousePointer::Normal,
                                                MousePointer::Hourglass, MousePointer::Normal}));
}

TEST_F(DeviceDialogs, TestButtonsStoreTheirCommandsInTabOrder) {
    frmTest dialog;
    EXPECT_EQ(dialog.windowTitle(), " Test");
    EXPECT_EQ(dialog.Command1[1]->text(), "Test Ingressi");
    EXPECT_EQ(dialog.Command1[2]->text(), "Test Display");
    EXPECT_EQ(dialog.Command1[3]->text(), "Fine Test");
    EXPECT_EQ(dialog.Command1[0]->text(), "Cancella Memoria");
    EXPECT_EQ(dialog.Command1[0]->geometry(), px(120, 1560, 1995, 435));
    EXPECT_EQ(nextTabStop(dialog.Command1[1]), dialog.Command1[2]);
    dialog.Command1[1]->click();
    EXPECT_EQ(DeviceCommand, 82);
    dialog.Command1[2]->click();
    EXPECT_EQ(DeviceCommand, 81);
    dialog.Command1[3]->click();
    EXPECT_EQ(DeviceCommand, 83);
}

TEST_F(DeviceDialogs, EraseAsksFirstAndNoIsTheDefault) {
    frmTest dialog;
    fakes.messages.answers = {MessageBox::No};
    dialog.Command1[0]->click();
    EXPECT_EQ(DeviceCommand, 0);
    ASSERT_EQ(fakes.messages.shown.size(), 1u);
    EXPECT_EQ(fakes.messages.shown[0].flags,
              MessageBox::YesNo | MessageBox::Question | MessageBox::Default2);
    EXPECT_EQ(fakes.messages.shown[0].title, "ORVEX");
    fakes.messages.answers = {MessageBox::Yes};
    dialog.Command1[0]->click();
    EXPECT_EQ(DeviceCommand, 1);
}

TEST_F(DeviceDialogs, DialogsCentreInTheClientArea) {
    const QRect client(100, 50, 800, 600);
    frmTest test;
    test.Form_Load(client);
    EXPECT_EQ(test.pos(), QPoint(100 + (800 - test.width()) / 2, 50 + (600 - test.height()) / 2));
    frmProgress progress;
    progress.ProgressBar->setValue(7);
    progress.Form_Load(client);
    EXPECT_EQ(progress.ProgressBar->value(), 0);
    EXPECT_EQ(progress.Label1->text(), "Download data in progress ...");
    EXPECT_EQ(progress.pos(),
              QPoint(100 + (800 - progress.width()) / 2, 50 + (600 - progress.height()) / 2));
}

namespace {

// The dialogs over the real main window, the device behind the fake port; a
// test acts once while the tick waits for the device, as a user would.
class DialogsOnTheDesktop : public MainWindowFixture {
protected:
    ScriptedDevice device;
    const Bytes settingsRead = bytesOf({0x48, 0x07, 0x34, 0x46});

    void SetUp() override {
        MainWindowFixture::SetUp();
        fakes.serial.device = [this](const Bytes& f) { return device(f); };
        load();
    }
    // Runs `act` once, on the first wait after `frame` was sent (any frame
    // when empty).
    void whileWaitingFor(const Bytes& frame, std::function<void()> act) {
        fakes.events.hooks.push_back([this, frame, act, done = false]() mutable {
            if (done || device.frames.empty() || (!frame.empty() && device.frames.back() != frame))
                return;
            done = true;
            act();
        });
    }
    void tick() { desk->device().tick().Tick(); }
    std::vector<Bytes> framesWith(std::uint8_t code) const {
        std::vector<Bytes> found;
        for (const Bytes& f : device.frames)
            if (f[1] == code) found.push_back(f);
        return found;
    }
};

}  // namespace

TEST_F(DialogsOnTheDesktop, ClosingTheSetupDialogWhileItsCommandWaitsDropsTheCommand) {
    // "TX Dati" closed during the port scan, "RX Dati" during its reply wait.
    for (int button : {0, 1}) {
        desk->device().showSetup();
        frmSetup* dialog = desk->device().setupDialog();
        dialog->cmdSetup[button]->click();
        whileWaitingFor(button == 0 ? Bytes{} : settingsRead, [&] {
            dialog->close();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        });
        tick();
        EXPECT_EQ(desk->device().setupDialog(), nullptr);
        EXPECT_EQ(DeviceCommand, 0);
        EXPECT_FALSE(fakes.serial.portOpen());
        fakes.events.hooks.clear();
    }
    EXPECT_TRUE(framesWith(0x06).empty());
    EXPECT_TRUE(fakes.messages.shown.empty());
}

TEST_F(DialogsOnTheDesktop, FineTestPressedDuringThePortScanIsSentAfterTheDisplayTest) {
    desk->device().showTest();
    frmTest* dialog = desk->device().testDialog();
    dialog->Command1[2]->click();                                // "Test Display"
    whileWaitingFor({}, [&] { dialog->Command1[3]->click(); });  // "Fine Test"
    tick();
    tick();
    EXPECT_EQ(framesWith(0x05), (std::vector<Bytes>{bytesOf({0x48, 0x05, 0x80, 0x43, 0x44}),
                                                    bytesOf({0x48, 0x05, 0x00, 0x34, 0x44})}));
    EXPECT_EQ(DeviceCommand, 0);
}

TEST_F(DialogsOnTheDesktop, ClosingTheProgramWhileRxDatiWaitsShowsNoMessage) {
    // The device never answers the settings read.
    fakes.serial.device = [this](const Bytes& f) {
        const Bytes reply = device(f);
        return f == settingsRead ? Bytes{} : reply;
    };
    desk->device().showSetup();
    desk->device().setupDialog()->cmdSetup[1]->click();
    whileWaitingFor(settingsRead, [&] { desk->close(); });
    tick();
    EXPECT_FALSE(desk->isVisible());
    EXPECT_TRUE(fakes.messages.shown.empty());
    EXPECT_FALSE(fakes.serial.portOpen());
}
