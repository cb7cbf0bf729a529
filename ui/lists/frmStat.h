#pragma once
#include "ui/lists/ListForm.h"

namespace orvex {

// "Drivers Total Time": every driver slot with its total, in number order or
// in time order; a click on a driver loads that driver's laps.
class frmStat : public ListForm {
    Q_OBJECT
public:
    // A new window loaded into `area`. `sortMode` (0: line n shows driver n;
    // 1: the n-th fastest total) belongs to the owner, which keeps it while
    // the window is closed and opened again.
    static frmStat* Load(QMdiArea* area, std::int16_t& sortMode);

    std::int16_t Line_Count() override;
    void Item_Get(std::int16_t Tipo, std::int16_t Numero, std::int16_t Linea,
                  QWidget* Cella) override;
    void Item_Set(std::int16_t, std::int16_t, std::int16_t, QWidget*) override {}
    void RefreshData();

protected:
    WinState& winState() override;
    void cellPressed(QWidget* cell, double y) override;
    void cmdList_Click(int index) override;

private:
    frmStat(QMdiArea* area, std::int16_t& sortMode) : ListForm(area), SortMode(sortMode) {}
    std::int16_t& SortMode;
    // The driver shown on a line in the current view.
    int driverOnLine(int line) const;
};

}  // namespace orvex
