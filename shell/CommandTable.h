#pragma once
#include <cstddef>
#include <span>

#include "session/DesktopViews.h"

class QWidget;

namespace orvex {

// The main window's menus, in menu-bar order.
// Race holds the commands beyond the design's; it is enabled only with a session.
enum class MenuId { File, View, Race, Device, Help };
constexpr int kMenuCount = 5;

// The group codes of MenuAbilita and MenuDisabilita. The recent files' codes
// follow each other from kFirstRecentCode, one for each place in the list.
namespace Group {
constexpr int None = 0;
constexpr int New = 1, Open = 2, Save = 3, SaveAs = 4, Print = 8, Exit = 9;
constexpr int Recent1 = kFirstRecentCode, Recent2 = Recent1 + 1, Recent3 = Recent1 + 2,
              Recent4 = Recent1 + 3;
constexpr int ViewSession = 100, ViewStatistics = 101, ViewTimes = 102;
constexpr int Download = 200, ConfigDevice = 201, TestDevice = 202;
constexpr int HelpTopics = 300;
}  // namespace Group

// What MenuRefresh makes of a command.
enum class Needs {
    Nothing,  // left alone: Exit, About and the recent files
    Program,  // always usable
    Session,  // usable only while there is a session
};

// One menu item and, when it has a key, its toolbar button, which its group
// enables with it. An item created hidden is shown by its group, which also
// gives it its caption (the recent files); every other group switches the
// enabled state.
struct Command {
    MenuId menu;
    const char* caption;  // nullptr: a separator
    const char* shortcut = "";
    int group = Group::None;
    Needs needs = Needs::Nothing;
    bool shown = true;
    bool enabled = true;
    // A View toggle: a check mark and a pressable button that only the View
    // handler sets, never the click itself.
    bool toggle = false;
    const char* key = nullptr;
    const char* tooltip = nullptr;
    int image = 0;
    bool gapAfter = false;  // a toolbar separator follows the button
    // Rows that name the same submenu form one submenu of their menu, which
    // is enabled with them.
    const char* submenu = nullptr;
    // A command with a handler of its own, given the main window as the
    // parent of what it shows. Such a row takes no index in its menu, so the
    // File commands keep theirs.
    void (*action)(QWidget* parent) = nullptr;
};

// Every command in menu order: a row's place among its menu's rows is the
// index the menu's handler receives, and the buttons keep the same order.
std::span<const Command> commandTable();
const char* menuTitle(MenuId menu);
int indexInMenu(std::size_t row);

}  // namespace orvex
