// Implicit curves, polar curves and shaded regions in the graph view: regions under every
// curve, the θ range from the inspector, tracing along an implicit curve.
#include "viewTestSupport.h"

#include "render/graphParametricCurveRender.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>

namespace {

// Entries made by functions, for trees the test parser cannot write.
class builtList : public graphEquationSource {
public:
    std::vector<std::function<grExp *()>> trees;
    int equationCount() override { return static_cast<int>(trees.size()); }
    grEquation *equationAtIndex(int index) override {
        grExp *tree = trees[static_cast<size_t>(index)]();
        grEquation *q = grNewEquation(tree);
        if (q == nullptr) grFreeExp(tree);
        return q;
    }
    QColor colorAtIndex(int) override { return Qt::blue; }
};

struct newKindsView : recordedView {
    builtList built;
    newKindsView() { view.setEquationTable(&built); }
};

TEST(graphViewNewKinds, shadedRegionsGoUnderEveryCurve) {
    newKindsView v;
    v.built.trees = {[] { return testExpression("y = x"); },
                     [] { return testExpression("y < x*x"); }};
    ASSERT_EQ(v.view.graphMultipleEquations(), QString());
    v.draw.clearOps();
    v.view.renderMultipleEquations();
    const unsigned fill = v.view.rendererAt(1).getUnderList();
    const unsigned firstCurve = v.view.rendererAt(0).getCompileList();
    ASSERT_NE(fill, 0u);
    const auto &ops = v.draw.ops();
    auto called = [&](unsigned list) {
        return std::find_if(ops.begin(), ops.end(), [list](const graphDrawOp &op) {
            return op.call == graphDrawCall::callList && op.code == static_cast<int>(list);
        });
    };
    ASSERT_NE(called(fill), ops.end());
    ASSERT_NE(called(firstCurve), ops.end());
    EXPECT_LT(called(fill), called(firstCurve));
}

TEST(graphViewNewKinds, polarCurvesTakeTheThetaRangeFromTheInspector) {
    newKindsView v;
    v.built.trees = {[] { return testExpression("r = 1 + cos(θ)"); }};
    v.inspector.setFieldValue(graphField::minTheta, 1.0);
    v.inspector.setFieldValue(graphField::maxTheta, 2.5);
    ASSERT_EQ(v.view.graphMultipleEquations(), QString());
    EXPECT_TRUE(v.inspector.polarVisible);
    auto &curve = dynamic_cast<graphParametricCurveRender &>(v.view.rendererAt(0));
    EXPECT_EQ(curve.getStart(), 1.0);
    EXPECT_EQ(curve.getLength(), 1.5);
    // A reversed range is shortened as the t range is, and the field shows it.
    v.inspector.setFieldValue(graphField::maxTheta, 0.0);
    v.view.updateParametricRange();
    EXPECT_NEAR(curve.getLength(), 0.1, 1e-12);
    EXPECT_NEAR(v.inspector.fieldValue(graphField::maxTheta), 1.1, 1e-12);

    v.built.trees = {[] { return testExpression("y = x"); }};
    v.view.graphMultipleEquations();
    EXPECT_FALSE(v.inspector.polarVisible);
}

TEST(graphViewNewKinds, tracingMovesAlongAnImplicitCurve) {
    newKindsView v;
    v.built.trees = {[] { return testExpression("x*x + y*y = 625"); }};
    ASSERT_EQ(v.view.graphMultipleEquations(), QString());
    // The region is -50..50 on 400 pixels: (25, 0) is at (300, 200).
    for (graphPoint p : {graphPoint{301, 203}, graphPoint{290, 260}, graphPoint{200, 302}}) {
        v.view.mouseDown(p);
        ASSERT_EQ(v.view.currentTracking(), graphGLView::tracking::trace);
        const graphPoint s = v.view.getSelectionPoint();
        EXPECT_NEAR(std::hypot(s.x, s.y), 25.0, 1e-3) << s.x << ", " << s.y;
        v.view.mouseUp(p);
    }
}

}  // namespace
