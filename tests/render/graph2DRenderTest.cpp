// The explicit curve renderers, observed through the recording drawing interface.
#include "render/graph2DRender.h"
#include "render/graph2DXRender.h"
#include "render/graphRecordingDraw.h"
#include "render/graphRenderFactory.h"
#include "testExpressions.h"

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
    {
        grEquation *equation = testEquation(text);
        render = graphNewRenderForKind(equation->kind, draw);
        if (!render) {
            grFreeEquation(equation);
            throw std::runtime_error("no renderer");
        }
        render->initWithEquation(equation);
        render->setBounds(region);
        render->compileWithBounds(region, {0, 0, 400, 400}, color);
    }

    const std::vector<graphDrawOp> &list() const { return draw.list(render->getCompileList()); }
    std::vector<graphDrawStrip> strips() const { return graphRecordingDraw::strips(list()); }
    // Strips that hold at least one vertex.
    std::vector<graphDrawStrip> drawnStrips() const
    {
        std::vector<graphDrawStrip> result;
        for (auto &s : strips())
            if (!s.vertices.empty())
                result.push_back(s);
        return result;
    }
};

TEST(graph2DRender, straightLineIsOneStripOf1201Samples)
{
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

TEST(graph2DRender, undefinedSamplesSplitTheCurve)
{
    // Negative radicands of an even root are NaN.
    compiledCurve halfRoot("y = x^(1/2)");
    auto strips = halfRoot.drawnStrips();
    ASSERT_EQ(strips.size(), 1u);
    EXPECT_GE(strips[0].vertices.front()[0], 0.0f);
    EXPECT_LT(strips[0].vertices.front()[0] - 20.0f / 1200.0f, 0.0f);

    compiledCurve twoBranches("y = (x^2 - 1)^(1/2)");
    strips = twoBranches.drawnStrips();
    ASSERT_EQ(strips.size(), 2u);
    EXPECT_LE(strips[0].vertices.back()[0], -1.0f);
    EXPECT_GE(strips[1].vertices.front()[0], 1.0f);
    EXPECT_FALSE(graphRecordingDraw::endsInsideBlock(twoBranches.list()));
}

TEST(graph2DRender, failedEvaluationBreaksTheCurveLikeNaN)
{
    // With a step of exactly 1 the sample x = 0 is hit, and 1/0 fails to evaluate.
    compiledCurve reciprocal("y = 1/x", {-600.0f, -1.0f, 1200.0f, 2.0f});
    auto strips = reciprocal.drawnStrips();
    ASSERT_EQ(strips.size(), 2u);
    EXPECT_EQ(strips[0].vertices.size(), 600u);
    EXPECT_EQ(strips[0].vertices.back()[0], -1.0f);
    EXPECT_EQ(strips[1].vertices.front()[0], 1.0f);
    EXPECT_EQ(strips[1].vertices.size(), 600u);
}

TEST(graph2DRender, infiniteSamplesAreDrawn)
{
    compiledCurve logarithm("y = ln(abs(x))", {-600.0f, -1.0f, 1200.0f, 2.0f});
    auto strips = logarithm.drawnStrips();
    ASSERT_EQ(strips.size(), 1u);
    ASSERT_EQ(strips[0].vertices.size(), 1201u);
    EXPECT_EQ(strips[0].vertices[600][1], -INFINITY);
}

TEST(graph2DRender, curveUndefinedEverywhereLeavesNoStripOpen)
{
    for (const char *text : {"y = ln(-1 - x^2)", "y = 1/(x - x)"}) {
        compiledCurve nowhere(text);
        EXPECT_TRUE(nowhere.drawnStrips().empty()) << text;
        EXPECT_FALSE(graphRecordingDraw::endsInsideBlock(nowhere.list())) << text;
    }
}

TEST(graph2DRender, emptyRegionGivesFiniteVertices)
{
    compiledCurve flat("y = x^2", {3.0f, -1.0f, 0.0f, 0.0f});
    auto strips = flat.drawnStrips();
    ASSERT_EQ(strips.size(), 1u);
    for (auto &v : strips[0].vertices) {
        EXPECT_EQ(v[0], 3.0f);
        EXPECT_EQ(v[1], 9.0f);
    }
}

TEST(graph2DXRender, samplesAlongTheHeightAndDrawsSideways)
{
    compiledCurve parabola("x = y^2", {-10.0f, -5.0f, 20.0f, 10.0f});
    auto strips = parabola.strips();
    ASSERT_EQ(strips.size(), 1u);
    ASSERT_EQ(strips[0].vertices.size(), 1201u);
    EXPECT_EQ(strips[0].vertices.front()[0], 25.0f);
    EXPECT_EQ(strips[0].vertices.front()[1], -5.0f);
    for (auto &v : strips[0].vertices)
        EXPECT_FLOAT_EQ(v[0], v[1] * v[1]);
    EXPECT_NEAR(strips[0].vertices.back()[1], 5.0f, 1e-5);
}

struct traceCase {
    const char *name;
    const char *equation;
    graphPoint pointer;
    double tolerance;
    graphPoint expected;
    float precision;  // 0 for an exact answer
};

class graph2DTracing : public ::testing::TestWithParam<traceCase> {};

TEST_P(graph2DTracing, snapsToRootsInterceptsAndCurvePoints)
{
    const traceCase &c = GetParam();
    compiledCurve curve(c.equation);
    graphPoint p = curve.render->bestPointForPoint(c.pointer, c.tolerance);
    if (c.precision == 0.0f) {
        EXPECT_EQ(p.x, c.expected.x);
        EXPECT_EQ(p.y, c.expected.y);
    } else {
        EXPECT_NEAR(p.x, c.expected.x, c.precision);
        EXPECT_NEAR(p.y, c.expected.y, c.precision);
    }
}

INSTANTIATE_TEST_SUITE_P(
    answers, graph2DTracing,
    ::testing::Values(
        // The first secant estimate has a negative residual and is taken at once.
        traceCase{"secantAccepted", "y = x^2 - 4", {2.01f, 7.0f}, 0.08, {1.99843f, 0.0f}, 1e-5f},
        // A positive residual refines with a quarter of the tolerance until it is tiny.
        traceCase{"secantRefined", "y = 4 - x^2", {2.01f, 7.0f}, 0.08, {2.0f, 0.0f}, 0.0f},
        traceCase{"yIntercept", "y = x^2 - 4", {0.05f, 3.0f}, 0.08, {0.0f, -4.0f}, 0.0f},
        traceCase{"noRootNearby", "y = x^2 + 1", {3.0f, 0.0f}, 0.08, {3.0f, 10.0f}, 0.0f},
        traceCase{"interceptFails", "y = 1/x", {0.01f, 0.0f}, 0.08, {0.0f, 0.0f}, 0.0f},
        // Both window ends are roots of the zero function: the secant is undefined.
        traceCase{"zeroFunction", "y = 0 * x", {3.0f, 1.0f}, 0.08, {3.0f, 0.0f}, 0.0f},
        traceCase{"infiniteTolerance", "y = x", {3.0f, 1.0f}, INFINITY, {0.0f, 0.0f}, 0.0f},
        traceCase{"sidewaysRoot", "x = y^2 - 4", {7.0f, 2.01f}, 0.08, {0.0f, 1.99843f}, 1e-5f},
        traceCase{"sidewaysIntercept", "x = y^2 - 4", {3.0f, 0.05f}, 0.08, {-4.0f, 0.0f}, 0.0f},
        traceCase{"sidewaysCurvePoint", "x = y^2 + 1", {0.0f, 3.0f}, 0.08, {10.0f, 3.0f}, 0.0f}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(graph2DRender, distanceIsMeasuredAlongTheVariedAxis)
{
    compiledCurve parabola("y = x^2");
    EXPECT_DOUBLE_EQ(parabola.render->distanceFromCurveAtPoint({3.0f, 5.0f}), 4.0);
    EXPECT_DOUBLE_EQ(parabola.render->distanceFromCurveAtPoint({3.0f, 13.0f}), 4.0);

    compiledCurve sideways("x = y^2");
    EXPECT_DOUBLE_EQ(sideways.render->distanceFromCurveAtPoint({5.0f, 3.0f}), 4.0);

    compiledCurve reciprocal("y = 1/x");
    EXPECT_EQ(reciprocal.render->distanceFromCurveAtPoint({0.0f, 1.0f}), graphFarAway);
}

TEST(graph2DRender, derivativeUsesCentralDifferences)
{
    compiledCurve parabola("y = x^2");
    // The rounding of the 1e-10 step shows in the seventh digit.
    EXPECT_DOUBLE_EQ(parabola.render->derivAtPoint({3.0f, 0.0f}), 6.000000496442226);

    // Neither neighbour of 0 fails for 1/x, so its slope there is huge, not 0.
    compiledCurve reciprocal("y = 1/x");
    EXPECT_DOUBLE_EQ(reciprocal.render->derivAtPoint({0.0f, 0.0f}), 1e20);
    compiledCurve undefined("y = 1/(x - x)");
    EXPECT_EQ(undefined.render->derivAtPoint({1.0f, 0.0f}), 0.0);

    compiledCurve sideways("x = y^3");
    EXPECT_NEAR(sideways.render->derivAtPoint({0.0f, 2.0f}), 12.0, 1e-3);
}

TEST(graph2DRender, kAndTheOtherSlots)
{
    compiledCurve curve("y = k*x + t + s");
    curve.render->setK(2.0);
    // t and s hold 0, so the curve is y = 2x.
    EXPECT_DOUBLE_EQ(curve.render->distanceFromCurveAtPoint({3.0f, 6.0f}), 0.0);
    EXPECT_EQ(curve.render->getK(), 2.0);
}

TEST(graphRender, lifecycleOwnsOneListAndTheEquation)
{
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
        EXPECT_FALSE(render.isParametric());
        EXPECT_FALSE(render.is3D());
    }
    // The list is gone; the equation was released (checked by the leak sanitizer).
    EXPECT_EQ(draw.liveListCount(), 0u);
}

TEST(graphRender, kindsWithoutRendererGetNone)
{
    graphRecordingDraw draw;
    EXPECT_NE(graphNewRenderForKind(grKindYOfX, draw), nullptr);
    EXPECT_NE(graphNewRenderForKind(grKindXOfY, draw), nullptr);
    for (int kind : {1, 2, 8, 255})
        EXPECT_EQ(graphNewRenderForKind(static_cast<uint8_t>(kind), draw), nullptr) << kind;
}

}  // namespace
