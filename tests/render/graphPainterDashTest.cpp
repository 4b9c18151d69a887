// Dashes in vector output: a stippled line painted into an SVG document keeps its dash
// pattern, stretched by the stipple factor and scaled with the line's width, and the
// boundary of a strict inequality is dashed where a non-strict one is solid.
#include "render/graphPainterDraw.h"
#include "surfaceTestSupport.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QPainter>
#include <QRegularExpression>
#include <QSvgGenerator>

#include <functional>

namespace {

// The dash arrays of every stroked path in the SVG drawn by paint on a 200 x 200
// document, "" for a solid stroke. The generator writes the pen on a group around its paths.
QStringList dashArrays(const std::function<void(graphPainterDraw &)> &paint) {
    QBuffer buffer;
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(QSize(200, 200));
    svg.setViewBox(QRect(0, 0, 200, 200));
    {
        QPainter painter(&svg);
        graphPainterDraw draw(painter, 200, 200);
        draw.prepareState();
        draw.ortho(-5, 5, -5, 5, 0, 1);
        paint(draw);
    }
    QStringList arrays;
    static const QRegularExpression stroke(QStringLiteral("<g[^>]* stroke=\"#[^>]*>\\s*<path"));
    static const QRegularExpression dashes(QStringLiteral("stroke-dasharray=\"([^\"]*)\""));
    for (const auto &path : stroke.globalMatch(QString::fromUtf8(buffer.data()))) {
        const QRegularExpressionMatch dash = dashes.match(path.captured());
        const QString array = dash.hasMatch() ? dash.captured(1) : QString();
        arrays << (array == QLatin1String("none") ? QString() : array);
    }
    return arrays;
}

struct lineCase {
    const char *name;
    bool stippled;
    uint16_t pattern;
    int factor;
    float width;
    const char *dashes;  // the SVG dash array in pixels, "" when solid
};

const lineCase lineCases[] = {
    {"solid pattern", true, 0xFFFF, 1, 1, ""},
    {"stipple off", false, 0x0F0F, 1, 1, ""},
    {"four on, four off", true, 0x0F0F, 1, 1, "4,4,4,4"},
    {"factor stretches every run", true, 0x00FF, 3, 1, "24,24"},
    {"pattern starts at its first dash", true, 0x0FF0, 1, 1, "8,8"},
    {"runs of different lengths", true, 0x0107, 1, 1, "3,5,1,7"},
    {"wide line, runs in widths", true, 0x0F0F, 1, 2, "8,8,8,8"},
};

TEST(painterDashes, aStippledLineKeepsItsPatternInSvg) {
    for (const lineCase &c : lineCases) {
        const QStringList arrays = dashArrays([&](graphPainterDraw &draw) {
            draw.color(0, 0, 1, 1);
            draw.lineWidth(c.width);
            draw.lineStipple(c.factor, c.pattern);
            if (c.stippled) draw.enable(graphCapability::lineStipple);
            draw.begin(graphPrimitive::lines);
            draw.vertex(-4, 0);
            draw.vertex(4, 0);
            draw.end();
        });
        ASSERT_EQ(arrays.size(), 1) << c.name;
        EXPECT_EQ(QString(arrays[0]).remove(QLatin1Char(' ')), QLatin1String(c.dashes)) << c.name;
    }
}

TEST(painterDashes, onlyAStrictInequalityHasADashedBoundary) {
    const struct {
        const char *equation;
        bool dashed;
    } rows[] = {
        {"x^2 + y^2 < 9", true}, {"x^2 + y^2 <= 9", false}, {"y > x", true}, {"y >= x", false}};
    for (const auto &row : rows) {
        const QStringList arrays = dashArrays([&](graphPainterDraw &draw) {
            draw.lineStipple(1, 0x0F0F);
            std::unique_ptr<graphRender> render = renderFor(row.equation, draw);
            render->compileWithBounds({-5, -5, 10, 10}, {0, 0, 200, 200}, Qt::blue);
            render->renderUnder();
            render->render();
        });
        ASSERT_FALSE(arrays.isEmpty()) << row.equation;
        for (const QString &array : arrays)
            EXPECT_EQ(array.isEmpty(), !row.dashed) << row.equation << ": " << array.toStdString();
    }
}

}  // namespace
