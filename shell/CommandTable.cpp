#include "shell/CommandTable.h"

#include <QCoreApplication>

#include "autocopy/DownloadCopy.h"
#include "export/LapsCsv.h"
#include "export/ResultsCsv.h"
#include "platform/FixedText.h"
#include "platform/qt/StatusMessage.h"
#include "results/Results.h"
#include "session/FileCommands.h"
#include "shell/ImageList1.h"
#include "shell/frmDesktop.h"
#include "ui/export/frmExport.h"
#include "ui/lists/ChildWindows.h"
#include "ui/publish/Publishing.h"
#include "ui/publish/WebPageExport.h"
#include "ui/results/frmResults.h"
#include "ui/sheet/frmSheet.h"
#include "ui/slips/frmSlips.h"

namespace orvex {

namespace {

using M = MenuId;
namespace I = ImageList1;

const Command kCommands[] = {
    {.menu = M::File,
     .caption = fixedText("&New"),
     .shortcut = "Ctrl+N",
     .group = Group::New,
     .needs = Needs::Program,
     .key = "New",
     .tooltip = fixedText("New"),
     .image = I::New},
    {.menu = M::File,
     .caption = fixedText("&Open..."),
     .shortcut = "Ctrl+O",
     .group = Group::Open,
     .needs = Needs::Program,
     .key = "Open",
     .tooltip = fixedText("Open file"),
     .image = I::Open},
    {.menu = M::File,
     .caption = QT_TRANSLATE_NOOP("CommandTable", "Open do&wnload..."),
     .group = Group::Open,
     .needs = Needs::Program,
     .action =
         [](QWidget* parent) {
             if (auto* desktop = qobject_cast<frmDesktop*>(parent))
                 desktop->fileCommands().OpenIn(downloadCopyFolder());
         }},
    {.menu = M::File,
     .caption = QT_TRANSLATE_NOOP("CommandTable", "Arc&hive..."),
     .group = Group::Open,
     .needs = Needs::Program,
     .action =
         [](QWidget* parent) {
             if (auto* desktop = qobject_cast<frmDesktop*>(parent)) desktop->showArchive();
         }},
    {.menu = M::File,
     .caption = fixedText("&Save"),
     .shortcut = "Ctrl+S",
     .group = Group::Save,
     .needs = Needs::Session,
     .key = "Save",
     .tooltip = fixedText("Save file"),
     .image = I::Save},
    {.menu = M::File,
     .caption = fixedText("Save &As..."),
     .group = Group::SaveAs,
     .needs = Needs::Session},
    {.menu = M::File, .caption = nullptr},
    {.menu = M::File,
     .caption = fixedText("&Print..."),
     .shortcut = "Ctrl+P",
     .group = Group::Print,
     .needs = Needs::Session,
     .key = "Print",
     .tooltip = fixedText("Print"),
     .image = I::Print,
     .gapAfter = true},
    {.menu = M::File,
     .caption = QT_TRANSLATE_NOOP("CommandTable", "Print Pre&view..."),
     .group = Group::Print,
     .needs = Needs::Session,
     .action = &frmExport::ShowPreview},
    {.menu = M::File,
     .caption = QT_TRANSLATE_NOOP("CommandTable", "Print S&lips..."),
     .group = Group::Print,
     .needs = Needs::Session,
     .action =
         [](QWidget* parent) {
             std::vector<int> selected;
             if (auto* desktop = qobject_cast<frmDesktop*>(parent))
                 if (frmResults* results = desktop->resultsWindow())
                     selected = results->selectedDrivers();
             frmSlips::ShowModal(parent, std::move(selected));
         }},
    {.menu = M::File,
     .caption = QT_TRANSLATE_NOOP("CommandTable", "Print &Results..."),
     .group = Group::Print,
     .needs = Needs::Session,
     .action = &frmSheet::ShowModal},
    {.menu = M::File,
     .caption = QT_TRANSLATE_NOOP("CommandTable", "&Laps CSV..."),
     .group = Group::Print,
     .needs = Needs::Session,
     .submenu = QT_TRANSLATE_NOOP("CommandTable", "&Export"),
     .action =
         [](QWidget*) {
             showStatus(
                 ExportLapsCsv(QCoreApplication::translate("CommandTable", "Laps CSV (*.csv)|*.csv")
                                   .toStdString()));
         }},
    {.menu = M::File,
     .caption = QT_TRANSLATE_NOOP("CommandTable", "&Results CSV..."),
     .group = Group::Print,
     .needs = Needs::Session,
     .submenu = QT_TRANSLATE_NOOP("CommandTable", "&Export"),
     .action =
         [](QWidget*) {
             showStatus(ExportResultsCsv(
                 QCoreApplication::translate("CommandTable", "Results CSV (*.csv)|*.csv")
                     .toStdString()));
         }},
    {.menu = M::File,
     .caption = QT_TRANSLATE_NOOP("CommandTable", "P&DF..."),
     .group = Group::Print,
     .needs = Needs::Session,
     .submenu = QT_TRANSLATE_NOOP("CommandTable", "&Export"),
     .action = &frmExport::ExportPdf},
    {.menu = M::File,
     .caption = QT_TRANSLATE_NOOP("CommandTable", "Results &PDF..."),
     .group = Group::Print,
     .needs = Needs::Session,
     .submenu = QT_TRANSLATE_NOOP("CommandTable", "&Export"),
     .action = &frmSheet::ExportPdf},
    {.menu = M::File,
     .caption = QT_TRANSLATE_NOOP("CommandTable", "&Slips PDF..."),
     .group = Group::Print,
     .needs = Needs::Session,
     .submenu = QT_TRANSLATE_NOOP("CommandTable", "&Export"),
     .action = &frmSlips::ExportPdf},
    {.menu = M::File,
     .caption = QT_TRANSLATE_NOOP("CommandTable", "Results &web page..."),
     .group = Group::Print,
     .needs = Needs::Session,
     .submenu = QT_TRANSLATE_NOOP("CommandTable", "&Export"),
     .action =
         [](QWidget* parent) {
             if (auto* desktop = qobject_cast<frmDesktop*>(parent))
                 showStatus(ExportWebPage(parent, desktop->publishing()));
         }},
    {.menu = M::File, .caption = nullptr, .group = Group::Recent1, .shown = false},
    {.menu = M::File, .caption = fixedText("RecentFile1"), .group = Group::Recent1, .shown = false},
    {.menu = M::File, .caption = fixedText("RecentFile2"), .group = Group::Recent2, .shown = false},
    {.menu = M::File, .caption = fixedText("RecentFile3"), .group = Group::Recent3, .shown = false},
    {.menu = M::File, .caption = fixedText("RecentFile4"), .group = Group::Recent4, .shown = false},
    {.menu = M::File, .caption = nullptr},
    {.menu = M::File, .caption = fixedText("E&xit"), .shortcut = "Ctrl+X", .group = Group::Exit},

    {.menu = M::View,
     .caption = fixedText("S&ession data"),
     .group = Group::ViewSession,
     .needs = Needs::Session,
     .toggle = true,
     .key = "Session",
     .tooltip = fixedText("Session note"),
     .image = I::Session},
    // Shown, so the statistics window has a way in of its own; "I", because
    // "T" belongs to Times.
    {.menu = M::View,
     .caption = QT_TRANSLATE_NOOP("CommandTable", "Stat&istics"),
     .group = Group::ViewStatistics,
     .needs = Needs::Session,
     .enabled = false,
     .toggle = true,
     .key = "Statistics",
     .tooltip = fixedText("Statistics"),
     .image = I::Statistics},
    {.menu = M::View,
     .caption = fixedText("&Times"),
     .group = Group::ViewTimes,
     .needs = Needs::Session,
     .toggle = true,
     .key = "Laps",
     .tooltip = fixedText("Times"),
     .image = I::Laps,
     .gapAfter = true},
    // Enabled like Times, with no button of its own.
    {.menu = M::View,
     .caption = QT_TRANSLATE_NOOP("CommandTable", "&Results"),
     .group = Group::ViewTimes,
     .needs = Needs::Session,
     .toggle = true},
    // A window of its own for a second screen; it shows "No session" too.
    {.menu = M::View,
     .caption = QT_TRANSLATE_NOOP("CommandTable", "Score&board"),
     .needs = Needs::Program,
     .action =
         [](QWidget* parent) {
             if (auto* desktop = qobject_cast<frmDesktop*>(parent))
                 desktop->publishing().showScoreboard();
         }},

    {.menu = M::Race,
     .caption = QT_TRANSLATE_NOOP("CommandTable", "&Drivers..."),
     .needs = Needs::Session,
     .action =
         [](QWidget* parent) {
             if (auto* desktop = qobject_cast<frmDesktop*>(parent)) desktop->editDriverNames();
         }},

    {.menu = M::Race,
     .caption = QT_TRANSLATE_NOOP("CommandTable", "Lap &rules..."),
     .needs = Needs::Session,
     .action =
         [](QWidget* parent) {
             if (auto* desktop = qobject_cast<frmDesktop*>(parent)) desktop->editLapRules();
         }},
    {.menu = M::Race,
     .caption = QT_TRANSLATE_NOOP("CommandTable", "&Publish on network..."),
     .needs = Needs::Program,
     .action =
         [](QWidget* parent) {
             if (auto* desktop = qobject_cast<frmDesktop*>(parent)) desktop->showPublishDialog();
         }},

    {.menu = M::Race,
     .caption = QT_TRANSLATE_NOOP("CommandTable", "&Issue results..."),
     .needs = Needs::Session,
     .action =
         [](QWidget* parent) {
             if (auto* desktop = qobject_cast<frmDesktop*>(parent)) desktop->issueResults();
         }},

    {.menu = M::Race,
     .caption = QT_TRANSLATE_NOOP("CommandTable", "&Championship..."),
     .needs = Needs::Program,
     .action =
         [](QWidget* parent) {
             if (auto* desktop = qobject_cast<frmDesktop*>(parent)) desktop->showChampionship();
         }},

    {.menu = M::Device,
     .caption = fixedText("&Download data"),
     .shortcut = "Ctrl+U",
     .group = Group::Download,
     .needs = Needs::Session,
     .key = "Upload",
     .tooltip = fixedText("Download data"),
     .image = I::Upload},
    // Shown, so the device dialogs can be reached.
    {.menu = M::Device,
     .caption = fixedText("&Config device..."),
     .group = Group::ConfigDevice,
     .needs = Needs::Session,
     .enabled = false},
    {.menu = M::Device,
     .caption = fixedText("&Test device..."),
     .group = Group::TestDevice,
     .needs = Needs::Session,
     .enabled = false},

    {.menu = M::Help,
     .caption = fixedText("Help &Topics"),
     .group = Group::HelpTopics,
     .needs = Needs::Program},
    {.menu = M::Help, .caption = fixedText("&About...")},
};

}  // namespace

std::span<const Command> commandTable() { return kCommands; }

const char* menuTitle(MenuId menu) {
    static const char* const titles[] = {fixedText("&File"), fixedText("&View"),
                                         QT_TRANSLATE_NOOP("CommandTable", "&Race"),
                                         fixedText("&Device"), fixedText("&Help")};
    return titles[static_cast<int>(menu)];
}

int indexInMenu(std::size_t row) {
    int index = 0;
    for (std::size_t i = 0; i < row; ++i)
        if (kCommands[i].menu == kCommands[row].menu && !kCommands[i].action) ++index;
    return index;
}

}  // namespace orvex
