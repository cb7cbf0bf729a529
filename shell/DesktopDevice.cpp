#include "shell/DesktopDevice.h"

#include <QMdiArea>
#include <QProgressBar>

#include "commands/RaceCommands.h"
#include "platform/Messages.h"
#include "session/FileCommands.h"
#include "shell/frmDesktop.h"
#include "ui/device/frmProgress.h"
#include "ui/device/frmSetup.h"
#include "ui/device/frmTest.h"

namespace orvex {

DesktopDevice::DesktopDevice(frmDesktop& desktop) : QObject(&desktop), desktop_(desktop) {
    tmrComm.setObjectName("tmrComm");
    tmrComm.setInterval(kTickMs);
    connect(&tmrComm, &QTimer::timeout, this, &DesktopDevice::runTick);
}

void DesktopDevice::runTick() {
    tick_.Tick();
    // While a download runs, the next block follows as soon as the windows
    // have repainted instead of waiting for the timer: the line, not the
    // timer, sets the pace.
    if (tick_.requests().pending() == DeviceCommand::ReadBlock && !tick_.running())
        QTimer::singleShot(0, this, &DesktopDevice::runTick);
}

DesktopDevice::~DesktopDevice() {
    tmrComm.stop();
    delete progress_;
}

void DesktopDevice::shutdown() {
    tmrComm.stop();
    tick_.shutdown();
}

frmSetup* DesktopDevice::setupDialog() const { return setup_; }
frmTest* DesktopDevice::testDialog() const { return test_; }
frmProgress* DesktopDevice::progressWindow() const { return progress_; }

QRect DesktopDevice::clientArea() const {
    QMdiArea* area = desktop_.mdiArea();
    return QRect(area->mapToGlobal(QPoint(0, 0)), area->size());
}

void DesktopDevice::showSetup() {
    if (!setup_) {
        setup_ = new frmSetup(tick_.requests(), &desktop_);
        setup_->Form_Load(clientArea());
    }
    setup_->show();
    setup_->raise();
}

void DesktopDevice::showTest() {
    if (!test_) {
        test_ = new frmTest(tick_.requests(), &desktop_);
        test_->Form_Load(clientArea());
    }
    test_->show();
    test_->raise();
}

void DesktopDevice::showProgress(int maximum) {
    delete progress_;
    // Not a child of the main window, which is disabled while it shows.
    progress_ = new frmProgress;
    progress_->setWindowFlag(Qt::WindowStaysOnTopHint);
    progress_->Form_Load(clientArea());
    progress_->ProgressBar->setMaximum(maximum);
    progress_->show();
}

void DesktopDevice::setProgress(int value) {
    if (progress_) progress_->ProgressBar->setValue(value);
}

void DesktopDevice::closeProgress() { delete progress_; }

void DesktopDevice::setMainWindowEnabled(bool enabled) { desktop_.setEnabled(enabled); }

void DesktopDevice::newRace() { desktop_.raceCommands().sessionReplaced(); }

void DesktopDevice::downloadComplete() {
    // First, before the windows let any event run: the laps are safe on disk
    // even if the user then drops the session.
    desktop_.copyDownload(downloadSummary(session().LapTimes, tick_.unreadLaps()));
    // Another race made the session a new one: the title says so.
    if (session().FileState != FileState::NoSession)
        desktop_.setWindowTitle(
            QString::fromStdString(FileCommands::titleFor(session().DataFileName)));
    desktop_.refreshListsAfterDownload();
}

QString DesktopDevice::downloadSummary(const std::vector<std::int32_t>& lapTimes, int unread) {
    int drivers = 0, laps = 0;
    for (int d = 1; d <= kDrivers; ++d) {
        int mine = 0;
        for (int l = 1; l <= kLapsPerDriver; ++l) {
            const std::size_t slot = lapSlot(d, l);
            mine += slot < lapTimes.size() && lapTimes[slot] != 0;
        }
        drivers += mine > 0;
        laps += mine;
    }
    QString text = tr("Downloaded: %1, %2")
                       .arg(drivers == 1 ? tr("1 driver") : tr("%1 drivers").arg(drivers),
                            laps == 1 ? tr("1 lap") : tr("%1 laps").arg(laps));
    if (unread > 0) text += tr(", %1 unreadable").arg(unread);
    return text;
}

void DesktopDevice::reportUnreadLaps(int count) {
    ShowMessage(tr("Laps that could not be read: %1").arg(count).toStdString());
}

void DesktopDevice::reportAbandoned(DownloadStop why) {
    ShowMessage((why == DownloadStop::NotLaps
                     ? tr("Download abandoned: the answers were not lap records. The session is "
                          "unchanged.")
                     : tr("Download abandoned: the device stopped answering. The session is "
                          "unchanged."))
                    .toStdString());
}

Indicator DesktopDevice::indicatorImage() const {
    return static_cast<Indicator>(desktop_.connectionImage());
}

void DesktopDevice::setIndicator(Indicator image, const std::string& text) {
    desktop_.setConnectionPanel(static_cast<int>(image), QString::fromStdString(text));
}

void DesktopDevice::MenuRefresh() { desktop_.MenuRefresh(); }

SetupControls* DesktopDevice::setupControls() { return setup_.data(); }

}  // namespace orvex
