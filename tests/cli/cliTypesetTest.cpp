// plotweave-cli typeset: pictures of the laid-out equation.
#include "cliTestSupport.h"

#include <QFile>

using cliTest::run;

namespace {

int darkPixels(const QImage &image) {
    int n = 0;
    for (int y = 0; y < image.height(); y++)
        for (int x = 0; x < image.width(); x++)
            n += qAlpha(image.pixel(x, y)) > 128 && qGray(image.pixel(x, y)) < 128;
    return n;
}

TEST(typeset, pngGrowsWithFontSizeAndScale) {
    QTemporaryDir dir;
    const QString plain = dir.filePath("plain.png"), scaled = dir.filePath("scaled.png"),
                  larger = dir.filePath("larger.png");
    // The same fraction read as text and typed as keys.
    ASSERT_EQ(run({"typeset", "1/x", "-o", plain}).status, 0);
    ASSERT_EQ(run({"typeset", "--keys", "1\\>/x", "-o", scaled, "--scale", "2"}).status, 0);
    const auto r = run({"typeset", "1/x", "-o", larger, "--font-size", "48"});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    const QImage a(plain), b(scaled), c(larger);
    ASSERT_FALSE(a.isNull() || b.isNull() || c.isNull());
    // A fraction stands taller than it is wide; the scale multiplies the box inside the
    // fixed 4-pixel margins, a larger font enlarges the layout itself.
    EXPECT_GT(a.height(), a.width());
    EXPECT_NEAR(b.height() - 8, 2 * (a.height() - 8), 2);
    EXPECT_NEAR(b.width() - 8, 2 * (a.width() - 8), 2);
    EXPECT_GT(c.height(), a.height() * 3 / 2);
    EXPECT_GT(darkPixels(a), 20);
}

TEST(typeset, pdfIsComplete) {
    QTemporaryDir dir;
    const QString pdf = dir.filePath("eq.pdf");
    const auto r = run({"typeset", "y=x^2", "-o", pdf});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    const QByteArray data = cliTest::readFile(pdf);
    EXPECT_TRUE(data.startsWith("%PDF-"));
    EXPECT_TRUE(data.trimmed().endsWith("%%EOF"));
}

TEST(typeset, badRequestsWriteNothing) {
    QTemporaryDir dir;
    const QString out = dir.filePath("eq.png");
    struct request {
        QStringList args;
        int status;
    };
    const request cases[] = {
        {{"typeset", "x", "-o", dir.filePath("eq.gif")}, 1},
        {{"typeset", "x", "-o", out, "--scale", "0"}, 1},
        {{"typeset", "x", "-o", out, "--font-size", "big"}, 1},
        {{"typeset", "--keys", "x\\z", "-o", out}, 1},
        {{"typeset", "sin(", "-o", out}, 1},
        {{"typeset", "x", "-o", dir.filePath("missing/eq.png")}, 1},
        {{"typeset", "x"}, 2},
        {{"typeset", "-o", out}, 2},
    };
    for (const request &c : cases) {
        const auto r = run(c.args);
        EXPECT_EQ(r.status, c.status) << c.args.join(' ').toStdString();
        EXPECT_FALSE(r.err.isEmpty());
        EXPECT_FALSE(QFile::exists(out));
    }
}

}  // namespace
