#include "lists/frmLaps.h"

#include <QLabel>

#include "platform/Messages.h"
#include "session/Session.h"

namespace orvex {

namespace {
frmLaps* gOpen = nullptr;
}

frmLaps* frmLaps::Show(QMdiArea* area) {
    return showOnce(gOpen, area, {"Times Report", 7570, {"Record No", "Time"}, {}});
}

frmLaps* frmLaps::instance() { return gOpen; }

frmLaps::~frmLaps() {
    if (gOpen == this) gOpen = nullptr;
}

WinState& frmLaps::winState() { return session().LapsWin; }

std::int16_t frmLaps::Line_Count() {
    return static_cast<std::int16_t>(std::max(Session::upper(session().LapList), 0));
}

void frmLaps::Item_Get(std::int16_t Tipo, std::int16_t Numero, std::int16_t Linea, QWidget* Cella) {
    auto* cell = qobject_cast<QLabel*>(Cella);
    if (Tipo != CellKind::Label || !cell || Linea < 1 || Linea > Line_Count()) return;
    if (Numero == 1)
        cell->setText(QString::fromStdString(numberText(Linea)));
    else if (Numero == 2)
        cell->setText(QString::fromStdString(session().LapList[Linea].Text));
}

void frmLaps::RefreshDati() { Lista().ListRefresh(); }

void frmLaps::UnloadForm() {
    ListForm::UnloadForm();
    if (gOpen == this) gOpen = nullptr;
    emit unloaded();
}

}  // namespace orvex
