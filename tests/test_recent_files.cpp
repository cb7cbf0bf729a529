#include <gtest/gtest.h>

#include "fakes/FakeDesktopViews.h"
#include "fakes/FakePlatform.h"
#include "platform/PrivateProfile.h"
#include "session/RecentFiles.h"
#include "session/Session.h"

using namespace orvex;

namespace {

const std::string kIni = "/orvex/ORVEX.INI";
using Names = std::vector<std::string>;

class RecentFilesTest : public ::testing::Test {
protected:
    FakePlatform fakes;
    FakeDesktopViews views;
    void SetUp() override {
        session() = Session{};
        session().AppPath = "/orvex";
    }
    void TearDown() override { session() = Session{}; }

    void store(const std::string& text) {
        fakes.files.files[kIni] = text;
        FileRecentiRead(views);
    }
    Names keys() {
        Names k;
        PrivateProfile ini(fakes.files);
        for (int i = 1; i <= 4; ++i)
            k.push_back(ini.read(kIni, "File", "File" + std::to_string(i), "-", 255));
        return k;
    }
};

}  // namespace

TEST_F(RecentFilesTest, AFirstRunShowsNoItemsAndTheFirstOpenStartsTheList) {
    FileRecentiRead(views);
    EXPECT_TRUE(views.recent().empty());
    FileRecentiWrite(views, "/d/Race1.DAT");
    EXPECT_EQ(fakes.files.files[kIni], "[File]\r\nFile1=/d/Race1.DAT\r\n");
    EXPECT_EQ(views.recent(), Names{"/d/Race1.DAT"});
    EXPECT_EQ(fakes.pointer.shape, MousePointer::Normal);
}

TEST_F(RecentFilesTest, ANameAlreadyListedMovesToTheTopAFifthDropsTheOldestCaseCounts) {
    store("[File]\r\nFile1=/a\r\nFile2=/b\r\nFile3=/c\r\nFile4=/d\r\n");
    FileRecentiWrite(views, "/c");
    EXPECT_EQ(keys(), (Names{"/c", "/a", "/b", "/d"}));
    EXPECT_EQ(views.recent(), (Names{"/c", "/a", "/b", "/d"}));
    FileRecentiWrite(views, "/C");
    EXPECT_EQ(keys(), (Names{"/C", "/c", "/a", "/b"}));
}

TEST_F(RecentFilesTest, AGapKeepsAStaleValueBelowItAndTheMenuNeverShrinks) {
    store("[File]\r\nFile1=/a\r\nFile3=/c\r\n");
    EXPECT_EQ(views.recent(), (Names{"/a", "/c"}));
    FileRecentiWrite(views, "/x");
    EXPECT_EQ(keys(), (Names{"/x", "/a", "/c", "/c"}));

    store("[File]\r\nFile1=/z\r\nFile2=\r\n");
    EXPECT_EQ(views.recent(), (Names{"/z", "", "/c", "/c"}));
    fakes.files.files.erase(kIni);
    FileRecentiRead(views);
    EXPECT_EQ(views.recent(), (Names{"/z", "", "/c", "/c"}));
}
