#pragma once
#include "lists/ListForm.h"

namespace orvex {

// "Times Report": the 25 lap slots of the driver last loaded into LapList.
class frmLaps : public ListForm {
    Q_OBJECT
public:
    // Loads the window into `area` unless it is open already.
    static frmLaps* Show(QMdiArea* area);
    // The open window, or null.
    static frmLaps* instance();

    ~frmLaps() override;

    std::int16_t Line_Count() override;
    void Item_Get(std::int16_t Tipo, std::int16_t Numero, std::int16_t Linea,
                  QWidget* Cella) override;
    void Item_Set(std::int16_t, std::int16_t, std::int16_t, QWidget*) override {}
    void RefreshDati();
    void UnloadForm() override;

protected:
    WinState& winState() override;

private:
    using ListForm::ListForm;
};

}  // namespace orvex
