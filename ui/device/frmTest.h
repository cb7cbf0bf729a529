#pragma once
#include <QDialog>

class QFrame;
class QPushButton;

namespace orvex {

class DeviceRequests;

// The test dialog: display and inputs tests, end of test, memory erase.
// Each button only stores a command for the polling tick.
class frmTest : public QDialog {
    Q_OBJECT

public:
    static constexpr const char* kEraseQuestion =
        QT_TR_NOOP("Erase every lap stored in the device?\nThis cannot be undone.");

    explicit frmTest(DeviceRequests& requests, QWidget* parent = nullptr);

    void Form_Load(const QRect& clientArea);
    void Command1_Click(int index);

    QFrame* sspStat = nullptr;
    QPushButton* Command1[4] = {};

private:
    DeviceRequests& requests_;
};

}  // namespace orvex
