#include "shell/DesktopFileViews.h"

#include <QAction>

#include "commands/RaceCommands.h"
#include "platform/MessageBox.h"
#include "platform/Messages.h"
#include "platform/Platform.h"
#include "session/Session.h"
#include "shell/frmDesktop.h"
#include "ui/lists/ChildWindows.h"
#include "ui/lists/frmLaps.h"
#include "ui/lists/frmSession.h"
#include "ui/lists/frmStat.h"
#include "ui/names/frmDrivers.h"
#include "ui/report/frmStampa.h"

namespace orvex {

namespace {

constexpr int kViewSession = 0, kViewStatistics = 1, kViewTimes = 2;

}  // namespace

void DesktopFileViews::MenuAbilita(int code, const std::string& caption) {
    // A recent file's caption is its full name: an "&" in it is a letter,
    // not the mark of a shortcut.
    desktop_.MenuAbilita(code, QString::fromStdString(caption).replace("&", "&&"));
}

// Called once a new or opened session is in place.
void DesktopFileViews::MenuRefresh() {
    desktop_.raceCommands().sessionReplaced();
    desktop_.MenuRefresh();
    desktop_.childWindows().refreshLists(ListChange::NewSession);
}

std::string DesktopFileViews::menuFileCaption(int index) const {
    QString text = desktop_.menuFile(index)->text();
    if (isRecentFileItem(index)) text.replace("&&", "&");
    return text.toStdString();
}

void DesktopFileViews::setTitle(const std::string& title) {
    desktop_.setWindowTitle(QString::fromStdString(title));
}

void DesktopFileViews::recordWindowPositions() {
    const ChildWindows& w = desktop_.childWindows();
    if (frmLaps* f = w.laps()) f->GetWinPosition();
    if (frmSession* f = w.sessionData()) f->GetWinPosition();
    if (frmStat* f = w.stat()) f->GetWinPosition();
}

void DesktopFileViews::copySessionTexts() {
    if (frmSession* f = desktop_.childWindows().sessionData()) f->GetData();
}

// Through the View commands, so that the toolbar buttons and check marks
// follow the windows.
void DesktopFileViews::closeChildWindows() {
    const Session& s = session();
    if (s.LapsWin.isOpen()) desktop_.MenuView_Click(kViewTimes);
    if (s.SessionWin.isOpen()) desktop_.MenuView_Click(kViewSession);
    if (s.StatWin.isOpen()) desktop_.MenuView_Click(kViewStatistics);
}

void DesktopFileViews::openTimesWindows() {
    if (!session().LapsWin.isOpen()) desktop_.MenuView_Click(kViewTimes);
}

void DesktopFileViews::openSessionWindow() {
    if (!session().SessionWin.isOpen()) desktop_.MenuView_Click(kViewSession);
}

void DesktopFileViews::showPrintDialog() { frmStampa::ShowModal(&desktop_); }

void DesktopFileViews::endProgram() { desktop_.endProgram(); }

bool DesktopFileViews::replaceExisting(const std::string& name, bool fullPath) {
    const QString shown = QString::fromStdString(name);
    const QString question =
        fullPath ? frmDesktop::tr("%1 already exists.\nDo you want to replace it ?").arg(shown)
                 : frmDesktop::tr("%1 already exists. Do you want to replace it ?").arg(shown);
    return platform().messages->show(
               question.toStdString(),
               MessageBox::YesNo | MessageBox::Exclamation | MessageBox::Default2,
               kProgramTitle) == MessageBox::Yes;
}

void DesktopFileViews::sessionFileSeen(const std::string& fullName) {
    desktop_.noteSessionFile(QString::fromStdString(fullName));
}

bool DesktopFileViews::keepDriverNames() const { return frmDrivers::keepNames(); }

}  // namespace orvex
