#include "platform/QtFileSystem.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>

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
        if (auto* save = dynamic_cast<QSaveFile*>(file_.get())) {
            if (!save->commit()) return fromErrno(errno, ErrorNo::DeviceIO);
            return 0;
        }
        if (!file_->flush()) return fromErrno(errno, ErrorNo::DeviceIO);
        return 0;
    }

private:
    // A QSaveFile destroyed before commit() removes its temporary file.
    std::unique_ptr<QFileDevice> file_;
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
    errno = 0;
    if (file->open(QIODevice::ReadWrite)) return std::make_unique<QtBinaryFile>(std::move(file));
    const int err = errno;
    // A file on read-only media can still be read.
    if (QFileInfo(p).isFile() && file->open(QIODevice::ReadOnly))
        return std::make_unique<QtBinaryFile>(std::move(file));
    error = openFailure(p, err);
    return nullptr;
}

std::unique_ptr<BinaryFile> QtFileSystem::replace(const std::string& path, int& error) {
    const QString p = qpath(path);
    error = 0;
    if (!folderOf(p)) {
        error = ErrorNo::PathNotFound;
        return nullptr;
    }
    const QFileInfo target(p);
    if (target.exists() && (!target.isFile() || !target.isWritable())) {
        error = target.isFile() ? ErrorNo::PermissionDenied : ErrorNo::PathFileAccess;
        return nullptr;
    }
    auto file = std::make_unique<QSaveFile>(p);
    errno = 0;
    if (!file->open(QIODevice::WriteOnly)) {
        error = openFailure(p, errno == 0 ? EACCES : errno);
        return nullptr;
    }
    return std::make_unique<QtBinaryFile>(std::move(file));
}

}  // namespace orvex
