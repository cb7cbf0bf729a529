#include <gtest/gtest.h>
#include <sys/mount.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "fakes/ChildProcess.h"
#include "platform/qt/QtFileSystem.h"

using namespace orvex;

namespace {

class QtFileSystemTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QtFileSystem fs;
    const std::string a = dir.filePath("a.DAT").toStdString();
    std::string content(const std::string& path) const {
        QFile f(QString::fromStdString(path));
        return f.open(QIODevice::ReadOnly) ? f.readAll().toStdString() : "<missing>";
    }
    std::string content() const { return content(a); }
    static QStringList names(const QString& folder) {
        QStringList found = QDir(folder).entryList(QDir::Files | QDir::Hidden);
        found.sort();
        return found;
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

TEST_F(QtFileSystemTest, OnAFullTmpfsTheOldFileStaysByteForByte) {
    const QByteArray small = dir.filePath("small").toLocal8Bit();
    QDir().mkpath(small);
    if (::geteuid() != 0 || ::mount("tmpfs", small, "tmpfs", 0, "size=12k") != 0)
        GTEST_SKIP() << "a small tmpfs needs root";
    const std::string target = small.toStdString() + "/Race1.DAT", old(4000, 'o');
    int error = 0;
    auto r = fs.replace(target, error);
    EXPECT_EQ(r->write(old.data(), old.size()) + r->commit(), 0);
    QFile filler(small + "/filler");
    filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    while (filler.write(QByteArray(512, 'f')) > 0) {
    }
    r = fs.replace(target, error);
    const int written = r->write(std::string(600, 'n').data(), 600);
    EXPECT_EQ(written ? written : r->commit(), 61);
    r.reset();
    EXPECT_EQ(content(target), old);
    EXPECT_EQ(names(small), (QStringList{"Race1.DAT", "filler"}));
    ::umount2(small, MNT_DETACH);
}

TEST_F(QtFileSystemTest, OnlyTheTemporaryFileOfAKilledWriteIsRemoved) {
    int error = 0;
    inChildren(1, [&](int) { return fs.replace(a, error).release()->write("cut", 3); });
    auto live = fs.replace(a, error);
    for (const QString& t : names(dir.path())) {
        EXPECT_EQ(temporaryTarget(t.toStdString()), "a.DAT");
        fs.removeUnfinished(dir.filePath(t).toStdString());
    }
    EXPECT_EQ(live->write("two", 3) + live->commit(), 0);
    EXPECT_EQ(names(dir.path()), QStringList{"a.DAT"});
    EXPECT_EQ(content(), "two");
}
