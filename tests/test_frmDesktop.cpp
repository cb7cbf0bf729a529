#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>
#include <map>

#include "fakes/MainWindowFixture.h"
#include "shell/frmAbout.h"

using namespace orvex;

namespace {

class DesktopTest : public MainWindowFixture {
protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        load(false);
    }
    bool enabled(const char* key) const { return desk->toolbarButton(key)->isEnabled(); }
    std::vector<std::string> enabledButtons() const {
        std::vector<std::string> on;
        for (const char* key :
             {"New", "Open", "Save", "Print", "Session", "Statistics", "Laps", "Upload"})
            if (enabled(key)) on.push_back(key);
        return on;
    }
};

}  // namespace

TEST_F(DesktopTest, StartsWithTheTitleAndTheFourMenus) {
    EXPECT_EQ(desk->windowTitle(), "  ORVEX Timing System");
    QStringList titles;
    for (QAction* a : desk->menuBar()->actions()) titles << a->text();
    EXPECT_EQ(titles, (QStringList{"&File", "&View", "&Device", "&Help"}));
    EXPECT_EQ(desk->menuFileCount(), 13);
    EXPECT_EQ(desk->menuFile(0)->shortcut(), QKeySequence("Ctrl+N"));
    EXPECT_EQ(desk->menuFile(12)->text(), "E&xit");
    EXPECT_EQ(desk->menuFile(12)->shortcut(), QKeySequence("Ctrl+X"));
    EXPECT_EQ(desk->MenuDevice(0)->shortcut(), QKeySequence("Ctrl+U"));
    EXPECT_EQ(desk->toolbarButton("Upload")->toolTip(), "Download data");
    EXPECT_EQ(desk->toolbarButton("Session")->toolTip(), "Session note");
    EXPECT_TRUE(desk->toolbarButton("Laps")->isCheckable());
    EXPECT_FALSE(desk->toolbarButton("Save")->isCheckable());
    // The connection panel has no picture until the first tick.
    EXPECT_EQ(desk->connectionImage(), 0);
    EXPECT_EQ(desk->connectionText(), "");
}

TEST_F(DesktopTest, WithoutASessionOnlyNewOpenExitAndHelpAreUsable) {
    EXPECT_EQ(enabledButtons(), (std::vector<std::string>{"New", "Open"}));
    EXPECT_TRUE(desk->menuFile(0)->isEnabled());
    EXPECT_TRUE(desk->menuFile(1)->isEnabled());
    EXPECT_FALSE(desk->menuFile(2)->isEnabled());
    EXPECT_FALSE(desk->menuFile(3)->isEnabled());
    EXPECT_FALSE(desk->menuFile(5)->isEnabled());
    EXPECT_TRUE(frmDesktop::itemEnabled(desk->menuFile(12)));
    for (int i = 0; i < 3; ++i) EXPECT_FALSE(frmDesktop::itemEnabled(desk->MenuView(i)));
    for (int i = 0; i < 3; ++i) EXPECT_FALSE(frmDesktop::itemEnabled(desk->MenuDevice(i)));
    EXPECT_TRUE(desk->MenuHelp(0)->isEnabled());
    EXPECT_TRUE(desk->MenuHelp(1)->isEnabled());
}

TEST_F(DesktopTest, WithASessionEverythingIsEnabledAndTheDeviceDialogsCanBeReached) {
    session().FileState = FileState::New;
    desk->MenuRefresh();
    EXPECT_EQ(enabledButtons().size(), 8u);
    for (int i : {0, 1, 2, 3, 5, 12}) EXPECT_TRUE(frmDesktop::itemEnabled(desk->menuFile(i))) << i;
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(frmDesktop::itemEnabled(desk->MenuView(i)));
        EXPECT_TRUE(frmDesktop::itemEnabled(desk->MenuDevice(i)));
    }
    EXPECT_TRUE(desk->MenuView(1)->isVisible());
    EXPECT_TRUE(desk->MenuDevice(1)->isVisible());
    EXPECT_TRUE(desk->MenuDevice(2)->isVisible());
    session().FileState = FileState::NoSession;
    desk->MenuRefresh();
    EXPECT_EQ(enabledButtons(), (std::vector<std::string>{"New", "Open"}));
}

