#include <gtest/gtest.h>

#include <QAction>
#include <QMenuBar>
#include <QToolBar>
#include <map>

#include "fakes/MainWindowFixture.h"

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

TEST_F(DesktopTest, ASessionEnablesEveryCommandAndWithoutOneOnlyNewOpenArchiveExitShowingAndHelp) {
    const QStringList none{"&New",
                           "&Open...",
                           "Open do&wnload...",
                           "Arc&hive...",
                           "E&xit",
                           "Score&board",
                           "&Publish on network...",
                           "&Championship...",
                           "Help &Topics",
                           "&About...",
                           "New",
                           "Open"};
    EXPECT_EQ(commands(true), none);
    session().FileState = FileState::New;
    desk->MenuRefresh();
    EXPECT_EQ(commands(false), QStringList());
    session().FileState = FileState::NoSession;
    desk->MenuRefresh();
    EXPECT_EQ(commands(true), none);
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

TEST_F(DesktopTest, HelpTopicsOpensTheGuideOrSaysWhyNot) {
    desk->MenuHelp_Click(0);
    EXPECT_TRUE(fakes.messages.shown.empty());
    fakes.help.result = false;
    desk->MenuHelp_Click(0);
    EXPECT_EQ(fakes.messages.shown.size(), 1u);
}
