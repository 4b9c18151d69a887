// The recorder writing real files, each read back with libavformat and libavcodec.
#include "movie/slMovieRecord.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/mman.h>
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>

#include "movieTestSupport.h"

using movieTest::readMovie;

namespace {

QByteArray contents(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString &path, const QByteArray &data) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(data);
}

// Records frames 0 .. count - 1 of makeFrame; the close status.
int record(const QString &path, int level, int width, int height, int padding, int count,
           int timeScale = 30, int duration = 1) {
    slMovieRecord movie;
    if (!movie.initWithPath(path, QRectF(0, 0, width + 0.75, height + 0.5), timeScale, level))
        return -100;
    movie.setRowPadding(padding);
    movie.setDuration(duration);
    for (int i = 0; i < count; i++)
        if (movie.addFrameFromRGBAPixels(movieTest::makeFrame(width, height, padding, i).data()) !=
            0)
            return -200;
    return movie.closeMovie();
}

struct formatCase {
    const char *name, *file;
    int level;
    const char *codec;
    int storedWidth, storedHeight;  // .mp4 pads odd sides
    int timeScale, duration;
    double meanTolerance;  // mean channel difference of decoded frames; 0 = exact
};

// 33 x 17 (odd sides) with 3 pixels of row padding, 4 frames. The tolerances hold what
// each lossy codec gives on these flat-coloured frames, with a margin.
const formatCase formatCases[] = {
    {"mov level 0", "m.mov", 0, "rpza", 33, 17, 30, 1, 12.0},
    {"mov level 1", "m.mov", 1, "rpza", 33, 17, 30, 1, 6.0},
    {"mov level 2", "m.mov", 2, "rpza", 33, 17, 30, 1, 6.0},
    {"mov level 4", "m.mov", 4, "qtrle", 33, 17, 30, 1, 0.0},
    {"mov level 6", "m.mov", 6, "rawvideo", 33, 17, 90, 3, 0.0},
    {"mp4", "m.mp4", 1, "h264", 34, 18, 30, 1, 10.0},  // 4:2:0 chroma of 1-pixel red lines
    {"gif", "m.gif", 1, "gif", 33, 17, 30, 1, 0.0},
};

class movieFormat : public ::testing::TestWithParam<formatCase> {};

TEST_P(movieFormat, readsBackAsRecorded) {
    const formatCase &c = GetParam();
    QTemporaryDir dir;
    const QString path = dir.filePath(QLatin1String(c.file));
    const int width = 33, height = 17, padding = 3, count = 4;
    ASSERT_EQ(record(path, c.level, width, height, padding, count, c.timeScale, c.duration), 0);

    const movieTest::movieInfo info = readMovie(path);
    ASSERT_EQ(info.error, "");
    EXPECT_EQ(info.streams, 1);
    EXPECT_EQ(info.codec, c.codec);
    EXPECT_EQ(info.width, c.storedWidth);
    EXPECT_EQ(info.height, c.storedHeight);
    ASSERT_EQ(info.frames.size(), size_t(count));
    if (std::string(c.codec) == "gif") {
        // GIF counts in hundredths of a second: 4 frames of 1/30 s are 13 or 14 of them.
        EXPECT_EQ(info.timeBaseDen, 100);
        int64_t total = 0;
        for (int64_t d : info.durations) total += d;
        EXPECT_NEAR(total, count * 100.0 / c.timeScale, 1.0);
    } else {
        EXPECT_EQ(info.timeBaseNum, 1);
        EXPECT_EQ(info.timeBaseDen, c.timeScale);
        for (int64_t d : info.durations) EXPECT_EQ(d, c.duration);
        EXPECT_EQ(info.streamDuration, count * c.duration);
    }
    for (int index : {0, count - 1}) {
        const movieTest::difference d = movieTest::compare(
            info.frames[size_t(index)], c.storedWidth,
            movieTest::makeFrame(width, height, padding, index), width, height, padding);
        if (c.meanTolerance == 0.0)
            EXPECT_EQ(d.maximum, 0) << "frame " << index;
        else
            EXPECT_LE(d.mean, c.meanTolerance) << "frame " << index;
    }
    // Nothing but the movie is left in the folder.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList{QLatin1String(c.file)});
}

