#include "ui/lists/ChildWindows.h"

#include <QMdiArea>
#include <algorithm>

#include "session/Session.h"
#include "ui/lists/frmLaps.h"
#include "ui/lists/frmSession.h"
#include "ui/lists/frmStat.h"

namespace orvex {

frmLaps* ChildWindows::laps() const { return laps_.get(); }
frmStat* ChildWindows::stat() const { return stat_.get(); }
frmSession* ChildWindows::sessionData() const { return session_.get(); }

frmLaps* ChildWindows::showLaps() {
    return laps_.show([this] { return frmLaps::Load(area_); });
}

frmStat* ChildWindows::showStat() {
    return stat_.show([this] { return frmStat::Load(area_, statSortMode); });
}

frmSession* ChildWindows::showSessionData() {
    return session_.show([this] {
        frmSession* f = frmSession::Load(area_);
        QObject::connect(f, &frmSession::trackLengthChanged, f,
                         [this] { refreshLists(ListChange::TrackLength); });
        return f;
    });
}

void ChildWindows::addView(QObject* view, std::function<void()> refresh) {
    std::erase_if(views_, [](const View& v) { return v.view.isNull(); });
    views_.push_back({view, std::move(refresh)});
}

void ChildWindows::refreshLists(ListChange change) {
    Session& s = session();
    frmLaps* laps = s.LapsWin.isOpen() ? laps_.get() : nullptr;
    frmStat* stat = s.StatWin.isOpen() ? stat_.get() : nullptr;
    // The results show every driver's laps, not the laps window's driver.
    if (change != ListChange::LapList)
        for (const View& v : views_)
            if (v.view) v.refresh();
    switch (change) {
        case ListChange::LapList:
            if (laps) {
                laps->RemakeLista();
                laps->RefreshDati();
            }
            break;
        case ListChange::TrackLength:
            if (laps) laps->RefreshDati();
            if (stat) stat->RefreshData();
            break;
        case ListChange::Download:
            // The laps window was rebuilt when MakeLapList filled driver 1.
            if (stat) {
                stat->Line_Select(1);
                stat->RefreshData();
            }
            break;
        case ListChange::NewSession:
        case ListChange::Names:
        case ListChange::Corrections:
            break;
    }
}

}  // namespace orvex
