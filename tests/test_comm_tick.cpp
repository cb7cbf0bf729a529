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
    int completions = 0, menuRefreshes = 0, unreadLaps = 0;
    Indicator image = Indicator::None;
    FakeSetupControls dialog;

    void showProgress(int) override { progressOpen = true; }
    void setProgress(int) override {}
    void closeProgress() override { progressOpen = false; }
    void setMainWindowEnabled(bool enabled) override { mainEnabled = enabled; }
    void downloadComplete() override { ++completions; }
    void reportUnreadLaps(int count) override { unreadLaps += count; }
    void reportAbandoned(DownloadStop why) override { stops.push_back(why); }
    std::vector<DownloadStop> stops;
    Indicator indicatorImage() const override { return image; }
    void setIndicator(Indicator i, const std::string&) override { image = i; }
    void MenuRefresh() override { ++menuRefreshes; }
    SetupControls* setupControls() override { return dialogOpen ? &dialog : nullptr; }
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
        s.LapTimes[1] = 4242;  // an earlier session the download must never damage
        s.MakeTotals();
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
        EXPECT_FALSE(tick.downloadActive() || host.progressOpen || port.portOpen());
        EXPECT_TRUE(host.mainEnabled);
        EXPECT_EQ(host.completions, 0);
        EXPECT_EQ(s.FileState, FileState::Saved);
        EXPECT_EQ(s.LapTimes[1], 4242);
        for (int i = 2; i <= 750; ++i) ASSERT_EQ(s.LapTimes[i], 0) << i;
        EXPECT_EQ(s.TotalList[1].Text, "00:00.42.42");
    }
};

}  // namespace

TEST_F(CommTickTest, ADownloadDisablesTheWindowThenReplacesTheLapsAndRebuildsTheTotals) {
    device.put(26, deviceRecord(6000));  // driver 2, lap 1
    post(DeviceCommand::StartDownload);
    tick.Tick();  // opens the progress window and disables the main one only
    EXPECT_TRUE(host.progressOpen && !host.mainEnabled && device.frames.empty());
    for (int i = 0; i < 30; ++i) tick.Tick();

    EXPECT_EQ(host.menuRefreshes, 3);  // the menus follow each change of the indicator
    EXPECT_TRUE(host.mainEnabled && !host.progressOpen && !port.portOpen());
    EXPECT_EQ(host.completions, 1);
    EXPECT_EQ(s.LapTimes[26], 6000);
    EXPECT_EQ(s.FileState, FileState::Modified);
    EXPECT_EQ(s.TotalList[2].Text, "00:01.00.00");
}

TEST_F(CommTickTest, EveryAbandonedDownloadKeepsTheSessionAndSaysWhyOnce) {
    const auto saysOnly = [&](const std::string& text) {
        EXPECT_EQ(fakes.messages.texts(), std::vector<std::string>{text});
        EXPECT_TRUE(host.stops.empty());
        fakes.messages.shown.clear();
        expectCleanAbort();
    };
    const auto stopsOnly = [&](DownloadStop why) {
        EXPECT_TRUE(fakes.messages.texts().empty());
        EXPECT_EQ(host.stops, std::vector<DownloadStop>{why});
        host.stops.clear();
        expectCleanAbort();
    };
    port.devicePort = 0;
    fakes.pointer.shape = MousePointer::Hourglass;
    download();
    EXPECT_EQ(fakes.pointer.shape, MousePointer::Normal);
    saysOnly("Device NOT Connected !");

    port.devicePort = 1;
    device.answerBlocksUpTo = 5;  // the device stops answering in the middle
    download();
    stopsOnly(DownloadStop::NoAnswer);

    // Three blocks in a row with nothing readable in three readings each.
    fillMemory();
    device.answerBlocksUpTo = 1000;
    device.frames.clear();
    for (int slot = 101; slot <= 175; ++slot) device.put(slot, deviceRecord(lapAt(slot), 1));
    download();
    EXPECT_EQ(blockRequests(5), 3);
    EXPECT_EQ(blockRequests(4), 0);
    stopsOnly(DownloadStop::NotLaps);

    // A modem or a GPS answers the identify frame and every request after it.
    port.device = [](const Bytes&) { return Bytes(140, 'A'); };
    download();
    stopsOnly(DownloadStop::NotLaps);

    // The device is unplugged: the port raises an error on the next read.
    port.device = [this](const Bytes& f) { return device(f); };
    post(DeviceCommand::StartDownload);
    tick.Tick();
    tick.Tick();
    port.device = [](const Bytes&) -> Bytes { throw RunError(8020); };
    tick.Tick();
    stopsOnly(DownloadStop::NoAnswer);
}