INSTANTIATE_TEST_SUITE_P(containersAndLevels, movieFormat, ::testing::ValuesIn(formatCases),
                         [](const auto &info) {
                             std::string name = info.param.name;
                             for (char &ch : name)
                                 if (!isalnum(static_cast<unsigned char>(ch))) ch = '_';
                             return name;
                         });

TEST(movieLevels, levelsWithoutACodecOfTheirOwnWriteLevelOne) {
    QTemporaryDir dir;
    ASSERT_EQ(record(dir.filePath("one.mov"), 1, 24, 16, 0, 3), 0);
    const QByteArray one = contents(dir.filePath("one.mov"));
    ASSERT_FALSE(one.isEmpty());
    for (int level : {3, 5, 7, 1000, -1}) {
        const QString path = dir.filePath(QStringLiteral("level%1.mov").arg(level));
        ASSERT_EQ(record(path, level, 24, 16, 0, 3), 0);
        EXPECT_EQ(contents(path), one) << "level " << level;
    }
}

// On a smooth gradient the three rpza steps give three different pictures, each closer to
// the original than the one below.
TEST(movieLevels, rpzaLevelsRiseInQuality) {
    QTemporaryDir dir;
    const std::vector<uint8_t> shaded = movieTest::makeShadedFrame(64, 64);
    double previous = 1e9;
    for (int level : {0, 1, 2}) {
        const QString path = dir.filePath(QStringLiteral("l%1.mov").arg(level));
        slMovieRecord movie;
        ASSERT_TRUE(movie.initWithPath(path, QRectF(0, 0, 64, 64), 30, level));
        ASSERT_EQ(movie.addFrameFromRGBAPixels(shaded.data()), 0);
        ASSERT_EQ(movie.closeMovie(), 0);
        const movieTest::movieInfo info = readMovie(path);
        ASSERT_EQ(info.frames.size(), 1u);
        const double error = movieTest::compare(info.frames[0], 64, shaded, 64, 64, 0).mean;
        EXPECT_LT(error, previous) << "level " << level;
        previous = error;
    }
}

TEST(movieEdges, aMovieWithoutFramesIsAValidFile) {
    for (const char *file : {"e.mov", "e.mp4", "e.gif"}) {
        QTemporaryDir dir;
        const QString path = dir.filePath(QLatin1String(file));
        slMovieRecord movie;
        ASSERT_TRUE(movie.initWithPath(path, QRectF(0, 0, 40, 30), 30, 1));
        EXPECT_EQ(movie.closeMovie(), 0) << file;
        const movieTest::movieInfo info = readMovie(path);
        EXPECT_EQ(info.error, "") << file;
        EXPECT_TRUE(info.frames.empty()) << file;
    }
}

TEST(movieEdges, aSecondCreationIsRefusedAndTheFirstMovieGoesOn) {
    QTemporaryDir dir;
    slMovieRecord movie;
    ASSERT_TRUE(movie.initWithPath(dir.filePath("a.mov"), QRectF(0, 0, 16, 8), 30, 6));
    EXPECT_FALSE(movie.initWithPath(dir.filePath("b.mov"), QRectF(0, 0, 16, 8), 30, 6));
    EXPECT_EQ(movie.errorString(), "Object already initialized");
    EXPECT_EQ(movie.name(), "a.mov");
    EXPECT_EQ(movie.addFrameFromRGBAPixels(movieTest::makeFrame(16, 8, 0, 0).data()), 0);
    EXPECT_EQ(movie.closeMovie(), 0);
    EXPECT_EQ(readMovie(dir.filePath("a.mov")).frames.size(), 1u);
    EXPECT_FALSE(QFile::exists(dir.filePath("b.mov")));
    EXPECT_FALSE(movie.initWithPath(dir.filePath("c.mov"), QRectF(0, 0, 16, 8), 30, 6));
}

