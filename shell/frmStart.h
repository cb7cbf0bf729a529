#pragma once
#include <QWidget>

namespace orvex {

class DayClock;
class EventPump;

// The splash window shown while the program starts.
class frmStart : public QWidget {
    Q_OBJECT

public:
    explicit frmStart(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
};

// Keeps events running for about three seconds: until the day clock has
// moved by (its reading + 3, rounded to a whole second) minus its reading.
// Elapsed time is measured modulo one day, so a start just before midnight
// still ends. Returns the number of seconds waited for.
double SplashWait(DayClock& clock, EventPump& events);

}  // namespace orvex
