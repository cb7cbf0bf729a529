#pragma once
#include <QDialog>

class QLineEdit;

namespace orvex {

// "Lap rules": the session's minimum and maximum lap time. A shorter lap is
// joined with the next, a longer one is void; either box may stay empty.
class frmLapRules : public QDialog {
    Q_OBJECT
public:
    explicit frmLapRules(QWidget* parent = nullptr);

    // Shows the dialog over `parent`; true when OK changed the session's rules.
    static bool Edit(QWidget* parent);

    QLineEdit* minimum() const { return txtMin_; }
    QLineEdit* maximum() const { return txtMax_; }
    // Reads both boxes into the session's rules; a box that does not read
    // is said in a message and leaves the rules as they were.
    bool apply();

private:
    QLineEdit* txtMin_;
    QLineEdit* txtMax_;
};

}  // namespace orvex
