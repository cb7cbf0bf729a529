#pragma once
#include <QAbstractTableModel>
#include <QString>
#include <array>
#include <string>
#include <vector>

#include "results/Results.h"

namespace orvex {

// The results as a table model: the texts to show, and under Qt::UserRole
// the value a column sorts by.
class ResultsModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Pos, Driver, Name, Laps, Figure, Gap, Average, Speed, Penalty, ColumnCount };
    using QAbstractTableModel::QAbstractTableModel;

    void setResults(RaceResults results, const std::string& decimal);
    const RaceResults& results() const { return results_; }
    const std::vector<DriverResult>& rows() const { return results_.rows; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // The ranking's figure as a column title: "Best lap", "Race time", "Best 3 consecutive".
    static QString figureTitle(RankMode mode, int run);
    // Behind the leader: "+1.50", "+2 laps"; empty for the leader and the unranked.
    static QString gapText(const DriverResult& r);

private:
    RaceResults results_;
    std::vector<std::array<QString, ColumnCount>> texts_;
};

}  // namespace orvex
