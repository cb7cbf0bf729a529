#pragma once
#include <QDialog>

class QLineEdit;
class QSpinBox;

namespace orvex {

class RaceCommands;

// "Lap rules": the session's minimum and maximum lap time. A shorter lap is
// joined with the next, a longer one is void; either box may stay empty.
// Beside them, the limits of a suspect lap in percent of the driver's median.
// OK is one step of the session's commands, undone in the Results window.
class frmLapRules : public QDialog {
    Q_OBJECT
public:
    explicit frmLapRules(RaceCommands& commands, QWidget* parent = nullptr);

    // Shows the dialog over `parent`.
    static void Edit(QWidget* parent, RaceCommands& commands);

    QLineEdit* minimum() const { return txtMin_; }
    QLineEdit* maximum() const { return txtMax_; }
    QSpinBox* suspectShort() const { return spnShort_; }
    QSpinBox* suspectLong() const { return spnLong_; }
    // Reads both boxes into the session's rules; a box that does not read
    // is said in a message and leaves the rules as they were.
    bool apply();

private:
    RaceCommands& commands_;
    QLineEdit* txtMin_;
    QLineEdit* txtMax_;
    QSpinBox* spnShort_;
    QSpinBox* spnLong_;
};

}  // namespace orvex
