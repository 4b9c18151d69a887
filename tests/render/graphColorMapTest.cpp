// Colour by height: the map itself and the colours the surface renderers give their
// vertices.
#include "render/graph3DParametricSurfaceRender.h"
#include "render/graph3DRender.h"
#include "render/graphColorMap.h"
#include "surfaceTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

double luminance(const std::array<float, 3> &c) {
    return 0.2126 * c[0] + 0.7152 * c[1] + 0.0722 * c[2];
}

TEST(graphColorMap, runsFromDarkVioletToYellowGettingLighter) {
    const std::array<float, 3> low = graphViridis(0.0), high = graphViridis(1.0);
    EXPECT_GT(low[2], low[1]);    // violet: blue over green
    EXPECT_GT(high[0], high[2]);  // yellow: red and green over blue
    EXPECT_GT(high[1], high[2]);
    double previous = -1.0;
    for (int i = 0; i <= 100; i++) {
        const double l = luminance(graphViridis(i / 100.0));
        EXPECT_GT(l, previous) << i;
        previous = l;
    }
    // Outside 0..1, and NaN, take an end.
    EXPECT_EQ(graphViridis(-3.0), low);
    EXPECT_EQ(graphViridis(7.0), high);
    EXPECT_EQ(graphViridis(std::nan("")), low);
    // A range without extent colours with the middle.
    EXPECT_EQ((graphHeightColoring{true, 2.0f, 2.0f}.colorAt(2.0)), graphViridis(0.5));
}

// The colour call before each vertex of a recorded list, with the vertex's z.
std::vector<std::pair<double, std::array<float, 3>>> vertexColors(
    const std::vector<graphDrawOp> &ops) {
    std::vector<std::pair<double, std::array<float, 3>>> result;
    std::array<float, 3> current{};
    for (const graphDrawOp &op : ops) {
        if (op.call == graphDrawCall::color)
            current = {float(op.args[0]), float(op.args[1]), float(op.args[2])};
        else if (op.call == graphDrawCall::vertex3)
            result.push_back({op.args[2], current});
    }
    return result;
}

TEST(graphColorMap, surfacesTakeTheMapsEndsAtTheirLowestAndHighestPoints) {
    const struct {
        const char *name, *text;
        int mode;
    } rows[] = {
        {"function surface, shaded", "z = x*y/10", graphDrawShaded},
        {"function surface, points", "z = x*y/10", graphDrawPoints},
        {"parametric sphere, wireframe", "x = 3*cos(s)*sin(t), y = 3*sin(s)*sin(t), z = 3*cos(t)",
         graphDrawWireframe},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        graphRecordingDraw draw;
        std::unique_ptr<graphRender> render = renderFor(row.text, draw);
        render->setDrawMode(row.mode);
        render->setDivisions3D(21);
        render->setSStart(0.0, 2 * M_PI);
        render->setTStart(0.0, M_PI);
        render->setBounds(surfaceSquare);
        float low = 0.0f, high = 0.0f;
        ASSERT_TRUE(render->heightRange(&low, &high));
        render->setHeightColoring({true, low, high});
        render->compileWithBounds(surfaceSquare, {0, 0, 400, 400}, Qt::red);
        const auto colors = vertexColors(draw.list(render->getCompileList()));
        ASSERT_FALSE(colors.empty());
        bool sawLow = false, sawHigh = false;
        for (const auto &[z, color] : colors) {
            const std::array<float, 3> expected = graphHeightColoring{true, low, high}.colorAt(z);
            for (int c = 0; c < 3; c++) ASSERT_NEAR(color[c], expected[c], 1e-4);
            sawLow = sawLow || (z == low && color == graphViridis(0.0));
            sawHigh = sawHigh || (z == high && color == graphViridis(1.0));
        }
        EXPECT_TRUE(sawLow);
        EXPECT_TRUE(sawHigh);
        // Off: one colour, the equation's.
        render->setHeightColoring({});
        render->compileWithBounds(surfaceSquare, {0, 0, 400, 400}, Qt::red);
        for (const auto &[z, color] : vertexColors(draw.list(render->getCompileList())))
            ASSERT_EQ(color, (std::array<float, 3>{1.0f, 0.0f, 0.0f}));
    }
}

}  // namespace
