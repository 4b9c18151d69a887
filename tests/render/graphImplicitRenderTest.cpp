// Implicit curves, polar curves and inequalities: vertices on the curve, strips that
// cover it, no strokes across poles, and shaded regions as painted.
#include "render/graph2DImplicitRender.h"
#include "render/graph2DInequalityRender.h"
#include "render/graphPainterDraw.h"
#include "render/graphPolarRender.h"
#include "render/graphRecordingDraw.h"
#include "render/graphRenderFactory.h"
#include "textEquation.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include <cmath>
#include <functional>
#include <memory>
#include <string>

namespace {

constexpr double pi = 3.14159265358979323846;
constexpr float viewWidth = 800.0f, viewHeight = 600.0f;

std::unique_ptr<graphRender> renderOf(grEquation *equation, graphDraw &draw) {
    std::unique_ptr<graphRender> render = graphNewRenderForKind(equation->kind, draw);
    if (!render) throw std::runtime_error("no renderer");
    render->initWithEquation(equation);
    return render;
}

grEquation *classified(grExp *tree) {
    grEquation *q = grNewEquation(tree);
    if (q == nullptr) throw std::runtime_error(gGraphExpressionError);
    return q;
}

double segmentDistance(graphContourPoint p, graphContourPoint a, graphContourPoint b) {
    const double dx = b.x - a.x, dy = b.y - a.y, length2 = dx * dx + dy * dy;
    const double t =
        length2 > 0.0 ? std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / length2, 0.0, 1.0) : 0.0;
    return std::hypot(a.x + t * dx - p.x, a.y + t * dy - p.y);
}

using curvePoints = std::function<std::vector<graphContourPoint>()>;

// Points of the true curve from a parametrisation, n steps of u over [from, to].
curvePoints traced(double from, double to, std::function<graphContourPoint(double)> at) {
    return [=] {
        std::vector<graphContourPoint> points;
        for (int i = 0; i <= 4000; i++) points.push_back(at(from + (to - from) * i / 4000.0));
        return points;
    };
}

struct implicitRow {
    const char *name;
    const char *equation;
    graphRect region;
    std::vector<curvePoints> pieces;  // the true curve, for coverage
    size_t strips;                    // expected strip count, 0 when not checked
};

