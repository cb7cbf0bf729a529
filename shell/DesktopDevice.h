#pragma once
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <cstdint>
#include <vector>

#include "device/CommTick.h"
#include "device/DeviceHost.h"

namespace orvex {

class frmDesktop;
class frmProgress;
class frmSetup;
class frmTest;

// The main window's side of the device link: the 50 ms timer tmrComm that
// drives the polling tick, the progress window and the two device dialogs.
class DesktopDevice : public QObject, public DeviceHost {
    Q_OBJECT

public:
    static constexpr int kTickMs = 50;

    explicit DesktopDevice(frmDesktop& desktop);
    ~DesktopDevice() override;

    void start() { tmrComm.start(kTickMs); }
    // Stops the polling and abandons a download in progress.
    void shutdown();
    CommTick& tick() { return tick_; }
    // The device requests' mailbox, handed to whoever posts one.
    DeviceRequests& requests() { return tick_.requests(); }

    // Device menu, indexes 1 and 2: the dialogs, not modal.
    void showSetup();
    void showTest();
    frmSetup* setupDialog() const;
    frmTest* testDialog() const;
    frmProgress* progressWindow() const;
    // What a download brought, for the status line: "Downloaded: 18 drivers,
    // 306 laps", and ", 2 unreadable" when records failed their check.
    static QString downloadSummary(const std::vector<std::int32_t>& lapTimes, int unread);

    // DeviceHost
    void showProgress(int maximum) override;
    void setProgress(int value) override;
    void closeProgress() override;
    void setMainWindowEnabled(bool enabled) override;
    void newRace() override;
    void downloadComplete() override;
    void reportUnreadLaps(int count) override;
    void reportAbandoned(DownloadStop why) override;
    Indicator indicatorImage() const override;
    void setIndicator(Indicator image, const std::string& text) override;
    void MenuRefresh() override;
    SetupControls* setupControls() override;

    QTimer tmrComm;

private:
    void runTick();
    QRect clientArea() const;

    frmDesktop& desktop_;
    CommTick tick_{*this};
    QPointer<frmProgress> progress_;
    QPointer<frmSetup> setup_;
    QPointer<frmTest> test_;
};

}  // namespace orvex
