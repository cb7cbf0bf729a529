#pragma once
#include <QObject>
#include <QString>
#include <QUndoStack>
#include <cstdint>

#include "session/DriverNames.h"
#include "session/RaceCorrections.h"
#include "session/Session.h"

namespace orvex {

// What a step changed, so the owner of the windows refreshes what shows it.
enum class RaceChange {
    Corrections,  // the marks, penalties, ranking or lap rules
    Names,        // the drivers' names
};

// The one place that changes a session's race-day data: the marks on laps,
// the penalties and disqualifications, the ranking, the lap rules and the
// drivers' names. Each change is one step on the session's undo stack; doing,
// undoing or redoing it marks the session modified and announces it once
// through `changed`. A change that would change nothing makes no step.
class RaceCommands : public QObject {
    Q_OBJECT
public:
    explicit RaceCommands(Session& session, QObject* parent = nullptr);

    Session& session() const { return session_; }
    QUndoStack& stack() { return stack_; }

    // Each returns whether it made a step; a driver or lap out of range makes none.
    bool markLap(int driver, int lap, LapCorrection mark);
    bool setPenalty(int driver, DriverPenalty penalty);
    // A disqualification keeps `reason`; taking it back drops the reason.
    bool disqualify(int driver, bool disqualified, const std::string& reason = {});
    bool setRanking(RankMode mode, int run);
    // The minimum and maximum lap, and the suspect laps' limits in percent of
    // the driver's median lap.
    bool setLapRules(std::int32_t minLap, std::int32_t maxLap, int suspectShort, int suspectLong);
    bool setNames(const DriverNameList& names);

    // Another session took this one's place (New, Open, a download of another
    // race): no step before it may be undone on the new one.
    void sessionReplaced() { stack_.clear(); }

signals:
    void changed(RaceChange what);

private:
    template <class T, class Set>
    bool push(const QString& text, RaceChange change, T before, T after, Set set, int mergeId = -1);

    Session& session_;
    QUndoStack stack_;
};

}  // namespace orvex
