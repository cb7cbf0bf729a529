#include "platform/qt/QtFileSystem.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <cerrno>
#include <cstdio>
#include <functional>
#include <random>

#include "platform/RunError.h"

namespace orvex {

namespace {

QString qpath(const std::string& path) { return QString::fromStdString(path); }

bool folderOf(const QString& path) { return QFileInfo(QFileInfo(path).absolutePath()).isDir(); }

// Qt reports failures coarsely; the C library's errno of the failed call
// says which of the program's conditions it was.
int fromErrno(int err, int otherwise) {
    switch (err) {
        case ENOSPC:
        case EFBIG:
#ifdef EDQUOT
        case EDQUOT:
#endif
            return ErrorNo::DiskFull;
        case EACCES:
        case EPERM:
        case EROFS:
        case ETXTBSY:
            return ErrorNo::PermissionDenied;
        case ENOENT:
        case ENOTDIR:
            return ErrorNo::PathNotFound;
        case ENAMETOOLONG:
            return ErrorNo::BadFileName;
        case EEXIST:
            return ErrorNo::FileAlreadyExists;
        case EIO:
            return ErrorNo::DeviceIO;
        case ENXIO:
        case ENODEV:
            return ErrorNo::DeviceUnavailable;
        default:
            return otherwise;
    }
}

int openFailure(const QString& path, int err) {
    if (!folderOf(path)) return ErrorNo::PathNotFound;
    return fromErrno(err, ErrorNo::PathFileAccess);
}

class QtBinaryFile : public BinaryFile {
public:
    explicit QtBinaryFile(std::unique_ptr<QFileDevice> file) : file_(std::move(file)) {}

    int read(char* data, std::size_t n, std::size_t& got) override {
        got = 0;
        errno = 0;
        const qint64 r = file_->read(data, static_cast<qint64>(n));
        if (r < 0) return fromErrno(errno, ErrorNo::DeviceIO);
        got = static_cast<std::size_t>(r);
        return 0;
    }

    int write(const char* data, std::size_t n) override {
        errno = 0;
        const qint64 w = file_->write(data, static_cast<qint64>(n));
        if (w != static_cast<qint64>(n)) return fromErrno(errno, ErrorNo::DeviceIO);
        return 0;
    }

    int commit() override {
        errno = 0;
        if (!file_->flush()) return fromErrno(errno, ErrorNo::DeviceIO);
        return 0;
    }

private:
    std::unique_ptr<QFileDevice> file_;
};

int retrying(const std::function<int()>& call) {
    int r = 0;
    do r = call();
    while (r < 0 && errno == EINTR);
    return r;
}

// Opens without waiting and keeps only a regular file: a FIFO or a device put
// in a file's place would block the open or the first read for good. -1 with
// errno otherwise (EINVAL for what is not a regular file).
int openRegular(const QString& path, int flags) {
    const QByteArray name = QFile::encodeName(path);
    const int fd =
        retrying([&] { return ::open(name.constData(), flags | O_NONBLOCK | O_CLOEXEC, 0666); });
    if (fd < 0) return -1;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        errno = EINVAL;
        return -1;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return fd;
}

// A new content written through its own descriptor and checked before it takes
// the target's name: QSaveFile::commit() of Qt 6.4 reports success when its last
// buffered write meets a full disk, leaving a cut file in the target's place.
class Replacement : public BinaryFile {
public:
    Replacement(std::string target, std::string temp, int fd, bool keepExisting)
        : target_(std::move(target)), temp_(std::move(temp)), fd_(fd), keep_(keepExisting) {}
    ~Replacement() override {
        if (fd_ >= 0) ::close(fd_);
        if (!done_) ::unlink(temp_.c_str());
    }

    int read(char*, std::size_t, std::size_t& got) override {
        got = 0;
        return ErrorNo::BadFileNumber;
    }

