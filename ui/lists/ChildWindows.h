#pragma once
#include <QMetaObject>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <cstdint>
#include <functional>
#include <vector>

class QMdiArea;
class QMdiSubWindow;

namespace orvex {

class frmLaps;
class frmSession;
class frmStat;

// The one open window of kind F. It is forgotten the moment it unloads, so a
// command that closes and reopens it at once gets a new one, not the window
// still waiting for its deletion.
template <class F>
class OneWindow {
public:
    OneWindow() = default;
    OneWindow(const OneWindow&) = delete;
    OneWindow& operator=(const OneWindow&) = delete;
    ~OneWindow() { QObject::disconnect(forget_); }

    F* get() const { return open_; }

    // Loads the window with `load` unless it is open already, and shows it.
    template <class Load>
    F* show(Load load) {
        if (!open_) {
            open_ = load();
            forget_ = QObject::connect(open_, &F::unloaded, open_, [this] { open_ = nullptr; });
        }
        open_->show();
        return open_;
    }

private:
    QPointer<F> open_;
    QMetaObject::Connection forget_;
};

// What changed, for the one decision of which list windows show it again.
enum class ListChange {
    LapList,      // MakeLapList filled the laps of another driver
    TrackLength,  // the lines are shown anew, the rows stay
    Download,     // new laps and totals; MakeLapList has already filled the laps
    NewSession,   // File > New or Open: another session
    Names,        // the drivers' names changed
    Corrections,  // marks, penalties, ranking or lap rules: only the results show them
};

// The child windows of the main window, and what outlives them: the
// statistics window's sort order survives its closing and reopening.
class ChildWindows {
public:
    explicit ChildWindows(QMdiArea* area) : area_(area) {}

    // The open window of each kind, or null.
    frmLaps* laps() const;
    frmStat* stat() const;
    frmSession* sessionData() const;

    frmLaps* showLaps();
    frmStat* showStat();
    frmSession* showSessionData();

    // 0: line n of the statistics shows driver n; 1: the n-th fastest total.
    std::int16_t statSortMode = 0;

    // The one place that decides which open list windows are rebuilt or
    // refreshed after a change.
    void refreshLists(ListChange change);

    // A window beyond the list windows that shows the session (the results) and
    // rebuilds itself with `refresh`: it is refreshed on every change but the laps
    // of another driver, and forgotten when it is deleted.
    void addView(QObject* view, std::function<void()> refresh);

private:
    QMdiArea* area_;
    OneWindow<frmLaps> laps_;
    OneWindow<frmStat> stat_;
    OneWindow<frmSession> session_;
    struct View {
        QPointer<QObject> view;
        std::function<void()> refresh;
    };
    std::vector<View> views_;
};

}  // namespace orvex
