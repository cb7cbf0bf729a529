#pragma once
#include <QDialog>

class QLineEdit;

namespace orvex {

class RaceCommands;

// "Lap rules": the session's minimum and maximum lap time. A shorter lap is
// joined with the next, a longer one is void; either box may stay empty.
// OK is one step of the session's commands, undone in the Results window.
class frmLapRules : public QDialog {
    Q_OBJECT
public:
    explicit frmLapRules(RaceCommands& commands, QWidget* parent = nullptr);

    // Shows the dialog over `parent`.
    static void Edit(QWidget* parent, RaceCommands& commands);

    QLineEdit* minimum() const { return txtMin_; }
    QLineEdit* maximum() const { return txtMax_; }
    // Reads both boxes into the session's rules; a box that does not read
    // is said in a message and leaves the rules as they were.
    bool apply();

private:
    RaceCommands& commands_;
    QLineEdit* txtMin_;
    QLineEdit* txtMax_;
};

}  // namespace orvex