TEST(movieEdges, refusedCallsLeaveTheMovieIntact) {
    QTemporaryDir dir;
    slMovieRecord movie;
    const std::vector<uint8_t> frame = movieTest::makeFrame(16, 8, 0, 0);
    EXPECT_EQ(movie.addFrameFromRGBAPixels(frame.data()), -1);  // nothing open yet
    EXPECT_EQ(movie.closeMovie(), 0);
    ASSERT_TRUE(movie.initWithPath(dir.filePath("m.mov"), QRectF(0, 0, 16, 8), 30, 6));
    EXPECT_LT(movie.addFrameFromRGBAPixels(nullptr), 0);
    movie.setDuration(0);
    EXPECT_LT(movie.addFrameFromRGBAPixels(frame.data()), 0);
    movie.setDuration(1);
    movie.setRowPadding(-1);
    EXPECT_LT(movie.addFrameFromRGBAPixels(frame.data()), 0);
    movie.setRowPadding(0);
    EXPECT_EQ(movie.addFrameFromRGBAPixels(frame.data()), 0);
    EXPECT_EQ(movie.closeMovie(), 0);
    EXPECT_EQ(readMovie(dir.filePath("m.mov")).frames.size(), 1u);
}

// Creations that must fail before any file is made.
struct refusedCase {
    const char *name, *file;
    double width, height;
    int timeScale;
};
const refusedCase refusedCases[] = {
    {"unknown extension", "m.avi", 16, 8, 30},
    {"no extension", "movie", 16, 8, 30},
    {"zero width", "m.mov", 0.5, 8, 30},
    {"huge size", "m.mov", 100000, 8, 30},
    {"not a number", "m.mov", std::nan(""), 8, 30},
    {"zero time scale", "m.mov", 16, 8, 0},
    {"missing folder", "none/m.mov", 16, 8, 30},
};

TEST(movieFiles, refusedCreationsLeaveTheFolderAlone) {
    for (const refusedCase &c : refusedCases) {
        QTemporaryDir dir;
        const QString path = dir.filePath(QLatin1String(c.file));
        if (!path.contains(QLatin1String("none/"))) writeFile(path, "old");
        slMovieRecord movie;
        EXPECT_FALSE(movie.initWithPath(path, QRectF(0, 0, c.width, c.height), c.timeScale, 1))
            << c.name;
        EXPECT_FALSE(movie.errorString().isEmpty()) << c.name;
        EXPECT_FALSE(movie.isOpen()) << c.name;
        const QStringList left = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);
        EXPECT_EQ(left, path.contains(QLatin1String("none/")) ? QStringList()
                                                              : QStringList{QLatin1String(c.file)})
            << c.name;
        if (!path.contains(QLatin1String("none/"))) {
            EXPECT_EQ(contents(path), "old") << c.name;
        }
    }
}

// A recorder abandoned without closeMovie is checked with the sweep (kSweepTest).
TEST(movieFiles, anExistingFileIsReplacedOnlyByASuccessfulClose) {
    QTemporaryDir dir;
    const QString path = dir.filePath("m.mov");
    const std::vector<uint8_t> frame = movieTest::makeFrame(64, 48, 0, 0);
    writeFile(path, "old");

    // A disk that fills up: files may not grow beyond 20000 bytes while this runs.
    {
        const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit previous{};
        getrlimit(RLIMIT_FSIZE, &previous);
        rlimit small = previous;
        small.rlim_cur = 20000;
        setrlimit(RLIMIT_FSIZE, &small);
        slMovieRecord full;
        ASSERT_TRUE(full.initWithPath(path, QRectF(0, 0, 64, 48), 30, 6));
        for (int i = 0; i < 4; i++) full.addFrameFromRGBAPixels(frame.data());
        const int status = full.closeMovie();
        setrlimit(RLIMIT_FSIZE, &previous);
        std::signal(SIGXFSZ, previousHandler);
        EXPECT_EQ(status, -1);
        EXPECT_FALSE(full.errorString().isEmpty());
    }
    EXPECT_EQ(contents(path), "old");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"m.mov"});

    ASSERT_EQ(record(path, 6, 64, 48, 0, 2), 0);
    EXPECT_EQ(readMovie(path).frames.size(), 2u);
}

