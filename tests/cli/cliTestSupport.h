// Running plotweave-cli as a process and reading what it wrote.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <ostream>

// Readable failure messages for Qt strings.
inline void PrintTo(const QString &text, std::ostream *os) {
    *os << '"' << text.toStdString() << '"';
}

namespace cliTest {

struct result {
    int status = -1;
    QString out, err;
    QStringList lines() const;  // standard output without the final line feed, split
};

// Runs the tool with the arguments, without a display, and waits for it; environment adds
// NAME=value settings, input is its standard input.
result run(const QStringList &args, const QStringList &environment = {},
           const QByteArray &input = {});

// Pixels of a colour close to (r, g, b).
int countNear(const QImage &image, int r, int g, int b, int tolerance = 40);
// Pixels whose channel (0 red, 1 green, 2 blue) exceeds both others by at least 60: the
// curves are thin antialiased lines, blended with the background.
int countTinted(const QImage &image, int channel);

QByteArray readFile(const QString &path);

}  // namespace cliTest
