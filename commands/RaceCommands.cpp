#include "commands/RaceCommands.h"

#include <QUndoCommand>
#include <functional>
#include <optional>
#include <tuple>
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

namespace {

// A driver's penalty with the reason of a disqualification, which a step
// sets and restores together.
using PenaltyStep = std::pair<DriverPenalty, std::string>;

PenaltyStep penaltyStep(const RaceCorrections& c, int driver) {
    const auto why = c.dsqReasons.find(driver);
    return {c.penaltyOf(driver), why == c.dsqReasons.end() ? std::string() : why->second};
}

void setPenaltyStep(Session& s, int driver, const PenaltyStep& p) {
    s.Corrections.setPenalty(driver, p.first);
    if (p.first.disqualified && !p.second.empty())
        s.Corrections.dsqReasons[driver] = p.second;
    else
        s.Corrections.dsqReasons.erase(driver);
}

}  // namespace

bool RaceCommands::setPenalty(int driver, DriverPenalty penalty) {
    if (!isDriver(driver)) return false;
    PenaltyStep before = penaltyStep(session_.Corrections, driver);
    PenaltyStep after{std::move(penalty), before.second};
    if (!after.first.disqualified) after.second.clear();
    return push(tr("Penalty for driver %1").arg(driver), RaceChange::Corrections, std::move(before),
                std::move(after),
                [driver](Session& s, const PenaltyStep& p) { setPenaltyStep(s, driver, p); });
}

bool RaceCommands::disqualify(int driver, bool disqualified, const std::string& reason) {
    if (!isDriver(driver)) return false;
    PenaltyStep before = penaltyStep(session_.Corrections, driver);
    PenaltyStep after{before.first, disqualified ? reason : std::string()};
    after.first.disqualified = disqualified;
    return push(
        (disqualified ? tr("Disqualify driver %1") : tr("Undisqualify driver %1")).arg(driver),
        RaceChange::Corrections, std::move(before), std::move(after),
        [driver](Session& s, const PenaltyStep& p) { setPenaltyStep(s, driver, p); });
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

bool RaceCommands::setLapRules(std::int32_t minLap, std::int32_t maxLap, int suspectShort,
                               int suspectLong) {
    if (minLap < 0 || maxLap < 0 || suspectShort < RaceCorrections::kMinSuspectShort ||
        suspectShort > RaceCorrections::kMaxSuspectShort ||
        suspectLong < RaceCorrections::kMinSuspectLong ||
        suspectLong > RaceCorrections::kMaxSuspectLong)
        return false;
    using Rules = std::tuple<std::int32_t, std::int32_t, int, int>;
    const RaceCorrections& c = session_.Corrections;
    return push(tr("Lap rules"), RaceChange::Corrections,
                Rules{c.minLap, c.maxLap, c.suspectShort, c.suspectLong},
                Rules{minLap, maxLap, suspectShort, suspectLong}, [](Session& s, const Rules& r) {
                    std::tie(s.Corrections.minLap, s.Corrections.maxLap, s.Corrections.suspectShort,
                             s.Corrections.suspectLong) = r;
                });
}

bool RaceCommands::setNames(const DriverNameList& names) {
    return push(tr("Drivers' names"), RaceChange::Names, session_.DriverNames, names,
                [](Session& s, const DriverNameList& n) { s.DriverNames = n; });
}

}  // namespace orvex
