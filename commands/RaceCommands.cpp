#include "commands/RaceCommands.h"

#include <QUndoCommand>
#include <functional>
#include <optional>
#include <utility>

namespace orvex {

namespace {

// Steps that only change the run of the best consecutive laps merge, so a
// spin of the box is undone at once.
constexpr int kRunStep = 1;

// A step that sets one piece of the session's data to `after` and back to
// `before`; both are kept whole, so undo and redo restore exactly.
template <class T>
class Edit : public QUndoCommand {
public:
    using Apply = std::function<void(const T&)>;
    Edit(const QString& text, T before, T after, Apply apply, int mergeId)
        : QUndoCommand(text),
          before_(std::move(before)),
          after_(std::move(after)),
          apply_(std::move(apply)),
          mergeId_(mergeId) {}

    int id() const override { return mergeId_; }
    void redo() override { apply_(after_); }
    void undo() override { apply_(before_); }
    // Only steps of one id merge, and each id belongs to one type.
    bool mergeWith(const QUndoCommand* other) override {
        after_ = static_cast<const Edit*>(other)->after_;
        setObsolete(after_ == before_);
        return true;
    }

private:
    T before_, after_;
    Apply apply_;
    int mergeId_;
};

std::optional<ManualMark> markAt(const RaceCorrections& c, int slot) {
    const auto m = c.marks.find(slot);
    return m == c.marks.end() ? std::nullopt : std::optional<ManualMark>(m->second);
}

bool isDriver(int driver) { return driver >= 1 && driver <= kDrivers; }

}  // namespace

RaceCommands::RaceCommands(Session& session, QObject* parent)
    : QObject(parent), session_(session) {}

template <class T, class Set>
bool RaceCommands::push(const QString& text, RaceChange change, T before, T after, Set set,
                        int mergeId) {
    if (before == after) return false;
    auto apply = [this, change, set](const T& value) {
        set(session_, value);
        session_.markModified();
        emit changed(change);
    };
    stack_.push(new Edit<T>(text, std::move(before), std::move(after), apply, mergeId));
    return true;
}

bool RaceCommands::markLap(int driver, int lap, LapCorrection mark) {
    if (!isDriver(driver) || lap < 1 || lap > kLapsPerDriver) return false;
    const int slot = lapSlot(driver, lap);
    if (static_cast<std::size_t>(slot) >= session_.LapTimes.size()) return false;
    // What the mark makes of the slot depends on the rules and on a mark
    // already there; the corrections decide it on a copy.
    RaceCorrections marked = session_.Corrections;
    marked.setMark(slot, session_.LapTimes[slot], mark);
    const QString text = mark == LapCorrection::Join   ? tr("Join lap %1 of driver %2")
                         : mark == LapCorrection::Void ? tr("Void lap %1 of driver %2")
                                                       : tr("Restore lap %1 of driver %2");
    return push(text.arg(lap).arg(driver), RaceChange::Corrections,
                markAt(session_.Corrections, slot), markAt(marked, slot),
                [slot](Session& s, const std::optional<ManualMark>& m) {
                    if (m)
                        s.Corrections.marks[slot] = *m;
                    else
                        s.Corrections.marks.erase(slot);
                });
}

bool RaceCommands::setPenalty(int driver, DriverPenalty penalty) {
    if (!isDriver(driver)) return false;
    return push(
        tr("Penalty for driver %1").arg(driver), RaceChange::Corrections,
        session_.Corrections.penaltyOf(driver), std::move(penalty),
        [driver](Session& s, const DriverPenalty& p) { s.Corrections.setPenalty(driver, p); });
}

bool RaceCommands::disqualify(int driver, bool disqualified) {
    if (!isDriver(driver)) return false;
    const DriverPenalty& before = session_.Corrections.penaltyOf(driver);
    DriverPenalty after = before;
    after.disqualified = disqualified;
    return push(
        (disqualified ? tr("Disqualify driver %1") : tr("Undisqualify driver %1")).arg(driver),
        RaceChange::Corrections, before, std::move(after),
        [driver](Session& s, const DriverPenalty& p) { s.Corrections.setPenalty(driver, p); });
}

bool RaceCommands::setRanking(RankMode mode, int run) {
    if (run < RaceCorrections::kMinRun || run > RaceCorrections::kMaxRun) return false;
    const RaceCorrections& c = session_.Corrections;
    return push(
        tr("Ranking"), RaceChange::Corrections, std::pair{c.mode, c.run}, std::pair{mode, run},
        [](Session& s, const std::pair<RankMode, int>& r) {
            s.Corrections.mode = r.first;
            s.Corrections.run = r.second;
        },
        mode == c.mode ? kRunStep : -1);
}

bool RaceCommands::setLapRules(std::int32_t minLap, std::int32_t maxLap) {
    if (minLap < 0 || maxLap < 0) return false;
    const RaceCorrections& c = session_.Corrections;
    return push(tr("Lap rules"), RaceChange::Corrections, std::pair{c.minLap, c.maxLap},
                std::pair{minLap, maxLap},
                [](Session& s, const std::pair<std::int32_t, std::int32_t>& r) {
                    s.Corrections.minLap = r.first;
                    s.Corrections.maxLap = r.second;
                });
}

bool RaceCommands::setNames(const DriverNameList& names) {
    return push(tr("Drivers' names"), RaceChange::Names, session_.DriverNames, names,
                [](Session& s, const DriverNameList& n) { s.DriverNames = n; });
}

}  // namespace orvex
