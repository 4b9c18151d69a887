// The window's k movie: what the recording refuses, and the quality rows. The sweep and
// the files it leaves are tested with the recorder (tests/movie); the window's wiring in
// kWindowTest.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <vector>

#include "app/graphMovieExport.h"

namespace {

// An empty range is refused before any file is opened, with its reason.
TEST(kMovie, anEmptyRangeFailsWithItsReasonAndKeepsAnOldFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath("old.mov");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("an earlier movie");
    file.close();
    const std::vector<uint8_t> frame(8 * 8 * 4, 200);
    for (const double maxK : {2.0, 1.0}) {
        const graphMovieResult result = graphRecordKMovie(path, QSize(8, 8), 6, 2.0, maxK, 4,
                                                          [&](double) { return frame.data(); }, {});
        EXPECT_EQ(result.status, graphMovieResult::failed) << maxK;
        EXPECT_TRUE(result.error.contains("nothing to record")) << result.error.toStdString();
    }
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "an earlier movie");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"old.mov"});
}

TEST(MovieQuality, RowsThreeAndFiveCannotBeChosen) {
    for (int row = 0; row < graphMovieQuality::rows; ++row) {
        SCOPED_TRACE(row);
        EXPECT_EQ(graphMovieQuality::selectable(row), row != 3 && row != 5);
        EXPECT_EQ(graphMovieQuality::message(row).isEmpty(), !graphMovieQuality::selectable(row));
    }
    EXPECT_EQ(graphMovieQuality::message(6), "Lossless quality, zero compression");
}

}  // namespace
