// The curves in t, observed through the recording drawing interface: sample counts and
// the minimum step, skipped and passed-through samples, and the two-stage trace.
#include "render/graph2DParametricCurveRender.h"
#include "render/graph3DParametricCurveRender.h"
#include "render/graphRecordingDraw.h"
#include "render/graphRenderFactory.h"
#include "testExpressions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>

namespace {

constexpr double pi = 3.14159265358979323846;

// A curve renderer of the equation's kind with the given range, made by the kind table.
struct parametricCurve {
    graphRecordingDraw draw;
    std::unique_ptr<graphRender> render;

    explicit parametricCurve(const char *text, double start = 0.0, double length = 40.0)
    {
        grEquation *equation = testEquation(text);
        render = graphNewRenderForKind(equation->kind, draw);
        if (!render) {
            grFreeEquation(equation);
            throw std::runtime_error("no renderer");
        }
        render->initWithEquation(equation);
        render->setTStart(start, length);
    }

    graphParametricCurveRender &curve() { return dynamic_cast<graphParametricCurveRender &>(*render); }

    // The vertices of the one strip compiled over a square of the given width.
    std::vector<std::array<float, 3>> compile(float width)
    {
        const graphRect region{-width / 2, -width / 2, width, width};
        render->setBounds(region);
        render->compileWithBounds(region, {0, 0, 400, 400}, Qt::red);
        auto strips = graphRecordingDraw::strips(draw.list(render->getCompileList()));
        if (strips.size() != 1 || strips[0].primitive != graphPrimitive::lineStrip)
            throw std::runtime_error("not one line strip");
        return strips[0].vertices;
    }
};

TEST(graphParametricCurve, kindsAndDefaults)
{
    parametricCurve planar("x = cos(t), y = sin(t)");
    parametricCurve space("x = cos(t), y = sin(t), z = t/10");
    ASSERT_NE(dynamic_cast<graph2DParametricCurveRender *>(planar.render.get()), nullptr);
    ASSERT_NE(dynamic_cast<graph3DParametricCurveRender *>(space.render.get()), nullptr);
    EXPECT_TRUE(planar.render->isParametric());
    EXPECT_FALSE(planar.render->is3D());
    EXPECT_TRUE(space.render->isParametric());
    EXPECT_TRUE(space.render->is3D());

    // A fresh renderer starts at 0 with a range of 40.
    graph2DParametricCurveRender fresh(planar.draw);
    fresh.initWithEquation(testEquation("x = t, y = t"));
    EXPECT_EQ(fresh.getStart(), 0.0);
    EXPECT_EQ(fresh.getLength(), 40.0);
    EXPECT_EQ(fresh.getLastT(), 0.0);
}

// How many samples a range gets over a visible width, and where the last one lies.
TEST(graphParametricCurve, sampleCountFollowsTheMinimumStep)
{
    const struct {
        const char *name;
        double length;
        float width;
        size_t count;
        double lastT;
    } rows[] = {
        // The float minimum step 0.05000000447 fits 799 times into 40.
        {"default range, width 20", 40.0, 20.0f, 799, 798 * static_cast<double>((20.0f / 1200.0f) * 3.0f)},
        {"default range, width 10", 40.0, 10.0f, 1200, 1199 * (40.0 / 1200)},
        {"2 pi, width 20: not closed", 2 * pi, 20.0f, 125, 124 * static_cast<double>((20.0f / 1200.0f) * 3.0f)},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        parametricCurve planar("x = cos(t), y = sin(t)", 0.0, row.length);
        auto vertices = planar.compile(row.width);
        ASSERT_EQ(vertices.size(), row.count);
        EXPECT_EQ(vertices.front()[0], 1.0f);
        EXPECT_EQ(vertices.back()[0], static_cast<float>(std::cos(row.lastT)));
        EXPECT_EQ(vertices.back()[1], static_cast<float>(std::sin(row.lastT)));

        parametricCurve space("x = cos(t), y = sin(t), z = t", 0.0, row.length);
        auto spaceVertices = space.compile(row.width);
        ASSERT_EQ(spaceVertices.size(), row.count);
        EXPECT_EQ(spaceVertices.back()[2], static_cast<float>(row.lastT));
    }
}

TEST(graphParametricCurve, sampleCountNeverExceeds1200)
{
    // A negative or tiny negative width with a negative range would otherwise ask for
    // hundreds of thousands of samples, or more than an int holds.
    for (float width : {-20.0f, -1e-30f, 0.0f, 1e30f}) {
        SCOPED_TRACE(width);
        parametricCurve planar("x = t, y = t", 0.0, -40000.0);
        EXPECT_LE(planar.compile(width).size(), 1200u);
    }
}

TEST(graphParametricCurve, onlyNaNAndFailedSamplesAreSkipped)
{
    // ln 0 is negative infinity, not NaN: the first sample is drawn as it is.
    parametricCurve logarithm("x = t, y = ln(t)");
    auto vertices = logarithm.compile(10.0f);
    ASSERT_EQ(vertices.size(), 1200u);
    EXPECT_EQ(vertices[0][0], 0.0f);
    EXPECT_TRUE(std::isinf(vertices[0][1]) && vertices[0][1] < 0);

    // Samples with t < 0 are NaN and the strip runs on from the first t >= 0: the range
    // -20..20 at step 1/30 has 600 negative samples.
    parametricCurve root("x = t, y = t^(1/2)", -20.0, 40.0);
    vertices = root.compile(10.0f);
    ASSERT_EQ(vertices.size(), 600u);
    EXPECT_NEAR(vertices[0][0], 0.0f, 1e-12);

    // A z that fails to evaluate everywhere (division by exactly zero) leaves no sample.
    parametricCurve failing("x = t, y = t, z = 1/(t-t)");
    EXPECT_TRUE(failing.compile(10.0f).empty());
}

TEST(graphParametricCurve, coarseDistanceSetsLastTAndIgnoresZ)
{
    // The space curve rises from z = 5, but its distance is measured in the x-y plane:
    // the point (0, 1) is on the circle at t = pi / 2 + 2 pi m.
    parametricCurve space("x = cos(t), y = sin(t), z = t/10 + 5");
    EXPECT_LT(space.render->distanceFromCurveAtPoint({0.0f, 1.0f}), 0.02);  // within half a step
    EXPECT_NEAR(std::remainder(space.curve().getLastT() - pi / 2, 2 * pi), 0.0, 0.04);
    EXPECT_NEAR(space.render->distanceFromCurveAtPoint({0.0f, 3.0f}), 2.0, 1e-3);

    // x = t, y = 0 over 0..40: the nearest sample of (10.01, 5) is t = 10, at step 1/30.
    parametricCurve line("x = t, y = 0");
    EXPECT_NEAR(line.render->distanceFromCurveAtPoint({10.01f, 5.0f}), 5.0, 1e-3);
    EXPECT_NEAR(line.curve().getLastT(), 10.0, 1e-9);

    // Nothing evaluates: the largest double, and lastT stays.
    parametricCurve nowhere("x = t, y = (0-1-t*t)^(1/2)");
    EXPECT_EQ(nowhere.render->distanceFromCurveAtPoint({0.0f, 0.0f}), graphFarAway);
    EXPECT_EQ(nowhere.curve().getLastT(), 0.0);
}

TEST(graphParametricCurve, fineSearchStaysWithin2OfLastT)
{
    // x = t + 5, y = t^2 with lastT = 1: the window is t = 0..3, clamped at the start.
    for (bool space : {false, true}) {
        SCOPED_TRACE(space);
        parametricCurve c(space ? "x = t + 5, y = t^2, z = 1" : "x = t + 5, y = t^2");
        auto trace = [&](graphPoint p) {
            return space ? dynamic_cast<graph3DParametricCurveRender &>(*c.render).curvePointForPoint(p)
                         : c.render->bestPointForPoint(p, 1000.0);
        };
        c.render->distanceFromCurveAtPoint({6.0f, 1.0f});
        ASSERT_NEAR(c.curve().getLastT(), 1.0, 1e-9);

        // Far to the right: the window's upper end, 3 within a step of 1/300 and the
        // rounding of 900 additions.
        graphPoint right = trace({100.0f, 100.0f});
        EXPECT_NEAR(right.x, 8.0f, 2.0 / 300);
        EXPECT_LE(right.x, 8.0f);
        EXPECT_NEAR(c.curve().getLastT(), 3.0, 2.0 / 300);

        // The drag goes on from t = 3: now the window reaches t = 5.
        graphPoint further = trace({100.0f, 100.0f});
        EXPECT_NEAR(further.x, 10.0f, 3.0 / 300);

        // Far to the left, from lastT = 5: the window starts at t = 3, not at 0.
        graphPoint left = trace({-100.0f, 0.0f});
        EXPECT_NEAR(left.x, 8.0f, 3.0 / 300);
        left = trace({-100.0f, 0.0f});
        left = trace({-100.0f, 0.0f});
        EXPECT_EQ(left.x, 5.0f);  // clamped at the start of the range
        EXPECT_EQ(left.y, 0.0f);
        EXPECT_EQ(c.curve().getLastT(), 0.0);
    }
}

TEST(graphParametricCurve, fineSearchEdges)
{
    // An empty window (negative length) answers (0, 0) and keeps lastT.
    parametricCurve reversed("x = t + 5, y = t");
    reversed.render->distanceFromCurveAtPoint({7.0f, 2.0f});
    const double lastT = reversed.curve().getLastT();
    reversed.render->setTStart(0.0, -1.0);
    EXPECT_EQ(reversed.render->bestPointForPoint({7.0f, 2.0f}, 0.1), (graphPoint{0.0f, 0.0f}));
    EXPECT_EQ(reversed.curve().getLastT(), lastT);

    // Where t is too large for the step to change it, the search ends after one sample.
    for (double start : {1e300, std::numeric_limits<double>::infinity()}) {
        parametricCurve huge("x = 1, y = 2", start, 40.0);
        huge.render->distanceFromCurveAtPoint({0.0f, 0.0f});
        EXPECT_EQ(huge.render->bestPointForPoint({0.0f, 0.0f}, 0.1), (graphPoint{1.0f, 2.0f}));
    }
}

}  // namespace