TEST(ImplicitCurves, VerticesLieOnTheCurveAndStripsCoverIt) {
    auto lemniscate = [](double sign) {
        return traced(-pi / 4 + 1e-9, pi / 4 - 1e-9, [sign](double a) {
            const double r = std::sqrt(2.0 * std::cos(2.0 * a));
            return graphContourPoint{sign * r * std::cos(a), r * std::sin(a)};
        });
    };
    auto elliptic = [](double from, double to, double sign) {
        return traced(from, to, [sign](double x) {
            return graphContourPoint{x, sign * std::sqrt(std::max(0.0, x * x * x - x))};
        });
    };
    const implicitRow rows[] = {
        {"circle",
         "x^2 + y^2 = 25",
         {-8, -6, 16, 12},
         {traced(0, 2 * pi,
                 [](double a) {
                     return graphContourPoint{5 * std::cos(a), 5 * std::sin(a)};
                 })},
         1},
        {"lemniscate, crossing at the origin",
         "(x^2 + y^2)^2 = 2 * (x^2 - y^2)",
         {-2, -1.5, 4, 3},
         {lemniscate(1.0), lemniscate(-1.0)},
         0},
        {"folium",
         "x^3 + y^3 = 3 * x * y",
         {-4, -3, 8, 6},
         {traced(-0.5, 20,
                 [](double t) {
                     return graphContourPoint{3 * t / (1 + t * t * t), 3 * t * t / (1 + t * t * t)};
                 })},
         0},
        {"elliptic curve, two pieces",
         "y^2 = x^3 - x",
         {-3, -3, 6, 4.5},
         {elliptic(-1, 0, 1), elliptic(-1, 0, -1), elliptic(1, 2.2, 1), elliptic(1, 2.2, -1)},
         2},
        {"x = 3 written implicitly",
         "x - 3 = 0",
         {-5, -5, 10, 10},
         {traced(-5, 5,
                 [](double y) {
                     return graphContourPoint{3, y};
                 })},
         1},
        {"sin x = cos y", "sin(x) = cos(y)", {-7, -5, 14, 10}, {}, 0},
        {"x y = 1",
         "x * y = 1",
         {-5, -5, 10, 10},
         {traced(0.2, 5,
                 [](double x) {
                     return graphContourPoint{x, 1 / x};
                 }),
          traced(-5, -0.2,
                 [](double x) {
                     return graphContourPoint{x, 1 / x};
                 })},
         2},
    };
    for (const implicitRow &row : rows) {
        graphRecordingDraw draw;
        std::unique_ptr<graphRender> render = renderOf(testEquation(row.equation), draw);
        auto &implicit = dynamic_cast<graph2DImplicitRender &>(*render);
        render->setBounds(row.region);
        render->compileWithBounds(row.region, {0, 0, viewWidth, viewHeight}, Qt::blue);
        const double pixel = row.region.width / viewWidth;

        // Distance to the true curve |h| / |grad h| under half a pixel at every vertex.
        size_t vertices = 0;
        for (const auto &strip : implicit.strips())
            for (const graphContourPoint &v : strip) {
                const double step = 1e-6;
                double x[5] = {v.x, v.x + step, v.x - step, v.x, v.x};
                double y[5] = {v.y, v.y, v.y, v.y + step, v.y - step};
                double h[5];
                implicit.evaluateDifference(x, y, 5, h);
                const double gx = (h[1] - h[2]) / (2 * step), gy = (h[3] - h[4]) / (2 * step);
                // At the lemniscate's crossing the gradient vanishes, and so does h.
                const double distance = h[0] == 0.0 ? 0.0 : std::fabs(h[0]) / std::hypot(gx, gy);
                EXPECT_LT(distance, 0.5 * pixel) << row.name << " at " << v.x << ", " << v.y;
                vertices++;
            }
        EXPECT_GT(vertices, 10u) << row.name;
        if (row.strips != 0) {
            EXPECT_EQ(implicit.strips().size(), row.strips) << row.name;
        }

        // Every point of the true curve within 2 pixels of a drawn segment.
        for (const curvePoints &piece : row.pieces)
            for (const graphContourPoint &p : piece()) {
                if (p.x < row.region.x || p.x > row.region.x + row.region.width ||
                    p.y < row.region.y || p.y > row.region.y + row.region.height)
                    continue;
                double nearest = INFINITY;
                for (const auto &strip : implicit.strips())
                    for (size_t i = 0; i + 1 < strip.size(); i++)
                        nearest = std::min(nearest, segmentDistance(p, strip[i], strip[i + 1]));
                ASSERT_LT(nearest, 2.0 * pixel) << row.name << ": gap at " << p.x << ", " << p.y;
            }
    }
}

TEST(ImplicitCurves, ACircleIsOneClosedStrip) {
    graphRecordingDraw draw;
    std::unique_ptr<graphRender> render = renderOf(testEquation("x^2 + y^2 = 25"), draw);
    const graphRect region{-8, -6, 16, 12};
    render->compileWithBounds(region, {0, 0, viewWidth, viewHeight}, Qt::blue);
    const auto strips = graphRecordingDraw::strips(draw.list(render->getCompileList()));
    ASSERT_EQ(strips.size(), 1u);
    EXPECT_EQ(strips[0].primitive, graphPrimitive::lineStrip);
    EXPECT_EQ(strips[0].vertices.front(), strips[0].vertices.back());
}

struct poleRow {
    const char *name;
    const char *equation;
    graphRect region;
    std::vector<double> asymptotesX, asymptotesY;
};

