// Whole files in and out, safely: reads bounded in size and refused for anything but a
// regular file, writes that replace the target only once every byte is on disk.
#pragma once

#include <QByteArray>
#include <QString>

// Reads at most limit bytes of path into data. A directory, FIFO, device or a procfs or
// sysfs file (whose size is made up) is refused before anything is read; a larger file is
// refused after limit + 1 bytes. On failure answers false with a one-line reason that does
// not name the file ("no such file", "it is a directory", ...).
bool slReadFileBounded(const QString &path, qint64 limit, QByteArray &data, QString &reason);

// The file a write to path replaces: path itself, or the end of its chain of symbolic links,
// so that writing goes through a link and keeps it.
QString slWriteTarget(const QString &path);

// Writes data as the new contents of path (through symbolic links): into a hidden temporary
// file in the target's folder, every write, the flush to disk and the close checked, then
// renamed over the target, whose permissions it keeps. On any failure the temporary file
// is removed, the old file stays byte for byte, and the answer is false with the system's
// reason.
bool slWriteFileAtomically(const QString &path, const QByteArray &data, QString &reason);
