#include "device/DeviceProtocol.h"

#include "device/DeviceFrames.h"
#include "device/SerialLink.h"
#include "device/SetupControls.h"
#include "platform/Messages.h"
#include "platform/Platform.h"
#include "platform/Regional.h"
#include "platform/RunError.h"
#include "session/Session.h"

namespace orvex {

namespace {

constexpr int kLastPort = 20;

bool deviceAnswers() {
    bool answered = false;
    runSilently([&] {
        Port_Send(deviceFrame(DeviceCode::Identify));
        answered = Port_Receive(kIdentifyReplyLength).size() == kIdentifyReplyLength;
    });
    return answered;
}

}  // namespace

LinkStatus Device_Connect() {
    SerialPort& port = *platform().serial;
    Port_Setup();
    bool open = false;
    runSilently([&] { open = port.portOpen(); });
    if (!open) {
        runSilently([&] { port.discardOutBuffer(); });
        runSilently([&] { port.discardInBuffer(); });
        for (int number = 1; number <= kLastPort; ++number) {
            const bool opened = runSilently([&] {
                port.setCommPort(number);
                port.setPortOpen(true);
            });
            if (opened && deviceAnswers()) break;
            runSilently([] { Port_Close(); });
        }
        runSilently([&] { open = port.portOpen(); });
    }
    return open ? LinkStatus::Ok : LinkStatus::NoDevice;
}

void Memory_Clear() { Port_Send(deviceFrame(DeviceCode::MemoryClear)); }

LinkStatus Test_Mode(std::uint8_t mode) {
    Port_Send(testModeFrame(mode));
    return Port_Receive(kTestReplyLength).empty() ? LinkStatus::NoReply : LinkStatus::Ok;
}

LinkStatus Setup_Write(const SetupControls& dialog) {
    SettingsFields fields;
    fields.brightness = dialog.chkSetup();
    fields.lapDisplay = dialog.chkSetup1();
    fields.pause = dialog.txtSetup(1);
    fields.correction = dialog.txtSetup(2);
    const std::string decimal =
        platform().regional ? platform().regional->decimalSeparator() : std::string(".");
    const SettingsRecord record = encodeSettings(fields, decimal);
    return Port_SendExpect(setupWriteFrame(record), setupWriteAck()) ? LinkStatus::Ok
                                                                     : LinkStatus::NoReply;
}

LinkStatus Setup_Read(const SetupLookup& lookup) {
    Port_Send(deviceFrame(DeviceCode::SetupRead));
    const Bytes reply = Port_Receive(kSetupReadReplyLength);
    SetupControls* dialog = lookup();
    if (!dialog) return LinkStatus::DialogClosed;
    if (reply.empty()) return LinkStatus::NoReply;
    const SettingsFields fields = decodeSettings(reply);
    dialog->setChkSetup(fields.brightness);
    dialog->setChkSetup1(fields.lapDisplay);
    dialog->setTxtSetup(1, fields.pause);
    dialog->setTxtSetup(2, fields.correction);
    return LinkStatus::Ok;
}

LinkStatus Block_Read(int block, std::vector<std::int32_t>& lapTimes, BlockReading& stored) {
    if (block < 1 || block > kBlocks) throw RunError(ErrorNo::InvalidCall);
    if (lapTimes.size() <= static_cast<std::size_t>(lapSlot(block, kRecordsPerBlock)))
        throw RunError(ErrorNo::SubscriptOutOfRange);
    BlockReading best;
    best.failed = kRecordsPerBlock + 1;
    for (int attempt = 1; attempt <= kBlockAttempts && best.failed > 0; ++attempt) {
        // Failed records are most often a reply shifted by stray bytes, or a
        // disturbed line: the repeat waits longer for quiet first.
        Port_Send(blockReadFrame(block), attempt == 1 ? kQuietGapMs : kRetryQuietGapMs);
        const Bytes reply = Port_Receive(kBlockReplyLength);
        if (reply.empty()) {
            Port_Close();
            return LinkStatus::NoReply;
        }
        const BlockReading reading = decodeBlockReply(reply);
        if (reading.failed < best.failed) best = reading;
    }
    for (int k = 1; k <= kRecordsPerBlock; ++k) lapTimes[lapSlot(block, k)] = best.laps[k - 1];
    stored = best;
    return LinkStatus::Ok;
}

}  // namespace orvex
