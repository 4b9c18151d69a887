// The explicit curve renderers, observed through the recording drawing interface.
#include "render/graph2DRender.h"
#include "render/graph2DXRender.h"
#include "render/graphRecordingDraw.h"
#include "surfaceTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

namespace {

constexpr graphRect centredSquare{-10.0f, -10.0f, 20.0f, 20.0f};

// A renderer of the equation's kind, compiled over the region in the given colour.
struct compiledCurve {
    graphRecordingDraw draw;
    std::unique_ptr<graphRender> render;

    compiledCurve(const char *text, graphRect region = centredSquare,
                  QColor color = QColor::fromRgbF(0.25f, 0.5f, 0.75f))
        : render(renderFor(text, draw)) {
        render->setBounds(region);
        render->compileWithBounds(region, {0, 0, 400, 400}, color);
    }

    const std::vector<graphDrawOp> &list() const { return draw.list(render->getCompileList()); }
    std::vector<graphDrawStrip> strips() const { return graphRecordingDraw::strips(list()); }
    // Strips that hold at least one vertex.
    std::vector<graphDrawStrip> drawnStrips() const {
        std::vector<graphDrawStrip> result;
        for (auto &s : strips())
            if (!s.vertices.empty()) result.push_back(s);
        return result;
    }
};

TEST(graph2DRender, straightLineIsOneStripOf1201Samples) {
    compiledCurve curve("y = x");
    auto strips = curve.strips();
    ASSERT_EQ(strips.size(), 1u);
    EXPECT_EQ(strips[0].primitive, graphPrimitive::lineStrip);
    ASSERT_EQ(strips[0].vertices.size(), 1201u);
    EXPECT_EQ(strips[0].vertices.front()[0], -10.0f);
    EXPECT_EQ(strips[0].vertices.front()[1], -10.0f);
    // The float step 20/1200 makes the last abscissa overshoot slightly.
    EXPECT_EQ(strips[0].vertices.back()[0], static_cast<float>(10.000001043081284));
    EXPECT_FALSE(graphRecordingDraw::endsInsideBlock(curve.list()));

    // The list starts with the entry's colour, opaque.
    const graphDrawOp &color = curve.list().front();
    ASSERT_EQ(color.call, graphDrawCall::color);
    EXPECT_NEAR(color.args[0], 0.25, 1e-4);
    EXPECT_NEAR(color.args[2], 0.75, 1e-4);
    EXPECT_EQ(color.args[3], 1.0);
}

TEST(graph2DRender, undefinedSamplesSplitTheCurve) {
    // Negative radicands of an even root are NaN.
    compiledCurve twoBranches("y = (x^2 - 1)^(1/2)");
    auto strips = twoBranches.drawnStrips();
    ASSERT_EQ(strips.size(), 2u);
    EXPECT_LE(strips[0].vertices.back()[0], -1.0f);
    EXPECT_GE(strips[1].vertices.front()[0], 1.0f);
    EXPECT_FALSE(graphRecordingDraw::endsInsideBlock(twoBranches.list()));
}

// Every vertex is finite; values beyond the region are drawn at most 100 region sizes
// beyond its edges.
void expectHeldWithinReach(const std::vector<graphDrawStrip> &strips, graphRect r) {
    for (auto &strip : strips)
        for (auto &v : strip.vertices) {
            ASSERT_TRUE(std::isfinite(v[0]) && std::isfinite(v[1]));
            EXPECT_GE(v[1], r.y - 100.0f * r.height - 1.0f);
            EXPECT_LE(v[1], r.y + 101.0f * r.height + 1.0f);
        }
}

TEST(graph2DRender, polesBreakTheCurveAndNothingElseDoes) {
    const double p = 3.14159265358979323846;
    std::vector<double> tanPoles, tanTenPoles;
    for (int k = -16; k < 16; k++) tanPoles.push_back((2 * k + 1) * p / 2);
    for (int k = -32; k < 32; k++) tanTenPoles.push_back((2 * k + 1) * p / 20);
    const struct {
        const char *equation;
        graphRect region;
        std::vector<double> poles;  // in the order the strips meet them
    } rows[] = {
        {"y = tan(x)",
         centredSquare,
         {-5 * p / 2, -3 * p / 2, -p / 2, p / 2, 3 * p / 2, 5 * p / 2}},
        {"y = tan(x)", {-50.0f, -50.0f, 100.0f, 100.0f}, tanPoles},
        {"y = tan(10*x)", centredSquare, tanTenPoles},
        {"y = 1/x", centredSquare, {0.0}},
        {"y = 1/(x^2 - 1)", centredSquare, {-1.0, 1.0}},
        {"y = 1/(x^2 - 1)", {-2.0f, -0.5f, 4.0f, 1.0f}, {-1.0, 1.0}},
        {"x = 1/y", centredSquare, {0.0}},
        // Steep but continuous: one strip.
        {"y = x^9", centredSquare, {}},
        {"y = x^9", {-1000.0f, -10.0f, 2000.0f, 20.0f}, {}},
        {"y = e^(10*x)", centredSquare, {}},
        {"y = e^(10*x) - 5", {-1.0f, -10.0f, 2.0f, 20.0f}, {}},
        {"y = sin(50*x)", {-1.0f, -0.1f, 2.0f, 0.2f}, {}},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(testing::Message() << row.equation << " over " << row.region.width);
        compiledCurve curve(row.equation, row.region);
        const bool sideways = row.equation[0] == 'x';
        const int along = sideways ? 1 : 0, value = sideways ? 0 : 1;
        const float low = sideways ? row.region.x : row.region.y;
        const float high = low + (sideways ? row.region.width : row.region.height);
        auto strips = curve.drawnStrips();
        ASSERT_EQ(strips.size(), row.poles.size() + 1);
        for (size_t k = 0; k < row.poles.size(); k++) {
            // Both sides reach the pole, within a sample step, and leave the view there.
            const auto &before = strips[k].vertices.back(), &after = strips[k + 1].vertices.front();
            const double near = (sideways ? row.region.height : row.region.width) / 1200;
            EXPECT_NEAR(before[along], row.poles[k], near) << k;
            EXPECT_NEAR(after[along], row.poles[k], near) << k;
            EXPECT_TRUE(before[value] > high || before[value] < low) << k;
            EXPECT_TRUE(after[value] > high || after[value] < low) << k;
        }
        if (!sideways) expectHeldWithinReach(strips, row.region);
    }
}

TEST(graph2DRender, undefinedSamplesEndStripsAtTheEdgeOfTheDomain) {
    // With a step of exactly 1 the sample x = 0 is hit and 1/0 fails to evaluate; both
    // strips still run on to just beside 0, beyond the view.
    const graphRect wide{-600.0f, -1.0f, 1200.0f, 2.0f};
    compiledCurve reciprocal("y = 1/x", wide);
    auto strips = reciprocal.drawnStrips();
    ASSERT_EQ(strips.size(), 2u);
    EXPECT_LT(strips[0].vertices.back()[0], 0.0f);
    EXPECT_GT(strips[0].vertices.back()[0], -1e-5f);
    EXPECT_LT(strips[0].vertices.back()[1], -1.0f);
    EXPECT_LT(strips[1].vertices.front()[0], 1e-5f);
    EXPECT_GT(strips[1].vertices.front()[1], 1.0f);
    expectHeldWithinReach(strips, wide);

    // The square root is one strip that starts within a millionth of a step of 0.
    compiledCurve halfRoot("y = x^(1/2)");
    strips = halfRoot.drawnStrips();
    ASSERT_EQ(strips.size(), 1u);
    EXPECT_GE(strips[0].vertices.front()[0], 0.0f);
    EXPECT_LT(strips[0].vertices.front()[0], 20.0f / 1200 * 1e-5f);
}

TEST(graph2DRender, infiniteSamplesAreDrawnFarBeyondTheEdge) {
    // ln(x^2) at x = 0 is negative infinity: the curve plunges off the bottom, unbroken.
    const graphRect wide{-600.0f, -1.0f, 1200.0f, 2.0f};
    compiledCurve logarithm("y = ln(x^2)", wide);
    auto strips = logarithm.drawnStrips();
    ASSERT_EQ(strips.size(), 1u);
    ASSERT_EQ(strips[0].vertices.size(), 1201u);
    EXPECT_EQ(strips[0].vertices[600][1], -1.0f - 100.0f * 2.0f);
    expectHeldWithinReach(strips, wide);
}

TEST(graph2DRender, curveUndefinedEverywhereLeavesNoStripOpen) {
    for (const char *text : {"y = ln(-1 - x^2)", "y = 1/(x - x)"}) {
        compiledCurve nowhere(text);
        EXPECT_TRUE(nowhere.drawnStrips().empty()) << text;
        EXPECT_FALSE(graphRecordingDraw::endsInsideBlock(nowhere.list())) << text;
    }
}

TEST(graph2DRender, emptyRegionGivesFiniteVertices) {
    compiledCurve flat("y = x^2", {3.0f, -1.0f, 0.0f, 0.0f});
    auto strips = flat.drawnStrips();
    ASSERT_EQ(strips.size(), 1u);
    for (auto &v : strips[0].vertices) {
        EXPECT_EQ(v[0], 3.0f);
        EXPECT_EQ(v[1], 9.0f);
    }
}

TEST(graph2DXRender, samplesAlongTheHeightAndDrawsSideways) {
    compiledCurve parabola("x = y^2", {-10.0f, -5.0f, 20.0f, 10.0f});
    auto strips = parabola.strips();
    ASSERT_EQ(strips.size(), 1u);
    ASSERT_EQ(strips[0].vertices.size(), 1201u);
    EXPECT_EQ(strips[0].vertices.front()[0], 25.0f);
    EXPECT_EQ(strips[0].vertices.front()[1], -5.0f);
    for (auto &v : strips[0].vertices) EXPECT_FLOAT_EQ(v[0], v[1] * v[1]);
    EXPECT_NEAR(strips[0].vertices.back()[1], 5.0f, 1e-5);
}

// A residual refines with a quarter of the tolerance until it is tiny, whatever its sign; a
// sign change across a pole is no root, so the trace stays on the branch.
TEST(graph2DRender, tracingSnapsToRootsInterceptsAndCurvePoints) {
    const struct {
        const char *name, *equation;
        graphPoint pointer;
        double tolerance;
        graphPoint expected;
        float precision;  // 0 for an exact answer
    } rows[] = {
        {"negativeResidual", "y = x^2 - 4", {2.01f, 7.0f}, 0.08, {2.0f, 0.0f}, 1e-6f},
        {"positiveResidual", "y = 4 - x^2", {2.01f, 7.0f}, 0.08, {2.0f, 0.0f}, 0.0f},
        {"poleWideWindow", "y = tan(x)", {1.6f, 0.0f}, 0.4, {1.6f, -34.2325f}, 1e-3f},
        {"poleNarrowWindow", "y = tan(x)", {1.6f, 0.0f}, 0.08, {1.6f, -34.2325f}, 1e-3f},
        {"rootBesidePoles", "y = tan(x)", {3.2f, 5.0f}, 0.08, {3.14159f, 0.0f}, 1e-5f},
        {"evenDenominatorPole", "y = 1/(x^2 - 1)", {1.05f, 0.0f}, 0.4, {1.05f, 9.7561f}, 1e-3f},
        {"yIntercept", "y = x^2 - 4", {0.05f, 3.0f}, 0.08, {0.0f, -4.0f}, 0.0f},
        {"noRootNearby", "y = x^2 + 1", {3.0f, 0.0f}, 0.08, {3.0f, 10.0f}, 0.0f},
        {"interceptFails", "y = 1/x", {0.01f, 0.0f}, 0.08, {0.0f, 0.0f}, 0.0f},
        // Both window ends are roots of the zero function: the secant is undefined.
        {"zeroFunction", "y = 0 * x", {3.0f, 1.0f}, 0.08, {3.0f, 0.0f}, 0.0f},
        {"infiniteTolerance", "y = x", {3.0f, 1.0f}, INFINITY, {0.0f, 0.0f}, 0.0f},
        {"sidewaysRoot", "x = y^2 - 4", {7.0f, 2.01f}, 0.08, {0.0f, 2.0f}, 1e-6f},
        {"sidewaysIntercept", "x = y^2 - 4", {3.0f, 0.05f}, 0.08, {-4.0f, 0.0f}, 0.0f},
        {"sidewaysCurvePoint", "x = y^2 + 1", {0.0f, 3.0f}, 0.08, {10.0f, 3.0f}, 0.0f},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        compiledCurve curve(row.equation);
        const graphPoint p = curve.render->bestPointForPoint(row.pointer, row.tolerance);
        EXPECT_NEAR(p.x, row.expected.x, row.precision);  // a precision of 0 asks for equality
        EXPECT_NEAR(p.y, row.expected.y, row.precision);
    }
}

// Distance is measured along the varied axis; the derivative is a central difference whose
// 1e-10 step shows in the seventh digit. Neither neighbour of 0 fails for 1/x, so its slope
// there is huge, not 0.
TEST(graph2DRender, distanceAndDerivative) {
    const struct {
        const char *equation;
        graphPoint at;
        double distance, derivative, precision;  // 0 for exact
    } rows[] = {
        {"y = x^2", {3.0f, 5.0f}, 4.0, 6.000000496442226, 0},
        {"y = x^2", {3.0f, 13.0f}, 4.0, 6.000000496442226, 0},
        {"x = y^2", {5.0f, 3.0f}, 4.0, 6.000000496442226, 0},
        {"y = 1/x", {0.0f, 1.0f}, graphFarAway, 1e20, 0},
        {"y = 1/(x - x)", {1.0f, 0.0f}, graphFarAway, 0.0, 0},
        {"x = y^3", {0.0f, 2.0f}, 8.0, 12.0, 1e-3},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.equation);
        compiledCurve curve(row.equation);
        EXPECT_DOUBLE_EQ(curve.render->distanceFromCurveAtPoint(row.at), row.distance);
        EXPECT_NEAR(curve.render->derivAtPoint(row.at), row.derivative, row.precision);
    }
}

