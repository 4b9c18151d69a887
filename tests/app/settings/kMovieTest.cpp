// The window's k movie, drawn by a headless graph view and read back with libavcodec.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "app/graphEquationTable.h"
#include "app/graphMovieExport.h"
#include "app/graphPreferences.h"
#include "appTestSupport.h"
#include "movieTestSupport.h"
#include "platform/graphBitmapFont.h"
#include "platform/headlessGLContext.h"
#include "render/graphGLDraw.h"
#include "view/graphGLView.h"

namespace {

// y = k x on a headless 64 x 48 view.
class KMovieTest : public ::testing::Test {
protected:
    void SetUp() override {
        appTest::registerClasses();
        loadGraphFonts();
        if (!context.create(64, 48)) GTEST_SKIP() << "no headless OpenGL: " << context.error();
        view = std::make_unique<graphGLView>(draw, 64.0f, 48.0f);
        view->initGL();
        graphPreferences().activatePreferences(view.get(), &table);
        table.createInitialEquation();
        table.equations()[0]->setEquation(appTest::typed("y=kx"));
        view->setEquationTable(&table);
        ASSERT_EQ(view->graphMultipleEquations(), "");
    }

    graphMovieResult record(const QString &path,
                            std::function<bool(size_t, size_t)> progress = {}) {
        return graphRecordKMovie(
            path, QSize(64, 48), 6, 0.0, 1.0, 4,
            [&](double k) {
                ks.push_back(k);
                view->setK(k);
                view->compileEquations();
                view->drawRect();
                return view->RGBAPixels();
            },
            progress);
    }

    headlessGLContext context;
    graphGLDraw draw;
    std::unique_ptr<graphGLView> view;
    graphEquationTable table;
    std::vector<double> ks;
    QTemporaryDir dir;
};

TEST_F(KMovieTest, OneSweepUpAndDownHoldsEveryFrame) {
    const QString path = dir.filePath("k.mov");
    std::vector<size_t> shown;
    const graphMovieResult result = record(path, [&](size_t done, size_t total) {
        EXPECT_EQ(total, 8u);
        shown.push_back(done);
        return true;
    });
    ASSERT_EQ(result.status, graphMovieResult::written) << result.error.toStdString();
    EXPECT_EQ(ks, (std::vector<double>{0, 0.25, 0.5, 0.75, 1, 0.75, 0.5, 0.25}));
    EXPECT_EQ(shown, (std::vector<size_t>{1, 2, 3, 4, 5, 6, 7, 8}));
    const movieTest::movieInfo movie = movieTest::readMovie(path);
    ASSERT_EQ(movie.error, "");
    EXPECT_EQ(movie.frames.size(), 8u);
    EXPECT_EQ(movie.width, 64);
    EXPECT_EQ(movie.timeBaseDen, 30);
    EXPECT_NE(movie.frames[0], movie.frames[4]);  // the line turns with k
    EXPECT_EQ(movie.frames[3], movie.frames[5]);  // 0.75 both ways
}

TEST_F(KMovieTest, CancelOrAnEmptyRangeWritesNothingAndKeepsAnOldFile) {
    const QString fresh = dir.filePath("new.mov"), old = dir.filePath("old.mov");
    EXPECT_EQ(record(fresh, [](size_t done, size_t) { return done < 4; }).status,
              graphMovieResult::cancelled);
    EXPECT_FALSE(QFile::exists(fresh));

    QFile file(old);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("an earlier movie");
    file.close();
    EXPECT_EQ(record(old, [](size_t done, size_t) { return done < 4; }).status,
              graphMovieResult::cancelled);
    const graphMovieResult empty =
        graphRecordKMovie(old, QSize(64, 48), 1, 2.0, 2.0, 20, [](double) { return nullptr; }, {});
    EXPECT_EQ(empty.status, graphMovieResult::failed);
    EXPECT_FALSE(empty.error.isEmpty());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "an earlier movie");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(),
              1);  // no temporary left
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
