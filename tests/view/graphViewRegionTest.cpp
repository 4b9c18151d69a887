// The region arithmetic of the graph view: zoom, scroll, typed bounds, grid spacing,
// parametric ranges, subdivisions and resizing.
#include "render/graphRecordingDraw.h"
#include "viewTestSupport.h"

#include <gtest/gtest.h>

namespace {

TEST(graphViewRegion, zoomInWalksTheSpacingDownToTheLimit) {
    recordedView v;
    const float widths[] = {50, 25, 10, 5, 2.5f, 1, 0.5f, 0.25f, 0.1f, 0.05f, 0.025f, 0.01f};
    const double spacings[] = {10, 5, 2, 1, 0.5, 0.2, 0.1};
    int step = 0;
    for (float width : widths) {
        v.view.zoomIn();
        graphRect r = v.view.getGraphBounds();
        EXPECT_FLOAT_EQ(r.width, width) << "step " << step;
        EXPECT_FLOAT_EQ(r.height, width) << "step " << step;
        // The centre stays at the origin.
        EXPECT_FLOAT_EQ(r.x + r.width * 0.5f, 0.0f) << "step " << step;
        if (step < 7) {
            EXPECT_NEAR(v.field(graphField::gridXSpacing), spacings[step], 1e-6 * spacings[step]);
        }
        EXPECT_TRUE(v.inspector.zoomInEnabled) << "step " << step;
        step++;
    }
    v.view.zoomIn();
    EXPECT_LT(v.view.getGraphBounds().width, 0.005);
    EXPECT_FALSE(v.inspector.zoomInEnabled);
    EXPECT_TRUE(v.inspector.zoomOutEnabled);
    // Every 2D zoom redraws at once.
    EXPECT_EQ(v.surface.displays, 13);

    // The menu still zooms past the limit; zooming out enables zooming in again.
    v.view.zoomIn();
    EXPECT_LT(v.view.getGraphBounds().width, 0.0025);
    v.view.zoomOut();
    EXPECT_TRUE(v.inspector.zoomInEnabled);
}

TEST(graphViewRegion, zoomOutWalksUpToTheLimitAndThenScrollsAreRefused) {
    recordedView v;
    const double widths[] = {250,    500,    1000,   2500,    5000,    10000,   25000,   50000,
                             100000, 250000, 500000, 1000000, 2500000, 5000000, 10000000};
    for (double width : widths) {
        v.view.zoomOut();
        EXPECT_DOUBLE_EQ(v.view.getGraphBounds().width, width);
        EXPECT_TRUE(v.inspector.zoomOutEnabled) << width;
    }
    v.view.zoomOut();
    EXPECT_DOUBLE_EQ(v.view.getGraphBounds().width, 25000000);
    EXPECT_FALSE(v.inspector.zoomOutEnabled);

    graphRect before = v.view.getGraphBounds();
    int displays = v.surface.displays;
    for (auto [dx, dy] : {std::pair{1.0, 0.0}, {-1.0, 0.0}, {0.0, 1.0}, {0.0, 0.0}})
        v.view.scrollX(dx, dy);
    EXPECT_EQ(v.view.getGraphBounds(), before);
    EXPECT_EQ(v.surface.displays, displays);

    v.view.resetDefaultValues();
    EXPECT_EQ(v.view.getGraphBounds(), (graphRect{-50.0f, -50.0f, 100.0f, 100.0f}));
    EXPECT_TRUE(v.inspector.zoomInEnabled);
    EXPECT_TRUE(v.inspector.zoomOutEnabled);
}

TEST(graphViewRegion, zoomFactorsFollowTheMantissaOfEitherSpacing) {
    struct {
        double xSpacing, ySpacing, zoomIn, zoomOut;
    } cases[] = {
        {20, 20, 2.0, 2.5}, {50, 10, 2.5, 2.0}, {10, 0.5, 2.5, 2.0},
        {0.2, 7, 2.0, 2.5}, {1, 1, 2.0, 2.0},   {0.0, -3.0, 2.0, 2.0},
    };
    for (auto &c : cases) {
        recordedView v;
        v.inspector.setFieldValue(graphField::gridXSpacing, c.xSpacing);
        v.inspector.setFieldValue(graphField::gridYSpacing, c.ySpacing);
        EXPECT_EQ(v.view.scaleForZoomIn(), c.zoomIn) << c.xSpacing << " " << c.ySpacing;
        EXPECT_EQ(v.view.scaleForZoomOut(), c.zoomOut) << c.xSpacing << " " << c.ySpacing;
    }
}

TEST(graphViewRegion, scrollingMovesTheOriginWithinTheLimits) {
    recordedView v;
    v.view.scrollX(5, 0);
    EXPECT_EQ(v.view.getGraphBounds(), (graphRect{-45.0f, -50.0f, 100.0f, 100.0f}));
    EXPECT_EQ(v.field(graphField::minX), -45.0);
    EXPECT_EQ(v.surface.displays, 1);

    // The right edge may reach 10,000,000 but not pass it, and nothing moves partly.
    v.view.scrollX(10000000 - 55, 3);
    EXPECT_EQ(v.view.getGraphBounds().x, 10000000.0f - 100.0f);
    graphRect atEdge = v.view.getGraphBounds();
    v.view.scrollX(1, -1);
    EXPECT_EQ(v.view.getGraphBounds(), atEdge);

    v.view.scrollToOrigin();
    EXPECT_EQ(v.view.getGraphBounds(), (graphRect{-50.0f, -50.0f, 100.0f, 100.0f}));
}

TEST(graphViewRegion, typedBoundsAreCorrectedAndKeepTheSpacing) {
    struct {
        double minX, maxX;
        float x, width;
    } cases[] = {
        {-5, 15, -5, 20}, {10, 5, 10, 1},  // reversed bounds give a unit width
    };
    for (auto &c : cases) {
        recordedView v;
        v.inspector.setFieldValue(graphField::minX, c.minX);
        v.inspector.setFieldValue(graphField::maxX, c.maxX);
        v.inspector.setFieldValue(graphField::minY, 0);
        v.inspector.setFieldValue(graphField::maxY, -2);
        v.inspector.setFieldValue(graphField::gridXSpacing, 2.0);
        v.view.updateBoundsFromBoundsText();
        graphRect r = v.view.getGraphBounds();
        EXPECT_EQ(r.x, c.x);
        EXPECT_EQ(r.width, c.width);
        EXPECT_EQ(r.height, 1.0f);
        EXPECT_EQ(v.field(graphField::maxX), c.x + c.width);
        if (c.width > 0) {
            EXPECT_FLOAT_EQ(v.view.getGridXCount(), c.width / 2.0f);
        }
    }
}

TEST(graphViewRegion, gridSpacingOutsideTheAllowedCountsRaisesTheAlertOnce) {
    struct {
        double xSpacing, ySpacing;
        float xCount, yCount;
        int alerts;
    } cases[] = {
        {1, 20, 20, 5, 1},      // count 100: reset to 20, spacing 5
        {1, 1, 20, 20, 1},      // both axes, one alert
        {200, 20, 0.5f, 5, 0},  // count 0.5 is fine
        {-10, 20, 20, 5, 1},    // negative count
        {0, 20, 20, 5, 1},      // infinite count
        {5, 4.7619047, 20, 21.000000f, 0},
    };
    for (auto &c : cases) {
        recordedView v;
        v.inspector.setFieldValue(graphField::gridXSpacing, c.xSpacing);
        v.inspector.setFieldValue(graphField::gridYSpacing, c.ySpacing);
        v.view.updateGridIntervals();
        EXPECT_FLOAT_EQ(v.view.getGridXCount(), c.xCount) << c.xSpacing;
        EXPECT_NEAR(v.view.getGridYCount(), c.yCount, 1e-5) << c.ySpacing;
        EXPECT_EQ(v.inspector.alerts, c.alerts) << c.xSpacing;
        // The fields show the spacing in use.
        EXPECT_FLOAT_EQ(v.field(graphField::gridXSpacing), 100.0f / c.xCount);
    }
    recordedView v;
    v.inspector.setFieldValue(graphField::gridXSpacing, 1);
    v.view.updateGridIntervals();
    EXPECT_EQ(v.inspector.lastAlert,
              "The grid spacing entered was too small for the current graph size.  It has been "
              "reset to the minimum allowed for this graph size.");
}

TEST(graphViewRegion, boundsWithoutExtentLeaveThePreviousRegion) {
    // Equal bounds and bounds that are no number: the region,
    // the fields and the spacings stay as they were, so no spacing becomes NaN.
    const struct {
        double minX, maxX, minY, maxY;
    } rows[] = {{2, 2, -5, 5}, {-5, 5, 7, 7}, {NAN, 5, -5, 5}, {-5, 5, -INFINITY, 5}};
    for (const auto &row : rows) {
        SCOPED_TRACE(testing::Message()
                     << row.minX << ".." << row.maxX << ", " << row.minY << ".." << row.maxY);
        recordedView v;
        v.inspector.setFieldValue(graphField::minX, row.minX);
        v.inspector.setFieldValue(graphField::maxX, row.maxX);
        v.inspector.setFieldValue(graphField::minY, row.minY);
        v.inspector.setFieldValue(graphField::maxY, row.maxY);
        v.view.updateBoundsFromBoundsText();
        EXPECT_EQ(v.view.getGraphBounds(), (graphRect{-50.0f, -50.0f, 100.0f, 100.0f}));
        EXPECT_EQ(v.field(graphField::minX), -50.0);
        EXPECT_EQ(v.field(graphField::maxY), 50.0);
        EXPECT_EQ(v.field(graphField::gridXSpacing), 20.0);
        EXPECT_EQ(v.field(graphField::gridYSpacing), 20.0);
        EXPECT_EQ(v.inspector.alerts, 0);
    }
}

TEST(graphViewRegion, parametricRangesAreClampedInTheFields) {
    struct {
        double minS, maxS, minT, maxT, shownMaxS, shownMaxT;
    } cases[] = {
        {3, 1, 0, 1000, 3.1, 500},
        {0, 600, -2, -3, 500, -1.9},
        {1, 1, 0, 40, 1, 40},  // an empty range is accepted
    };
    for (auto &c : cases) {
        recordedView v;
        v.inspector.setFieldValue(graphField::minS, c.minS);
        v.inspector.setFieldValue(graphField::maxS, c.maxS);
        v.inspector.setFieldValue(graphField::minT, c.minT);
        v.inspector.setFieldValue(graphField::maxT, c.maxT);
        v.view.updateParametricRange();
        EXPECT_DOUBLE_EQ(v.field(graphField::maxS), c.shownMaxS);
        EXPECT_DOUBLE_EQ(v.field(graphField::maxT), c.shownMaxT);
        EXPECT_EQ(v.surface.displays, 1);
    }
}

TEST(graphViewRegion, divisionsAreHeldBetween4And200) {
    recordedView v;
    for (auto [asked, stored] :
         {std::pair{2, 4}, {3, 4}, {4, 4}, {5, 5}, {200, 200}, {500, 200}, {-7, 4}}) {
        v.view.setDivisions3D(asked);
        EXPECT_EQ(v.view.getDivisions3D(), stored) << asked;
    }
    v.view.setDivisions3DAction(QStringLiteral("120"));
    EXPECT_EQ(v.view.getDivisions3D(), 120);
}

TEST(graphViewRegion, constrainedResizeKeepsSquareUnitsAndTheCentre) {
    recordedView v;
    v.view.setConstrainProportions(true);
    v.view.setFrame(400, 200);
    EXPECT_EQ(v.view.getGraphBounds(), (graphRect{-50.0f, -25.0f, 100.0f, 50.0f}));
    EXPECT_FLOAT_EQ(v.view.getGridYCount(), 2.5f);  // the typed y spacing of 20 stays
    EXPECT_EQ(v.field(graphField::minY), -25.0);

    // Unconstrained, the region stays; an empty frame has no proportions to keep.
    recordedView free;
    free.view.setFrame(400, 200);
    EXPECT_EQ(free.view.getGraphBounds(), (graphRect{-50.0f, -50.0f, 100.0f, 100.0f}));
    v.view.setFrame(0, 300);
    EXPECT_EQ(v.view.getGraphBounds().height, 50.0f);
    EXPECT_EQ(v.view.viewWidth(), 0.0f);
}

TEST(graphViewRegion, centringOnTheFocusFields) {
    recordedView v;
    v.inspector.setFieldValue(graphField::xBox, 10);
    v.inspector.setFieldValue(graphField::yBox, -4);
    v.view.setCenter();
    EXPECT_EQ(v.view.getGraphBounds(), (graphRect{-40.0f, -54.0f, 100.0f, 100.0f}));
    EXPECT_EQ(v.surface.needsDisplay, 1);
    EXPECT_EQ(v.surface.displays, 0);
}

}  // namespace
