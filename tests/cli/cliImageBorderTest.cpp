// Painted images hold nothing but painting: every pixel of a PNG is the graph's, the four
// borders included, and the same command writes the same bytes.
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdlib>

#include "cliTestSupport.h"

namespace {

struct borderCase {
    const char *name, *size;
};

const borderCase borderCases[] = {
    {"the usual size", "800x600"},
    {"a small image, where unpainted memory is heap garbage", "60x40"},
    {"odd sides", "31x17"},
};

// Black and white at the borders is all the image shows: the curve lies outside the view
// and the only lines reaching a border are the axes through the middle.
bool isAxisColumnOrRow(int at, int side) {
    return std::abs(2 * at + 1 - side) <= 6;
}

TEST(cliImageBorders, pngsArePaintedToTheEdgeAndTheSameCommandWritesTheSameBytes) {
    QTemporaryDir dir;
    for (const borderCase &c : borderCases) {
        SCOPED_TRACE(c.name);
        QByteArray written[2];
        for (int run = 0; run < 2; run++) {
            const QString out = dir.filePath(QStringLiteral("run%1.png").arg(run));
            const cliTest::result r =
                cliTest::run({"render", "--eq", "y = 100", "--region", "-9,9,-9,9", "--grid",
                              "100,100", "--size", c.size, "-o", out});
            ASSERT_EQ(r.status, 0) << r.err.toStdString();
            written[run] = cliTest::readFile(out);
        }
        EXPECT_TRUE(written[0] == written[1]) << "two runs of the same command differ";
        const QImage image = QImage::fromData(written[0]).convertToFormat(QImage::Format_RGB32);
        ASSERT_FALSE(image.isNull());
        const int w = image.width(), h = image.height();
        int notBackground = 0;
        for (int x = 0; x < w; x++)
            if (!isAxisColumnOrRow(x, w))
                notBackground += (image.pixel(x, 0) != qRgb(255, 255, 255)) +
                                 (image.pixel(x, h - 1) != qRgb(255, 255, 255));
        for (int y = 0; y < h; y++)
            if (!isAxisColumnOrRow(y, h))
                notBackground += (image.pixel(0, y) != qRgb(255, 255, 255)) +
                                 (image.pixel(w - 1, y) != qRgb(255, 255, 255));
        EXPECT_EQ(notBackground, 0);
    }
}

}  // namespace
