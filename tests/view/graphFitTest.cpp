// Fitting the graph to what is drawn: the y range of 2D curves over the x range, and the
// 3D camera that brings a whole surface into frame.
#include "view/graphFit.h"
#include "viewTestSupport.h"

#include <gtest/gtest.h>

namespace {

TEST(graphFit, yRangeShowsTheCurvesOverTheXRange) {
    struct row {
        const char *equation;
        double xMin, xMax, low, high;  // the curve's extremes over the x range
    };
    const row rows[] = {
        {"y = x^2", -3, 3, 0, 9},
        {"y = x^2/10 + 5", 0, 1, 5, 5.1},  // wholly above the region it starts from
        {"y = 0 - x^3", -2, 1, -1, 8},
    };
    for (const row &r : rows) {
        recordedView v;
        v.list = {{r.equation, Qt::red}};
        ASSERT_EQ(v.view.graphMultipleEquations(), QString()) << r.equation;
        v.inspector.setFieldValue(graphField::minX, r.xMin);
        v.inspector.setFieldValue(graphField::maxX, r.xMax);
        v.inspector.setFieldValue(graphField::minY, -40);
        v.inspector.setFieldValue(graphField::maxY, 60);
        v.view.updateBoundsFromBoundsText();
        ASSERT_TRUE(graphFitToGraph(v.view, v.list)) << r.equation;
        // Applied as typed bounds: the fields and the region agree, x stays.
        const graphRect b = v.view.getGraphBounds();
        EXPECT_FLOAT_EQ(b.x, float(r.xMin)) << r.equation;
        EXPECT_FLOAT_EQ(b.x + b.width, float(r.xMax)) << r.equation;
        EXPECT_FLOAT_EQ(b.y, float(v.field(graphField::minY))) << r.equation;
        const double low = v.field(graphField::minY), high = v.field(graphField::maxY),
                     extent = r.high - r.low;
        EXPECT_LE(low, r.low) << r.equation;
        EXPECT_GE(high, r.high) << r.equation;
        EXPECT_GE(low, r.low - 0.35 * extent) << r.equation;
        EXPECT_LE(high, r.high + 0.35 * extent) << r.equation;
        EXPECT_LE((high - low) / v.field(graphField::gridYSpacing), 21.0) << r.equation;
    }

    // Nothing graphed: nothing to fit, the region stays.
    recordedView empty;
    const graphRect before = empty.view.getGraphBounds();
    EXPECT_FALSE(graphFitToGraph(empty.view, empty.list));
    EXPECT_EQ(empty.view.getGraphBounds().height, before.height);
}

TEST(graphFit, cameraBringsTheWholeSurfaceIntoFrame) {
    // The bowl rises to z = 200 over -10..10, far out of the frame graphing starts with.
    headlessView s(200, 150, {{"z = x^2 + y^2", Qt::red}});
    s.view->setBackgroundColor3D(Qt::white);
    s.view->setAxisColor(Qt::black);
    s.view->setDivisions3D(20);
    s.view->setDrawMode(2);
    ASSERT_EQ(s.view->graphMultipleEquations(), QString());
    auto inkOnTopAndSides = [&s] {
        s.view->drawRect();
        s.pixels = s.view->RGBAPixels();
        auto ink = [](rgb c) { return c.r < 200 || c.g < 200 || c.b < 200; };
        return s.count(QRect(0, 0, s.width, 1), ink) +
               s.count(QRect(0, 0, 1, s.height * 3 / 4), ink) +
               s.count(QRect(s.width - 1, 0, 1, s.height * 3 / 4), ink);
    };
    EXPECT_GT(inkOnTopAndSides(), 10);
    ASSERT_TRUE(graphFitToGraph(*s.view, s.list));
    EXPECT_EQ(inkOnTopAndSides(), 0);
    // Still drawn, not shrunk to a dot.
    EXPECT_GT(s.count(QRect(0, 0, s.width, s.height), [](rgb c) { return c.r > 100 && c.g < 80; }),
              200);
}

}  // namespace
