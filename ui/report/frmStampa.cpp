#include "ui/report/frmStampa.h"

#include <QCheckBox>
#include <QFrame>
#include <QKeyEvent>
#include <QPushButton>

#include "platform/FixedText.h"
#include "platform/Messages.h"
#include "platform/MousePointer.h"
#include "platform/Platform.h"
#include "platform/qt/QtCaptions.h"
#include "platform/qt/Twips.h"

namespace orvex {

namespace {
// The client area: the frame and the buttons with a 60-twip border.
constexpr int kClientWidth = 2115;
constexpr int kClientHeight = 1815;
}  // namespace

frmStampa::frmStampa(QWidget* parent) : QDialog(parent) {
    setWindowTitle(fixedText("Print"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setObjectName(QStringLiteral("frmStampa"));

    Frame1 = new QFrame(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setFrameShape(QFrame::StyledPanel);
    Frame1->setGeometry(twipsToPixels(60, 0, 1995, 1275));

    struct Box {
        const char* caption;
        QRect place;
    };
    const std::array<Box, 3> boxes{
        {{fixedText("  Session data"), twipsToPixels(240, 240, 1515, 315)},
         {fixedText("  Statistics"), twipsToPixels(240, 960, 1455, 315)},
         {fixedText("  Times"), twipsToPixels(240, 600, 1575, 315)}}};
    for (int i = 0; i < 3; ++i) {
        chkPrint[i] = new QCheckBox(QString::fromLatin1(boxes[i].caption), Frame1);
        chkPrint[i]->setObjectName(QStringLiteral("chkPrint%1").arg(i));
        chkPrint[i]->setGeometry(boxes[i].place);
    }
    // The report can print statistics, but the dialog does not offer them.
    chkPrint[1]->setVisible(false);

    const std::array<const char*, 2> captions{fixedText("OK"), fixedText("Cancel")};
    for (int i = 0; i < 2; ++i) {
        CmdPrint[i] = new QPushButton(QString::fromLatin1(captions[i]), this);
        CmdPrint[i]->setObjectName(QStringLiteral("CmdPrint%1").arg(i));
        CmdPrint[i]->setGeometry(twipsToPixels(60 + 1020 * i, 1380, 915, 375));
        connect(CmdPrint[i], &QPushButton::clicked, this,
                [this, i] { trapErrors([&] { CmdPrint_Click(i); }); });
    }

    setTabOrder(chkPrint[0], chkPrint[1]);
    setTabOrder(chkPrint[1], chkPrint[2]);
    setTabOrder(chkPrint[2], CmdPrint[0]);
    setTabOrder(CmdPrint[0], CmdPrint[1]);
    chkPrint[0]->setFocus();

    const QRect client = twipsToPixels(0, 0, kClientWidth, kClientHeight);
    setFixedSize(client.size());
    fitCaptions(this);
}

void frmStampa::Form_Load() { centreOnScreen(this); }

void frmStampa::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    Form_Load();
}

// Enter presses only the button that has the focus (the button handles that
// itself); on a check box it would press OK and print what was not meant yet.
void frmStampa::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) return;
    QDialog::keyPressEvent(event);
}

ReportSections frmStampa::ticked() const {
    return {chkPrint[0]->isChecked(), chkPrint[1]->isChecked(), chkPrint[2]->isChecked()};
}

void frmStampa::CmdPrint_Click(int index) {
    if (index != 0) {
        reject();
        return;
    }
    const ReportSections chosen = ticked();
    const bool nothing = !chosen.SessionData && !chosen.Statistics && !chosen.Times;
    if (chooseOnly_) {
        // A preview or a PDF of nothing would be an empty page: say so and let them tick.
        if (nothing)
            ShowMessage(tr("Tick Session data or Times to print.").toStdString());
        else
            accept();
        return;
    }
    platform().pointer->set(MousePointer::Hourglass);
    hide();
    // A report of nothing sends nothing to the printer; no job is started, so
    // a missing printer is not reported for it either.
    if (!nothing) report_.PrintReport(chosen);
    platform().pointer->set(MousePointer::Normal);
    accept();
}

void frmStampa::ShowModal(QWidget* parent) {
    frmStampa dialog(parent);
    dialog.exec();
}

bool frmStampa::ChooseSections(QWidget* parent, const QString& title, ReportSections& chosen) {
    frmStampa dialog(parent);
    dialog.chooseOnly_ = true;
    dialog.setWindowTitle(title);
    if (dialog.exec() != QDialog::Accepted) return false;
    chosen = dialog.ticked();
    return true;
}

}  // namespace orvex
