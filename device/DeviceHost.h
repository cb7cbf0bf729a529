#pragma once
#include <string>

#include "device/DeviceLink.h"

namespace orvex {

class SetupControls;

// Why a download was abandoned; the session is unchanged either way.
enum class DownloadStop {
    NoAnswer,  // the device stopped answering (or the line went away)
    NotLaps,   // the answers were not lap records
};

// What the polling tick asks of the windows. The main window implements it.
class DeviceHost {
public:
    virtual ~DeviceHost() = default;

    // The download's progress window (frmProgress), bar from 0 to `maximum`.
    virtual void showProgress(int maximum) = 0;
    virtual void setProgress(int value) = 0;
    virtual void closeProgress() = 0;
    virtual void setMainWindowEnabled(bool enabled) = 0;

    // The download brings another race: the session becomes a new one, and
    // nothing done on the old race may be undone on it.
    virtual void newRace() {}

    // A download replaced the laps and rebuilt the totals: the open list
    // windows show the new ones, and the title the session's name (another
    // race made it "New").
    virtual void downloadComplete() = 0;
    // After a completed download with the progress window gone: `count`
    // records failed their check and are stored as 0.
    virtual void reportUnreadLaps(int count) = 0;
    // A download was abandoned, the progress window is gone: tell why.
    virtual void reportAbandoned(DownloadStop why) = 0;

    // Status panel 2: the image shown now, and a new one.
    virtual Indicator indicatorImage() const = 0;
    virtual void setIndicator(Indicator image, const std::string& text) = 0;
    virtual void MenuRefresh() = 0;

    // The configuration dialog's controls, or null when it is not open.
    virtual SetupControls* setupControls() = 0;
};

}  // namespace orvex
