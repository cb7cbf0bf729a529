#include <gtest/gtest.h>

#include "fakes/FakeDesktopViews.h"
#include "fakes/FakePlatform.h"
#include "platform/PrivateProfile.h"
#include "session/RecentFiles.h"
#include "session/Session.h"

using namespace orvex;

namespace {

const std::string kIni = "/orvex/ORVEX.INI";

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
    std::vector<std::string> keys() {
        std::vector<std::string> k;
        PrivateProfile ini(fakes.files);
        for (int i = 1; i <= 4; ++i)
            k.push_back(ini.read(kIni, "File", "File" + std::to_string(i), "-", 255));
        return k;
    }
    using Names = std::vector<std::string>;
};

}  // namespace

TEST_F(RecentFilesTest, AFirstRunShowsNoItemsAndTheFirstOpenStartsTheList) {
    FileRecentiRead(views);
    EXPECT_TRUE(views.recent().empty());
    EXPECT_FALSE(views.visible[6]);
    EXPECT_TRUE(fakes.messages.shown.empty());

    FileRecentiWrite(views, "/d/Race1.DAT", 7);
    EXPECT_EQ(fakes.files.files[kIni], "[File]\r\nFile1=/d/Race1.DAT\r\n");
    EXPECT_TRUE(views.visible[6]);
    EXPECT_EQ(views.recent(), Names{"/d/Race1.DAT"});
    EXPECT_EQ(fakes.pointer.shape, MousePointer::Normal);
    EXPECT_TRUE(fakes.messages.shown.empty());
}

TEST_F(RecentFilesTest, ANameAlreadyListedMovesToTheTopAFifthDropsTheOldest) {
    store("[File]\r\nFile1=/a\r\nFile2=/b\r\nFile3=/c\r\nFile4=/d\r\n");
    FileRecentiWrite(views, "/c", 7);
    EXPECT_EQ(keys(), (Names{"/c", "/a", "/b", "/d"}));
    EXPECT_EQ(views.recent(), (Names{"/c", "/a", "/b", "/d"}));
    FileRecentiWrite(views, "/c", 7);
    EXPECT_EQ(keys(), (Names{"/c", "/a", "/b", "/d"}));
    FileRecentiWrite(views, "/e", 7);
    EXPECT_EQ(keys(), (Names{"/e", "/c", "/a", "/b"}));
}

TEST_F(RecentFilesTest, NamesCompareExactlyLetterCaseIncluded) {
    store("[File]\r\nFile1=/d/race.DAT\r\n");
    FileRecentiWrite(views, "/d/Race.DAT", 7);
    EXPECT_EQ(keys(), (Names{"/d/Race.DAT", "/d/race.DAT", "-", "-"}));
}

TEST_F(RecentFilesTest, EmptyValuesShowAsItemsAGapKeepsAStaleValueBelowIt) {
    store("[File]\r\nFile1=/a\r\nFile2=\r\n");
    EXPECT_EQ(views.recent(), (Names{"/a", ""}));
    views = FakeDesktopViews{};
    store("[File]\r\nFile1=/a\r\nFile3=/c\r\n");
    EXPECT_EQ(views.recent(), (Names{"/a", "/c"}));
    FileRecentiWrite(views, "/x", 7);
    EXPECT_EQ(keys(), (Names{"/x", "/a", "/c", "/c"}));
}

TEST_F(RecentFilesTest, TheMenuNeverShrinksDuringARun) {
    store("[File]\r\nFile1=/a\r\nFile2=/b\r\nFile3=/c\r\n");
    store("[File]\r\nFile1=/z\r\n");
    EXPECT_EQ(views.recent(), (Names{"/z", "/b", "/c"}));
    fakes.files.files.erase(kIni);
    FileRecentiRead(views);
    EXPECT_EQ(views.recent(), (Names{"/z", "/b", "/c"}));
}
