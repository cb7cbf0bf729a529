#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

#include "device/CommTick.h"
#include "device/DeviceHost.h"
#include "device/DeviceLink.h"
#include "device/SetupControls.h"
#include "device/frmSetup.h"
#include "fakes/FakePlatform.h"
#include "fakes/FakeSetupControls.h"
#include "fakes/ScriptedDevice.h"
#include "platform/RunError.h"
#include "session/Session.h"

using namespace orvex;

namespace {

// Records what the tick did to the windows.
struct RecordingHost : DeviceHost {
    bool progressOpen = false, mainEnabled = true, dialogOpen = true;
    int progressMax = -1, completions = 0, image = 0, menuRefreshes = 0;
    std::vector<int> progress;
    std::string text;
    std::vector<std::string> indicatorTexts;
    FakeSetupControls dialog;
    SetupControls* controls = &dialog;
    std::function<void()> onProgress;

    void showProgress(int maximum) override {
        progressOpen = true;
        progressMax = maximum;
    }
    void setProgress(int value) override {
        progress.push_back(value);
        if (onProgress) onProgress();
    }
    void closeProgress() override { progressOpen = false; }
    void setMainWindowEnabled(bool enabled) override { mainEnabled = enabled; }
    void downloadComplete() override { ++completions; }
    int indicatorImage() const override { return image; }
    void setIndicator(int i, const std::string& t) override {
        image = i;
        text = t;
        indicatorTexts.push_back(t);
    }
    void MenuRefresh() override { ++menuRefreshes; }
    SetupControls* setupControls() override { return dialogOpen ? controls : nullptr; }
};

class CommTickTest : public ::testing::Test {
protected:
    FakePlatform fakes;
    FakeSerialPort& port = fakes.serial;
    ScriptedDevice device;
    RecordingHost host;
    CommTick tick{host};
    Session& s = session();

    void SetUp() override {
        DeviceCommand = DownloadActive = BlocksToRead = 0;
        port.existing = {1};
        port.devicePort = 1;
        port.device = [this](const Bytes& f) { return device(f); };
        s.FileState = FileState::NoSession;
        s.ResetSession();
        s.FileState = FileState::Saved;
        // An earlier session the download must never damage.
        s.LapTimes[1] = 4242;
        s.MakeTotals();
        s.SortTotals();
        s.MakeLapList(1);
    }
    void TearDown() override {
        DeviceCommand = DownloadActive = BlocksToRead = 0;
        s.FileState = FileState::NoSession;
    }
    void noDevice() { port.devicePort = 0; }
    // A lap in every slot, so a reply read out of step cannot pass unseen.
    static std::uint32_t lapAt(int slot) { return 6000u + slot * 7u; }
    void fillMemory() {
        for (int slot = 1; slot <= 750; ++slot) device.put(slot, deviceRecord(lapAt(slot)));
    }
    int blockRequests(int block) const {
        int n = 0;
        for (const Bytes& f : device.frames) n += f.size() == 6 && f[3] == (block - 1) * 125 % 256;
        return n;
    }
    void download() {
        DeviceCommand = 4;
        for (int i = 0; i < 40 && DeviceCommand != 0; ++i) tick.Tick();
    }
    // The earlier session, exactly as it was.
    void expectSessionUntouched() {
        EXPECT_EQ(s.FileState, FileState::Saved);
        EXPECT_EQ(s.LapTimes.size(), 751u);
        EXPECT_EQ(s.LapTimes[1], 4242);
        for (int i = 2; i <= 750; ++i) ASSERT_EQ(s.LapTimes[i], 0) << i;
        EXPECT_EQ(s.LapList.size(), 26u);
        EXPECT_EQ(s.LapList[1].Text, "00:00.42.42");
        EXPECT_EQ(s.TotalList[1].Text, "00:00.42.42");
        EXPECT_EQ(s.SortedTotalList[30].Number, 1);
        EXPECT_EQ(s.LapCount, 0);
    }
    void expectCleanAbort() {
        EXPECT_EQ(DeviceCommand, 0);
        EXPECT_EQ(DownloadActive, 0);
        EXPECT_FALSE(host.progressOpen);
        EXPECT_TRUE(host.mainEnabled);
        EXPECT_FALSE(port.portOpen());
        expectSessionUntouched();
    }
};

}  // namespace

