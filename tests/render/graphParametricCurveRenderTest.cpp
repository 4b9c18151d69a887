// The curves in t, observed through the recording drawing interface: refinement and its
// cap, skipped and held samples, jumps, and the two-stage trace.
#include "render/graph2DParametricCurveRender.h"
#include "render/graph3DParametricCurveRender.h"
#include "render/graphRecordingDraw.h"
#include "surfaceTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
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
        : render(renderFor(text, draw)) {
        render->setTStart(start, length);
    }

    graphParametricCurveRender &curve() {
        return dynamic_cast<graphParametricCurveRender &>(*render);
    }

    // The strips compiled over a square of the given width in a 400 x 400 view.
    std::vector<graphDrawStrip> strips(float width) {
        const graphRect region{-width / 2, -width / 2, width, width};
        render->setBounds(region);
        render->compileWithBounds(region, {0, 0, 400, 400}, Qt::red);
        return graphRecordingDraw::strips(draw.list(render->getCompileList()));
    }
    // The vertices of the one strip compiled over the square.
    std::vector<std::array<float, 3>> compile(float width) {
        auto all = strips(width);
        if (all.size() != 1 || all[0].primitive != graphPrimitive::lineStrip)
            throw std::runtime_error("not one line strip");
        return all[0].vertices;
    }
};

TEST(graphParametricCurve, closedCurvesCloseWithShortSegments) {
    const struct {
        const char *equation;
        double length;
        float width;
    } rows[] = {
        {"x = cos(t), y = sin(t)", 2 * pi, 4.0f},
        {"x = cos(t), y = sin(t), z = 0", 2 * pi, 4.0f},
        {"x = 3*sin(2*t), y = 3*sin(3*t)", 2 * pi, 8.0f},
        // The cardioid's cusp at t = pi turns by 180 degrees within a pixel.
        {"x = 2*cos(t) - cos(2*t), y = 2*sin(t) - sin(2*t)", 2 * pi, 8.0f},
        // Six turns of a circle, tiny in a wide view.
        {"x = cos(t), y = sin(t)", 12 * pi, 400.0f},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(testing::Message() << row.equation << " over " << row.width);
        parametricCurve curve(row.equation, 0.0, row.length);
        auto vertices = curve.compile(row.width);
        ASSERT_GT(vertices.size(), 2u);
        const float pixels = 400.0f / row.width;
        for (int axis : {0, 1}) EXPECT_NEAR(vertices.front()[axis], vertices.back()[axis], 1e-6);
        double longest = 0.0;
        for (size_t i = 1; i < vertices.size(); i++)
            longest = std::max(longest, std::hypot(double(vertices[i][0] - vertices[i - 1][0]),
                                                   double(vertices[i][1] - vertices[i - 1][1])) *
                                            pixels);
        EXPECT_LE(longest, graphParametricCurveRender::maxSegmentPixels);
        EXPECT_LE(vertices.size(), 2000u);
    }
}

TEST(graphParametricCurve, samplesStayWithinTheCap) {
    // sin(1000 t) turns everywhere at any zoom; a negative range with a negative or tiny
    // width must not ask for more either.
    parametricCurve wild("x = t, y = sin(1000*t)");
    EXPECT_LE(wild.compile(40.0f).size(), size_t(graphParametricCurveRender::maxSamples));
    for (float width : {-20.0f, -1e-30f, 0.0f, 1e30f}) {
        SCOPED_TRACE(width);
        parametricCurve planar("x = t, y = sin(1000*t)", 0.0, -40000.0);
        EXPECT_LE(planar.compile(width).size(), size_t(graphParametricCurveRender::maxSamples));
    }
}

TEST(graphParametricCurve, undefinedSamplesAreSkippedAndFarOnesHeld) {
    // ln 0 is negative infinity: the first vertex is drawn finite, far below the view.
    parametricCurve logarithm("x = t, y = ln(t)");
    auto vertices = logarithm.compile(10.0f);
    EXPECT_EQ(vertices[0][0], 0.0f);
    EXPECT_TRUE(std::isfinite(vertices[0][1]));
    EXPECT_LT(vertices[0][1], -5.0f - 50.0f);

    // Samples with t < 0 are NaN and the strip runs on from the first t >= 0, which
    // refinement finds close to 0.
    parametricCurve root("x = t, y = t^(1/2)", -20.0, 40.0);
    vertices = root.compile(10.0f);
    EXPECT_GE(vertices[0][0], 0.0f);
    EXPECT_LT(vertices[0][0], 1e-3f);

    // A z that fails to evaluate everywhere (division by exactly zero) leaves no sample.
    parametricCurve failing("x = t, y = t, z = 1/(t-t)");
    EXPECT_TRUE(failing.strips(10.0f).empty());
}

TEST(graphParametricCurve, jumpsEndTheStrip) {
    // x = t, y = tan t over 0..6 jumps at pi/2 and 3 pi/2: three strips, each leaving the
    // view at the pole.
    parametricCurve tangent("x = t, y = tan(t)", 0.0, 6.0);
    auto strips = tangent.strips(20.0f);
    ASSERT_EQ(strips.size(), 3u);
    EXPECT_NEAR(strips[0].vertices.back()[0], pi / 2, 1e-3);
    EXPECT_GT(strips[0].vertices.back()[1], 10.0f);
    EXPECT_NEAR(strips[1].vertices.front()[0], pi / 2, 1e-3);
    EXPECT_LT(strips[1].vertices.front()[1], -10.0f);
    EXPECT_NEAR(strips[2].vertices.front()[0], 3 * pi / 2, 1e-3);
}

TEST(graphParametricCurve, coarseDistanceSetsLastTAndIgnoresZ) {
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

TEST(graphParametricCurve, fineSearchStaysWithin2OfLastT) {
    // x = t + 5, y = t^2 with lastT = 1: the window is t = 0..3, clamped at the start.
    for (bool space : {false, true}) {
        SCOPED_TRACE(space);
        parametricCurve c(space ? "x = t + 5, y = t^2, z = 1" : "x = t + 5, y = t^2");
        auto trace = [&](graphPoint p) {
            return space
                       ? dynamic_cast<graph3DParametricCurveRender &>(*c.render).curvePointForPoint(
                             p)
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

TEST(graphParametricCurve, fineSearchEdges) {
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
