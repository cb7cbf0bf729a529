// A download as the user starts it: Device > Download data on the main window,
// carried out by its 50 ms polling tick over the real port from the simulator
// at 9600 baud. Prints the time from the first block request to the end, its
// ratio to the wire time, how often the bar advanced, whether every lap equals
// the device's memory, and how long the "Device NOT Connected !" message takes
// when no device is there. Arguments go to the simulator, for example
// `--extra 4` for a device that sends four bytes after every reply.

#include <QElapsedTimer>
#include <QProcess>
#include <QProgressBar>
#include <QTemporaryFile>
#include <QTimer>
#include <cstdio>
#include <set>

#include "bench/BenchApp.h"
#include "bench/SimulatorAt9600.h"
#include "device/DeviceFrames.h"
#include "device/DeviceLink.h"
#include "platform/MessageBox.h"
#include "platform/Platform.h"
#include "session/Session.h"
#include "shell/DesktopDevice.h"
#include "shell/frmDesktop.h"
#include "ui/device/frmProgress.h"

using namespace orvex;

namespace {

// Notes when a message box would have appeared, and answers at once.
class TimedMessages : public MessageBox {
public:
    QElapsedTimer* clock = nullptr;
    qint64 shownAtNs = -1;
    std::string text;
    int show(const std::string& t, int, const std::string&) override {
        if (shownAtNs < 0) shownAtNs = clock->nsecsElapsed();
        text = t;
        return Ok;
    }
};

// A lap in every slot, so a reply read out of step cannot pass unseen.
std::uint32_t lapAt(int slot) { return 8000u + static_cast<std::uint32_t>(slot) * 13u; }

bool writeMemory(QTemporaryFile& file) {
    if (!file.open()) return false;
    for (int slot = 1; slot <= kMemoryRecords; ++slot) {
        const Bytes r = encodeRecord(lapAt(slot));
        file.write(reinterpret_cast<const char*>(r.data()), static_cast<qint64>(r.size()));
    }
    return file.flush();
}

bool lapsEqualMemory() {
    for (int slot = 1; slot <= kMemoryRecords; ++slot)
        if (session().LapTimes[slot] != static_cast<std::int32_t>(lapAt(slot))) return false;
    return true;
}

struct Observed {
    qint64 firstBlockNs = -1;
    qint64 endNs = -1;
    std::set<int> barValues;
};

// Starts a download and watches it every millisecond until it ends.
Observed runDownload(frmDesktop& desk, QElapsedTimer& clock) {
    Observed seen;
    QTimer watch;
    watch.setInterval(1);
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (seen.firstBlockNs < 0 && desk.device().requests().pending() == DeviceCommand::ReadBlock)
            seen.firstBlockNs = clock.nsecsElapsed();
        if (frmProgress* p = desk.device().progressWindow())
            seen.barValues.insert(p->ProgressBar->value());
    });
    watch.start();
    clock.restart();
    desk.MenuDevice_Click(0);
    while (desk.device().requests().pending() != DeviceCommand::None ||
           desk.device().tick().downloading()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        if (clock.elapsed() > 60000) break;
    }
    seen.endNs = clock.nsecsElapsed();
    return seen;
}

}  // namespace

int main(int argc, char** argv) {
#ifndef ORVEX_DEVSIM
    (void)argc;
    (void)argv;
    std::fprintf(stderr, "this bench needs the device simulator, which this platform lacks\n");
    return 1;
#else
    BenchApp app(argc, argv);
    TimedMessages messages;
    QElapsedTimer clock;
    clock.start();
    messages.clock = &clock;
    Platform p = platform();
    p.messages = &messages;
    installPlatform(p);

    session().ResetSession();
    session().FileState = FileState::New;
    frmDesktop desk;
    desk.Form_Load();
    desk.show();

    QTemporaryFile memory;
    if (!writeMemory(memory)) return 1;
    QStringList simulatorArgs{"--memory", memory.fileName()};
    for (int i = 1; i < argc; ++i) simulatorArgs << argv[i];
    QProcess sim;
    if (!startSimulatorAt9600(sim, ORVEX_DEVSIM, simulatorArgs)) return 1;

    const double wireSeconds = kDownloadWireSeconds;
    std::printf("download through the main window at 9600 baud, wire time %.2f s, simulator%s\n",
                wireSeconds, qPrintable(" " + simulatorArgs.mid(2).join(' ')));
    int status = 0;
    for (int round = 1; round <= 3; ++round) {
        const Observed seen = runDownload(desk, clock);
        const double seconds = (seen.endNs - seen.firstBlockNs) / 1e9;
        const bool complete = session().LapCount == 750 && !messages.text.size();
        const bool equal = lapsEqualMemory();
        std::printf(
            "  round %d: %.3f s from the first block request to the end, %.3f x wire time,"
            " bar showed %zu values%s%s\n",
            round, seconds, seconds / wireSeconds, seen.barValues.size(),
            complete ? "" : " (INCOMPLETE)", equal ? "" : " (LAPS DIFFER FROM THE DEVICE)");
        if (!complete || !equal) status = 1;
        session().LapCount = 0;
    }
    sim.terminate();
    sim.waitForFinished(5000);

    qputenv("ORVEX_PORTS", "/dev/orvex-no-such-port");
    for (int round = 1; round <= 3; ++round) {
        messages.shownAtNs = -1;
        messages.text.clear();
        const Observed seen = runDownload(desk, clock);
        (void)seen;
        std::printf("  no device, round %d: \"%s\" after %.3f s\n", round, messages.text.c_str(),
                    messages.shownAtNs / 1e9);
        if (messages.text != "Device NOT Connected !") status = 1;
    }
    return status;
#endif
}
