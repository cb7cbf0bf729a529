#include <gtest/gtest.h>

#include <QPushButton>

#include "device/CommTick.h"
#include "fakes/MainWindowFixture.h"
#include "fakes/ScriptedDevice.h"
#include "shell/DesktopDevice.h"
#include "ui/device/frmSetup.h"
#include "ui/device/frmTest.h"

using namespace orvex;

namespace {

// The dialogs over the real main window, the device behind the fake port; a
// test acts once while the tick waits for the device, as a user would.
class DeviceDialogs : public MainWindowFixture {
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
    DeviceCommand pending() { return desk->device().requests().pending(); }
};

}  // namespace

TEST_F(DeviceDialogs, ClosingTheSetupDialogWhileItsCommandWaitsDropsTheCommand) {
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
        EXPECT_EQ(pending(), DeviceCommand::None);
        EXPECT_FALSE(fakes.serial.portOpen());
        fakes.events.hooks.clear();
    }
    for (const Bytes& f : device.frames) EXPECT_NE(f[1], 0x06);
    EXPECT_TRUE(fakes.messages.shown.empty());
}

TEST_F(DeviceDialogs, FineTestPressedDuringThePortScanIsSentAfterTheDisplayTest) {
    desk->device().showTest();
    frmTest* dialog = desk->device().testDialog();
    dialog->Command1[2]->click();                                // "Test Display"
    whileWaitingFor({}, [&] { dialog->Command1[3]->click(); });  // "Fine Test"
    tick();
    tick();
    EXPECT_EQ(device.frames.back(), bytesOf({0x48, 0x05, 0x00, 0x34, 0x44}));
    EXPECT_EQ(pending(), DeviceCommand::None);
}

TEST_F(DeviceDialogs, ClosingTheProgramWhileRxDatiWaitsShowsNoMessage) {
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
