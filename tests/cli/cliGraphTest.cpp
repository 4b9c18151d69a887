// plotweave-cli render and geometry: images of the right size with the curve where the
// region puts it, the renderers' primitives, and refused requests that write nothing.
#include "cliTestSupport.h"

#include <QFile>

#include <tiffio.h>

#include <cmath>

using cliTest::run;

namespace {

class graphs : public ::testing::Test {
protected:
    QString path(const char *name) const { return dir.filePath(QString::fromUtf8(name)); }
    QTemporaryDir dir;
};

TEST_F(graphs, pngHasTheSizeAndTheCurveColour)
{
    const QString set = path("set.plw");
    ASSERT_EQ(run({"new", "-o", set, "--color", "ff0000", "y=sinx", "--color", "0000ff", "y=20"}).status, 0);

    // The default size; the line y = 20 lies inside the default region.
    const QString wide = path("wide.png");
    auto r = run({"render", set, "-o", wide});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    QImage image(wide);
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(800, 600));
    EXPECT_GT(cliTest::countTinted(image, 0), 200);
    EXPECT_GT(cliTest::countTinted(image, 2), 400);

    // A smaller size and a region that leaves y = 20 outside.
    const QString narrow = path("narrow.png");
    r = run({"render", set, "-o", narrow, "--size", "320x200", "--region", "-10,10,-2,2"});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    image = QImage(narrow);
    EXPECT_EQ(image.size(), QSize(320, 200));
    EXPECT_GT(cliTest::countTinted(image, 0), 200);
    EXPECT_EQ(cliTest::countTinted(image, 2), 0);
}

TEST_F(graphs, tiffSnapshotHasTheRequestedSize)
{
    const QString out = path("graph.tiff");
    const auto r = run({"render", "--keys", "y=x", "-o", out, "--size", "123x45"});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    TIFF *tiff = TIFFOpen(out.toUtf8().constData(), "r");
    ASSERT_NE(tiff, nullptr);
    uint32_t width = 0, height = 0;
    TIFFGetField(tiff, TIFFTAG_IMAGEWIDTH, &width);
    TIFFGetField(tiff, TIFFTAG_IMAGELENGTH, &height);
    TIFFClose(tiff);
    EXPECT_EQ(width, 123u);
    EXPECT_EQ(height, 45u);
}

TEST_F(graphs, surfaceOptionsReachTheImage)
{
    // Shaded and wireframe draw the same surface differently; both fill part of the image.
    const QString shaded = path("shaded.png"), wire = path("wire.png");
    const QStringList base{"render", "--keys", "z=sinx\\>*cosy", "--size", "200x150", "--divisions", "30",
                           "--rotation", "20,-30"};
    ASSERT_EQ(run(base + QStringList{"-o", shaded, "--draw-mode", "2"}).status, 0);
    ASSERT_EQ(run(base + QStringList{"-o", wire, "--draw-mode", "1"}).status, 0);
    const QImage a(shaded), b(wire);
    ASSERT_EQ(a.size(), QSize(200, 150));
    EXPECT_NE(a, b);
    EXPECT_LT(cliTest::countNear(a, 255, 255, 255, 0), 200 * 150 * 9 / 10);
}

TEST_F(graphs, classificationFailureWritesNothingAndKeepsTheOldImage)
{
    const QString out = path("keep.png");
    ASSERT_EQ(run({"render", "--keys", "y=x", "-o", out, "--size", "50x50"}).status, 0);
    const QByteArray before = cliTest::readFile(out);
    const auto r = run({"render", "--keys", "y=x", "y=", "-o", out});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "\"?\" must be replaced before graphing.\n");
    EXPECT_EQ(cliTest::readFile(out), before);

    const auto fresh = run({"render", "--keys", "x=1,x=2", "-o", path("never.png")});
    EXPECT_EQ(fresh.status, 1);
    EXPECT_EQ(fresh.err, "X redefined in parametric equation.\n");
    EXPECT_FALSE(QFile::exists(path("never.png")));
}

