#include "fakes/FakePlatform.h"

namespace orvex {

FakePlatform::FakePlatform() : previous_(platform()) { installPlatform(interfaces()); }

FakePlatform::~FakePlatform() { installPlatform(previous_); }

Platform FakePlatform::interfaces() {
    Platform p;
    p.ticks = &ticks;
    p.events = &events;
    p.dayClock = &dayClock;
    p.messages = &messages;
    p.pointer = &pointer;
    p.screen = &screen;
    p.help = &help;
    p.regional = &regional;
    p.folder = &folder;
    p.serial = &serial;
    p.printer = &printer;
    p.files = &files;
    p.fileDialogs = &fileDialogs;
    return p;
}

}  // namespace orvex