// The frame ends where a page ends and the next page cannot be read: reading one byte
// past the caller's buffer crashes the test.
TEST(movieFrames, theConversionReadsOnlyTheCallersBytes) {
    const long page = sysconf(_SC_PAGESIZE);
    auto *pages = static_cast<uint8_t *>(mmap(nullptr, size_t(2 * page), PROT_READ | PROT_WRITE,
                                              MAP_PRIVATE | MAP_ANONYMOUS, -1, 0));
    ASSERT_NE(pages, MAP_FAILED);
    ASSERT_EQ(mprotect(pages + page, size_t(page), PROT_NONE), 0);
    struct {
        const char *file;
        int level, padding;
    } cases[] = {
        {"a.mov", 1, 0}, {"b.mov", 4, 0}, {"c.mov", 6, 2}, {"d.mp4", 1, 0}, {"e.gif", 1, 5}};
    for (const auto &c : cases) {
        // 3 x 2 pixels: the last row is read without its padding.
        const long bytes = ((3 + c.padding) * 1 + 3) * 4;
        uint8_t *frame = pages + page - bytes;
        for (long i = 0; i < bytes; i++) frame[i] = static_cast<uint8_t>(i * 37);
        QTemporaryDir dir;
        slMovieRecord movie;
        ASSERT_TRUE(movie.initWithPath(dir.filePath(QLatin1String(c.file)), QRectF(0, 0, 3, 2), 30,
                                       c.level));
        movie.setRowPadding(c.padding);
        EXPECT_EQ(movie.addFrameFromRGBAPixels(frame), 0) << c.file;
        EXPECT_EQ(movie.closeMovie(), 0) << c.file;
        EXPECT_EQ(readMovie(dir.filePath(QLatin1String(c.file))).frames.size(), 1u) << c.file;
    }
    munmap(pages, size_t(2 * page));
}

// A shaded frame has more colours than a GIF palette: it gets the nearest of 256, and the
// flat frame after it is exact again.
TEST(movieFrames, gifFramesWithManyColoursAreQuantisedAndFewColoursStayExact) {
    QTemporaryDir dir;
    const QString path = dir.filePath("g.gif");
    const int width = 64, height = 64;
    const std::vector<uint8_t> shaded = movieTest::makeShadedFrame(width, height);
    const std::vector<uint8_t> flat = movieTest::makeFrame(width, height, 0, 1);
    slMovieRecord movie;
    ASSERT_TRUE(movie.initWithPath(path, QRectF(0, 0, width, height), 30, 1));
    ASSERT_EQ(movie.addFrameFromRGBAPixels(flat.data()), 0);
    ASSERT_EQ(movie.addFrameFromRGBAPixels(shaded.data()), 0);
    ASSERT_EQ(movie.addFrameFromRGBAPixels(flat.data()), 0);
    ASSERT_EQ(movie.closeMovie(), 0);
    const movieTest::movieInfo info = readMovie(path);
    ASSERT_EQ(info.frames.size(), 3u);
    const movieTest::difference d =
        movieTest::compare(info.frames[1], width, shaded, width, height, 0);
    EXPECT_LE(d.mean, 4.0);
    EXPECT_LE(d.maximum, 24);
    EXPECT_EQ(movieTest::compare(info.frames[2], width, flat, width, height, 0).maximum, 0);
}

}  // namespace
