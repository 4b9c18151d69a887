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

TEST_F(graphs, pngHasTheSizeAndTheCurveColour) {
    const QString set = path("set.plw");
    ASSERT_EQ(
        run({"new", "-o", set, "--color", "ff0000", "y = sin x", "--color", "0000ff", "y = 20"})
            .status,
        0);

    // From a file at the default size: the line y = 20 lies inside the default region.
    const QString wide = path("wide.png");
    auto r = run({"render", set, "-o", wide});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    QImage image(wide);
    EXPECT_EQ(image.size(), QSize(800, 600));
    EXPECT_GT(cliTest::countTinted(image, 0), 200);
    EXPECT_GT(cliTest::countTinted(image, 2), 400);

    // The same entries given with --eq, smaller, in a region that leaves y = 20 outside.
    const QString narrow = path("narrow.png");
    r = run({"render", "--color", "ff0000", "--eq", "y = sin x", "--color", "0000ff", "y = 20",
             "-o", narrow, "--size", "320x200", "--region", "-10,10,-2,2"});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    image = QImage(narrow);
    EXPECT_EQ(image.size(), QSize(320, 200));
    EXPECT_GT(cliTest::countTinted(image, 0), 200);
    EXPECT_EQ(cliTest::countTinted(image, 2), 0);
}

TEST_F(graphs, tiffSnapshotHasTheRequestedSize) {
    const QString out = path("graph.tiff");
    const auto r = run({"render", "--eq", "y=x", "-o", out, "--size", "123x45"});
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

TEST_F(graphs, surfaceOptionsReachTheImage) {
    // Shaded and wireframe draw the same surface differently; both fill part of the image.
    const QString shaded = path("shaded.png"), wire = path("wire.png");
    const QStringList base{"render",      "--keys", "z=sinx\\>*cosy", "--size", "200x150",
                           "--divisions", "30",     "--rotation",     "20,-30"};
    ASSERT_EQ(run(base + QStringList{"-o", shaded, "--draw-mode", "2"}).status, 0);
    ASSERT_EQ(run(base + QStringList{"-o", wire, "--draw-mode", "1"}).status, 0);
    const QImage a(shaded), b(wire);
    ASSERT_EQ(a.size(), QSize(200, 150));
    EXPECT_NE(a, b);
    EXPECT_LT(cliTest::countNear(a, 255, 255, 255, 0), 200 * 150 * 9 / 10);
}

TEST_F(graphs, failureNamesTheEntryWritesNothingAndKeepsTheOldImage) {
    const QString out = path("keep.png");
    ASSERT_EQ(run({"render", "--eq", "y=x", "-o", out, "--size", "50x50"}).status, 0);
    const QByteArray before = cliTest::readFile(out);
    const std::pair<QStringList, const char *> cases[] = {
        {{"--eq", "y=x", "y=?"}, "entry 2 (y = ?): \"?\" must be replaced before graphing."},
        {{"--keys", "y=x", "x=1,x=2"},
         "entry 2 (x = 1 , x = 2): X redefined in parametric equation."},
        {{"--eq", "y = x", "y = x = 2"},
         "entry 2 (y = x = 2): a second = at column 7: an equation has one =; separate the "
         "parts of a parametric equation with commas"},
    };
    for (const auto &[entries, message] : cases) {
        for (const QString &target : {out, path("never.png")}) {
            const auto r = run(QStringList{"render", "-o", target} + entries);
            EXPECT_EQ(r.status, 1);
            EXPECT_EQ(r.err, QStringLiteral("plotweave-cli: ") + message + "\n");
        }
    }
    EXPECT_EQ(cliTest::readFile(out), before);
    EXPECT_FALSE(QFile::exists(path("never.png")));
}

TEST_F(graphs, badRequestsAreRefusedBeforeWriting) {
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
        {{"--t-range", "0,1000"}, 1, "at most 500 long"},
        {{"--const", "pi=3"}, 1, "--const"},
        {{"--rotation", "1"}, 1, "--rotation"},
        {{"--scale", "0"}, 1, "--scale"},
        {{"--scale", "11"}, 1, "--scale"},
        {{"--frobnicate", "1"}, 2, "unknown option"},
        {{"--k"}, 2, "needs a value"},
    };
    for (const request &c : cases) {
        const auto r = run(QStringList{"render", "--eq", "y=x", "-o", out} + c.extra);
        EXPECT_EQ(r.status, c.status) << c.extra.join(' ').toStdString();
        EXPECT_TRUE(r.err.contains(QString::fromUtf8(c.reason))) << r.err.toStdString();
        EXPECT_FALSE(QFile::exists(out)) << c.extra.join(' ').toStdString();
    }
    for (const QString &target : {path("missing/out.png"), path("out.bmp"), dir.path()}) {
        const auto r = run({"render", "--eq", "y=x", "-o", target});
        EXPECT_EQ(r.status, 1) << target.toStdString();
        EXPECT_FALSE(r.err.isEmpty());
    }
    EXPECT_EQ(run({"render", "--eq", "y=x"}).status, 2);
    EXPECT_EQ(run({"render", "-o", out}).status, 2);
    EXPECT_EQ(run({"render", path("a.plw"), "--eq", "y=x", "-o", out}).status, 2);
    EXPECT_EQ(run({"render", path("absent.plw"), "-o", out}).status, 1);
}

