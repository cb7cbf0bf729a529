#include "lists/ChildWindows.h"

#include <QMdiArea>
#include <algorithm>

#include "lists/frmLaps.h"
#include "lists/frmSession.h"
#include "lists/frmStat.h"
#include "results/frmResults.h"
#include "session/Session.h"

namespace orvex {

QRect inSight(const QRect& window, const QMdiArea* area) {
    const QWidget* view = area ? area->viewport() : nullptr;
    if (!view || !view->isVisible() || view->width() <= 0 || view->height() <= 0) return window;
    QRect r(window.topLeft(), window.size().boundedTo(view->size()));
    r.moveLeft(std::max(0, std::min(r.left(), view->width() - r.width())));
    r.moveTop(std::max(0, std::min(r.top(), view->height() - r.height())));
    return r;
}

frmLaps* ChildWindows::laps() const { return laps_.get(); }
frmStat* ChildWindows::stat() const { return stat_.get(); }
frmSession* ChildWindows::sessionData() const { return session_.get(); }
frmResults* ChildWindows::results() const { return results_.get(); }

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

frmResults* ChildWindows::showResults() {
    return results_.show([this] { return frmResults::Load(area_); });
}

void ChildWindows::refreshLists(ListChange change) {
    Session& s = session();
    frmLaps* laps = s.LapsWin.isOpen() ? laps_.get() : nullptr;
    frmStat* stat = s.StatWin.isOpen() ? stat_.get() : nullptr;
    // The results show every driver's laps, not the laps window's driver.
    if (frmResults* results = results_.get(); results && change != ListChange::LapList)
        results->refresh();
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
            break;
    }
}

}  // namespace orvex