    int write(const char* data, std::size_t n) override {
        if (failed_) return failed_;
        while (n > 0) {
            const ssize_t w = ::write(fd_, data, n);
            if (w < 0 && errno == EINTR) continue;
            if (w <= 0) return failed_ = fromErrno(w < 0 ? errno : ENOSPC, ErrorNo::DeviceIO);
            data += w;
            n -= static_cast<std::size_t>(w);
            written_ += w;
        }
        return 0;
    }

    // Every byte on disk first: synced, and as many as were written; only then
    // the rename, so a failure at any step leaves the target as it was.
    int commit() override {
        if (failed_ || done_) return failed_;
        struct stat st {};
        if (retrying([&] { return ::fsync(fd_); }) != 0)
            return failed_ = fromErrno(errno, ErrorNo::DeviceIO);
        if (::fstat(fd_, &st) != 0) return failed_ = fromErrno(errno, ErrorNo::DeviceIO);
        if (st.st_size != written_) return failed_ = ErrorNo::DiskFull;
        const int closed = ::close(fd_);
        fd_ = -1;
        if (closed != 0) return failed_ = fromErrno(errno, ErrorNo::DeviceIO);
        if (const int e = keep_                                           ? claim()
                          : ::rename(temp_.c_str(), target_.c_str()) == 0 ? 0
                                                                          : errno)
            return failed_ = fromErrno(e, ErrorNo::PathFileAccess);
        done_ = true;
        syncFolder();
        return 0;
    }

private:
    // Takes the target's name only if it is free; 0 or errno.
    int claim() {
        if (::renameat2(AT_FDCWD, temp_.c_str(), AT_FDCWD, target_.c_str(), RENAME_NOREPLACE) == 0)
            return 0;
        if (errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP) return errno;
        // A file system without the flag: a hard link cannot replace either.
        if (::link(temp_.c_str(), target_.c_str()) != 0) return errno;
        ::unlink(temp_.c_str());
        return 0;
    }

    // The new name itself lives in the folder.
    void syncFolder() const {
        const QByteArray folder =
            QFileInfo(QString::fromStdString(target_)).absolutePath().toLocal8Bit();
        const int dir = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (dir < 0) return;
        ::fsync(dir);
        ::close(dir);
    }

    std::string target_, temp_;
    int fd_;
    bool keep_;
    bool done_ = false;
    int failed_ = 0;
    off_t written_ = 0;
};

// Fresh randomness for every name: two processes forked from one never share it.
std::string randomTag() {
    static const char kChars[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    std::random_device random;
    std::string tag;
    for (int i = 0; i < 6; ++i) tag += kChars[random() % (sizeof kChars - 1)];
    return tag;
}

std::unique_ptr<BinaryFile> writeBeside(const std::string& path, bool keepExisting, int& error) {
    const QString p = qpath(path);
    error = 0;
    if (!folderOf(p)) {
        error = ErrorNo::PathNotFound;
        return nullptr;
    }
    const QFileInfo target(p);
    if (!keepExisting && target.exists() && (!target.isFile() || !target.isWritable())) {
        error = target.isFile() ? ErrorNo::PermissionDenied : ErrorNo::PathFileAccess;
        return nullptr;
    }
    // A link is replaced where it points; the new file keeps the old one's permissions.
    const std::string real = !keepExisting && target.isSymLink() && target.exists()
                                 ? target.canonicalFilePath().toStdString()
                                 : path;
    struct stat old {};
    const bool existed = !keepExisting && ::stat(real.c_str(), &old) == 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string temp = temporaryNameFor(real, randomTag());
        const int fd = retrying(
            [&] { return ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666); });
        if (fd < 0 && errno == EEXIST) continue;
        if (fd < 0) {
            error = openFailure(p, errno);
            return nullptr;
        }
        // Held until closed, so a start-up clean-up leaves a live write alone.
        ::flock(fd, LOCK_EX | LOCK_NB);
        if (existed) ::fchmod(fd, old.st_mode & 07777);
        return std::make_unique<Replacement>(real, temp, fd, keepExisting);
    }
    error = ErrorNo::PathFileAccess;
    return nullptr;
}

class QtFileLock : public FileLock {
public:
    explicit QtFileLock(const QString& path) : lock_(path) {}
    bool take() { return lock_.tryLock(5000); }

private:
    QLockFile lock_;
};

}  // namespace

