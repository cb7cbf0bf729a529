#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScreen>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <algorithm>

#include "fakes/MainWindowFixture.h"
#include "platform/Platform.h"
#include "platform/qt/QtCaptions.h"
#include "shell/DesktopDevice.h"
#include "shell/frmAbout.h"
#include "shell/frmStart.h"
#include "ui/device/frmProgress.h"
#include "ui/device/frmSetup.h"
#include "ui/device/frmTest.h"

using namespace orvex;

namespace {

// A shown caption's width, by the font and the style alone, against its control's.
void expectFits(const QWidget* w) {
    QString text;
    int extra = 0;
    const QStyle* style = w->style();
    if (auto* label = qobject_cast<const QLabel*>(w); label && !label->wordWrap()) {
        text = label->text();
    } else if (auto* box = qobject_cast<const QGroupBox*>(w)) {
        text = box->title();
        extra = 2 * w->fontMetrics().horizontalAdvance('x');
    } else if (qobject_cast<const QCheckBox*>(w) || qobject_cast<const QRadioButton*>(w)) {
        text = static_cast<const QAbstractButton*>(w)->text();
        extra = style->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, w) +
                style->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, w);
    } else if (auto* button = qobject_cast<const QAbstractButton*>(w)) {
        auto* tool = qobject_cast<const QToolButton*>(w);
        if (!tool || tool->toolButtonStyle() != Qt::ToolButtonIconOnly) text = button->text();
        extra = 2 * style->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, w);
    }
    text.replace(QRegularExpression("&(.)"), "\\1");
    if (text.isEmpty() || Qt::mightBeRichText(text)) return;
    int widest = 0;  // a text of several lines is as wide as its widest
    for (const QString& line : text.split('\n'))
        widest = std::max(widest, w->fontMetrics().horizontalAdvance(line));
    EXPECT_LE(widest + extra, w->contentsRect().width())
        << w->metaObject()->className() << " " << text.toStdString();
}

// Every shown caption of `window` and its title fit; a text box shows the
// start of its text.
void expectWhole(QWidget* window) {
    ASSERT_TRUE(window);
    SCOPED_TRACE(window->windowTitle().toStdString());
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (!w->isVisible() || w->window() != window->window()) continue;
        expectFits(w);
        if (auto* box = qobject_cast<QLineEdit*>(w); box && !box->hasFocus()) {
            EXPECT_EQ(box->cursorPosition(), 0) << box->text().toStdString();
        }
    }
    QFont bold = QApplication::font();
    bold.setBold(true);
    EXPECT_LE(QFontMetrics(bold).horizontalAdvance(window->windowTitle()) + titleBarExtra(window),
              window->width());
}

// Twips per pixel as the program's screen gives them: 15 at 96 DPI, 12 at 120.
struct ScreenAtFontDpi : FakeScreen {
    int twipsPerPixelX() const override {
        return int(1440.0 / QGuiApplication::primaryScreen()->logicalDotsPerInch() + 0.5);
    }
    int twipsPerPixelY() const override { return twipsPerPixelX(); }
};

class CaptionsTest : public MainWindowFixture {
protected:
    ScreenAtFontDpi screen;
    QAction* item(const QString& caption) {
        for (QAction* a : desk->findChildren<QAction*>())
            if (a->text() == caption) return a;
        return nullptr;
    }
};

}  // namespace

// Runs at 96 and at 120 DPI (test_captions_120dpi).
TEST_F(CaptionsTest, EveryWindowAndDialogShowsItsCaptionsAndTitleWhole) {
    platform().screen = &screen;
    Session& s = session();
    s.ResetSession();
    s.FileState = FileState::New;
    s.SessionTrack = "Autodromo Internazionale del Mugello, circuito completo con variante";
    s.LapTimes[lapSlot(1, 1)] = 8345;
    s.MakeTotals();
    load();
    for (const char* view : {"S&ession data", "&Times", "&Results"}) item(view)->trigger();
    desk->device().showSetup();
    desk->device().showTest();
    desk->device().showProgress(30);
    frmAbout about(desk.get());
    frmStart splash;
    about.show();
    splash.show();
    QApplication::processEvents();

    expectWhole(desk.get());
    ASSERT_EQ(desk->mdiArea()->subWindowList().size(), 4);
    for (QMdiSubWindow* child : desk->mdiArea()->subWindowList()) expectWhole(child);
    for (QWidget* dialog :
         std::vector<QWidget*>{desk->device().setupDialog(), desk->device().testDialog(),
                               desk->device().progressWindow(), &about, &splash})
        expectWhole(dialog);
    // The modal ones, as their commands open them.
    for (const char* modal : {"&Print...", "Print Pre&view...", "P&DF...", "Print S&lips...",
                              "&Drivers...", "Lap &rules..."}) {
        bool seen = false;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            seen = dialog != nullptr;
            expectWhole(dialog);
            if (dialog) dialog->reject();
        });
        item(modal)->trigger();
        EXPECT_TRUE(seen) << modal;
    }
}