// Formulas given as text (the parser's own tests hold its rules) and a --const value reach
// the renderer: the first and last samples over -10..10 lie where the formula puts them.
TEST(geometry, textEquationsDrawWhatTheySay) {
    const std::pair<const char *, double (*)(double)> cases[] = {
        {"y = x^2/8 - 3", [](double x) { return x * x / 8 - 3; }},
        {"y = a x", [](double x) { return 1.5 * x; }},
    };
    for (const auto &[text, f] : cases) {
        const auto r =
            run({"geometry", "--eq", text, "--region", "-10,10,-2,2", "--const", "a=1.5"});
        ASSERT_EQ(r.status, 0) << text << ": " << r.err.toStdString();
        const QStringList lines = r.lines();
        ASSERT_EQ(lines.size(), 2) << r.out.toStdString();
        EXPECT_EQ(lines[0], "renderer 0 graph2DRender");
        const QStringList p = lines[1].split(' ');
        ASSERT_EQ(p.size(), 9) << lines[1].toStdString();
        EXPECT_EQ(p[1] + p[2], "GL_LINE_STRIP1201");
        EXPECT_DOUBLE_EQ(p[4].toDouble(), -10.0);
        EXPECT_NEAR(p[5].toDouble(), f(-10.0), 1e-4 * (1 + std::fabs(f(-10.0)))) << text;
        EXPECT_NEAR(p[7].toDouble(), 10.0, 1e-5);
        EXPECT_NEAR(p[8].toDouble(), f(p[7].toDouble()), 1e-4 * (1 + std::fabs(f(10.0)))) << text;
    }
}

TEST(geometry, kindsRangesAndDivisionsReachTheRenderers) {
    // A parametric circle over half a turn, a surface at 10 divisions in points mode.
    const auto r = run({"geometry", "--eq", "x = cos t, y = sin t", "z = x y", "--t-range",
                        "0,3.14159265", "--divisions", "10", "--draw-mode", "0", "--k", "3"});
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

TEST(geometry, labelsOfA3DGraphCoverItsThreeAxes) {
    // z = x y / 4 + 100 over -10..10, fitted into view: x and y labels within -10..10,
    // z labels within the drawn heights 75..125, and the size caption.
    const auto r = run({"geometry", "--eq", "z = x y / 4 + 100", "--fit", "--labels"});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    QStringList names;
    int heights = 0, others = 0;
    for (const QString &line : r.lines()) {
        if (!line.startsWith("label ")) continue;
        const QStringList parts = line.split(' ');
        ASSERT_EQ(parts.size(), 4) << line.toStdString();
        bool number = false;
        const double value = parts[3].toDouble(&number);
        if (!number) {
            names << parts[3];
        } else if (value > 10.0) {
            EXPECT_GE(value, 75.0) << line.toStdString();
            EXPECT_LE(value, 125.0) << line.toStdString();
            heights++;
        } else {
            EXPECT_GE(value, -10.0) << line.toStdString();
            others++;
        }
    }
    // The axes start at the origin, outside the fitted view: their names stay out.
    EXPECT_EQ(names, QStringList{"20x20"});
    EXPECT_GE(heights, 2) << r.out.toStdString();
    EXPECT_GE(others, 4) << r.out.toStdString();

    // An implicit surface is a 3D graph of triangles.
    const auto sphere = run({"geometry", "--eq", "x^2 + y^2 + z^2 = 9", "--divisions", "20"});
    ASSERT_EQ(sphere.status, 0) << sphere.err.toStdString();
    ASSERT_GE(sphere.lines().size(), 2);
    EXPECT_EQ(sphere.lines()[0], "renderer 0 graph3DImplicitRender");
    EXPECT_TRUE(sphere.lines()[1].startsWith("primitive GL_TRIANGLES "))
        << sphere.out.toStdString();
}

}  // namespace
