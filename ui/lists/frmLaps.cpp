#include "ui/lists/frmLaps.h"

#include <QLabel>

#include "platform/FixedText.h"
#include "platform/Messages.h"
#include "session/Session.h"

namespace orvex {

frmLaps* frmLaps::Load(QMdiArea* area) {
    return load(new frmLaps(area),
                {fixedText("Times Report"), 7570, {fixedText("Record No"), fixedText("Time")}, {}});
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

}  // namespace orvex
