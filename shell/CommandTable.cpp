#include "shell/CommandTable.h"

#include "autocopy/DownloadCopy.h"
#include "export/LapsCsv.h"
#include "export/ResultsCsv.h"
#include "results/Results.h"
#include "session/FileCommands.h"
#include "shell/ImageList1.h"
#include "shell/frmDesktop.h"
#include "ui/export/frmExport.h"
#include "ui/lists/ChildWindows.h"
#include "ui/results/frmResults.h"
#include "ui/slips/frmSlips.h"

namespace orvex {

namespace {

using M = MenuId;
namespace I = ImageList1;

const Command kCommands[] = {
    {.menu = M::File,
     .caption = "&New",
     .shortcut = "Ctrl+N",
     .group = Group::New,
     .needs = Needs::Program,
     .key = "New",
     .tooltip = "New",
     .image = I::New},
    {.menu = M::File,
     .caption = "&Open...",
     .shortcut = "Ctrl+O",
     .group = Group::Open,
     .needs = Needs::Program,
     .key = "Open",
     .tooltip = "Open file",
     .image = I::Open},
    {.menu = M::File,
     .caption = "Open do&wnload...",
     .group = Group::Open,
     .needs = Needs::Program,
     .action =
         [](QWidget* parent) {
             if (auto* desktop = qobject_cast<frmDesktop*>(parent))
                 desktop->fileCommands().OpenIn(downloadCopyFolder());
         }},
    {.menu = M::File,
     .caption = "Arc&hive...",
     .group = Group::Open,
     .needs = Needs::Program,
     .action =
         [](QWidget* parent) {
             if (auto* desktop = qobject_cast<frmDesktop*>(parent)) desktop->showArchive();
         }},
    {.menu = M::File,
     .caption = "&Save",
     .shortcut = "Ctrl+S",
     .group = Group::Save,
     .needs = Needs::Session,
     .key = "Save",
     .tooltip = "Save file",
     .image = I::Save},
    {.menu = M::File, .caption = "Save &As...", .group = Group::SaveAs, .needs = Needs::Session},
    {.menu = M::File, .caption = nullptr},
    {.menu = M::File,
     .caption = "&Print...",
     .shortcut = "Ctrl+P",
     .group = Group::Print,
     .needs = Needs::Session,
     .key = "Print",
     .tooltip = "Print",
     .image = I::Print,
     .gapAfter = true},
    {.menu = M::File,
     .caption = "Print Pre&view...",
     .group = Group::Print,
     .needs = Needs::Session,
     .action = &frmExport::ShowPreview},
    {.menu = M::File,
     .caption = "Print S&lips...",
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
     .caption = "&Laps CSV...",
     .group = Group::Print,
     .needs = Needs::Session,
     .submenu = "&Export",
     .action = [](QWidget*) { ExportLapsCsv(); }},
    {.menu = M::File,
     .caption = "&Results CSV...",
     .group = Group::Print,
     .needs = Needs::Session,
     .submenu = "&Export",
     .action = [](QWidget*) { ExportResultsCsv(); }},
    {.menu = M::File,
     .caption = "P&DF...",
     .group = Group::Print,
     .needs = Needs::Session,
     .submenu = "&Export",
     .action = &frmExport::ExportPdf},
    {.menu = M::File,
     .caption = "&Slips PDF...",
     .group = Group::Print,
     .needs = Needs::Session,
     .submenu = "&Export",
     .action = &frmSlips::ExportPdf},
    {.menu = M::File, .caption = nullptr, .group = Group::Recent1, .shown = false},
    {.menu = M::File, .caption = "RecentFile1", .group = Group::Recent1, .shown = false},
    {.menu = M::File, .caption = "RecentFile2", .group = Group::Recent2, .shown = false},
    {.menu = M::File, .caption = "RecentFile3", .group = Group::Recent3, .shown = false},
    {.menu = M::File, .caption = "RecentFile4", .group = Group::Recent4, .shown = false},
    {.menu = M::File, .caption = nullptr},
    {.menu = M::File, .caption = "E&xit", .shortcut = "Ctrl+X", .group = Group::Exit},

    {.menu = M::View,
     .caption = "S&ession data",
     .group = Group::ViewSession,
     .needs = Needs::Session,
     .toggle = true,
     .key = "Session",
     .tooltip = "Session note",
     .image = I::Session},
    // Shown, so the statistics window has a way in of its own; "I", because
    // "T" belongs to Times.
    {.menu = M::View,
     .caption = "Stat&istics",
     .group = Group::ViewStatistics,
     .needs = Needs::Session,
     .enabled = false,
     .toggle = true,
     .key = "Statistics",
     .tooltip = "Statistics",
     .image = I::Statistics},
    {.menu = M::View,
     .caption = "&Times",
     .group = Group::ViewTimes,
     .needs = Needs::Session,
     .toggle = true,
     .key = "Laps",
     .tooltip = "Times",
     .image = I::Laps,
     .gapAfter = true},
    // Enabled like Times, with no button of its own.
    {.menu = M::View,
     .caption = "&Results",
     .group = Group::ViewTimes,
     .needs = Needs::Session,
     .toggle = true},

    {.menu = M::Race,
     .caption = "&Drivers...",
     .needs = Needs::Session,
     .action =
         [](QWidget* parent) {
             if (auto* desktop = qobject_cast<frmDesktop*>(parent)) desktop->editDriverNames();
         }},

    {.menu = M::Race,
     .caption = "Lap &rules...",
     .needs = Needs::Session,
     .action =
         [](QWidget* parent) {
             if (auto* desktop = qobject_cast<frmDesktop*>(parent)) desktop->editLapRules();
         }},

    {.menu = M::Device,
     .caption = "&Download data",
     .shortcut = "Ctrl+U",
     .group = Group::Download,
     .needs = Needs::Session,
     .key = "Upload",
     .tooltip = "Download data",
     .image = I::Upload},
    // Shown, so the device dialogs can be reached.
    {.menu = M::Device,
     .caption = "&Config device...",
     .group = Group::ConfigDevice,
     .needs = Needs::Session,
     .enabled = false},
    {.menu = M::Device,
     .caption = "&Test device...",
     .group = Group::TestDevice,
     .needs = Needs::Session,
     .enabled = false},

    {.menu = M::Help,
     .caption = "Help &Topics",
     .group = Group::HelpTopics,
     .needs = Needs::Program},
    {.menu = M::Help, .caption = "&About..."},
};

}  // namespace

std::span<const Command> commandTable() { return kCommands; }

const char* menuTitle(MenuId menu) {
    static const char* const titles[] = {"&File", "&View", "&Race", "&Device", "&Help"};
    return titles[static_cast<int>(menu)];
}

int indexInMenu(std::size_t row) {
    int index = 0;
    for (std::size_t i = 0; i < row; ++i)
        if (kCommands[i].menu == kCommands[row].menu && !kCommands[i].action) ++index;
    return index;
}

}  // namespace orvex
