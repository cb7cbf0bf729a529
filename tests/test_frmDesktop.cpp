#include <gtest/gtest.h>

#include <QAction>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QToolBar>
#include <map>

#include "fakes/MainWindowFixture.h"
#include "shell/DesktopDevice.h"
#include "shell/frmAbout.h"

using namespace orvex;

namespace {

class DesktopTest : public MainWindowFixture {
protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        load(false);
    }
    // The menu bar, its menus and their submenus.
    std::vector<QWidget*> menus() const {
        std::vector<QWidget*> m{desk->menuBar()};
        for (std::size_t i = 0; i < m.size(); ++i)
            for (QAction* a : m[i]->actions())
                if (a->menu()) m.push_back(a->menu());
        return m;
    }
    // The commands that are (or are not) usable: visible menu items, then buttons.
    QStringList commands(bool usable) const {
        QStringList found;
        for (QAction* menu : desk->menuBar()->actions())
            for (QAction* a : menu->menu()->actions())
                if (a->isVisible() && !a->isSeparator() && frmDesktop::itemEnabled(a) == usable)
                    found << a->text();
        for (QAction* b : desk->Toolbar1()->actions())
            if (!b->isSeparator() && b->isEnabled() == usable) found << b->objectName();
        return found;
    }
};

}  // namespace

TEST_F(DesktopTest, ASessionEnablesEveryCommandAndWithoutOneOnlyNewOpenExitAndHelp) {
    const QStringList none{"&New", "&Open...", "E&xit", "Help &Topics", "&About...", "New", "Open"};
    EXPECT_EQ(commands(true), none);
    session().FileState = FileState::New;
    desk->MenuRefresh();
    EXPECT_EQ(commands(false), QStringList());
    EXPECT_EQ(commands(true).size(), 25);
    desk->toolbarButton("Upload")->trigger();
    EXPECT_EQ(desk->device().requests().pending(), DeviceCommand::StartDownload);
    session().FileState = FileState::NoSession;
    desk->MenuRefresh();
    EXPECT_EQ(commands(true), none);
}

TEST_F(DesktopTest, RecentFileGroupsSwitchVisibilityAndCaptionUnknownCodesNothing) {
    desk->MenuAbilita(51, "/races/b.DAT");
    desk->MenuAbilita(50, "/races/a.DAT");
    desk->MenuDisabilita(51);
    // Command enabling never touches the recent files or Exit; an unknown
    // group code does nothing.
    desk->MenuDisabilita(9);
    for (int code : {0, 5, 99}) desk->MenuAbilita(code);
    desk->MenuRefresh();
    EXPECT_TRUE(desk->menuFile(6)->isVisible());
    EXPECT_FALSE(desk->menuFile(8)->isVisible());
    EXPECT_EQ(commands(true), (QStringList{"&New", "&Open...", "/races/a.DAT", "Help &Topics",
                                           "&About...", "New", "Open"}));
}

// Qt only moves the highlight between visible items that share a mnemonic.
TEST_F(DesktopTest, NoTwoVisibleItemsOfAMenuShareAMnemonic) {
    for (const FileState state : {FileState::NoSession, FileState::New}) {
        session().FileState = state;
        desk->MenuRefresh();
        for (QWidget* menu : menus()) {
            std::map<QKeySequence, QString> owner;
            for (QAction* a : menu->actions()) {
                const QKeySequence key = QKeySequence::mnemonic(a->text());
                if (!a->isVisible() || key.isEmpty()) continue;
                const auto [it, fresh] = owner.emplace(key, a->text());
                EXPECT_TRUE(fresh)
                    << a->text().toStdString() << " and " << it->second.toStdString();
            }
        }
        for (int n = 1; n <= 4; ++n) desk->MenuAbilita(49 + n, QString("/data/T&&%1.DAT").arg(n));
    }
}

TEST_F(DesktopTest, HelpTopicsOpensTheGuideOrSaysWhyNotAndAboutClosesOnEscape) {
    desk->MenuHelp_Click(0);
    ASSERT_EQ(fakes.help.opened.size(), 1u);
    EXPECT_NE(fakes.help.opened[0].find("ORVEX.html"), std::string::npos);
    EXPECT_TRUE(fakes.messages.shown.empty());
    fakes.help.result = false;
    desk->MenuHelp_Click(0);
    ASSERT_EQ(fakes.messages.shown.size(), 1u);
    EXPECT_EQ(fakes.messages.shown[0].title, "ORVEX");

    frmAbout about;
    QWidget* const targets[] = {about.Command1, &about};
    for (QWidget* target : targets) {
        about.show();
        QTest::keyClick(target, Qt::Key_Escape);
        EXPECT_FALSE(about.isVisible());
    }
}
