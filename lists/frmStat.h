#pragma once
#include "lists/ListForm.h"

namespace orvex {

// "Drivers Total Time": every driver slot with its total, in number order or
// in time order; a click on a driver loads that driver's laps.
class frmStat : public ListForm {
    Q_OBJECT
public:
    static frmStat* Show(QMdiArea* area);
    static frmStat* instance();

    // 0: line n shows driver n; 1: line n shows the n-th fastest total.
    // Kept while the window is closed and opened again.
    static std::int16_t SortMode;

    ~frmStat() override;

    std::int16_t Line_Count() override;
    void Item_Get(std::int16_t Tipo, std::int16_t Numero, std::int16_t Linea,
                  QWidget* Cella) override;
    void Item_Set(std::int16_t, std::int16_t, std::int16_t, QWidget*) override {}
    void RefreshData();
    void UnloadForm() override;

protected:
    WinState& winState() override;
    void cellPressed(QWidget* cell, double y) override;
    void cmdList_Click(int index) override;

private:
    using ListForm::ListForm;
    // The driver shown on a line in the current view.
    int driverOnLine(int line) const;
};

}  // namespace orvex
