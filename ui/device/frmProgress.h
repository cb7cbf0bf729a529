#pragma once
#include <QDialog>

class QLabel;
class QProgressBar;

namespace orvex {

// The download's progress window: a label above a bar that advances one
// memory block at a time.
class frmProgress : public QDialog {
    Q_OBJECT

public:
    explicit frmProgress(QWidget* parent = nullptr);

    // Centres the window in `clientArea` (global coordinates) and empties the bar.
    void Form_Load(const QRect& clientArea);

    QLabel* Label1 = nullptr;
    QProgressBar* ProgressBar = nullptr;

protected:
    // The download owns this window: neither Escape nor the close box ends it.
    void reject() override {}
};

}  // namespace orvex
