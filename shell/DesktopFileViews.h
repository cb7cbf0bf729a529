#pragma once
#include "session/DesktopViews.h"

namespace orvex {

class frmDesktop;

// The main window and its child windows as the file commands see them.
class DesktopFileViews : public DesktopViews {
public:
    explicit DesktopFileViews(frmDesktop& desktop) : desktop_(desktop) {}

    void MenuAbilita(int code, const std::string& caption) override;
    void MenuRefresh() override;
    std::string menuFileCaption(int index) const override;
    void setTitle(const std::string& title) override;
    void recordWindowPositions() override;
    void copySessionTexts() override;
    void closeChildWindows() override;
    void openTimesWindows() override;
    void openSessionWindow() override;
    void showPrintDialog() override;
    void endProgram() override;
    void sessionFileSeen(const std::string& fullName) override;
    bool replaceExisting(const std::string& name, bool fullPath) override;
    bool keepDriverNames() const override;

private:
    frmDesktop& desktop_;
};

}  // namespace orvex