TEST(graph2DRender, kAndTheOtherSlots) {
    compiledCurve curve("y = k*x + t + s");
    curve.render->setK(2.0);
    // t and s hold 0, so the curve is y = 2x.
    EXPECT_DOUBLE_EQ(curve.render->distanceFromCurveAtPoint({3.0f, 6.0f}), 0.0);
    EXPECT_EQ(curve.render->getK(), 2.0);
}

TEST(graphRender, lifecycleOwnsOneListAndTheEquation) {
    graphRecordingDraw draw;
    {
        graph2DRender render(draw);
        render.initWithEquation(testEquation("y = x"));
        EXPECT_EQ(draw.liveListCount(), 1u);
        render.setBounds(centredSquare);
        EXPECT_EQ(render.getBounds(), centredSquare);

        // render replays the list and evaluates nothing.
        render.render();
        ASSERT_FALSE(draw.ops().empty());
        EXPECT_EQ(draw.ops().back().call, graphDrawCall::callList);
        EXPECT_EQ(draw.ops().back().code, static_cast<int>(render.getCompileList()));
    }
    // The list is gone; the equation was released (checked by the leak sanitizer).
    EXPECT_EQ(draw.liveListCount(), 0u);
}

// The kind table: each kind's renderer with its flags, which decide the 3D scene and the
// parametric panel; kinds outside the table get none.
TEST(graphRender, everyKindGetsItsRendererAndOthersNone) {
    const struct {
        const char *equation;
        bool is3D, isParametric;
    } rows[] = {
        {"y = x", false, false},
        {"x = y", false, false},
        {"x = cos(t), y = sin(t)", false, true},
        {"x = cos(t), y = sin(t), z = t/10", true, true},
        {"z = x + y", true, false},
        {"x = s, y = t, z = s*t", true, true},
        {"x^2 + y^2 + z^2 = 9", true, false},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.equation);
        graphRecordingDraw draw;
        const std::unique_ptr<graphRender> render = renderFor(row.equation, draw);
        EXPECT_EQ(render->is3D(), row.is3D);
        EXPECT_EQ(render->isParametric(), row.isParametric);
    }
    graphRecordingDraw draw;
    for (int kind : {1, 2, 12, 255})
        EXPECT_EQ(graphNewRenderForKind(static_cast<uint8_t>(kind), draw), nullptr) << kind;
}

}  // namespace
