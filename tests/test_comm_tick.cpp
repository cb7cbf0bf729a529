#include <gtest/gtest.h>

#include "device/CommTick.h"
#include "device/DeviceFrames.h"
#include "device/DeviceHost.h"
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
    int completions = 0, menuRefreshes = 0;
    Indicator image = Indicator::None;
    std::vector<int> progress;
    std::vector<std::string> indicatorTexts;
    FakeSetupControls dialog;
    SetupControls* controls = &dialog;

    void showProgress(int) override { progressOpen = true; }
    void setProgress(int value) override { progress.push_back(value); }
    void closeProgress() override { progressOpen = false; }
    void setMainWindowEnabled(bool enabled) override { mainEnabled = enabled; }
    void downloadComplete() override { ++completions; }
    Indicator indicatorImage() const override { return image; }
    void setIndicator(Indicator i, const std::string& t) override {
        image = i;
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
    void TearDown() override { s.FileState = FileState::NoSession; }
    DeviceCommand pending() const { return tick.requests().pending(); }
    void post(DeviceCommand c) { tick.requests().post(c); }
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
        post(DeviceCommand::StartDownload);
        for (int i = 0; i < 40 && pending() != DeviceCommand::None; ++i) tick.Tick();
    }
    // Nothing left over, and the earlier session exactly as it was.
    void expectCleanAbort() {
        EXPECT_EQ(pending(), DeviceCommand::None);
        EXPECT_FALSE(tick.downloadActive());
        EXPECT_FALSE(host.progressOpen);
        EXPECT_TRUE(host.mainEnabled);
        EXPECT_FALSE(port.portOpen());
        EXPECT_EQ(host.completions, 0);
        EXPECT_EQ(s.FileState, FileState::Saved);
        EXPECT_EQ(s.LapTimes[1], 4242);
        for (int i = 2; i <= 750; ++i) ASSERT_EQ(s.LapTimes[i], 0) << i;
        EXPECT_EQ(s.TotalList[1].Text, "00:00.42.42");
        EXPECT_EQ(s.LapCount, 0);
    }
};

}  // namespace

TEST_F(CommTickTest, ADownloadDisablesTheWindowThenReplacesTheLapsAndRebuildsTheTotals) {
    device.put(26, deviceRecord(6000));     // driver 2, lap 1
    device.put(750, deviceRecord(123, 1));  // bad check byte: stored as 0
    post(DeviceCommand::StartDownload);
    tick.Tick();  // opens the progress window and disables the main one only
    EXPECT_EQ(pending(), DeviceCommand::ReadBlock);
    EXPECT_TRUE(host.progressOpen);
    EXPECT_FALSE(host.mainEnabled);
    EXPECT_TRUE(device.frames.empty());
    EXPECT_EQ(s.LapTimes[1], 4242);
    fakes.messages.onShow = [&](const FakeMessageBox::Shown&) { EXPECT_FALSE(host.progressOpen); };
    for (int i = 0; i < 30; ++i) tick.Tick();

    EXPECT_EQ(host.progress.size(), 29u);
    EXPECT_EQ(host.progress.back(), 29);
    // The indicator changes only when it must, and the menus follow it.
    EXPECT_EQ(host.indicatorTexts,
              (std::vector<std::string>{"NOT Connected", "Device Connected", "NOT Connected"}));
    EXPECT_EQ(host.menuRefreshes, 3);
    EXPECT_EQ(pending(), DeviceCommand::None);
    EXPECT_TRUE(host.mainEnabled && !host.progressOpen && !port.portOpen());
    EXPECT_EQ(host.completions, 1);
    EXPECT_EQ(s.LapTimes[26], 6000);
    EXPECT_EQ(s.LapTimes[750], 0);
    EXPECT_EQ(s.LapCount, 750);
    EXPECT_EQ(s.FileState, FileState::Modified);
    EXPECT_EQ(s.TotalList[2].Text, "00:01.00.00");
    EXPECT_EQ(s.SortedTotalList[30].Number, 2);
    EXPECT_EQ(s.LapList[1].Text, "00:00.00.00");  // driver 1's laps
    // The bad record was asked for twice more, then told of once, after the
    // progress window closed.
    EXPECT_EQ(blockRequests(30), 3);
    EXPECT_EQ(fakes.messages.texts(), std::vector<std::string>{"Laps that could not be read: 1"});
    // Blocks go from driver 30 down to driver 1.
    EXPECT_EQ(device.frames[1], bytesOf({0x48, 0x0C, 0x0E, 0x29, 0x38, 0x42}));
    EXPECT_EQ(device.frames.back(), bytesOf({0x48, 0x0C, 0x00, 0x00, 0x35, 0x34}));
}

TEST_F(CommTickTest, NoDeviceAbandonsTheDownloadWithTheMessage) {
    port.devicePort = 0;
    fakes.pointer.shape = MousePointer::Hourglass;
    post(DeviceCommand::StartDownload);
    tick.Tick();
    tick.Tick();
    EXPECT_EQ(fakes.messages.texts(), std::vector<std::string>{"Device NOT Connected !"});
    EXPECT_EQ(fakes.messages.shown[0].title, "ORVEX");
    EXPECT_EQ(fakes.pointer.shape, MousePointer::Normal);
    expectCleanAbort();
}

