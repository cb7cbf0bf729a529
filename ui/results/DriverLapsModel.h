#pragma once
#include <QAbstractTableModel>
#include <vector>

#include "results/Results.h"

namespace orvex {

// One driver's recorded laps: "Lap", "Time", "Status".
class DriverLapsModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    void setLaps(std::vector<RecordedLap> laps);
    const std::vector<RecordedLap>& laps() const { return laps_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    std::vector<RecordedLap> laps_;
};

}  // namespace orvex