// Memory erased to FF bytes is empty; unreadable records, and a lone block
// of them, are stored as 0 and counted, and the download goes on however few
// laps read around them: only whole blocks of them in a row abandon it.
TEST_F(CommTickTest, AFewGoodLapsAmongErasedMemoryAndSomeBadRecordsComplete) {
    std::fill(device.memory.begin(), device.memory.end(), 0xFF);
    for (int slot = 1; slot <= 3; ++slot) device.put(slot, deviceRecord(lapAt(slot)));
    for (int slot : {4, 30, 400, 750}) device.put(slot, deviceRecord(lapAt(slot), 1));
    for (int slot = 51; slot <= 75; ++slot) device.put(slot, deviceRecord(lapAt(slot), 1));
    download();
    ASSERT_EQ(host.completions, 1);
    EXPECT_EQ(host.unreadLaps, 4 + 25);
    EXPECT_EQ(blockRequests(3), 3);
    EXPECT_EQ(blockRequests(4), 1);
    for (int slot = 1; slot <= 750; ++slot)
        ASSERT_EQ(s.LapTimes[slot], slot <= 3 ? lapAt(slot) : 0) << slot;
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

TEST_F(CommTickTest,
       SettingsFromASilentDeviceAreToldOfWithoutTheDialogOrANumberDroppedSilentlyAndThePortCloses) {
    struct Case {
        DeviceCommand command;
        bool silent, dialogOpen;
        const char* pause;
    };
    const Case cases[] = {{DeviceCommand::SetupWrite, true, true, "4"},
                          {DeviceCommand::SetupRead, true, true, "4"},
                          {DeviceCommand::SetupRead, false, false, "4"},
                          {DeviceCommand::SetupWrite, false, true, "abc"}};
    fakes.messages.onShow = [&](const FakeMessageBox::Shown&) {
        EXPECT_EQ(fakes.pointer.shape, MousePointer::Normal);
    };
    for (const Case& c : cases) {
        port.device = [this, c](const Bytes& f) {
            const Bytes reply = device(f);
            return !c.silent || f == deviceFrame(DeviceCode::Identify) ? reply : Bytes{};
        };
        fakes.messages.shown.clear();
        device.frames.clear();
        host.dialog.pause = c.pause;
        host.dialogOpen = c.dialogOpen;
        post(c.command);
        tick.Tick();
        EXPECT_EQ(fakes.messages.texts(),
                  c.silent ? std::vector<std::string>{"Comunicazione Impossibile"}
                           : std::vector<std::string>{});
        EXPECT_EQ(host.dialog.pause, c.pause);
        EXPECT_FALSE(port.portOpen());
        for (const Bytes& f : device.frames) EXPECT_TRUE(c.silent || f[1] != 0x06);
    }
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

// The main window closing mid-download shuts the tick down: nothing of the
// download survives it, and no later tick talks to the device.
TEST_F(CommTickTest, ShuttingDownMidDownloadAbandonsItAndNoTickRunsAfter) {
    fillMemory();
    post(DeviceCommand::StartDownload);
    for (int i = 0; i < 3; ++i) tick.Tick();
    ASSERT_TRUE(tick.downloadActive());
    tick.shutdown();
    const std::size_t frames = device.frames.size();
    tick.Tick();
    EXPECT_EQ(device.frames.size(), frames);
    expectCleanAbort();
}
