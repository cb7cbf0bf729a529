#pragma once
#include "ui/lists/ListForm.h"

namespace orvex {

// "Times Report": the 25 lap slots of the driver last loaded into LapList.
class frmLaps : public ListForm {
    Q_OBJECT
public:
    // A new window loaded into `area`; ChildWindows keeps it the only one.
    static frmLaps* Load(QMdiArea* area);

    std::int16_t Line_Count() override;
    void Item_Get(std::int16_t Tipo, std::int16_t Numero, std::int16_t Linea,
                  QWidget* Cella) override;
    void Item_Set(std::int16_t, std::int16_t, std::int16_t, QWidget*) override {}
    void RefreshDati();

protected:
    WinState& winState() override;

private:
    using ListForm::ListForm;
};

}  // namespace orvex
