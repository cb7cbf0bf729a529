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
    const std::string a = dir.filePath("a.DAT").toStdString();
    std::string content() const {
        QFile f(QString::fromStdString(a));
        return f.open(QIODevice::ReadOnly) ? f.readAll().toStdString() : "<missing>";
    }
};

}  // namespace

TEST_F(QtFileSystemTest, OpeningNeverTruncatesAReplacementTakesEffectOnlyWhenCommitted) {
    int error = -1;
    fs.open(a, error)->write("0123456789", 10);
    auto f = fs.open(a, error);
    EXPECT_EQ(f->write("AB", 2), 0);
    char buf[16];
    std::size_t got = 0;
    EXPECT_EQ(f->read(buf, sizeof buf, got), 0);
    EXPECT_EQ(std::string(buf, got), "23456789");
    f.reset();
    EXPECT_EQ(content(), "AB23456789");

    for (bool commit : {false, true}) {
        auto r = fs.replace(a, error);
        EXPECT_EQ(r->write("new", 3), 0);
        EXPECT_EQ(content(), "AB23456789");
        EXPECT_EQ(commit ? r->commit() : 0, 0);
    }
    EXPECT_EQ(content(), "new");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"a.DAT"});
    EXPECT_EQ(fs.remove(a), 0);
    EXPECT_EQ(fs.remove(a), 53);
}

TEST_F(QtFileSystemTest, MissingFoldersHaveTheirNumber) {
    int error = 0;
    EXPECT_FALSE(fs.open(dir.filePath("no/x.DAT").toStdString(), error));
    EXPECT_EQ(error, 76);
    EXPECT_FALSE(fs.replace(dir.filePath("no/x.DAT").toStdString(), error));
    EXPECT_EQ(error, 76);
}
