#include "ui/results/DriverLapsModel.h"

#include "session/TimeFormat.h"

namespace orvex {

namespace {

QString text(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

void DriverLapsModel::setLaps(std::vector<RecordedLap> laps) {
    if (laps == laps_) return;
    beginResetModel();
    laps_ = std::move(laps);
    endResetModel();
}

int DriverLapsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(laps_.size());
}

int DriverLapsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 3;
}

QVariant DriverLapsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const RecordedLap& l = laps_[index.row()];
    if (role == Qt::TextAlignmentRole)
        return int((index.column() == 2 ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);
    if (role != Qt::DisplayRole) return {};
    switch (index.column()) {
        case 0:
            return l.lap;
        case 1:
            return text(clockText(l.time));  // as recorded, whatever its corrections
        default:
            break;
    }
    QString status = l.mark == LapCorrection::Join   ? tr("joined")
                     : l.mark == LapCorrection::Void ? tr("void")
                                                     : QString();
    if (!status.isEmpty() && l.byRule) status = tr("%1 (rule)").arg(status);
    QStringList parts;
    if (!status.isEmpty()) parts << status;
    // The lap a join ends in: the time it counts for and the laps that made it.
    if (l.countedFirst > 0 && l.countedFirst < l.lap) {
        QStringList made;
        for (const RecordedLap& m : laps_)
            if (m.lap >= l.countedFirst && m.lap <= l.lap) made << QString::number(m.lap);
        parts << tr("%1 (laps %2)").arg(text(clockText(l.countedTime)), made.join('+'));
    }
    if (l.suspect) parts << tr("suspect");
    return parts.join(", ");
}

QVariant DriverLapsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section > 2)
        return QAbstractTableModel::headerData(section, orientation, role);
    return section == 0 ? tr("Lap") : section == 1 ? tr("Time") : tr("Status");
}

}  // namespace orvex
