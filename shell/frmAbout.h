#pragma once
#include <QDialog>

class QLabel;
class QPushButton;

namespace orvex {

// The About box: picture, version label and OK. Esc closes it.
class frmAbout : public QDialog {
    Q_OBJECT

public:
    explicit frmAbout(QWidget* parent = nullptr);

    QLabel* Image1 = nullptr;
    QLabel* Label1 = nullptr;
    QPushButton* Command1 = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
};

}  // namespace orvex
