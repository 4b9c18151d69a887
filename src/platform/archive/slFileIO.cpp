#include "platform/archive/slFileIO.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <linux/magic.h>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <unistd.h>
#include <cerrno>
#include <climits>
#include <cstring>

namespace {

QString systemReason(int error) {
    if (error == ENOENT) return QStringLiteral("no such file");
    return QString::fromLocal8Bit(std::strerror(error));
}

// Closes the descriptor when it goes out of scope, unless released.
class fileDescriptor {
public:
    explicit fileDescriptor(int fd) : fd_(fd) {}
    ~fileDescriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    fileDescriptor(const fileDescriptor &) = delete;
    fileDescriptor &operator=(const fileDescriptor &) = delete;
    int get() const { return fd_; }
    // Closes now and answers whether close succeeded (a late write error shows here).
    bool close() { return ::close(std::exchange(fd_, -1)) == 0; }

private:
    int fd_;
};

// Files of the kernel's own filesystems report sizes that are not their contents.
bool isVirtualFile(int fd) {
    struct statfs fs {};
    if (fstatfs(fd, &fs) != 0) return false;
    return fs.f_type == PROC_SUPER_MAGIC || fs.f_type == SYSFS_MAGIC || fs.f_type == DEBUGFS_MAGIC;
}

bool writeAll(int fd, const char *bytes, qint64 size) {
    while (size > 0) {
        const ssize_t written = ::write(fd, bytes, static_cast<size_t>(size));
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes += written;
        size -= written;
    }
    return true;
}

// The permissions a new file gets from the process's umask.
mode_t newFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

}  // namespace

bool slReadFileBounded(const QString &path, qint64 limit, QByteArray &data, QString &reason) {
    data.clear();
    // Non-blocking, so that opening a FIFO without a writer does not wait.
    fileDescriptor fd(
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    if (fd.get() < 0) {
        reason = systemReason(errno);
        return false;
    }
    struct stat st {};
    if (fstat(fd.get(), &st) != 0) {
        reason = systemReason(errno);
        return false;
    }
    if (S_ISDIR(st.st_mode)) {
        reason = QStringLiteral("it is a directory");
        return false;
    }
    if (!S_ISREG(st.st_mode) || isVirtualFile(fd.get())) {
        reason = QStringLiteral("it is not a regular file");
        return false;
    }
    if (st.st_size > limit) {
        reason = QStringLiteral("too large (more than %1 bytes)").arg(limit);
        return false;
    }
    // The size may change while reading: the bound holds whatever it said.
    constexpr qint64 chunk = 1 << 20;
    while (data.size() <= limit) {
        const qint64 want = std::min<qint64>(chunk, limit + 1 - data.size());
        const qsizetype at = data.size();
        data.resize(at + want);
        const ssize_t got = ::read(fd.get(), data.data() + at, static_cast<size_t>(want));
        if (got < 0 && errno == EINTR) {
            data.resize(at);
            continue;
        }
        if (got < 0) {
            reason = systemReason(errno);
            data.clear();
            return false;
        }
        data.resize(at + got);
        if (got == 0) break;
    }
    if (data.size() > limit) {
        reason = QStringLiteral("too large (more than %1 bytes)").arg(limit);
        data.clear();
        return false;
    }
    return true;
}

QString slWriteTarget(const QString &path) {
    QString target = QFileInfo(path).absoluteFilePath();
    // As many links as the kernel itself follows; a loop ends there and fails on writing.
    for (int hop = 0; hop < 40; hop++) {
        const QByteArray name = QFile::encodeName(target);
        struct stat st {};
        if (lstat(name.constData(), &st) != 0 || !S_ISLNK(st.st_mode)) break;
        QByteArray link(PATH_MAX, '\0');
        const ssize_t size = readlink(name.constData(), link.data(), link.size());
        if (size <= 0) break;
        link.resize(size);
        const QString next = QFile::decodeName(link);
        target = QDir::cleanPath(QFileInfo(next).isAbsolute()
                                     ? next
                                     : QFileInfo(target).absolutePath() + QLatin1Char('/') + next);
    }
    return target;
}

bool slWriteFileAtomically(const QString &path, const QByteArray &data, QString &reason) {
    const QString target = slWriteTarget(path);
    const QFileInfo info(target);
    const QByteArray targetName = QFile::encodeName(target);
    struct stat old {};
    const bool exists = ::stat(targetName.constData(), &old) == 0;
    if (exists && S_ISDIR(old.st_mode)) {
        reason = QStringLiteral("it is a directory");
        return false;
    }
    // A FIFO or a device is never replaced by a file, nor written into.
    if (exists && !S_ISREG(old.st_mode)) {
        reason = QStringLiteral("it is not a regular file");
        return false;
    }
    QByteArray temporary =
        QFile::encodeName(info.absolutePath() + QStringLiteral("/.") + info.fileName()) + ".XXXXXX";
    fileDescriptor fd(::mkostemp(temporary.data(), O_CLOEXEC));
    if (fd.get() < 0) {
        reason = errno == ENOENT ? QStringLiteral("no such folder") : systemReason(errno);
        return false;
    }
    const mode_t mode = exists ? (old.st_mode & 07777) : newFileMode();
    const bool written = ::fchmod(fd.get(), mode) == 0 &&
                         writeAll(fd.get(), data.constData(), data.size()) &&
                         ::fsync(fd.get()) == 0 && fd.close() &&
                         ::rename(temporary.constData(), targetName.constData()) == 0;
    if (!written) {
        reason = systemReason(errno);
        ::unlink(temporary.constData());
        return false;
    }
    // The rename itself reaches the disk with the folder.
    fileDescriptor folder(::open(QFile::encodeName(info.absolutePath()).constData(),
                                 O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.get() >= 0) ::fsync(folder.get());
    return true;
}