TEST(ImplicitCurves, NoSegmentCrossesAnAsymptote) {
    const poleRow rows[] = {
        {"x y = 1", "x * y = 1", {-5, -5, 10, 10}, {0.0}, {0.0}},
        {"y - tan x = 0",
         "y - tan(x) = 0",
         {-5, -5, 10, 10},
         {-3 * pi / 2, -pi / 2, pi / 2, 3 * pi / 2},
         {}},
    };
    for (const poleRow &row : rows) {
        graphRecordingDraw draw;
        std::unique_ptr<graphRender> render = renderOf(testEquation(row.equation), draw);
        auto &implicit = dynamic_cast<graph2DImplicitRender &>(*render);
        render->compileWithBounds(row.region, {0, 0, 400, 400}, Qt::blue);
        size_t segments = 0;
        for (const auto &strip : implicit.strips())
            for (size_t i = 0; i + 1 < strip.size(); i++, segments++) {
                const graphContourPoint a = strip[i], b = strip[i + 1];
                for (double x : row.asymptotesX)
                    EXPECT_FALSE((a.x - x) * (b.x - x) < 0.0)
                        << row.name << ": " << a.x << ", " << a.y << " to " << b.x << ", " << b.y;
                for (double y : row.asymptotesY)
                    EXPECT_FALSE((a.y - y) * (b.y - y) < 0.0)
                        << row.name << ": " << a.x << ", " << a.y << " to " << b.x << ", " << b.y;
            }
        EXPECT_GT(segments, 100u) << row.name;
    }
}

// The same grid without refinement misses a small oval that refinement finds.
TEST(ImplicitCurves, RefinementFindsWhatTheGridMisses) {
    auto circle = [](const double *xs, const double *ys, int n, double *out) {
        for (int i = 0; i < n; i++) out[i] = (xs[i] - 0.3) * (xs[i] - 0.3) + ys[i] * ys[i] - 0.04;
    };
    graphContourOptions coarse;
    coarse.columns = coarse.rows = 10;
    coarse.maxDepth = 0;
    EXPECT_TRUE(graphContour(-5, -5, 10, 10, coarse, circle).strips.empty());
    graphContourOptions refined = coarse;
    refined.maxDepth = 4;
    const graphContourResult found = graphContour(-5, -5, 10, 10, refined, circle);
    ASSERT_EQ(found.strips.size(), 1u);
    for (const graphContourPoint &p : found.strips[0])
        EXPECT_NEAR(std::hypot(p.x - 0.3, p.y), 0.2, 1e-3);
}

grEquation *polarEquation(const char *f) {
    return testEquation((std::string("r = ") + f).c_str());
}

TEST(PolarCurves, PointsSatisfyTheEquationOverTheirRange) {
    struct row {
        const char *name, *f;
        std::function<double(double)> r;
    } rows[] = {
        {"cardioid", "1 + cos(θ)", [](double a) { return 1 + std::cos(a); }},
        {"rose", "sin(2θ)", [](double a) { return std::sin(2 * a); }},
        {"circle", "2", [](double) { return 2.0; }},
    };
    for (const row &r : rows) {
        graphRecordingDraw draw;
        std::unique_ptr<graphRender> render = renderOf(polarEquation(r.f), draw);
        EXPECT_TRUE(render->isPolar());
        const graphRect region{-3, -3, 6, 6};
        render->compileWithBounds(region, {0, 0, 600, 600}, Qt::blue);
        const auto strips = graphRecordingDraw::strips(draw.list(render->getCompileList()));
        ASSERT_EQ(strips.size(), 1u) << r.name;
        int quadrants[4] = {0, 0, 0, 0};
        for (const auto &v : strips[0].vertices) {
            // A negative r lies on the opposite ray: the point at angle a is r(a), or -r(a + π).
            const double radius = std::hypot(v[0], v[1]), angle = std::atan2(v[1], v[0]);
            EXPECT_LT(std::min(std::fabs(radius - r.r(angle)), std::fabs(radius + r.r(angle + pi))),
                      1e-4)
                << r.name << " at " << v[0] << ", " << v[1];
            if (radius > 0.5) quadrants[(v[0] < 0) + 2 * (v[1] < 0)]++;
        }
        for (int q : quadrants) EXPECT_GT(q, 0) << r.name;  // every lobe of the rose
        // θ runs from 0 to 2π: the curve closes.
        EXPECT_NEAR(strips[0].vertices.front()[0], strips[0].vertices.back()[0], 1e-5) << r.name;
        EXPECT_NEAR(strips[0].vertices.front()[1], strips[0].vertices.back()[1], 1e-5) << r.name;
    }
}

