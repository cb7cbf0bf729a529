#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "platform/QtFileSystem.h"

using namespace orvex;

namespace {

class QtFileSystemTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QtFileSystem fs;
    std::string path(const char* name) const { return dir.filePath(name).toStdString(); }
    static std::string content(const std::string& p) {
        QFile f(QString::fromStdString(p));
        return f.open(QIODevice::ReadOnly) ? f.readAll().toStdString() : "<missing>";
    }
    static void put(const std::string& p, const std::string& bytes) {
        QFile f(QString::fromStdString(p));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes.data(), static_cast<qint64>(bytes.size()));
    }
};

}  // namespace

TEST_F(QtFileSystemTest, OpeningNeverTruncatesAReplacementTakesEffectOnlyWhenCommitted) {
    put(path("a.DAT"), "0123456789");
    int error = -1;
    auto f = fs.open(path("a.DAT"), error);
    ASSERT_TRUE(f);
    EXPECT_EQ(f->write("AB", 2), 0);
    char buf[16];
    std::size_t got = 0;
    EXPECT_EQ(f->read(buf, sizeof buf, got), 0);
    EXPECT_EQ(std::string(buf, got), "23456789");
    f.reset();
    EXPECT_EQ(content(path("a.DAT")), "AB23456789");

    for (bool commit : {false, true}) {
        auto r = fs.replace(path("a.DAT"), error);
        ASSERT_TRUE(r);
        EXPECT_EQ(r->write("new", 3), 0);
        EXPECT_EQ(content(path("a.DAT")), "AB23456789");
        if (commit) {
            EXPECT_EQ(r->commit(), 0);
        }
    }
    EXPECT_EQ(content(path("a.DAT")), "new");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"a.DAT"});
}

TEST_F(QtFileSystemTest, MissingFoldersAndFilesHaveTheirNumbers) {
    int error = 0;
    EXPECT_FALSE(fs.open(path("no/x.DAT"), error));
    EXPECT_EQ(error, 76);
    EXPECT_FALSE(fs.replace(path("no/x.DAT"), error));
    EXPECT_EQ(error, 76);
    EXPECT_EQ(fs.remove(path("x.DAT")), 53);
    EXPECT_FALSE(fs.fileExists(dir.path().toStdString()));
    EXPECT_TRUE(fs.folderExists(dir.path().toStdString()));
    put(path("x.DAT"), "x");
    EXPECT_EQ(fs.remove(path("x.DAT")), 0);
    EXPECT_FALSE(fs.fileExists(path("x.DAT")));
}
