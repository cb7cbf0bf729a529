#pragma once
#include <QString>
#include <QWidget>
#include <vector>

#include "results/Results.h"

namespace orvex {

// One driver's recorded laps as the chart draws them; the best, joined and
// void laps have marks of their own.
struct ChartSeries {
    int driver = 0;
    std::vector<RecordedLap> laps;
    QString name;  // the driver's name, if any, for the legend
};

// Lap time against lap number for a few drivers, drawn with QPainter: a
// chart library would cost a dependency for a few lines and dots.
class LapChart : public QWidget {
    Q_OBJECT
public:
    explicit LapChart(QWidget* parent = nullptr);

    void setSeries(std::vector<ChartSeries> series);
    const std::vector<ChartSeries>& series() const { return series_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<ChartSeries> series_;
};

}  // namespace orvex
