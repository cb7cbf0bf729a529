#pragma once
#include <string>

#include "device/SetupControls.h"

namespace orvex {

// The configuration dialog's controls as plain fields.
struct FakeSetupControls : SetupControls {
    bool brightness = false;
    bool lapDisplay = false;
    std::string pause;
    std::string correction;

    bool chkSetup() const override { return brightness; }
    void setChkSetup(bool ticked) override { brightness = ticked; }
    bool chkSetup1() const override { return lapDisplay; }
    void setChkSetup1(bool ticked) override { lapDisplay = ticked; }
    std::string txtSetup(int index) const override { return index == 1 ? pause : correction; }
    void setTxtSetup(int index, const std::string& text) override {
        (index == 1 ? pause : correction) = text;
    }
};

}  // namespace orvex