TEST_F(DesktopTest, RecentFileGroupsSwitchVisibilityAndCaptionUnknownCodesNothing) {
    for (int i = 6; i <= 10; ++i) EXPECT_FALSE(desk->menuFile(i)->isVisible());
    desk->MenuAbilita(51, "/races/b.DAT");
    EXPECT_TRUE(desk->menuFile(8)->isVisible());
    EXPECT_EQ(desk->menuFile(8)->text(), "/races/b.DAT");
    EXPECT_FALSE(desk->menuFile(7)->isVisible());
    desk->MenuDisabilita(51);
    EXPECT_FALSE(desk->menuFile(8)->isVisible());
    desk->MenuAbilita(50, "/races/a.DAT");
    EXPECT_TRUE(desk->menuFile(6)->isVisible());
    EXPECT_TRUE(desk->menuFile(7)->isVisible());
    EXPECT_EQ(desk->menuFile(7)->text(), "/races/a.DAT");
    // Command enabling never touches the recent files or Exit.
    desk->MenuRefresh();
    EXPECT_TRUE(desk->menuFile(7)->isVisible());

    // An unknown group code does nothing.
    desk->MenuDisabilita(9);
    EXPECT_FALSE(frmDesktop::itemEnabled(desk->menuFile(12)));
    desk->MenuAbilita(5);
    EXPECT_FALSE(frmDesktop::itemEnabled(desk->menuFile(12)));
    EXPECT_EQ(enabledButtons(), (std::vector<std::string>{"New", "Open"}));
}

// Qt only moves the highlight between visible items that share a mnemonic.
TEST_F(DesktopTest, NoTwoVisibleItemsOfAMenuShareAMnemonic) {
    struct State {
        const char* what;
        FileState fileState;
        int recentFiles;
    };
    for (const State& state :
         {State{"start-up", FileState::NoSession, 0}, State{"a session", FileState::New, 0},
          State{"four recent files", FileState::New, 4}}) {
        SCOPED_TRACE(state.what);
        session().FileState = state.fileState;
        for (int n = 1; n <= state.recentFiles; ++n)
            desk->MenuAbilita(49 + n, QString("/data/T&&%1.DAT").arg(n));
        desk->MenuRefresh();
        std::vector<QWidget*> menus{desk->menuBar()};
        for (QAction* a : desk->menuBar()->actions())
            if (a->menu()) menus.push_back(a->menu());
        for (QWidget* menu : menus) {
            std::map<QKeySequence, QString> owner;
            for (QAction* a : menu->actions()) {
                const QKeySequence key = QKeySequence::mnemonic(a->text());
                if (!a->isVisible() || key.isEmpty()) continue;
                const auto [it, fresh] = owner.emplace(key, a->text());
                EXPECT_TRUE(fresh)
                    << a->text().toStdString() << " and " << it->second.toStdString();
            }
        }
    }
    EXPECT_EQ(desk->MenuView(2)->text(), "&Times");
}

TEST_F(DesktopTest, HelpTopicsOpensTheGuideOrSaysWhyNot) {
    desk->MenuHelp_Click(0);
    ASSERT_EQ(fakes.help.opened.size(), 1u);
    EXPECT_NE(fakes.help.opened[0].find("ORVEX.html"), std::string::npos);
    EXPECT_TRUE(fakes.messages.shown.empty());
    fakes.help.result = false;
    desk->MenuHelp_Click(0);
    ASSERT_EQ(fakes.messages.shown.size(), 1u);
    EXPECT_EQ(fakes.messages.shown[0].title, "ORVEX");
}

TEST(frmAbout, ShowsItsLabelAndClosesOnEscape) {
    FakePlatform fakes;
    frmAbout about;
    EXPECT_EQ(about.Label1->text(), "ORVEX Timing System  - Version 1.0   ");
    EXPECT_EQ(about.Command1->text(), "OK");
    about.show();
    QTest::keyClick(about.Command1, Qt::Key_Escape);
    EXPECT_FALSE(about.isVisible());
    about.show();
    QTest::keyClick(&about, Qt::Key_Escape);
    EXPECT_FALSE(about.isVisible());
}
