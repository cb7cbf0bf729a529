#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScreen>
#include <QStyle>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <algorithm>

#include "fakes/MainWindowFixture.h"
#include "platform/Platform.h"
#include "platform/qt/QtCaptions.h"
#include "platform/qt/Twips.h"
#include "shell/DesktopDevice.h"
#include "shell/frmAbout.h"
#include "shell/frmStart.h"
#include "store/ArchiveIndex.h"
#include "store/ChampionshipStore.h"
#include "store/ClubDatabase.h"
#include "ui/device/frmProgress.h"
#include "ui/device/frmSetup.h"
#include "ui/device/frmTest.h"
#include "ui/publish/frmPublish.h"
#include "ui/report/frmStampa.h"
#include "ui/season/frmChampionship.h"

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

// Every shown caption of `window` fits (a title is the window manager's to
// cut); a text box shows the start of its text.
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
    // The stores outlive the main window, as in the program.
    QTemporaryDir dir;
    ClubDatabase club{dir.path()};
    ArchiveIndex archive{club.connectionName()};
    ChampionshipStore championships{club.connectionName()};
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
    item("&Publish on network...")->trigger();
    desk->setArchive(&archive);
    desk->setChampionships(&championships);
    desk->showChampionship();
    frmChampionship* season = desk->championshipWindow();
    ASSERT_TRUE(season);
    season->createChampionship("Winter Series of the Club");
    desk->device().showSetup();
    desk->device().showTest();
    desk->device().showProgress(30);
    frmAbout about(desk.get());
    frmStart splash;
    about.show();
    splash.show();
    QApplication::processEvents();

    expectWhole(desk.get());
    ASSERT_EQ(desk->mdiArea()->subWindowList().size(), 5);
    for (QMdiSubWindow* child : desk->mdiArea()->subWindowList()) expectWhole(child);
    for (int tab = 1; tab < season->tabs()->count(); ++tab) {
        season->tabs()->setCurrentIndex(tab);
        QApplication::processEvents();
        expectWhole(season);
    }
    for (QWidget* dialog : std::vector<QWidget*>{
             desk->device().setupDialog(), desk->device().testDialog(),
             desk->device().progressWindow(), &about, &splash, desk->findChild<frmPublish*>()})
        expectWhole(dialog);
    // The modal ones, as their commands open them.
    for (const char* modal : {"&Print...", "Print Pre&view...", "P&DF...", "Print S&lips...",
                              "Print &Results...", "&Drivers...", "Lap &rules..."}) {
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

// At 96 DPI the designed layout fits the default font: the device dialogs and
// the print dialog stand exactly where their twips put them, none grown.
TEST_F(CaptionsTest, PrintSetupAndTestDialogsHaveTheirDesignedGeometryAt96Dpi) {
    if (QGuiApplication::primaryScreen()->logicalDotsPerInch() != 96) GTEST_SKIP();
    load();
    desk->device().showSetup();
    desk->device().showTest();
    const QRect area(desk->mdiArea()->mapToGlobal(QPoint(0, 0)), desk->mdiArea()->size());
    const auto expectAt = [](const QWidget* w, QRect twips) {
        EXPECT_EQ(w->geometry(), twipsToPixels(twips.x(), twips.y(), twips.width(), twips.height()))
            << w->metaObject()->className();
    };
    const auto expectCentred = [](const QWidget* dialog, QSize twips, const QRect& in) {
        const QSize size(twipsToPixelsX(twips.width()), twipsToPixelsY(twips.height()));
        EXPECT_EQ(dialog->geometry(),
                  QRect(in.topLeft() + QPoint((in.width() - size.width()) / 2,
                                              (in.height() - size.height()) / 2),
                        size))
            << dialog->windowTitle().toStdString();
    };

    frmSetup* setup = desk->device().setupDialog();
    expectCentred(setup, {2280, 2400}, area);
    expectAt(setup->chkSetupBox, {240, 180, 1755, 315});
    expectAt(setup->chkSetup1Box, {240, 600, 1755, 315});
    expectAt(setup->lblDiag[2], {300, 1080, 1035, 255});
    expectAt(setup->txtSetupBox[1], {1380, 1020, 615, 315});
    expectAt(setup->lblDiag[3], {300, 1440, 1035, 255});
    expectAt(setup->txtSetupBox[2], {1380, 1380, 615, 315});
    expectAt(setup->cmdSetup[0], {180, 1800, 915, 375});
    expectAt(setup->cmdSetup[1], {1080, 1800, 975, 375});

    frmTest* test = desk->device().testDialog();
    expectCentred(test, {2235, 2115}, area);
    const int tops[] = {1560, 120, 600, 1080};  // by index: "Cancella Memoria" is 0
    for (int i = 0; i < 4; ++i) expectAt(test->Command1[i], {120, tops[i], 1995, 435});

    frmStampa print(desk.get());
    print.show();
    expectCentred(&print, {2115, 1815},
                  twipsToPixels(0, 0, screen.widthTwips(), screen.heightTwips()));
    expectAt(print.Frame1, {60, 0, 1995, 1275});
    expectAt(print.chkPrint[0], {240, 240, 1515, 315});
    expectAt(print.chkPrint[2], {240, 600, 1575, 315});
    expectAt(print.CmdPrint[0], {60, 1380, 915, 375});
    expectAt(print.CmdPrint[1], {1080, 1380, 915, 375});
}
