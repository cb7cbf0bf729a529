#pragma once

namespace orvex {

class TickClock;
class EventPump;
class DayClock;
class MessageBox;
class MousePointer;
class ScreenInfo;
class HelpViewer;
class Regional;
class ProgramFolder;
class SerialPort;
class Printer;
class FileSystem;
class FileDialog;

// The outside world as the program's logic sees it. The program installs the
// Qt implementations at start-up; tests install fakes. Nothing here is owned.
struct Platform {
    TickClock* ticks = nullptr;
    EventPump* events = nullptr;
    DayClock* dayClock = nullptr;
    MessageBox* messages = nullptr;
    MousePointer* pointer = nullptr;
    ScreenInfo* screen = nullptr;
    HelpViewer* help = nullptr;
    Regional* regional = nullptr;
    ProgramFolder* folder = nullptr;
    SerialPort* serial = nullptr;
    Printer* printer = nullptr;
    FileSystem* files = nullptr;
    FileDialog* fileDialogs = nullptr;
};

// The installed platform. Every pointer must be set before the logic uses it.
Platform& platform();
void installPlatform(const Platform& p);

}  // namespace orvex
