#include "ui/lists/frmStat.h"

#include <QFrame>
#include <QLabel>

#include "platform/FixedText.h"
#include "platform/Messages.h"
#include "session/Session.h"

namespace orvex {

frmStat* frmStat::Load(QMdiArea* area, std::int16_t& sortMode) {
    return load(new frmStat(area, sortMode),
                {fixedText("Drivers Total Time"),
                 4250,
                 {fixedText("Number"), fixedText("Time")},
                 {fixedText("Sort by &Number"), fixedText("Sort by &Time")}});
}

WinState& frmStat::winState() { return session().StatWin; }

std::int16_t frmStat::Line_Count() {
    return static_cast<std::int16_t>(std::max(Session::upper(session().TotalList), 0));
}

int frmStat::driverOnLine(int line) const {
    const Session& s = session();
    if (SortMode == 0) return line;
    return line >= 1 && line <= Session::upper(s.SortedTotalList) ? s.SortedTotalList[line].Number
                                                                  : 0;
}

void frmStat::Item_Get(std::int16_t Tipo, std::int16_t Numero, std::int16_t Linea, QWidget* Cella) {
    const Session& s = session();
    auto* cell = qobject_cast<QLabel*>(Cella);
    if (Tipo != CellKind::Label || !cell || Linea < 1 || Linea > Line_Count()) return;
    const bool byTime = SortMode != 0 && Linea <= Session::upper(s.SortedTotalList);
    if (Numero == 1)
        cell->setText(QString::fromStdString(numberText(driverOnLine(Linea))));
    else if (Numero == 2)
        cell->setText(QString::fromStdString(byTime ? s.SortedTotalList[Linea].Text
                                                    : s.TotalList[Linea].Text));
}

void frmStat::RefreshData() { Lista().ListRefresh(); }

void frmStat::cellPressed(QWidget* cell, double y) {
    ListForm::cellPressed(cell, y);
    if (cell->objectName() != "lblList") return;
    // MakeLapList leaves a list without lap entries alone, so a click after
    // an abandoned download does nothing harmful.
    session().MakeLapList(static_cast<std::int16_t>(driverOnLine(Lista().ListLineNumber(cell))));
}

void frmStat::cmdList_Click(int index) {
    if (index != 0 && index != 1) return;
    SortMode = static_cast<std::int16_t>(index);
    Lista().ListRefresh();
    Line_Select(1);
    session().MakeLapList(static_cast<std::int16_t>(driverOnLine(1)));
}

}  // namespace orvex
