// plotweave-cli render to SVG and PDF, and what the command line adds to a picture:
// palette colours, the legend, fitted ranges and scaled labels.
#include "cliTestSupport.h"

#include <QFile>
#include <QPainter>
#include <QProcess>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <QXmlStreamReader>

#include <cmath>

#include "view/graphDefaults.h"

using cliTest::run;

namespace {

class output : public ::testing::Test {
protected:
    QString path(const char *name) const { return dir.filePath(QString::fromUtf8(name)); }
    QTemporaryDir dir;
};

// The SVG's paths stroked in each colour, and its texts.
struct svgContents {
    std::map<QString, int> pathsByStroke;
    QStringList texts;
    int images = 0;
    double largestCoordinate = 0.0;
};

svgContents readSvg(const QString &file) {
    svgContents c;
    QFile f(file);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&f);
    std::vector<QString> strokes{QString()};
    static const QRegularExpression number(QStringLiteral("-?[0-9.]+(e[-+]?[0-9]+)?"));
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            const QString stroke = xml.attributes().value(QStringLiteral("stroke")).toString();
            strokes.push_back(stroke.isEmpty() ? strokes.back() : stroke);
            if (xml.name() == QLatin1String("path")) {
                c.pathsByStroke[strokes.back()]++;
                auto numbers =
                    number.globalMatch(xml.attributes().value(QStringLiteral("d")).toString());
                while (numbers.hasNext())
                    c.largestCoordinate = std::max(c.largestCoordinate,
                                                   std::fabs(numbers.next().captured().toDouble()));
            } else if (xml.name() == QLatin1String("text")) {
                c.texts.push_back(xml.readElementText());
                strokes.pop_back();
            } else if (xml.name() == QLatin1String("image")) {
                c.images++;
            }
        } else if (xml.isEndElement()) {
            strokes.pop_back();
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return c;
}

// Line strips per renderer, as the geometry command counts them.
std::vector<int> stripCounts(const QStringList &args) {
    const auto r = run(QStringList{"geometry"} + args);
    std::vector<int> counts;
    for (const QString &line : r.lines()) {
        if (line.startsWith(QLatin1String("renderer")))
            counts.push_back(0);
        else if (line.contains(QLatin1String("GL_LINE_STRIP")) && !counts.empty())
            counts.back()++;
    }
    return counts;
}

