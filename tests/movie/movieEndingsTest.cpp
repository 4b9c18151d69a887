// Recordings that end badly or start small: frames below an encoder's minimum, a folder
// renamed while the movie is written, and signals that end the process. None may abort
// the program or leave the hidden part file behind.
#include "movie/slMovieRecord.h"
#include "movie/slPartFiles.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>

#include "movieTestSupport.h"

namespace {

QStringList entries(const QString &folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

struct tinyCase {
    const char *file;
    int level;
    int storedMinimum;     // the encoder's smallest side
    bool even;             // 4:2:0 sides
    double meanTolerance;  // mean channel difference of the decoded frame
};

// rpza levels 0 and 1 may draw a block of a few very different pixels in two colours, so
// only their size and decoding are checked.
const tinyCase tinyCases[] = {
    {"t.mov", 0, 4, false, 255.0}, {"t.mov", 1, 4, false, 255.0}, {"t.mov", 2, 4, false, 12.0},
    {"t.mov", 4, 1, false, 0.0},   {"t.mov", 6, 1, false, 0.0},   {"t.mp4", 1, 1, true, 40.0},
    {"t.gif", 1, 1, false, 0.0},
};

TEST(movieSizes, framesBelowAnEncodersMinimumArePaddedWithTheirEdges) {
    const QSize sizes[] = {{1, 1}, {2, 2}, {3, 1}, {1, 7}, {8, 1}, {5, 3}};
    for (const tinyCase &c : tinyCases)
        for (const QSize size : sizes) {
            SCOPED_TRACE(testing::Message() << c.file << " level " << c.level << ", "
                                            << size.width() << "x" << size.height());
            QTemporaryDir dir;
            const QString path = dir.filePath(QLatin1String(c.file));
            std::vector<uint8_t> frames[2] = {
                movieTest::makeFrame(size.width(), size.height(), 0, 0),
                movieTest::makeFrame(size.width(), size.height(), 0, 1)};
            {
                slMovieRecord movie;
                ASSERT_TRUE(movie.initWithPath(path, QRectF(QPointF(), size), 30, c.level));
                for (const auto &frame : frames)
                    ASSERT_EQ(movie.addFrameFromRGBAPixels(frame.data()), 0);
                ASSERT_EQ(movie.closeMovie(), 0) << movie.errorString().toStdString();
            }
            EXPECT_EQ(entries(dir.path()), QStringList{QLatin1String(c.file)});
            const movieTest::movieInfo info = movieTest::readMovie(path);
            ASSERT_EQ(info.error, "");
            int width = std::max(size.width(), c.storedMinimum),
                height = std::max(size.height(), c.storedMinimum);
            if (c.even) width += width % 2, height += height % 2;
            EXPECT_EQ(info.width, width);
            EXPECT_EQ(info.height, height);
            ASSERT_EQ(info.frames.size(), 2u);
            for (size_t i = 0; i < 2; i++) {
                const movieTest::difference d = movieTest::compare(info.frames[i], width, frames[i],
                                                                   size.width(), size.height(), 0);
                EXPECT_LE(d.mean, c.meanTolerance) << "frame " << i;
            }
        }
}

// The folder is renamed after the first frame, or just before the movie is closed.
TEST(movieFolders, aFolderRenamedDuringTheRecordingEndsItAndLeavesNoPartFile) {
    for (const char *file : {"m.mov", "m.mp4", "m.gif"})
        for (const bool beforeClose : {false, true}) {
            SCOPED_TRACE(testing::Message() << file << (beforeClose ? " before close" : ""));
            QTemporaryDir dir;
            ASSERT_TRUE(QDir(dir.path()).mkdir("inside"));
            const std::vector<uint8_t> frame = movieTest::makeFrame(32, 24, 0, 0);
            slMovieRecord movie;
            ASSERT_TRUE(movie.initWithPath(dir.filePath(QStringLiteral("inside/") + file),
                                           QRectF(0, 0, 32, 24), 30, 1));
            ASSERT_EQ(movie.addFrameFromRGBAPixels(frame.data()), 0);
            ASSERT_TRUE(QDir(dir.path()).rename("inside", "moved"));
            if (!beforeClose) {
                EXPECT_NE(movie.addFrameFromRGBAPixels(frame.data()), 0);
                EXPECT_TRUE(movie.errorString().contains(QLatin1String("moved")));
            }
            EXPECT_EQ(movie.closeMovie(), -1);
            EXPECT_EQ(entries(dir.filePath("moved")), QStringList());
            EXPECT_EQ(entries(dir.path()), QStringList{"moved"});
        }
}

// In a process of its own (a fresh one, so the recorder installs its handlers), the signal
// arrives while the movie is open.
TEST(movieSignals, aSignalThatEndsTheProcessRemovesThePartFile) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    for (const int number : slPartFiles::cleanedSignals) {
        SCOPED_TRACE(number);
        QTemporaryDir dir;
        const QString path = dir.filePath("m.mov");
        EXPECT_EXIT(
            {
                std::signal(number, SIG_DFL);
                const std::vector<uint8_t> frame = movieTest::makeFrame(32, 24, 0, 0);
                slMovieRecord movie;
                if (!movie.initWithPath(path, QRectF(0, 0, 32, 24), 30, 1)) std::_Exit(3);
                if (movie.addFrameFromRGBAPixels(frame.data()) != 0) std::_Exit(4);
                if (entries(dir.path()).size() != 1) std::_Exit(5);
                std::raise(number);
                std::_Exit(6);
            },
            testing::KilledBySignal(number), "");
        EXPECT_EQ(entries(dir.path()), QStringList());
    }
}

// plotweave-cli stops at the next frame, removes the part file and reports the signal in
// its status; an older movie stays as it was.
TEST(movieSignals, theCommandLineStopsCleanlyOnEverySignalThatWouldEndIt) {
    for (const int number : slPartFiles::cleanedSignals) {
        SCOPED_TRACE(number);
        QTemporaryDir dir;
        const QString path = dir.filePath("m.mov");
        {
            QFile old(path);
            ASSERT_TRUE(old.open(QIODevice::WriteOnly));
            old.write("old");
        }
        QProcess cli;
        // A signal this test runner ignores would stay ignored in the tool.
        cli.setChildProcessModifier([number] { std::signal(number, SIG_DFL); });
        cli.start(QStringLiteral(PLOTWEAVE_CLI), {"movie", "--eq", "y = k x", "--steps", "100000",
                                                  "--size", "16x16", "--quiet", "-o", path});
        ASSERT_TRUE(cli.waitForStarted());
        // The part file appears once the recording runs.
        while (entries(dir.path()).size() < 2 && cli.state() == QProcess::Running)
            cli.waitForFinished(10);
        ASSERT_EQ(cli.state(), QProcess::Running) << cli.readAllStandardError().toStdString();
        ASSERT_EQ(::kill(static_cast<pid_t>(cli.processId()), number), 0);
        ASSERT_TRUE(cli.waitForFinished(30000));
        EXPECT_EQ(cli.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(cli.exitCode(), 128 + number);
        EXPECT_EQ(entries(dir.path()), QStringList{"m.mov"});
        QFile old(path);
        ASSERT_TRUE(old.open(QIODevice::ReadOnly));
        EXPECT_EQ(old.readAll(), "old");
    }
}

}  // namespace
