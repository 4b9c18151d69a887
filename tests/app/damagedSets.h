// Damaged and special files that must be refused as equation sets, with the reason both the
// window and the command line give. Shared by the document and the command line tests.
#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <sys/stat.h>
#include <unistd.h>

#include <vector>

#include "app/graphEquationTable.h"
#include "platform/archive/slArchiver.h"

namespace damagedSets {

struct damagedFile {
    const char *name;
    QString path;
    const char *reason;  // a part of the one-line reason
};

// Makes the files in dir from a sound set's bytes; the special files exist on every Linux.
inline std::vector<damagedFile> make(const QTemporaryDir &dir, const QByteArray &good) {
    auto write = [&](const char *name, const QByteArray &data) {
        const QString path = dir.filePath(QString::fromLatin1(name));
        QFile file(path);
        if (file.open(QIODevice::WriteOnly)) file.write(data);
        return path;
    };
    const QString fifo = dir.filePath(QStringLiteral("fifo.plw"));
    ::mkfifo(QFile::encodeName(fifo).constData(), 0600);
    const QString huge = write("huge.plw", {});
    ::truncate(QFile::encodeName(huge).constData(), (256LL << 20) + 1);
    graphEquationTable empty;
    graphEquationContainer entry;
    return {
        {"cut short", write("cut.plw", good.left(good.size() - 7)), "at byte"},
        {"empty file", write("empty.plw", {}), "at byte 0"},
        {"text", write("text.plw", "y = x^2\n"), "at byte 0"},
        {"no entries", write("none.plw", slArchiver::archivedDataWithRootObject(empty)),
         "the equation set holds no equation"},
        {"one entry", write("entry.plw", slArchiver::archivedDataWithRootObject(entry)),
         "does not hold an equation set"},
        {"too large", huge, "too large"},
        {"missing", dir.filePath(QStringLiteral("missing.plw")), "no such file"},
        {"folder", dir.path(), "it is a directory"},
        {"FIFO", fifo, "not a regular file"},
        {"device", QStringLiteral("/dev/zero"), "not a regular file"},
        {"procfs", QStringLiteral("/proc/self/pagemap"), "not a regular file"},
    };
}

}  // namespace damagedSets
