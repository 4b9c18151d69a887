// plotweave-cli movie as a separate process; its movies read back with libavformat.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "cliTestSupport.h"
#include "movieTestSupport.h"

namespace {

// The k of a decoded frame from the row of the red line y = k, in the region
// -1..1 x -0.5..1.5 drawn at 80 x 80 pixels: the centre of the red tint, weighted by it
// (the line is thin and antialiased, pink on white).
double kOfFrame(const std::vector<uint8_t> &rgb) {
    double rows = 0.0, weight = 0.0;
    for (int y = 0; y < 80; y++)
        for (int x = 0; x < 80; x++) {
            const uint8_t *p = rgb.data() + (y * 80 + x) * 3;
            const int tint = p[0] - std::max(p[1], p[2]);
            if (tint >= 30) rows += (y + 0.5) * tint, weight += tint;
        }
    return weight == 0.0 ? -100.0 : 1.5 - rows / weight / 80.0 * 2.0;
}

struct sweepCase {
    const char *name, *kRange, *steps;
    std::vector<double> ks;
};

// The sweep's values themselves are checked in kSweepTest; these check that each frame
// shows its k.
const sweepCase sweepCases[] = {
    {"four steps", "0,1", "4", {0, 0.25, 0.5, 0.75, 1, 0.75, 0.5, 0.25}},
    {"equal bounds", "0.5,0.5", "4", {}},
};

TEST(cliMovie, framesFollowTheSweepOfK) {
    QTemporaryDir dir;
    for (const sweepCase &c : sweepCases) {
        const QString movie = dir.filePath("k.mov");
        const cliTest::result r =
            cliTest::run({"movie", "--color", "ff0000", "--eq", "y = k", "--k-range", c.kRange,
                          "--steps", c.steps, "--region", "-1,1,-0.5,1.5", "--size", "80x80",
                          "--quality", "6", "-o", movie});
        ASSERT_EQ(r.status, 0) << c.name << ": " << r.err.toStdString();
        EXPECT_EQ(r.err, "") << c.name;  // no progress bar without a terminal
        const movieTest::movieInfo info = movieTest::readMovie(movie);
        ASSERT_EQ(info.error, "") << c.name;
        ASSERT_EQ(info.frames.size(), c.ks.size()) << c.name;
        for (size_t i = 0; i < c.ks.size(); i++)
            EXPECT_NEAR(kOfFrame(info.frames[i]), c.ks[i], 0.03) << c.name << ", frame " << i;
    }
}

// Every example set gives a movie whose frames all decode, 6 frames of a sweep of 3 steps,
// in the container and codec asked for (each container and level is the recorder's test).
TEST(cliMovie, examplesPlayInTheContainerAskedFor) {
    const struct {
        const char *set, *file, *quality, *codec;
    } rows[] = {{"curves.plw", "m.mov", "1", "rpza"},
                {"parametric.plw", "m.mov", "4", "qtrle"},
                {"surface.plw", "m.mp4", "1", "h264"},
                {"waves.plw", "m.gif", "1", "gif"}};
    EXPECT_EQ(QDir(QStringLiteral(PLOTWEAVE_EXAMPLES)).entryList({"*.plw"}, QDir::Files).size(),
              std::size(rows));
    for (const auto &row : rows) {
        SCOPED_TRACE(row.set);
        QTemporaryDir dir;
        const QString movie = dir.filePath(QLatin1String(row.file));
        const cliTest::result r = cliTest::run(
            {"movie", QStringLiteral(PLOTWEAVE_EXAMPLES "/") + row.set, "--steps", "3", "--size",
             "96x64", "--divisions", "12", "--quality", row.quality, "-o", movie});
        ASSERT_EQ(r.status, 0) << r.err.toStdString();
        const movieTest::movieInfo info = movieTest::readMovie(movie);
        EXPECT_EQ(info.error, "");
        EXPECT_EQ(info.codec, row.codec);
        EXPECT_EQ(info.width, 96);
        EXPECT_EQ(info.frames.size(), 6u);
    }
}

struct badCase {
    const char *name;
    QStringList args;  // OUT stands for the output path
    const char *output;
    int status;
};

// The recorder's own refusals (extensions, sizes, folders) are its test; one row wires them.
const badCase badCases[] = {
    {"missing folder", {"--eq", "y = k", "-o", "OUT"}, "none/m.mov", 1},
    {"fps 0", {"--eq", "y = k", "--fps", "0", "-o", "OUT"}, "m.mov", 1},
    {"negative steps", {"--eq", "y = k", "--steps", "-1", "-o", "OUT"}, "m.mov", 1},
    {"falling range", {"--eq", "y = k", "--k-range", "2,1", "-o", "OUT"}, "m.gif", 1},
    {"quality below 0", {"--eq", "y = k", "--quality", "-1", "-o", "OUT"}, "m.mov", 1},
    {"not an equation", {"--eq", "y = floor(x)", "-o", "OUT"}, "m.mov", 1},
    {"k is the sweep's", {"--eq", "y = k", "--k", "3", "-o", "OUT"}, "m.mov", 2},
};

TEST(cliMovie, badInputChangesNoFile) {
    for (const badCase &c : badCases) {
        QTemporaryDir dir;
        const QString output = dir.filePath(QLatin1String(c.output));
        if (!output.contains(QLatin1String("none/"))) {
            QFile file(output);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write("old");
        }
        const QStringList before =
            QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
        QStringList args{"movie"};
        for (const QString &a : c.args) args << (a == QLatin1String("OUT") ? output : a);
        const cliTest::result r = cliTest::run(args);
        EXPECT_EQ(r.status, c.status) << c.name << ": " << r.err.toStdString();
        const QStringList lines = r.err.trimmed().split(QLatin1Char('\n'));
        EXPECT_EQ(lines.size(), c.status == 1 ? 1 : 2) << c.name << ": " << r.err.toStdString();
        EXPECT_EQ(
            QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
            before)
            << c.name;
        if (QFileInfo(output).isFile()) {
            EXPECT_EQ(cliTest::readFile(output), "old") << c.name;
        }
    }
}

}  // namespace
