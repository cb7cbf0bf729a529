#include "device/DeviceProtocol.h"

#include "device/DeviceFrames.h"
#include "device/SerialLink.h"
#include "device/SetupControls.h"
#include "platform/MessageBox.h"
#include "platform/Messages.h"
#include "platform/MousePointer.h"
#include "platform/Platform.h"
#include "platform/Regional.h"
#include "platform/RunError.h"
#include "session/Session.h"

namespace orvex {

namespace {

constexpr int kLastPort = 20;

void pointerNormal() { platform().pointer->set(MousePointer::Normal); }

void reportNoCommunication() {
    pointerNormal();
    platform().messages->show("Comunicazione Impossibile", MessageBox::OkOnly, kProgramName);
}

bool deviceAnswers() {
    bool answered = false;
    runSilently([&] {
        Port_Send(deviceFrame(DeviceCode::Identify));
        answered = Port_Receive(kIdentifyReplyLength).size() == kIdentifyReplyLength;
    });
    return answered;
}

}  // namespace

bool Device_Connect() {
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
    pointerNormal();
    return open;
}

void Memory_Clear() { Port_Send(deviceFrame(DeviceCode::MemoryClear)); }

void Test_Mode(std::uint8_t mode) {
    Port_Send(testModeFrame(mode));
    if (Port_Receive(kTestReplyLength).empty()) pointerNormal();
}

bool Setup_Write(const SetupControls& dialog) {
    SettingsFields fields;
    fields.brightness = dialog.chkSetup();
    fields.lapDisplay = dialog.chkSetup1();
    fields.pause = dialog.txtSetup(1);
    fields.correction = dialog.txtSetup(2);
    const std::string decimal =
        platform().regional ? platform().regional->decimalSeparator() : std::string(".");
    const SettingsRecord record = encodeSettings(fields, decimal);
    if (Port_SendExpect(setupWriteFrame(record), setupWriteAck())) return true;
    reportNoCommunication();
    return false;
}

bool Setup_Read(const SetupLookup& lookup) {
    Port_Send(deviceFrame(DeviceCode::SetupRead));
    const Bytes reply = Port_Receive(kSetupReadReplyLength);
    SetupControls* dialog = lookup();
    if (!dialog) return false;
    if (reply.empty()) {
        reportNoCommunication();
        return false;
    }
    const SettingsFields fields = decodeSettings(reply);
    dialog->setChkSetup(fields.brightness);
    dialog->setChkSetup1(fields.lapDisplay);
    dialog->setTxtSetup(1, fields.pause);
    dialog->setTxtSetup(2, fields.correction);
    return true;
}

std::optional<int> Block_Read(int block, std::vector<std::int32_t>& lapTimes) {
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
            best.failed = kRecordsPerBlock;
            break;
        }
        const BlockReading reading = decodeBlockReply(reply);
        if (reading.failed < best.failed) best = reading;
    }
    if (best.failed >= kRecordsPerBlock) {
        pointerNormal();
        Port_Close();
        return std::nullopt;
    }
    for (int k = 1; k <= kRecordsPerBlock; ++k) lapTimes[lapSlot(block, k)] = best.laps[k - 1];
    return best.failed;
}

}  // namespace orvex
