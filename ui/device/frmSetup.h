#pragma once
#include <QDialog>

#include "device/SetupControls.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QFrame;

namespace orvex {

class DeviceRequests;

// The configuration dialog. Its controls are the only copy of the device's
// settings the program keeps: "RX Dati" asks the polling tick to fill them
// from the device, "TX Dati" to send them.
class frmSetup : public QDialog, public SetupControls {
    Q_OBJECT

public:
    explicit frmSetup(DeviceRequests& requests, QWidget* parent = nullptr);

    // Centres the dialog in `clientArea` (global coordinates).
    void Form_Load(const QRect& clientArea);
    void cmdSetup_Click(int index);

    QFrame* sspStat = nullptr;
    QCheckBox* chkSetupBox = nullptr;   // "Luminositá alta"
    QCheckBox* chkSetup1Box = nullptr;  // "Visualizzazione Lap"
    QLabel* lblDiag[4] = {};
    QLineEdit* txtSetupBox[3] = {};
    QPushButton* cmdSetup[2] = {};

    // SetupControls
    bool chkSetup() const override;
    void setChkSetup(bool ticked) override;
    bool chkSetup1() const override;
    void setChkSetup1(bool ticked) override;
    std::string txtSetup(int index) const override;
    void setTxtSetup(int index, const std::string& text) override;

private:
    DeviceRequests& requests_;
};

}  // namespace orvex