bool QtFileSystem::fileExists(const std::string& path) { return QFileInfo(qpath(path)).isFile(); }

bool QtFileSystem::folderExists(const std::string& path) {
    return !path.empty() && QFileInfo(qpath(path)).isDir();
}

int QtFileSystem::remove(const std::string& path) {
    const QString p = qpath(path);
    if (!QFileInfo(p).isFile()) return ErrorNo::FileNotFound;
    errno = 0;
    if (!QFile::remove(p)) return fromErrno(errno, ErrorNo::PathFileAccess);
    return 0;
}

int QtFileSystem::makeFolder(const std::string& path) {
    const QString p = qpath(path);
    errno = 0;
    if (QDir().mkpath(p)) return 0;
    return fromErrno(errno, ErrorNo::PathFileAccess);
}

std::vector<std::string> QtFileSystem::fileNames(const std::string& folder) {
    std::vector<std::string> names;
    for (const QString& n : QDir(qpath(folder)).entryList(QDir::Files | QDir::Hidden))
        names.push_back(n.toStdString());
    return names;
}

std::unique_ptr<BinaryFile> QtFileSystem::open(const std::string& path, int& error) {
    const QString p = qpath(path);
    error = 0;
    auto file = std::make_unique<QFile>(p);
    QIODevice::OpenMode mode = QIODevice::ReadWrite;
    int fd = openRegular(p, O_RDWR | O_CREAT);
    const int err = errno;
    // A file on read-only media can still be read.
    if (fd < 0) {
        fd = openRegular(p, O_RDONLY);
        mode = QIODevice::ReadOnly;
    }
    if (fd >= 0 && file->open(fd, mode, QFileDevice::AutoCloseHandle))
        return std::make_unique<QtBinaryFile>(std::move(file));
    if (fd >= 0) ::close(fd);
    error = openFailure(p, err);
    return nullptr;
}

int readFileStart(const QString& path, std::size_t n, QByteArray& bytes, bool& regular) {
    bytes.clear();
    regular = true;
    const int fd = openRegular(path, O_RDONLY);
    if (fd < 0) {
        regular = errno != EINVAL;
        return fromErrno(errno, ErrorNo::PathFileAccess);
    }
    bytes.resize(static_cast<qsizetype>(n));
    const ssize_t got = retrying([&] { return static_cast<int>(::read(fd, bytes.data(), n)); });
    const int err = errno;
    ::close(fd);
    bytes.resize(got < 0 ? 0 : static_cast<qsizetype>(got));
    return got < 0 ? fromErrno(err, ErrorNo::DeviceIO) : 0;
}

std::unique_ptr<BinaryFile> QtFileSystem::replace(const std::string& path, int& error) {
    return writeBeside(path, false, error);
}

std::unique_ptr<BinaryFile> QtFileSystem::create(const std::string& path, int& error) {
    return writeBeside(path, true, error);
}

int QtFileSystem::removeUnfinished(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0) return fromErrno(errno, ErrorNo::FileNotFound);
    int error = 0;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0)
        error = ErrorNo::FileAlreadyOpen;
    else if (::unlink(path.c_str()) != 0)
        error = fromErrno(errno, ErrorNo::PathFileAccess);
    ::close(fd);
    return error;
}

std::unique_ptr<FileLock> QtFileSystem::lock(const std::string& path) {
    auto held = std::make_unique<QtFileLock>(qpath(path + ".lock"));
    if (!held->take()) return nullptr;
    return held;
}

}  // namespace orvex
