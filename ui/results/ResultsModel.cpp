#include "ui/results/ResultsModel.h"

#include <limits>

#include "session/TimeFormat.h"

namespace orvex {

namespace {

QString text(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

QString ResultsModel::figureTitle(RankMode mode, int run) {
    switch (mode) {
        case RankMode::Race:
            return tr("Race time");
        case RankMode::BestConsecutive:
            return tr("Best %1 consecutive").arg(run);
        case RankMode::BestLap:
            break;
    }
    return tr("Best lap");
}

QString ResultsModel::gapText(const DriverResult& r) {
    if (r.pos <= 1) return {};
    if (r.gapLaps == 1) return tr("+1 lap");
    if (r.gapLaps > 1) return tr("+%1 laps").arg(r.gapLaps);
    return r.gap > 0 ? text(gapTimeText(r.gap)) : QStringLiteral("+0.00");
}

void ResultsModel::setResults(RaceResults results, const std::string& decimal) {
    beginResetModel();
    results_ = std::move(results);
    texts_.clear();
    texts_.reserve(results_.rows.size());
    for (const DriverResult& r : results_.rows) {
        QString penalty;
        if (r.penalty > 0) penalty = tr("%1 s").arg(text(secondsText(r.penalty, decimal)));
        if (!r.reason.empty())
            penalty += (penalty.isEmpty() ? "" : " ") + ("(" + text(r.reason) + ")");
        if (r.disqualified && !r.dsqReason.empty())
            penalty += (penalty.isEmpty() ? "" : " ") + tr("DSQ: %1").arg(text(r.dsqReason));
        const QString pos = r.disqualified ? tr("DSQ")
                            : r.pos > 0    ? QString::number(r.pos)
                                           : QString();
        texts_.push_back({pos, QString::number(r.driver), text(r.name), QString::number(r.laps),
                          text(figureText(r, results_.mode)), gapText(r),
                          text(clockText(r.average)),
                          r.bestSpeed ? text(kmhText(*r.bestSpeed, decimal)) : QString(), penalty});
    }
    endResetModel();
}

int ResultsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(texts_.size());
}

int ResultsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant ResultsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const DriverResult& r = results_.rows[index.row()];
    if (role == Qt::TextAlignmentRole)
        return int(
            (index.column() == Penalty || index.column() == Name ? Qt::AlignLeft : Qt::AlignRight) |
            Qt::AlignVCenter);
    if (role == Qt::DisplayRole) return texts_[index.row()][index.column()];
    if (role != Qt::UserRole) return {};
    switch (index.column()) {
        case Driver:
            return r.driver;
        case Name:
            return texts_[index.row()][Name];
        case Laps:
            return r.laps;
        // No average sorts after every average.
        case Average:
            return r.average > 0 ? qlonglong(r.average) : std::numeric_limits<qlonglong>::max();
        // Faster is a shorter best lap; no speed sorts first.
        case Speed:
            return r.bestSpeed ? -qlonglong(r.best) : qlonglong(0);
        case Penalty:
            return qlonglong(r.penalty);
        default:
            return index.row();  // the rank order, unranked and disqualified drivers last
    }
}

QVariant ResultsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= ColumnCount)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
        case Pos:
            return tr("Pos");
        case Driver:
            return tr("Driver");
        case Name:
            return tr("Name");
        case Laps:
            return tr("Laps");
        case Figure:
            return figureTitle(results_.mode, results_.run);
        case Gap:
            return tr("Gap");
        case Average:
            return tr("Average lap");
        case Speed:
            return tr("Best speed (km/h)");
        default:
            return tr("Penalty");
    }
}

}  // namespace orvex
