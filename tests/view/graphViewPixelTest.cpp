// Pixels of real drawing through a headless OpenGL context: colours where they belong,
// labels, row order, planar and RGBA layouts, and the TIFF snapshot.
#include "viewTestSupport.h"

#include <tiffio.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

namespace {

// A view drawn headless with white background, green grid and blue axes.
struct drawnView : headlessView {
    drawnView(int width, int height,
              std::initializer_list<std::pair<const char *, QColor>> equations)
        : headlessView(width, height, equations) {
        view->setBackgroundColor(Qt::white);
        view->setGridColor(QColor::fromRgbF(0.0f, 1.0f, 0.0f));
        view->setAxisColor(QColor::fromRgbF(0.0f, 0.0f, 1.0f));
    }

    void drawNow() {
        view->drawRect();
        pixels = view->RGBAPixels();
    }

    using headlessView::count;
    // Whether any pixel within radius of (x, y) passes the test.
    bool near(int x, int y, int radius, const std::function<bool(rgb)> &test) const {
        return count(QPoint(x, y), radius, test) > 0;
    }
    int count(int x0, int y0, int x1, int y1, const std::function<bool(rgb)> &test) const {
        return headlessView::count(QRect(QPoint(x0, y0), QPoint(x1, y1)), test);
    }
};

bool isRed(rgb c) {
    return c.r > 150 && c.g < 110 && c.b < 110;
}
bool isGreen(rgb c) {
    return c.r == 0 && c.g == 255 && c.b == 0;
}
bool isBlue(rgb c) {
    return c.r == 0 && c.g == 0 && c.b == 255;
}
bool isBluish(rgb c) {
    return c.b > 200 && c.r < 200 && c.g < 200;
}
bool isWhite(rgb c) {
    return c.r == 255 && c.g == 255 && c.b == 255;
}

// Graph units of the default region (-50..50) to pixels of a 200-pixel frame, top-down.
int column(double x) {
    return static_cast<int>((x + 50) * 2);
}
int row(double y) {
    return 199 - static_cast<int>((y + 50) * 2);
}

TEST(graphViewPixels, curveGridAxesAndLabelsWhereTheyBelong) {
    drawnView v(200, 200, {{"y = x^2", Qt::red}});
    ASSERT_EQ(v.view->graphMultipleEquations(), QString());
    v.drawNow();
    ASSERT_NE(v.pixels, nullptr);

    // The curve, and nothing red at its mirror image below the x axis: row 0 is the top.
    for (double x : {-5.0, 3.0, 6.0}) EXPECT_TRUE(v.near(column(x), row(x * x), 2, isRed)) << x;
    EXPECT_FALSE(v.near(column(5.0), row(-25.0), 3, isRed));

    // Grid lines in grid colour, axes over the grid line at 0 in axis colour.
    EXPECT_TRUE(v.near(column(20), row(-30), 1, isGreen));
    EXPECT_TRUE(v.near(column(-30), row(40), 1, isGreen));
    EXPECT_TRUE(v.near(column(0), row(-30), 1, isBlue));
    EXPECT_FALSE(v.near(column(0), row(-30), 1, isGreen));
    EXPECT_TRUE(v.near(column(-35), row(0), 1, isBlue));
    EXPECT_TRUE(isWhite(v.at(column(-35), row(-35))));

    // Labels sit five pixels right of and above each tick; the empty cell beside an
    // unlabelled grid crossing stays white.
    EXPECT_GT(v.count(column(20) + 4, row(0) - 16, column(20) + 20, row(0) - 4, isBluish), 5);
    EXPECT_GT(v.count(column(0) + 4, row(-40) - 16, column(0) + 26, row(-40) - 4, isBluish), 5);
    EXPECT_EQ(v.count(column(-40) + 4, row(-40) - 16, column(-40) + 20, row(-40) - 4, isBluish), 0);
}

TEST(graphViewPixels, planarAndRGBALayoutsOfAnOddWidth) {
    drawnView v(13, 7, {{"y = x", Qt::red}});
    v.view->setResetGraph(false);
    v.view->setGraphBounds({-6.5f, -3.5f, 13.0f, 7.0f});
    v.view->graphMultipleEquations();
    v.drawNow();

    std::unique_ptr<graphImageRep> image = v.view->makeImageRep();
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->bytesPerRow, 16);
    EXPECT_EQ(image->planes[0].size(), 16u * 7u);
    // RGBA rows are exactly 52 bytes: every pixel agrees with the planes.
    bool varied = false;
    for (int y = 0; y < 7; y++)
        for (int x = 0; x < 13; x++) {
            rgb c = v.at(x, y);
            EXPECT_EQ(c.r, *image->pixel(0, x, y));
            EXPECT_EQ(c.g, *image->pixel(1, x, y));
            EXPECT_EQ(c.b, *image->pixel(2, x, y));
            varied |= !isWhite(c);
        }
    EXPECT_TRUE(varied);