TEST_F(CommTickTest, ADeviceThatStopsAnswersWrongOrFailsAbandonsSilently) {
    device.answerBlocksUpTo = 5;  // the device hangs up in the middle
    fakes.pointer.shape = MousePointer::Hourglass;
    download();
    EXPECT_EQ(host.indicatorTexts.back(), "NOT Connected");
    EXPECT_EQ(fakes.pointer.shape, MousePointer::Normal);
    expectCleanAbort();

    // A block with no good record in three readings.
    fillMemory();
    device.answerBlocksUpTo = 1000;
    device.frames.clear();
    for (int slot = 101; slot <= 125; ++slot) device.put(slot, deviceRecord(lapAt(slot), 1));
    download();
    EXPECT_EQ(blockRequests(5), 3);
    EXPECT_EQ(blockRequests(4), 0);
    expectCleanAbort();

    // A modem or a GPS answers the identify frame and every request after it.
    port.device = [](const Bytes&) { return Bytes(140, 'A'); };
    download();
    expectCleanAbort();

    // The device is unplugged: the port raises an error on the next read.
    port.device = [this](const Bytes& f) { return device(f); };
    post(DeviceCommand::StartDownload);
    tick.Tick();
    tick.Tick();
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

TEST_F(CommTickTest, ShortCommandsWaitForADeviceRunOnceAndALaterRequestReplacesAPendingOne) {
    port.devicePort = 0;
    host.dialog.pause = "old";
    post(DeviceCommand::SetupRead);
    tick.Tick();
    tick.Tick();
    EXPECT_EQ(pending(), DeviceCommand::SetupRead);
    EXPECT_EQ(host.dialog.pause, "old");
    device.settings = bytesOf({0x02, 0x0A, 0xFE});
    port.devicePort = 1;
    tick.Tick();
    EXPECT_EQ(pending(), DeviceCommand::None);
    EXPECT_FALSE(port.portOpen());
    EXPECT_EQ((SettingsFields{host.dialog.brightness, host.dialog.lapDisplay, host.dialog.pause,
                              host.dialog.correction}),
              (SettingsFields{false, true, "10", "-2"}));
    // Short commands never show the connected indicator.
    EXPECT_EQ(host.indicatorTexts, std::vector<std::string>{"NOT Connected"});

    port.devicePort = 0;
    post(DeviceCommand::DisplayTest);
    tick.Tick();
    post(DeviceCommand::EndTest);
    port.devicePort = 1;
    device.frames.clear();
    tick.Tick();
    EXPECT_EQ(pending(), DeviceCommand::None);
    EXPECT_EQ(device.frames.back(), bytesOf({0x48, 0x05, 0x00, 0x34, 0x44}));
    EXPECT_EQ(device.frames.size(), 2u);  // identify, end of test
}

TEST_F(CommTickTest, ASilentDeviceIsToldOfForTheSettingsAndOnlyDropsTheHourglassForATest) {
    port.device = [this](const Bytes& f) {
        const Bytes reply = device(f);
        return f.size() == 4 && f[1] == 0x02 ? reply : Bytes{};
    };
    const FakeMessageBox::Shown noCommunication{"Comunicazione Impossibile", MessageBox::OkOnly,
                                                "ORVEX Timing System"};
    host.dialog.pause = "4";
    for (DeviceCommand c : {DeviceCommand::SetupWrite, DeviceCommand::SetupRead}) {
        fakes.messages.shown.clear();
        fakes.messages.onShow = [&](const FakeMessageBox::Shown&) {
            EXPECT_EQ(fakes.pointer.shape, MousePointer::Normal);
            EXPECT_TRUE(port.portOpen());
        };
        post(c);
        tick.Tick();
        EXPECT_EQ(fakes.messages.shown, std::vector<FakeMessageBox::Shown>{noCommunication});
        EXPECT_EQ(pending(), DeviceCommand::None);
        EXPECT_FALSE(port.portOpen());
    }
    EXPECT_EQ(host.dialog.pause, "4");

    fakes.messages.shown.clear();
    fakes.pointer.shape = MousePointer::Hourglass;
    fakes.pointer.history.clear();
    post(DeviceCommand::DisplayTest);
    tick.Tick();
    EXPECT_EQ(fakes.pointer.history,
              (std::vector<MousePointer::Shape>{MousePointer::Normal, MousePointer::Normal}));
    EXPECT_TRUE(fakes.messages.shown.empty());
}

TEST_F(CommTickTest, SettingsWithoutTheDialogOrWithTextThatIsNotANumberAreDroppedSilently) {
    host.dialogOpen = false;
    post(DeviceCommand::SetupRead);
    tick.Tick();
    EXPECT_EQ(pending(), DeviceCommand::None);
    EXPECT_TRUE(device.frames.empty());

    host.dialogOpen = true;
    host.dialog.pause = "abc";
    post(DeviceCommand::SetupWrite);
    tick.Tick();
    EXPECT_EQ(pending(), DeviceCommand::None);
    EXPECT_TRUE(fakes.messages.shown.empty());
    for (const Bytes& f : device.frames) EXPECT_NE(f[1], 0x06);
}

TEST_F(CommTickTest, ATickNeverRunsInsideAnother) {
    int nested = 0;
    fakes.events.hooks.push_back([&] {
        if (tick.running() && nested++ == 0) tick.Tick();
    });
    download();
    EXPECT_GT(nested, 0);
    EXPECT_EQ(host.completions, 1);
    EXPECT_EQ(blockRequests(30), 1);
    EXPECT_EQ(blockRequests(29), 1);
}
