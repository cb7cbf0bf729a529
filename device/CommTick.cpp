#include "device/CommTick.h"

#include "device/DeviceFrames.h"
#include "device/DeviceHost.h"
#include "device/DeviceLink.h"
#include "device/DeviceProtocol.h"
#include "device/SerialLink.h"
#include "platform/Messages.h"
#include "session/Session.h"

namespace orvex {

namespace {

// Clears the flag however the tick ends.
class RunningFlag {
public:
    explicit RunningFlag(bool& flag) : flag_(flag) { flag_ = true; }
    ~RunningFlag() { flag_ = false; }
    RunningFlag(const RunningFlag&) = delete;
    RunningFlag& operator=(const RunningFlag&) = delete;

private:
    bool& flag_;
};

}  // namespace

void CommTick::Tick() {
    if (running_ || closing_) return;
    RunningFlag guard(running_);
    const std::int16_t code = DeviceCommand;
    const bool ok = runSilently([this] { runCommand(); });
    if (!ok) {
        // A failure drops the command; a download it interrupts is abandoned
        // so the progress window never stays open over a disabled window.
        if (downloading_) runSilently([this] { ErrorUpload(); });
        endCommand(code);
    }
    if (!closing_) runSilently([this] { updateIndicator(); });
}

void CommTick::endCommand(std::int16_t code) {
    if (DeviceCommand == code) DeviceCommand = DeviceCommandCode::None;
}

void CommTick::shutdown() {
    closing_ = true;
    if (downloading_) ErrorUpload();
}

SetupControls* CommTick::setupDialog() { return closing_ ? nullptr : host_.setupControls(); }

void CommTick::runCommand() {
    switch (DeviceCommand) {
        case DeviceCommandCode::MemoryClear:
        case DeviceCommandCode::SetupWrite:
        case DeviceCommandCode::SetupRead:
        case DeviceCommandCode::DisplayTest:
        case DeviceCommandCode::InputsTest:
        case DeviceCommandCode::EndTest:
            shortCommand(DeviceCommand);
            break;
        case DeviceCommandCode::StartDownload:
            startDownload();
            break;
        case DeviceCommandCode::ReadBlock:
            readBlock();
            break;
        default:
            break;  // not a command of the tick: left as it is
    }
}

void CommTick::shortCommand(std::int16_t code) {
    // The settings live only in the configuration dialog's controls; with
    // the dialog closed there is nothing to send or fill. The dialog deletes
    // itself when it closes, and it may close whenever events run (the port
    // scan, the reply wait), so it is looked up again each time.
    const bool settings =
        code == DeviceCommandCode::SetupWrite || code == DeviceCommandCode::SetupRead;
    if (settings && !setupDialog()) {
        endCommand(code);
        return;
    }
    // No device: the command stays pending and is tried again next tick.
    if (!Device_Connect()) return;
    if (settings && !setupDialog()) {
        endCommand(code);
        Port_Close();
        return;
    }
    switch (code) {
        case DeviceCommandCode::MemoryClear:
            Memory_Clear();
            break;
        case DeviceCommandCode::SetupWrite:
            Setup_Write(*setupDialog());
            break;
        case DeviceCommandCode::SetupRead:
            Setup_Read([this] { return setupDialog(); });
            break;
        case DeviceCommandCode::DisplayTest:
            Test_Mode(TestModes::Display);
            break;
        case DeviceCommandCode::InputsTest:
            Test_Mode(TestModes::Inputs);
            break;
        case DeviceCommandCode::EndTest:
            Test_Mode(TestModes::End);
            break;
        default:
            break;
    }
    endCommand(code);
    Port_Close();
}

void CommTick::startDownload() {
    staging_.assign(kLapSlots + 1, 0);
    unreadLaps_ = 0;
    downloading_ = true;
    host_.showProgress(kBlocks);
    BlocksToRead = kBlocks;
    DeviceCommand = DeviceCommandCode::ReadBlock;
    host_.setMainWindowEnabled(false);
}

void CommTick::readBlock() {
    if (!downloading_) {
        // A block request with no download behind it has nothing to fill.
        DeviceCommand = DeviceCommandCode::None;
        return;
    }
    if (!Device_Connect()) {
        ErrorUpload();
        if (!closing_) ShowMessage("Device NOT Connected !");
        return;
    }
    DownloadActive = 1;
    const std::optional<int> failed = Block_Read(BlocksToRead, staging_);
    if (!failed || closing_) {
        ErrorUpload();
        return;
    }
    unreadLaps_ += *failed;
    --BlocksToRead;
    if (BlocksToRead >= 1) {
        host_.setProgress(kBlocks - BlocksToRead);
        return;
    }
    finishDownload();
}

void CommTick::finishDownload() {
    Session& s = session();
    DeviceCommand = DeviceCommandCode::None;
    downloading_ = false;
    host_.closeProgress();
    host_.setMainWindowEnabled(true);

    s.LapTimes.swap(staging_);
    staging_.clear();
    s.LapCount = kLapSlots;
    s.RecordCount = kLapSlots;
    if (s.FileState != FileState::NoSession) s.FileState = FileState::Modified;
    s.LapList.assign(kLapsPerDriver + 1, TimeItem{});
    s.SortedLapList.assign(kLapsPerDriver + 1, TimeItem{});
    s.TotalList.assign(kDrivers + 1, TimeItem{});
    s.SortedTotalList.assign(kDrivers + 1, TimeItem{});
    s.MakeTotals();
    s.SortTotals();
    // The lists were created anew: fill the lap texts so no open window is
    // left showing blank lines.
    s.MakeLapList(1);
    host_.downloadComplete();

    DownloadActive = 0;
    Port_Close();
    // Told once, with the progress window gone; they are stored as 0.
    if (unreadLaps_ > 0) ShowMessage(kUnreadLapsText + numberText(unreadLaps_));
}

void CommTick::ErrorUpload() {
    downloading_ = false;
    staging_.clear();
    host_.closeProgress();
    DeviceCommand = DeviceCommandCode::None;
    host_.setMainWindowEnabled(true);
    DownloadActive = 0;
    Port_Close();
}

void CommTick::updateIndicator() {
    const int wanted = DownloadActive == 1 ? kImageConnected : kImageNotConnected;
    if (host_.indicatorImage() == wanted) return;
    host_.setIndicator(wanted, wanted == kImageConnected ? "Device Connected" : "NOT Connected");
    host_.MenuRefresh();
}

}  // namespace orvex
