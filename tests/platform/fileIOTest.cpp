// Whole-file reads and atomic writes: full disks, special files and symbolic links.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <csignal>

#include "platform/archive/slFileIO.h"

namespace {

class fileIO : public ::testing::Test {
protected:
    QString path(const char *name) const { return dir.filePath(QString::fromLatin1(name)); }
    static QByteArray contents(const QString &file) {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    static void put(const QString &file, const QByteArray &data) {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_EQ(f.write(data), data.size());
    }
    // Everything in the folder, hidden files included: a failed write leaves nothing new.
    QStringList entries() const {
        return QDir(dir.path())
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    }
    QTemporaryDir dir;
};

// A disk that fills up during the write: the file size limit makes write() fail as ENOSPC
// does, at the same point of the writer.
TEST_F(fileIO, aWriteThatCannotCompleteKeepsTheOldFile) {
    const QString file = path("old.plw");
    const QByteArray old(1000, 'o');
    put(file, old);
    const QStringList before = entries();

    struct rlimit saved {};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    struct rlimit small = saved;
    small.rlim_cur = 4096;
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    QString reason;
    const bool written = slWriteFileAtomically(file, QByteArray(64 * 1024, 'n'), reason);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(written);
    EXPECT_TRUE(reason.contains("too large", Qt::CaseInsensitive)) << reason.toStdString();
    EXPECT_EQ(contents(file), old);
    EXPECT_EQ(entries(), before);
}

TEST_F(fileIO, writesGoThroughSymbolicLinksAndKeepPermissions) {
    const QString target = path("target.plw");
    put(target, "old");
    ASSERT_TRUE(QFile::setPermissions(
        target, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup));
    const QFileDevice::Permissions permissions = QFile::permissions(target);
    ASSERT_EQ(symlink("target.plw", QFile::encodeName(path("link.plw")).constData()), 0);
    ASSERT_EQ(symlink(QFile::encodeName(path("link.plw")).constData(),
                      QFile::encodeName(path("chain.plw")).constData()),
              0);
    ASSERT_EQ(symlink("made.plw", QFile::encodeName(path("dangling.plw")).constData()), 0);

    const std::pair<const char *, const char *> writes[] = {
        {"link.plw", "target.plw"},
        {"chain.plw", "target.plw"},
        {"dangling.plw", "made.plw"},
    };
    for (const auto &[written, landed] : writes) {
        SCOPED_TRACE(written);
        QString reason;
        const QByteArray data = QByteArray("new through ") + written;
        ASSERT_TRUE(slWriteFileAtomically(path(written), data, reason)) << reason.toStdString();
        EXPECT_TRUE(QFileInfo(path(written)).isSymLink());
        EXPECT_EQ(contents(path(landed)), data);
    }
    EXPECT_EQ(QFile::permissions(target), permissions);
}

TEST_F(fileIO, specialTargetsAreNeitherReplacedNorWrittenInto) {
    const QString fifo = path("fifo");
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const std::pair<QString, const char *> targets[] = {
        {fifo, "not a regular file"},
        {dir.path(), "is a directory"},
        {path("missing/file"), "no such folder"},
    };
    for (const auto &[target, expected] : targets) {
        SCOPED_TRACE(target.toStdString());
        QString reason;
        EXPECT_FALSE(slWriteFileAtomically(target, "data", reason));
        EXPECT_TRUE(reason.contains(QString::fromLatin1(expected))) << reason.toStdString();
    }
    EXPECT_FALSE(QFileInfo(fifo).isFile());
    EXPECT_EQ(entries(), QStringList{"fifo"});
}

TEST_F(fileIO, readsAreBoundedAndOfRegularFilesOnly) {
    put(path("ten"), QByteArray(10, 'x'));
    const QString fifo = path("fifo");
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    struct readCase {
        QString file;
        qint64 limit;
        const char *reason;  // empty: read
    };
    const readCase cases[] = {
        {path("ten"), 10, ""},
        {path("ten"), 9, "too large"},
        {path("absent"), 10, "no such file"},
        {dir.path(), 10, "it is a directory"},
        {fifo, 10, "not a regular file"},
        {QStringLiteral("/dev/zero"), 10, "not a regular file"},
        {QStringLiteral("/proc/self/status"), 1 << 20, "not a regular file"},
    };
    for (const readCase &c : cases) {
        SCOPED_TRACE(c.file.toStdString() + " " + std::to_string(c.limit));
        QByteArray data;
        QString reason;
        const bool read = slReadFileBounded(c.file, c.limit, data, reason);
        EXPECT_EQ(read, *c.reason == '\0') << reason.toStdString();
        EXPECT_TRUE(reason.contains(QString::fromLatin1(c.reason))) << reason.toStdString();
        EXPECT_EQ(data.size(), read ? 10 : 0);
    }
}

}  // namespace