TEST_F(graphs, badRequestsAreRefusedBeforeWriting)
{
    const QString out = path("out.png");
    struct request {
        QStringList extra;
        int status;
        const char *reason;
    };
    const request cases[] = {
        {{"--size", "0x10"}, 1, "--size"},
        {{"--size", "big"}, 1, "--size"},
        {{"--k", "nan"}, 1, "--k"},
        {{"--region", "1,0,0,1"}, 1, "--region"},
        {{"--region", "0,1,0"}, 1, "--region"},
        {{"--grid", "0,1"}, 1, "--grid"},
        {{"--grid", "0.001,0.001"}, 1, "too small"},
        {{"--draw-mode", "4"}, 1, "--draw-mode"},
        {{"--divisions", "201"}, 1, "--divisions"},
        {{"--t-range", "3,1"}, 1, "--t-range"},
        {{"--s-range", "x,1"}, 1, "--s-range"},
        {{"--rotation", "1"}, 1, "--rotation"},
        {{"--scale", "0"}, 1, "--scale"},
        {{"--scale", "11"}, 1, "--scale"},
        {{"--frobnicate", "1"}, 2, "unknown option"},
        {{"--k"}, 2, "needs a value"},
    };
    for (const request &c : cases) {
        const auto r = run(QStringList{"render", "--keys", "y=x", "-o", out} + c.extra);
        EXPECT_EQ(r.status, c.status) << c.extra.join(' ').toStdString();
        EXPECT_TRUE(r.err.contains(QString::fromUtf8(c.reason))) << r.err.toStdString();
        EXPECT_FALSE(QFile::exists(out)) << c.extra.join(' ').toStdString();
    }
    for (const QString &target : {path("missing/out.png"), path("out.bmp"), dir.path()}) {
        const auto r = run({"render", "--keys", "y=x", "-o", target});
        EXPECT_EQ(r.status, 1) << target.toStdString();
        EXPECT_FALSE(r.err.isEmpty());
    }
    EXPECT_EQ(run({"render", "--keys", "y=x"}).status, 2);
    EXPECT_EQ(run({"render", "-o", out}).status, 2);
    EXPECT_EQ(run({"render", path("absent.plw"), "-o", out}).status, 1);
}

TEST(geometry, curveSamplesSpanTheRegion)
{
    const auto r = run({"geometry", "--keys", "y=sinx", "--region", "-10,10,-2,2"});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    const QStringList lines = r.lines();
    ASSERT_EQ(lines.size(), 2) << r.out.toStdString();
    EXPECT_EQ(lines[0], "renderer 0 graph2DRender");
    const QStringList f = lines[1].split(' ');
    ASSERT_EQ(f.size(), 9) << lines[1].toStdString();
    EXPECT_EQ(f[0], "primitive");
    EXPECT_EQ(f[1], "GL_LINE_STRIP");
    EXPECT_EQ(f[2], "1201");
    EXPECT_EQ(f[3], "first");
    EXPECT_DOUBLE_EQ(f[4].toDouble(), -10.0);
    EXPECT_NEAR(f[5].toDouble(), std::sin(-10.0), 1e-6);
    EXPECT_EQ(f[6], "last");
    EXPECT_NEAR(f[7].toDouble(), 10.0, 1e-5);
    EXPECT_NEAR(f[8].toDouble(), std::sin(10.0), 1e-5);
}

TEST(geometry, kindsRangesAndDivisionsReachTheRenderers)
{
    // A parametric circle over half a turn, a surface at 10 divisions in points mode.
    const auto r = run({"geometry", "--keys", "x=cost,y=sint", "z=xy", "--t-range", "0,3.14159265",
                        "--divisions", "10", "--draw-mode", "0", "--k", "3"});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    const QStringList lines = r.lines();
    ASSERT_GE(lines.size(), 4) << r.out.toStdString();
    EXPECT_EQ(lines[0], "renderer 0 graph2DParametricCurveRender");
    const QStringList curve = lines[1].split(' ');
    ASSERT_EQ(curve.size(), 9) << lines[1].toStdString();
    EXPECT_NEAR(curve[4].toDouble(), 1.0, 1e-6);
    EXPECT_NEAR(curve[5].toDouble(), 0.0, 1e-6);
    // The last sample falls within one step of t = pi.
    EXPECT_NEAR(curve[7].toDouble(), -1.0, 0.01);
    EXPECT_NEAR(curve[8].toDouble(), 0.0, 0.1);
    const int surface = static_cast<int>(lines.indexOf("renderer 1 graph3DRender"));
    ASSERT_GT(surface, 1) << r.out.toStdString();
    // Points mode: one block of 10 x 10 samples, each with x, y and z.
    const QStringList points = lines[surface + 1].split(' ');
    ASSERT_EQ(points.size(), 11) << lines[surface + 1].toStdString();
    EXPECT_EQ(points[1], "GL_POINTS");
    EXPECT_EQ(points[2], "100");
    EXPECT_NEAR(points[6].toDouble(), points[4].toDouble() * points[5].toDouble(), 1e-4);
}

TEST(geometry, classificationFailureIsReported)
{
    const auto r = run({"geometry", "--keys", "z"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "cannot graph functions containing Z.\n");
    EXPECT_TRUE(r.out.isEmpty());
}

}  // namespace
