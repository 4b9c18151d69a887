// The mouse on a 400 x 400 view of (-50, -50, 100, 100): 4 pixels per graph unit, the
// origin at view position (200, 200).
#include "viewTestSupport.h"

#include <gtest/gtest.h>

namespace {

graphPoint viewPointFor(float gx, float gy) {
    return {(gx + 50.0f) * 4.0f, (gy + 50.0f) * 4.0f};
}

struct pressCase {
    const char *name;
    std::vector<const char *> curves;
    graphRect region;
    graphPoint press;  // view pixels
    bool traces;
    const char *status;  // after the press
};

TEST(graphViewMouse, pressTracesNearACurveAndPansElsewhere) {
    const graphRect standard{-50.0f, -50.0f, 100.0f, 100.0f};
    const pressCase cases[] = {
        {"4 units away traces", {"y = 4"}, standard, {200, 200}, true, "(0.000000, 4.000000)"},
        {"5 units away pans", {"y = 5"}, standard, {200, 200}, false, "(0.0, 0.0)"},
        {"no curve pans", {}, standard, {200, 200}, false, "(0.0, 0.0)"},
        {"first of equals wins",
         {"y = 0 - 3", "y = 3"},
         standard,
         {200, 200},
         true,
         "(0.000000, -3.000000)"},
        {"nearer second wins",
         {"y = 4", "y = 1"},
         standard,
         {200, 200},
         true,
         "(0.000000, 1.000000)"},
        {"large pointer y uses %e",
         {"y = 2500000"},
         {-50.0f, 2400000.0f, 100.0f, 200000.0f},
         {200, 200},
         true,
         "(0.000000, 2.500000e+06)"},
        {"small pointer y keeps %f",
         {"y = 2500000"},
         {-50.0f, -1e7f, 100.0f, 4e7f},
         {200, 109},
         true,
         "(0.000000, 2500000.000000)"},
    };
    for (const pressCase &c : cases) {
        SCOPED_TRACE(c.name);
        recordedView v;
        for (const char *curve : c.curves) v.list.add(curve);
        v.view.graphMultipleEquations();
        v.view.setGraphBounds(c.region);
        v.view.mouseDown(c.press);
        EXPECT_EQ(v.view.currentTracking(),
                  c.traces ? graphGLView::tracking::trace : graphGLView::tracking::pan);
        EXPECT_EQ(v.status.text, c.status);
        v.view.mouseUp(c.press);
        EXPECT_EQ(v.view.isPointSelected(), c.traces);
        EXPECT_EQ(v.view.currentTracking(), graphGLView::tracking::none);
    }
}

TEST(graphViewMouse, panFollowsThePointerAndScrollsByItselfOutside) {
    recordedView v;
    v.view.graphMultipleEquations();
    v.view.mouseDown({100, 200});
    v.view.mouseDragged({200, 200});  // 100 pixels right: 25 units
    EXPECT_FLOAT_EQ(v.view.getGraphBounds().x, -75.0f);
    v.view.mouseTick();  // resting inside: no movement
    EXPECT_FLOAT_EQ(v.view.getGraphBounds().x, -75.0f);

    v.view.mouseDragged({420, 190});  // 20 pixels right of the view: -1 per tick in x
    v.view.mouseTick();
    EXPECT_FLOAT_EQ(v.view.getGraphBounds().x, -77.0f);
    EXPECT_FLOAT_EQ(v.view.getGraphBounds().y, -50.0f);
    v.view.mouseDragged({200, 220});  // back inside: continues from where it left
    EXPECT_FLOAT_EQ(v.view.getGraphBounds().x, -77.0f);
    EXPECT_FLOAT_EQ(v.view.getGraphBounds().y, -55.0f);
    v.view.mouseUp({200, 220});
    EXPECT_EQ(v.surface.needsDisplay > 0, true);
}

TEST(graphViewMouse, traceScrollsTowardsThePointerAndFollowsThePoint) {
    recordedView v;
    v.list.add("y = x");
    v.view.graphMultipleEquations();
    v.view.mouseDown(viewPointFor(0, 0));
    v.view.mouseDragged({-20, 200});  // 20 pixels left: 1 unit per tick
    const float afterDrag = v.view.getGraphBounds().x;
    v.view.mouseTick();
    v.view.mouseTick();
    EXPECT_FLOAT_EQ(v.view.getGraphBounds().x, afterDrag - 2.0f);

    // A point above the region moves it up by a tenth of its height.
    v.view.mouseUp(viewPointFor(0, 0));
    v.view.setGraphBounds({-50.0f, -50.0f, 100.0f, 100.0f});
    v.view.mouseDown(viewPointFor(0, 0));
    v.view.mouseDragged({420, 200});
    EXPECT_GT(v.view.getSelectionPoint().y, 50.0f);
    EXPECT_FLOAT_EQ(v.view.getGraphBounds().y, -40.0f);
    v.view.mouseUp({420, 200});
}

TEST(graphViewMouse, soundPlaysOnArrivingAtAnAxis) {
    recordedView v;
    v.list.add("y = x");
    v.view.graphMultipleEquations();
    struct step {
        float gx;
        int sounds;  // total after the step
    };
    // The trace starts at (0, 0) with the previous point (0, 0): no sound.
    const step steps[] = {{0, 0}, {10, 0}, {0, 1}, {0, 1}, {-10, 1}, {0, 2}};
    v.view.mouseDown(viewPointFor(0, 0));
    for (const step &s : steps) {
        v.view.mouseDragged(viewPointFor(s.gx, s.gx));
        EXPECT_EQ(v.status.sounds, s.sounds) << "at x " << s.gx;
    }
    v.view.mouseUp(viewPointFor(0, 0));
    EXPECT_EQ(v.status.sounds, 2);  // arriving at x = 0 and y = 0 together plays once
}

TEST(graphViewMouse, cursorShowsTheCrosshairNearACurve) {
    recordedView v;
    v.list.add("y = 10");
    v.view.graphMultipleEquations();
    v.view.mouseMoved(viewPointFor(20, 12));
    EXPECT_EQ(v.status.cursor, graphCursor::crosshair);
    v.view.mouseMoved(viewPointFor(20, 30));
    EXPECT_EQ(v.status.cursor, graphCursor::arrow);
}

TEST(graphViewMouse, dragTurnsTheSceneAndLeavesTheLastStepAsSpin) {
    recordedView v;
    v.list.add("z = x*y");
    v.view.graphMultipleEquations();
    ASSERT_TRUE(v.view.isThreeD());
    const double startX = v.view.rotationDegreesX(), startY = v.view.rotationDegreesY();

    v.view.mouseDown({100, 100});
    v.view.mouseDragged({110, 100});
    v.view.mouseDragged({115, 90});  // last step: 5 right, 10 down
    EXPECT_DOUBLE_EQ(v.view.rotationDegreesY(), startY + 3.0);
    EXPECT_DOUBLE_EQ(v.view.rotationDegreesX(), startX + 2.0);
    v.view.rotate();  // the idle spin skips its tick while the drag holds the lock
    EXPECT_DOUBLE_EQ(v.view.rotationDegreesY(), startY + 3.0);
    v.view.mouseUp({115, 90});
    EXPECT_DOUBLE_EQ(v.view.getIdleRotationY(), 1.0);
    EXPECT_DOUBLE_EQ(v.view.getIdleRotationX(), 2.0);
    v.view.rotate();
    EXPECT_DOUBLE_EQ(v.view.rotationDegreesY(), startY + 4.0);

    // A press without movement stops the spin.
    v.view.mouseDown({50, 50});
    v.view.mouseUp({50, 50});
    EXPECT_EQ(v.view.getIdleRotationX(), 0.0);
    EXPECT_EQ(v.view.getIdleRotationY(), 0.0);
}

}  // namespace
