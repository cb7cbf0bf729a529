#pragma once
#include <QLabel>
#include <QMdiArea>
#include <memory>

#include "fakes/FakePlatform.h"
#include "lists/ListForm.h"
#include "session/Session.h"

namespace orvex {

// A list host whose cells show "line.column", with a line count the test sets.
class TestListHost : public ListForm {
public:
    explicit TestListHost(QMdiArea* area) : ListForm(area) {}
    int lines = 25;
    int gets = 0;
    WinState win;

    std::int16_t Line_Count() override { return static_cast<std::int16_t>(lines); }
    void Item_Get(std::int16_t, std::int16_t Numero, std::int16_t Linea, QWidget* Cella) override {
        ++gets;
        static_cast<QLabel*>(Cella)->setText(QString("%1.%2").arg(Linea).arg(Numero));
    }
    void Item_Set(std::int16_t, std::int16_t, std::int16_t, QWidget*) override {}
    void load(const std::function<void(Elenco&)>& configure) { loadList(configure); }

protected:
    WinState& winState() override { return win; }
};

// An MDI area on the offscreen display, as the main window would hold it.
struct OffscreenDesktop {
    FakePlatform fakes;
    std::unique_ptr<QMdiArea> area;
    OffscreenDesktop() : area(std::make_unique<QMdiArea>()) {
        area->resize(1200, 900);
        area->show();
    }
};

}  // namespace orvex