TEST_F(CommTickTest, ADownloadDisablesTheWindowThenReplacesTheLapsAndRebuildsTheTotals) {
    device.put(26, deviceRecord(6000));     // driver 2, lap 1
    device.put(750, deviceRecord(123, 1));  // bad check byte: stored as 0
    DeviceCommand = 4;
    tick.Tick();  // opens the progress window and disables the main one only
    EXPECT_EQ(DeviceCommand, 3);
    EXPECT_EQ(BlocksToRead, 30);
    EXPECT_TRUE(host.progressOpen);
    EXPECT_EQ(host.progressMax, 30);
    EXPECT_FALSE(host.mainEnabled);
    EXPECT_TRUE(device.frames.empty());  // the device is not contacted yet
    expectSessionUntouched();
    fakes.messages.onShow = [&](const FakeMessageBox::Shown&) { EXPECT_FALSE(host.progressOpen); };
    std::vector<std::string> indicatorDuringDownload;
    host.onProgress = [&] { indicatorDuringDownload.push_back(host.text); };
    for (int i = 0; i < 30; ++i) tick.Tick();

    std::vector<int> expectedProgress;
    for (int i = 1; i <= 29; ++i) expectedProgress.push_back(i);
    EXPECT_EQ(host.progress, expectedProgress);
    EXPECT_EQ(indicatorDuringDownload.back(), "Device Connected");
    EXPECT_EQ(host.text, "NOT Connected");

    EXPECT_EQ(DeviceCommand, 0);
    EXPECT_EQ(DownloadActive, 0);
    EXPECT_FALSE(host.progressOpen);
    EXPECT_TRUE(host.mainEnabled);
    EXPECT_FALSE(port.portOpen());
    EXPECT_EQ(host.completions, 1);
    EXPECT_EQ(s.LapTimes[26], 6000);
    EXPECT_EQ(s.LapTimes[1], 0);
    EXPECT_EQ(s.LapTimes[750], 0);
    EXPECT_EQ(s.LapCount, 750);
    EXPECT_EQ(s.RecordCount, 750);
    EXPECT_EQ(s.FileState, FileState::Modified);
    EXPECT_EQ(s.TotalList[2].Text, "00:01.00.00");
    EXPECT_EQ(s.SortedTotalList[30].Number, 2);
    EXPECT_EQ(s.LapList[1].Text, "00:00.00.00");  // driver 1's laps
    // The bad record was asked for twice more, then told of once, after the
    // progress window closed.
    EXPECT_EQ(blockRequests(30), 3);
    EXPECT_EQ(fakes.messages.texts(), std::vector<std::string>{"Laps that could not be read: 1"});

    // Blocks go from driver 30 down to driver 1.
    ASSERT_GE(device.frames.size(), 31u);
    EXPECT_EQ(device.frames[1], bytesOf({0x48, 0x0C, 0x0E, 0x29, 0x38, 0x42}));
    EXPECT_EQ(device.frames.back(), bytesOf({0x48, 0x0C, 0x00, 0x00, 0x35, 0x34}));
}

TEST_F(CommTickTest, NoDeviceAbandonsTheDownloadWithTheMessage) {
    noDevice();
    DeviceCommand = 4;
    tick.Tick();
    tick.Tick();
    EXPECT_EQ(fakes.messages.texts(), std::vector<std::string>{"Device NOT Connected !"});
    EXPECT_EQ(fakes.messages.shown[0].title, "ORVEX");
    expectCleanAbort();
}

TEST_F(CommTickTest, ADeviceThatStopsAnsweringOrFailsAbandonsSilently) {
    device.answerBlocksUpTo = 5;  // the device hangs up in the middle
    DeviceCommand = 4;
    for (int i = 0; i < 10; ++i) tick.Tick();
    EXPECT_EQ(host.completions, 0);
    EXPECT_EQ(host.text, "NOT Connected");
    expectCleanAbort();

    DeviceCommand = 4;
    tick.Tick();
    device.answerBlocksUpTo = 30;
    tick.Tick();
    // The device is unplugged: the port raises an error on the next read.
    port.device = [](const Bytes&) -> Bytes { throw RunError(8020); };
    tick.Tick();
    expectCleanAbort();
    EXPECT_TRUE(fakes.messages.shown.empty());
}

TEST_F(CommTickTest, BytesAfterEveryReplyAndARecordThatFailsOnceLoseNoLap) {
    fillMemory();
    port.trailing = bytesOf({0x0D, 0x0A, 0x52, 0x00});
    int spoil = 1;  // block 3's first reply is disturbed
    port.device = [&](const Bytes& f) {
        Bytes reply = device(f);
        if (f.size() == 6 && f[3] == 250 && spoil-- > 0) reply[2 + 4] ^= 0x5A;
        return reply;
    };
    download();
    ASSERT_EQ(host.completions, 1);
    for (int slot = 1; slot <= 750; ++slot) ASSERT_EQ(s.LapTimes[slot], lapAt(slot)) << slot;
    EXPECT_EQ(blockRequests(3), 2);
    EXPECT_EQ(blockRequests(4), 1);
    EXPECT_TRUE(fakes.messages.shown.empty());
}

TEST_F(CommTickTest, ABlockWithNoGoodRecordOrAnotherInstrumentAbandonsTheDownload) {
    fillMemory();
    for (int slot = 101; slot <= 125; ++slot) device.put(slot, deviceRecord(lapAt(slot), 1));
    download();
    EXPECT_EQ(blockRequests(5), 3);
    EXPECT_EQ(blockRequests(4), 0);
    expectCleanAbort();

    // A modem or a GPS answers the identify frame and every request after it.
    port.device = [](const Bytes&) { return Bytes(140, 'A'); };
    download();
    expectCleanAbort();
    EXPECT_TRUE(fakes.messages.shown.empty());
}

