#include <gtest/gtest.h>

#include "fakes/FakeDesktopViews.h"
#include "fakes/FakePlatform.h"
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

    void store(const std::string& keys) {
        fakes.files.files[kIni] = "[File]\r\n" + keys;
        FileRecentiRead(views);
    }
};

}  // namespace

TEST_F(RecentFilesTest, ANameMovesToTheTopAFifthDropsTheOldestCaseCounts) {
    FileRecentiRead(views);  // a first run
    EXPECT_TRUE(views.recent().empty());
    FileRecentiWrite(views, "/d/Race1.DAT");
    EXPECT_EQ(fakes.files.files[kIni], "[File]\r\nFile1=/d/Race1.DAT\r\n");

    store("File1=/a\r\nFile2=/b\r\nFile3=/c\r\nFile4=/d\r\n");
    FileRecentiWrite(views, "/c");
    EXPECT_EQ(views.recent(), (Names{"/c", "/a", "/b", "/d"}));
    FileRecentiWrite(views, "/C");
    EXPECT_EQ(fakes.files.files[kIni],
              "[File]\r\nFile1=/C\r\nFile2=/c\r\nFile3=/a\r\nFile4=/b\r\n");
}

TEST_F(RecentFilesTest, AGapKeepsAStaleValueBelowItAndTheMenuNeverShrinks) {
    store("File1=/a\r\nFile3=/c\r\n");
    EXPECT_EQ(views.recent(), (Names{"/a", "/c"}));
    FileRecentiWrite(views, "/x");
    EXPECT_EQ(views.recent(), (Names{"/x", "/a", "/c", "/c"}));

    store("File1=/z\r\nFile2=\r\n");
    fakes.files.files.erase(kIni);
    FileRecentiRead(views);
    EXPECT_EQ(views.recent(), (Names{"/z", "", "/c", "/c"}));
}
