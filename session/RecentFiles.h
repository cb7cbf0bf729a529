#pragma once
#include <string>

namespace orvex {

class DesktopViews;

// The four most recent data files, kept in ORVEX.INI in the program's folder
// (section "File", keys "File1" to "File4", most recent first) and shown as
// the File menu's recent-file items.

// The settings file's full name.
std::string settingsFileName();

// Shows every stored name in its menu item. An item whose key is missing
// keeps what it showed: the list never shrinks while the program runs.
void FileRecentiRead(DesktopViews& views);

// Moves `name` to the top of the list, or adds it there pushing the others
// down. Names are compared exactly, letter case included, with the list as
// the settings file holds it under its lock, so two instances lose nothing.
void FileRecentiWrite(DesktopViews& views, const std::string& name);

}  // namespace orvex