TEST_F(output, svgHoldsOnePathPerStripAndRealLabels) {
    // The second curve is undefined for |x| < 1: two strips.
    const QStringList keys{"--keys", "y=sinx", "y=(x^2\\>-1)^(1/2)", "--region", "-10,10,-1.5,1.5"};
    const QString svg = path("graph.svg");
    const auto r = run(QStringList{"render"} + keys + QStringList{"-o", svg});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();

    const svgContents c = readSvg(svg);
    EXPECT_EQ(stripCounts(keys), (std::vector<int>{1, 2}));
    EXPECT_EQ(c.pathsByStroke.at(QStringLiteral("#1f77b4")), 1);
    EXPECT_EQ(c.pathsByStroke.at(QStringLiteral("#d62728")), 2);
    for (const char *label : {"-8", "-2", "0", "2", "8", "-1.000", "0.500", "1.000"})
        EXPECT_TRUE(c.texts.contains(QString::fromUtf8(label)))
            << label << " in " << c.texts.join(' ').toStdString();
    EXPECT_EQ(c.texts.count(QStringLiteral("0")) + c.texts.count(QStringLiteral("0.000")), 1);

    // Qt's own SVG reader draws it back with the curves in their colours.
    QSvgRenderer renderer(svg);
    ASSERT_TRUE(renderer.isValid());
    QImage image(800, 600, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    renderer.render(&painter);
    painter.end();
    EXPECT_GT(cliTest::countNear(image, 0x1f, 0x77, 0xb4), 300);
    EXPECT_GT(cliTest::countNear(image, 0xd6, 0x27, 0x28), 100);
}

TEST_F(output, pdfRendersBackLikeThePNG) {
    const QStringList keys{"render",      "--keys", "y=sinx",  "y=x^2\\>/8\\>-3", "--region",
                           "-10,10,-4,4", "--size", "400x300", "--legend"};
    const QString pdf = path("graph.pdf"), png = path("graph.png");
    ASSERT_EQ(run(keys + QStringList{"-o", pdf}).status, 0);
    ASSERT_EQ(run(keys + QStringList{"-o", png}).status, 0);
    EXPECT_TRUE(cliTest::readFile(pdf).startsWith("%PDF"));

    QProcess pdftoppm;
    pdftoppm.start(QStringLiteral("pdftoppm"),
                   {"-r", "72", "-png", "-singlefile", pdf, path("back")});
    ASSERT_TRUE(pdftoppm.waitForFinished(30000));
    ASSERT_EQ(pdftoppm.exitCode(), 0) << pdftoppm.readAllStandardError().toStdString();
    const QImage back(path("back.png")), direct(png);
    ASSERT_EQ(back.size(), QSize(400, 300));
    ASSERT_EQ(direct.size(), back.size());
    // Only anti-aliasing, glyph hinting and the half pixel by which the PNG centres its
    // lines may differ: each pixel has a close match within one pixel in the other image.
    auto distance = [](QRgb a, QRgb b) {
        return std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
               std::abs(qBlue(a) - qBlue(b));
    };
    int different = 0;
    for (int y = 1; y + 1 < back.height(); y++)
        for (int x = 1; x + 1 < back.width(); x++) {
            int nearest = 765;
            for (int dy = -1; dy <= 1; dy++)
                for (int dx = -1; dx <= 1; dx++)
                    nearest =
                        std::min(nearest, distance(back.pixel(x, y), direct.pixel(x + dx, y + dy)));
            different += nearest > 150;
        }
    EXPECT_LT(different, back.width() * back.height() / 100);
    EXPECT_GT(cliTest::countTinted(back, 0), 200);

    // The labels and the legend are text a reader can find.
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    ASSERT_TRUE(pdftotext.waitForFinished(30000));
    const QString text = QString::fromUtf8(pdftotext.readAllStandardOutput());
    for (const char *word : {"y = sin(x)", "-8", "-4"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(word))) << word << " in " << text.toStdString();
}

TEST_F(output, twoDGraphsNeverStartOpenGL) {
    // With no EGL driver to be found, 3D cannot be drawn; 2D in every painted format can.
    const QStringList noDriver{"__EGL_VENDOR_LIBRARY_FILENAMES=/nonexistent.json"};
    for (const char *name : {"curve.png", "curve.svg", "curve.pdf"}) {
        const auto r = run({"render", "--keys", "y=x^2", "-o", path(name)}, noDriver);
        EXPECT_EQ(r.status, 0) << name << ": " << r.err.toStdString();
    }
    const auto surface = run({"render", "--keys", "z=xy", "-o", path("surface.png")}, noDriver);
    EXPECT_EQ(surface.status, 1);
    EXPECT_TRUE(surface.err.contains(QStringLiteral("no headless OpenGL")))
        << surface.err.toStdString();
}

// A 3D graph is its image in every format, on the window's 3D background. (How --fit
// frames a surface is the view's test; the wiring of --fit, geometry's labels test.)
TEST_F(output, threeDGraphsEmbedTheirImage) {
    const QString svg = path("surface.svg"), pdf = path("surface.pdf"), png = path("surface.png");
    const QStringList keys{"render", "--keys", "z=xy", "--size", "200x150"};
    ASSERT_EQ(run(keys + QStringList{"-o", svg}).status, 0);
    ASSERT_EQ(run(keys + QStringList{"-o", pdf}).status, 0);
    ASSERT_EQ(run(keys + QStringList{"-o", png}).status, 0);
    EXPECT_EQ(readSvg(svg).images, 1);
    EXPECT_TRUE(cliTest::readFile(pdf).contains("/Image"));
    EXPECT_EQ(QImage(png).pixelColor(0, 0).rgb(), graphDefaults::backgroundColor3D.rgb());
}

TEST_F(output, curvesFarBeyondTheViewStayBoundedInTheDocument) {
    // 10^x reaches 1e300 and then infinity inside the x range.
    const QString svg = path("steep.svg");
    ASSERT_EQ(run({"render", "--keys", "y=10^x", "y=-1/x", "--region", "-10,400,-10,10", "-o", svg})
                  .status,
              0);
    const svgContents c = readSvg(svg);
    EXPECT_EQ(c.pathsByStroke.at(QStringLiteral("#1f77b4")), 1);
    EXPECT_LT(c.largestCoordinate, 1e4);
}

TEST_F(output, paletteLegendFitAndScaleShowInPixels) {
    // Three typed entries in the palette's first three colours; the legend puts all three
    // in the upper right corner, where the lines themselves do not pass.
    const QStringList lines{"render",   "--keys",      "y=-1",   "y=-2",   "y=-3",
                            "--region", "-10,10,-5,5", "--size", "400x300"};
    const QString plain = path("plain.png"), legend = path("legend.png");
    ASSERT_EQ(run(lines + QStringList{"-o", plain}).status, 0);
    ASSERT_EQ(run(lines + QStringList{"-o", legend, "--legend"}).status, 0);
    const QRgb palette[] = {0x1f77b4, 0xd62728, 0x2ca02c};
    const QImage a(plain), b(legend);
    const QImage cornerA = a.copy(250, 0, 150, 80), cornerB = b.copy(250, 0, 150, 80);
    for (QRgb c : palette) {
        EXPECT_GT(cliTest::countNear(a, qRed(c), qGreen(c), qBlue(c), 30), 300) << std::hex << c;
        EXPECT_EQ(cliTest::countNear(cornerA, qRed(c), qGreen(c), qBlue(c), 30), 0)
            << std::hex << c;
        EXPECT_GT(cliTest::countNear(cornerB, qRed(c), qGreen(c), qBlue(c), 30), 20)
            << std::hex << c;
    }

    // y = x^2/10 + 5 lies wholly above the region 0..1; fitted, it fills the height.
    const QStringList parabola{"render",   "--keys", "y=x^2\\>/10\\>+5", "--region",
                               "-3,3,0,1", "--size", "200x200"};
    const QString outside = path("outside.png"), fitted = path("fitted.png");
    ASSERT_EQ(run(parabola + QStringList{"-o", outside}).status, 0);
    ASSERT_EQ(run(parabola + QStringList{"-o", fitted, "--fit"}).status, 0);
    auto rowsWithCurve = [](const QImage &image) {
        int rows = 0;
        for (int y = 0; y < image.height(); y++)
            for (int x = 0; x < image.width(); x++)
                if (qBlue(image.pixel(x, y)) - qRed(image.pixel(x, y)) > 60) {
                    rows++;
                    break;
                }
        return rows;
    };
    EXPECT_EQ(rowsWithCurve(QImage(outside)), 0);
    EXPECT_GT(rowsWithCurve(QImage(fitted)), 120);

    // At twice the size and --scale 2 the labels and lines are twice as large: four
    // times the dark pixels, not twice as for longer lines alone.
    const QString small = path("small.png"), large = path("large.png");
    const QStringList sine{"render", "--keys", "y=sinx", "--region", "-10,10,-1.5,1.5"};
    ASSERT_EQ(run(sine + QStringList{"-o", small, "--size", "300x200"}).status, 0);
    ASSERT_EQ(run(sine + QStringList{"-o", large, "--size", "600x400", "--scale", "2"}).status, 0);
    const double ratio = static_cast<double>(cliTest::countNear(QImage(large), 0, 0, 0, 100)) /
                         cliTest::countNear(QImage(small), 0, 0, 0, 100);
    EXPECT_GT(ratio, 3.2);
    EXPECT_LT(ratio, 5.0);
}

}  // namespace
