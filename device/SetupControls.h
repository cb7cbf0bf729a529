#pragma once
#include <string>

namespace orvex {

// The configuration dialog's four controls, as the settings operations read
// and fill them. The dialog implements it; tests use a plain record.
class SetupControls {
public:
    virtual ~SetupControls() = default;
    // "Luminositá alta": flag bit 0.
    virtual bool chkSetup() const = 0;
    virtual void setChkSetup(bool ticked) = 0;
    // "Visualizzazione Lap": flag bit 1.
    virtual bool chkSetup1() const = 0;
    virtual void setChkSetup1(bool ticked) = 0;
    // Index 1 the pause, index 2 the correction.
    virtual std::string txtSetup(int index) const = 0;
    virtual void setTxtSetup(int index, const std::string& text) = 0;
};

}  // namespace orvex
