#pragma once
#include <functional>
#include <string>
#include <vector>

#include "platform/MessageBox.h"
#include "platform/Platform.h"
#include "session/DesktopViews.h"
#include "session/Session.h"

namespace orvex {

// The main window as the file commands see it: the File menu's captions and
// visibility, the title, and child windows that only keep their WinState
// records.
class FakeDesktopViews : public DesktopViews {
public:
    std::vector<std::string> captions = std::vector<std::string>(13);
    std::vector<bool> visible = std::vector<bool>(13);
    std::string title;
    bool ended = false;
    int printDialogs = 0;
    // Positions the open windows report when asked (a moved window).
    std::function<void()> onRecordPositions;
    // What the open session data window holds in its boxes.
    std::function<void()> onCopyTexts;

    void MenuAbilita(int code, const std::string& caption) override {
        if (code < 50 || code > 53) return;
        visible[recentFileItem(code)] = true;
        captions[recentFileItem(code)] = caption;
    }
    void MenuRefresh() override {}
    std::string menuFileCaption(int index) const override { return captions.at(index); }
    void setTitle(const std::string& t) override { title = t; }
    void recordWindowPositions() override {
        if (onRecordPositions) onRecordPositions();
    }
    void copySessionTexts() override {
        if (session().SessionWin.isOpen() && onCopyTexts) onCopyTexts();
    }
    void closeChildWindows() override {
        session().LapsWin.Open = session().SessionWin.Open = session().StatWin.Open = 0;
    }
    void openTimesWindows() override { session().StatWin.Open = session().LapsWin.Open = -1; }
    void openSessionWindow() override { session().SessionWin.Open = -1; }
    void showPrintDialog() override { ++printDialogs; }
    void endProgram() override { ended = true; }
    // The files the archive was told of.
    std::vector<std::string> filesSeen;
    void sessionFileSeen(const std::string& fullName) override { filesSeen.push_back(fullName); }
    // Asks as the main window does, so tests read the question.
    bool replaceExisting(const std::string& name, bool fullPath) override {
        return platform().messages->show(
                   name + (fullPath ? " already exists.\n" : " already exists. ") +
                       "Do you want to replace it ?",
                   MessageBox::YesNo | MessageBox::Exclamation | MessageBox::Default2,
                   "ORVEX") == MessageBox::Yes;
    }

    std::vector<std::string> recent() const {
        std::vector<std::string> r;
        for (int i = 7; i <= 10; ++i)
            if (visible[i]) r.push_back(captions[i]);
        return r;
    }
};

}  // namespace orvex