    // A new frame replaces the old one in new storage.
    const uint8_t *first = v.pixels;
    const uint8_t *second = v.view->RGBAPixels();
    EXPECT_NE(first, second);
}

TEST(graphViewPixels, snapshotIsAnLZWTIFFOfTheViewSize) {
    drawnView v(800, 600, {{"y = x^2", Qt::red}, {"x = y^2/20", Qt::blue}});
    v.view->graphMultipleEquations();
    v.view->drawRect();
    std::unique_ptr<graphImageRep> image = v.view->makeImageRep();
    ASSERT_NE(image, nullptr);

    std::filesystem::path path = std::filesystem::temp_directory_path() /
                                 ("plotweave-snapshot-" + std::to_string(::getpid()) + ".tiff");
    ASSERT_EQ(v.view->snapshotToFile(path.string()), 0);

    TIFF *tiff = TIFFOpen(path.c_str(), "r");
    ASSERT_NE(tiff, nullptr);
    uint32_t width = 0, height = 0;
    TIFFGetField(tiff, TIFFTAG_IMAGEWIDTH, &width);
    TIFFGetField(tiff, TIFFTAG_IMAGELENGTH, &height);
    EXPECT_EQ(std::make_pair(width, height), std::make_pair(800u, 600u));
    for (auto [tag, expected] : {std::pair{TIFFTAG_COMPRESSION, COMPRESSION_LZW},
                                 {TIFFTAG_SAMPLESPERPIXEL, 3},
                                 {TIFFTAG_BITSPERSAMPLE, 8}}) {
        uint16_t value = 0;
        TIFFGetField(tiff, tag, &value);
        EXPECT_EQ(value, expected) << tag;
    }
    std::vector<uint8_t> line(static_cast<size_t>(TIFFScanlineSize(tiff)));
    int mismatches = 0;
    for (uint32_t y = 0; y < height; y++) {
        ASSERT_EQ(TIFFReadScanline(tiff, line.data(), y, 0), 1);
        for (uint32_t x = 0; x < width; x++)
            for (int c = 0; c < 3; c++)
                mismatches +=
                    line[x * 3 + c] != *image->pixel(c, static_cast<int>(x), static_cast<int>(y));
    }
    EXPECT_EQ(mismatches, 0);
    TIFFClose(tiff);
    std::filesystem::remove(path);

    // A file that cannot be written is reported, and leaves nothing behind.
    EXPECT_EQ(v.view->snapshotToFile("/nonexistent-folder/snapshot.tiff"), -1);
}

TEST(graphImage, rowFlip) {
    const uint8_t source[] = {1, 2, 3, 4, 5, 6};
    uint8_t flipped[6] = {};
    reversePixelBuffer(source, flipped, 2, 3);
    EXPECT_EQ(std::vector<uint8_t>(flipped, flipped + 6), (std::vector<uint8_t>{5, 6, 3, 4, 1, 2}));
    for (int rows : {0, -2}) {
        uint8_t untouched[6] = {9, 9, 9, 9, 9, 9};
        reversePixelBuffer(source, untouched, 2, rows);
        EXPECT_EQ(untouched[0], 9);
    }
}

TEST(headlessGLContext, resizingReplacesTheFramebuffer) {
    headlessGLContext context;
    ASSERT_TRUE(context.create(8, 4)) << context.error();
    graphGLDraw draw;
    graphGLView view(draw, 30, 5);
    ASSERT_TRUE(context.resize(30, 5));
    EXPECT_EQ(context.width(), 30);
    draw.viewport(0, 0, 30, 5);
    draw.clear(1.0f, 0.0f, 1.0f, 1.0f);
    const uint8_t *frame = view.RGBAPixels();
    ASSERT_NE(frame, nullptr);
    // Every pixel of the larger frame was cleared, the last one included.
    for (int i = 0; i < 30 * 5; i++)
        ASSERT_EQ(frame[i * 4] + frame[i * 4 + 1] + frame[i * 4 + 2], 510) << i;
}

TEST(graphViewPixels, emptyViewHasNoImage) {
    graphRecordingDraw draw;
    graphGLView view(draw, 0.0f, 40.0f);
    EXPECT_EQ(view.RGBAPixels(), nullptr);
    EXPECT_EQ(view.makeImageRep(), nullptr);
    EXPECT_EQ(view.snapshotToFile("/tmp/never-written.tiff"), -1);
}

}  // namespace
