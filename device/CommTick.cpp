#include "device/CommTick.h"

#include "device/DeviceFrames.h"
#include "device/DeviceHost.h"
#include "device/DeviceProtocol.h"
#include "device/SerialLink.h"
#include "platform/MessageBox.h"
#include "platform/Messages.h"
#include "platform/MousePointer.h"
#include "platform/Platform.h"
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

void pointerNormal() { platform().pointer->set(MousePointer::Normal); }

void reportNoCommunication() {
    pointerNormal();
    platform().messages->show("Comunicazione Impossibile", MessageBox::OkOnly, kProgramName);
}

}  // namespace

void CommTick::Tick() {
    if (running_ || closing_) return;
    RunningFlag guard(running_);
    const DeviceCommand code = requests_.pending();
    const bool ok = runSilently([this] { runCommand(); });
    if (!ok) {
        // A failure drops the command and closes the port it opened; a
        // download it interrupts (most often a line that went away) is
        // abandoned so the progress window never stays open over a disabled
        // window.
        if (downloading_) runSilently([this] { abandonDownload(DownloadStop::NoAnswer); });
        runSilently([] { Port_Close(); });
        requests_.finish(code);
    }
    if (!closing_) runSilently([this] { updateIndicator(); });
}

void CommTick::shutdown() {
    closing_ = true;
    if (downloading_) ErrorUpload();
}

SetupControls* CommTick::setupDialog() { return closing_ ? nullptr : host_.setupControls(); }

void CommTick::runCommand() {
    const DeviceCommand code = requests_.pending();
    switch (code) {
        case DeviceCommand::MemoryClear:
        case DeviceCommand::SetupWrite:
        case DeviceCommand::SetupRead:
        case DeviceCommand::DisplayTest:
        case DeviceCommand::InputsTest:
        case DeviceCommand::EndTest:
            shortCommand(code);
            break;
        case DeviceCommand::StartDownload:
            startDownload();
            break;
        case DeviceCommand::ReadBlock:
            readBlock();
            break;
        default:
            break;  // not a command of the tick: left as it is
    }
}

void CommTick::shortCommand(DeviceCommand code) {
    // The settings live only in the configuration dialog's controls; with
    // the dialog closed there is nothing to send or fill. The dialog deletes
    // itself when it closes, and it may close whenever events run (the port
    // scan, the reply wait), so it is looked up again each time.
    const bool settings = code == DeviceCommand::SetupWrite || code == DeviceCommand::SetupRead;
    if (settings && !setupDialog()) {
        requests_.finish(code);
        return;
    }
    // No device: the command stays pending and is tried again next tick.
    const LinkStatus connected = Device_Connect();
    pointerNormal();
    if (connected != LinkStatus::Ok) return;
    if (settings && !setupDialog()) {
        requests_.finish(code);
        Port_Close();
        return;
    }
    LinkStatus status = LinkStatus::Ok;
    switch (code) {
        case DeviceCommand::MemoryClear:
            Memory_Clear();
            break;
        case DeviceCommand::SetupWrite:
            status = Setup_Write(*setupDialog());
            break;
        case DeviceCommand::SetupRead:
            status = Setup_Read([this] { return setupDialog(); });
            break;
        case DeviceCommand::DisplayTest:
            status = Test_Mode(TestModes::Display);
            break;
        case DeviceCommand::InputsTest:
            status = Test_Mode(TestModes::Inputs);
            break;
        case DeviceCommand::EndTest:
            status = Test_Mode(TestModes::End);
            break;
        default:
            break;
    }
    // The settings need the device's answer; a test mode only drops the
    // hourglass when the device stays silent.
    if (status == LinkStatus::NoReply) {
        if (settings)
            reportNoCommunication();
        else
            pointerNormal();
    }
    requests_.finish(code);
    Port_Close();
}

void CommTick::startDownload() {
    staging_.assign(kLapSlots + 1, 0);
    unreadLaps_ = 0;
    unreadableBlocks_ = 0;
    downloading_ = true;
    host_.showProgress(kBlocks);
    blocksToRead_ = kBlocks;
    requests_.post(DeviceCommand::ReadBlock);
    host_.setMainWindowEnabled(false);
}

void CommTick::readBlock() {
    if (!downloading_) {
        // A block request with no download behind it has nothing to fill.
        requests_.clear();
        return;
    }
    const LinkStatus connected = Device_Connect();
    pointerNormal();
    if (connected != LinkStatus::Ok) {
        ErrorUpload();
        if (!closing_) ShowMessage("Device NOT Connected !");
        return;
    }
    downloadActive_ = true;
    BlockReading stored;
    const LinkStatus read = Block_Read(blocksToRead_, staging_, stored);
    if (closing_) {
        ErrorUpload();
        return;
    }
    if (read != LinkStatus::Ok) {
        abandonDownload(DownloadStop::NoAnswer);
        return;
    }
    unreadLaps_ += stored.failed;
    // Unreadable records alone do not condemn a download: a disturbed line
    // spoils a few, erased memory none, and the laps that did read are the
    // race's. Whole blocks of them in a row come from something that is not
    // the device.
    unreadableBlocks_ = stored.failed == kRecordsPerBlock ? unreadableBlocks_ + 1 : 0;
    if (unreadableBlocks_ >= kUnreadableBlocksInRow) {
        abandonDownload(DownloadStop::NotLaps);
        return;
    }
    --blocksToRead_;
    if (blocksToRead_ >= 1) {
        host_.setProgress(kBlocks - blocksToRead_);
        return;
    }
    finishDownload();
}

void CommTick::finishDownload() {
    Session& s = session();
    requests_.clear();
    downloading_ = false;
    host_.closeProgress();
    host_.setMainWindowEnabled(true);

    // Another race's laps start a new session, decided only now that they are
    // all here: the old race's file and corrections are never taken for them.
    if (s.isAnotherRace(staging_)) {
        s.startNewRace();
        host_.newRace();
    }
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

    downloadActive_ = false;
    Port_Close();
    // Told once, with the progress window gone; they are stored as 0.
    if (unreadLaps_ > 0) host_.reportUnreadLaps(unreadLaps_);
}

void CommTick::abandonDownload(DownloadStop why) {
    ErrorUpload();
    if (!closing_) host_.reportAbandoned(why);
}

void CommTick::ErrorUpload() {
    downloading_ = false;
    staging_.clear();
    host_.closeProgress();
    requests_.clear();
    host_.setMainWindowEnabled(true);
    downloadActive_ = false;
    Port_Close();
}

void CommTick::updateIndicator() {
    const Indicator wanted = downloadActive_ ? Indicator::Connected : Indicator::NotConnected;
    if (host_.indicatorImage() == wanted) return;
    host_.setIndicator(wanted,
                       wanted == Indicator::Connected ? "Device Connected" : "NOT Connected");
    host_.MenuRefresh();
}

}  // namespace orvex
