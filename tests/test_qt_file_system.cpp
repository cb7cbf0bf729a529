#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/mount.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "fakes/ChildProcess.h"
#include "platform/PrivateProfile.h"
#include "platform/QtFileSystem.h"

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
    QStringList names(const QString& folder) const {
        QStringList found = QDir(folder).entryList(QDir::Files | QDir::Hidden);
        found.sort();
        return found;
    }
    // The first failure of writing `bytes` over `path` and committing them.
    int replaceWith(const std::string& path, const std::string& bytes) {
        int error = 0;
        auto r = fs.replace(path, error);
        if (!r) return error;
        if ((error = r->write(bytes.data(), bytes.size())) != 0) return error;
        return r->commit();
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

TEST_F(QtFileSystemTest, ASmallFileThatDoesNotFitFailsAndTheOldFileAndSettingsStayByteForByte) {
    // Smaller than any write buffer: the case where a buffered commit hid the
    // full disk and left a cut file in the old one's place.
    const std::string old(1000, 'o'), ini = dir.filePath("ORVEX.INI").toStdString();
    ASSERT_EQ(replaceWith(a, old), 0);
    ASSERT_EQ(replaceWith(ini, "[File]\r\nFile1=/a\r\n"), 0);
    const int code = inChild(
        [&] {
            if (PrivateProfile(fs).write(ini, "File", "File2", std::string(3000, 'x'))) return 1;
            return replaceWith(a, std::string(3000, 'n'));
        },
        2048);
    EXPECT_EQ(code, 61);
    EXPECT_EQ(content(), old);
    EXPECT_EQ(content(ini), "[File]\r\nFile1=/a\r\n");
    EXPECT_EQ(names(dir.path()), (QStringList{"ORVEX.INI", "a.DAT"}));
}

TEST_F(QtFileSystemTest, OnAFullTmpfsTheOldFileStaysByteForByte) {
    if (::geteuid() != 0) GTEST_SKIP() << "mounting a small tmpfs needs root";
    const QString small = dir.filePath("small");
    QDir().mkpath(small);
    const QByteArray at = small.toLocal8Bit();
    if (::mount("tmpfs", at.constData(), "tmpfs", 0, "size=12k") != 0)
        GTEST_SKIP() << "no tmpfs could be mounted";
    const std::string target = (small + "/Race1.DAT").toStdString();
    const std::string old(4000, 'o');
    EXPECT_EQ(replaceWith(target, old), 0);
    const int filler = ::open(at + "/filler", O_WRONLY | O_CREAT, 0600);
    const std::string block(512, 'f');
    while (::write(filler, block.data(), block.size()) > 0) {
    }
    ::close(filler);
    EXPECT_EQ(replaceWith(target, std::string(4600, 'n')), 61);
    EXPECT_EQ(content(target), old);
    EXPECT_EQ(names(small), (QStringList{"Race1.DAT", "filler"}));
    ::umount2(at.constData(), MNT_DETACH);
}

TEST_F(QtFileSystemTest, ANewNameIsTakenByOneWriterOnlyAndLeftoversOfAKilledWriteGo) {
    int error = 0;
    auto first = fs.create(a, error);
    auto second = fs.create(a, error);
    EXPECT_EQ(first->write("one", 3), 0);
    EXPECT_EQ(second->write("two", 3), 0);
    EXPECT_EQ(first->commit(), 0);
    EXPECT_EQ(second->commit(), 58);
    second.reset();
    EXPECT_EQ(content(), "one");

    // A write killed half way leaves its temporary file; one still running
    // holds its own, which stays.
    EXPECT_EQ(inChild([&] {
                  fs.replace(a, error).release()->write("cut", 3);
                  return 0;
              }),
              0);
    auto live = fs.replace(a, error);
    QStringList temporaries = names(dir.path());
    temporaries.removeOne("a.DAT");
    ASSERT_EQ(temporaries.size(), 2);
    for (const QString& t : temporaries) {
        EXPECT_EQ(temporaryTarget(t.toStdString()), "a.DAT");
        fs.removeUnfinished(dir.filePath(t).toStdString());
    }
    EXPECT_EQ(names(dir.path()).size(), 2);
    EXPECT_EQ(live->write("two", 3), 0);
    EXPECT_EQ(live->commit(), 0);
    EXPECT_EQ(names(dir.path()), QStringList{"a.DAT"});
    EXPECT_EQ(content(), "two");
}