TEST_F(CommTickTest, ShortCommandsWaitForADeviceAndThenRunOnce) {
    noDevice();
    host.dialog.pause = "old";
    DeviceCommand = 7;
    tick.Tick();
    tick.Tick();
    EXPECT_EQ(DeviceCommand, 7);
    EXPECT_EQ(host.dialog.pause, "old");
    device.settings = bytesOf({0x02, 0x0A, 0xFE});
    port.devicePort = 1;
    tick.Tick();
    EXPECT_EQ(DeviceCommand, 0);
    EXPECT_FALSE(port.portOpen());
    EXPECT_FALSE(host.dialog.brightness);
    EXPECT_TRUE(host.dialog.lapDisplay);
    EXPECT_EQ(host.dialog.pause, "10");
    EXPECT_EQ(host.dialog.correction, "-2");
    // Short commands never show the connected indicator.
    EXPECT_EQ(host.indicatorTexts, std::vector<std::string>{"NOT Connected"});
}

TEST_F(CommTickTest, ALaterRequestReplacesAPendingOne) {
    noDevice();
    DeviceCommand = 81;
    tick.Tick();
    DeviceCommand = 83;
    tick.Tick();
    EXPECT_EQ(DeviceCommand, 83);
    port.devicePort = 1;
    tick.Tick();
    EXPECT_EQ(DeviceCommand, 0);
    std::vector<Bytes> tests;
    for (const Bytes& f : device.frames)
        if (f.size() == 5 && f[1] == 0x05) tests.push_back(f);
    EXPECT_EQ(tests, std::vector<Bytes>{bytesOf({0x48, 0x05, 0x00, 0x34, 0x44})});
}

TEST_F(CommTickTest, CodesOutsideTheTableStaySettingsWithoutTheDialogAreDropped) {
    for (std::int16_t code : {2, 5, 99}) {
        DeviceCommand = code;
        tick.Tick();
        EXPECT_EQ(DeviceCommand, code);
    }
    host.dialogOpen = false;
    DeviceCommand = 7;
    tick.Tick();
    EXPECT_EQ(DeviceCommand, 0);
    EXPECT_TRUE(device.frames.empty());
}

TEST_F(CommTickTest, TextThatIsNotANumberDropsTheSettingsWithoutAMessage) {
    host.dialog.pause = "abc";
    DeviceCommand = 6;
    tick.Tick();
    EXPECT_EQ(DeviceCommand, 0);
    EXPECT_TRUE(fakes.messages.shown.empty());
    for (const Bytes& f : device.frames) EXPECT_NE(f[1], 0x06);
}

TEST_F(CommTickTest, IndicatorChangesOnlyWhenItMustAndRefreshesTheMenus) {
    tick.Tick();
    EXPECT_EQ(host.image, 10);
    EXPECT_EQ(host.text, "NOT Connected");
    EXPECT_EQ(host.menuRefreshes, 1);
    tick.Tick();
    tick.Tick();
    EXPECT_EQ(host.menuRefreshes, 1);
    DeviceCommand = 4;
    tick.Tick();
    tick.Tick();  // first block read
    EXPECT_EQ(host.image, 11);
    EXPECT_EQ(host.text, "Device Connected");
    EXPECT_EQ(host.menuRefreshes, 2);
    tick.Tick();
    EXPECT_EQ(host.menuRefreshes, 2);
}

TEST_F(CommTickTest, ATickNeverRunsInsideAnother) {
    int nested = 0;
    fakes.events.hooks.push_back([&] {
        if (tick.running()) {
            ++nested;
            tick.Tick();
        }
    });
    DeviceCommand = 4;
    for (int i = 0; i < 31; ++i) tick.Tick();
    EXPECT_GT(nested, 0);
    EXPECT_EQ(host.completions, 1);
    EXPECT_EQ(host.progress.size(), 29u);
}

TEST_F(CommTickTest, SettingsReplyFillsTheDialogAndEmptyFieldsSendZeroes) {
    frmSetup dialog;
    host.controls = &dialog;
    dialog.setChkSetup(true);
    device.settings = bytesOf({0x02, 0x0A, 0xFE});
    dialog.cmdSetup[1]->click();  // "RX Dati"
    tick.Tick();
    EXPECT_FALSE(dialog.chkSetupBox->isChecked());  // "Luminositá alta"
    EXPECT_TRUE(dialog.chkSetup1Box->isChecked());  // "Visualizzazione Lap"
    EXPECT_EQ(dialog.txtSetupBox[1]->text(), "10");
    EXPECT_EQ(dialog.txtSetupBox[2]->text(), "-2");

    dialog.setChkSetup(false);
    dialog.setChkSetup1(false);
    dialog.txtSetupBox[1]->clear();
    dialog.txtSetupBox[2]->clear();
    dialog.cmdSetup[0]->click();  // "TX Dati"
    tick.Tick();
    EXPECT_EQ(device.settings, bytesOf({0, 0, 0}));
    EXPECT_EQ(device.frames.back(), bytesOf({0x48, 0x06, 0x00, 0x00, 0x00, 0x34, 0x45}));
    EXPECT_EQ(DeviceCommand, 0);
}
