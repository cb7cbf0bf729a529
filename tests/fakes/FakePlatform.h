#pragma once
#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "fakes/FakeFileDialog.h"
#include "fakes/FakeFileSystem.h"
#include "fakes/FakeSerialPort.h"
#include "fakes/RecordingPrinter.h"
#include "platform/DayClock.h"
#include "platform/EventPump.h"
#include "platform/HelpViewer.h"
#include "platform/MessageBox.h"
#include "platform/MousePointer.h"
#include "platform/Platform.h"
#include "platform/ProgramFolder.h"
#include "platform/Regional.h"
#include "platform/ScreenInfo.h"
#include "platform/TickClock.h"

namespace orvex {

// A virtual millisecond clock: a one-second timeout costs no real time.
class FakeTickClock : public TickClock {
public:
    std::uint32_t now = 0;
    std::uint32_t ticks() override { return now; }
    void advance(std::uint32_t ms) { now += ms; }
};

// Each pass of a wait loop advances the clock by 1 ms and runs the test's hooks.
class FakeEventPump : public EventPump {
public:
    explicit FakeEventPump(FakeTickClock& clock) : clock_(clock) {}
    int calls = 0;
    std::vector<std::function<void()>> hooks;
    void processEvents() override {
        ++calls;
        clock_.advance(1);
        for (auto& h : hooks) h();
    }

private:
    FakeTickClock& clock_;
};

class FakeDayClock : public DayClock {
public:
    double seconds = 12 * 3600.0;
    CalendarDate date{2026, 12, 4};
    double secondsSinceMidnight() override { return seconds; }
    CalendarDate today() override { return date; }
};

// Records every box and answers from a script (OK / the default when empty).
class FakeMessageBox : public MessageBox {
public:
    struct Shown {
        std::string text;
        int flags;
        std::string title;
        bool operator==(const Shown&) const = default;
    };
    std::vector<Shown> shown;
    std::deque<int> answers;
    // Runs as each box appears, to look at the program while it is shown.
    std::function<void(const Shown&)> onShow;

    int show(const std::string& text, int flags, const std::string& title) override {
        shown.push_back({text, flags, title});
        if (onShow) onShow(shown.back());
        if (!answers.empty()) {
            const int a = answers.front();
            answers.pop_front();
            return a;
        }
        return (flags & 0x7) == YesNo || (flags & 0x7) == YesNoCancel ? No : Ok;
    }
    std::vector<std::string> texts() const {
        std::vector<std::string> t;
        for (const auto& s : shown) t.push_back(s.text);
        return t;
    }
};

class FakeMousePointer : public MousePointer {
public:
    Shape shape = Normal;
    void set(Shape s) override { shape = s; }
    Shape current() const override { return shape; }
};

class FakeScreen : public ScreenInfo {
public:
    int widthPx = 1024;
    int widthTwips() const override { return widthPx * 15; }
    int heightTwips() const override { return 768 * 15; }
    int twipsPerPixelX() const override { return 15; }
    int twipsPerPixelY() const override { return 15; }
};

class FakeHelpViewer : public HelpViewer {
public:
    std::vector<std::string> opened;
    bool result = true;
    bool showContents(const std::string& f) override {
        opened.push_back(f);
        return result;
    }
};

class FakeRegional : public Regional {
public:
    std::string separator = ".";
    std::string decimalSeparator() const override { return separator; }
    std::string monthName(int month) const override { return month == 12 ? "December" : "?"; }
};

class FakeProgramFolder : public ProgramFolder {
public:
    std::string folder = "/orvex";
    std::string path() const override { return folder; }
};

// Every fake, installed for the lifetime of the object.
class FakePlatform {
public:
    FakeTickClock ticks;
    FakeEventPump events{ticks};
    FakeDayClock dayClock;
    FakeMessageBox messages;
    FakeMousePointer pointer;
    FakeScreen screen;
    FakeHelpViewer help;
    FakeRegional regional;
    FakeProgramFolder folder;
    FakeSerialPort serial{ticks};
    RecordingPrinter printer;
    FakeFileSystem files;
    FakeFileDialog fileDialogs;

    FakePlatform() { installPlatform(interfaces()); }
    ~FakePlatform() { installPlatform(previous_); }
    FakePlatform(const FakePlatform&) = delete;
    FakePlatform& operator=(const FakePlatform&) = delete;

    // The fakes as a platform, for tests that swap one of them.
    Platform interfaces() {
        return {&ticks,    &events, &dayClock, &messages, &pointer, &screen,     &help,
                &regional, &folder, &serial,   &printer,  &files,   &fileDialogs};
    }

private:
    Platform previous_ = platform();
};

}  // namespace orvex