TEST(PolarCurves, ThetaHasItsOwnRange) {
    graphRecordingDraw draw;
    std::unique_ptr<graphRender> render = renderOf(polarEquation("θ / 10"), draw);
    render->setTStart(0.0, 100.0);  // the t range does not apply
    render->setThetaStart(0.0, pi);
    render->compileWithBounds({-1, -1, 2, 2}, {0, 0, 400, 400}, Qt::blue);
    const auto strips = graphRecordingDraw::strips(draw.list(render->getCompileList()));
    ASSERT_EQ(strips.size(), 1u);
    EXPECT_NEAR(strips[0].vertices.back()[0], -pi / 10, 1e-5);
    EXPECT_NEAR(strips[0].vertices.back()[1], 0.0, 1e-5);
}

// Paints the inequality as the view does (region under the boundary) on a 200 x 200 image
// showing -5..5 in both directions.
QImage paintInequality(uint8_t op) {
    QImage image(200, 200, QImage::Format_RGB32);
    QPainter painter(&image);
    graphPainterDraw draw(painter, 200, 200);
    draw.prepareState();
    grExp *tree = grNewBinaryExp(op, testExpression("x^2 + y^2"), testExpression("9"));
    std::unique_ptr<graphRender> render = renderOf(classified(tree), draw);
    const graphRect region{-5, -5, 10, 10};
    render->compileWithBounds(region, {0, 0, 200, 200}, QColor(0, 0, 255));
    draw.clear(1, 1, 1, 1);
    draw.ortho(-5, 5, -5, 5, 0, 1);
    draw.lineStipple(1, 0x0F0F);
    render->renderUnder();
    render->render();
    return image;
}

TEST(Inequalities, TheRegionIsTintedAndTheBoundaryDashedWhenStrict) {
    const QImage solid = paintInequality(grOpLessEqual), dashed = paintInequality(grOpLessThan);
    const QImage outside = paintInequality(grOpGreaterEqual);
    struct probe {
        int x, y;
        bool inside;
    } probes[] = {{100, 100, true}, {130, 80, true},   {60, 100, true},
                  {5, 5, false},    {190, 100, false}, {100, 195, false}};
    for (const probe &p : probes) {
        const QColor in = solid.pixelColor(p.x, p.y), out = outside.pixelColor(p.x, p.y);
        // A quarter of blue over white: about (191, 191, 255).
        EXPECT_EQ(in.blue(), 255) << p.x << ", " << p.y;
        EXPECT_EQ(in.red() < 230, p.inside) << p.x << ", " << p.y << " red " << in.red();
        EXPECT_EQ(out.red() < 230, !p.inside) << p.x << ", " << p.y << " red " << out.red();
    }
    // Along the boundary circle of radius 3 (60 pixels), the solid line is strong
    // everywhere, the dashed one in about half of the places.
    auto strongOnCircle = [](const QImage &image) {
        int strong = 0;
        for (int i = 0; i < 360; i++) {
            const double a = i * pi / 180;
            int darkest = 255;
            for (double radius = 58.5; radius <= 61.5; radius += 0.5)
                darkest = std::min(darkest, image
                                                .pixelColor(int(100 + radius * std::cos(a)),
                                                            int(100 - radius * std::sin(a)))
                                                .red());
            if (darkest < 120) strong++;
        }
        return strong;
    };
    EXPECT_GT(strongOnCircle(solid), 300);
    EXPECT_LT(strongOnCircle(dashed), 250);
    EXPECT_GT(strongOnCircle(dashed), 80);
}

}  // namespace
