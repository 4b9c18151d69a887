// The mouse on the real graph widget, 400 x 400 pixels over (-50, -50, 100, 100): 4 pixels
// per graph unit. The rules themselves are tested on the view core; here the widget's
// events, timers, cursor and menus.
#include "windowTestSupport.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QMenu>

namespace {

graphPoint viewPointFor(float gx, float gy) {
    return {(gx + 50.0f) * 4.0f, (gy + 50.0f) * 4.0f};
}

TEST(windowMouse, pressNearACurveTracesAndElsewherePans) {
    launchedApp app;
    app.setEquations({QStringLiteral("y=x")});
    graphGLWidget &graph = app.graph();

    const QPoint onCurve = app.widgetPoint(viewPointFor(10, 10));
    QTest::mousePress(&graph, Qt::LeftButton, {}, onCurve);
    EXPECT_TRUE(graph.mouseTimer().isActive());  // the tick runs while the button is held
    EXPECT_EQ(app.status(), "Equation 1: (10.000000, 10.000000)");
    QTest::mouseMove(&graph, app.widgetPoint(viewPointFor(-20, -20)));
    EXPECT_EQ(app.status(), "Equation 1: (-20.000000, -20.000000)");
    // Screen readers read the coordinates, not a label's name.
    QAccessibleInterface *line =
        QAccessible::queryAccessibleInterface(&app.controller.mainWindow().statusText());
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->text(QAccessible::Name), app.status());
    QTest::mouseRelease(&graph, Qt::LeftButton, {}, app.widgetPoint(viewPointFor(-20, -20)));
    EXPECT_FALSE(graph.mouseTimer().isActive());
    EXPECT_TRUE(app.view().isPointSelected());

    const QPoint away = app.widgetPoint(viewPointFor(10, -30));
    QTest::mousePress(&graph, Qt::LeftButton, {}, away);
    QTest::mouseMove(&graph, away + QPoint(40, 0));
    QTest::mouseRelease(&graph, Qt::LeftButton, {}, away + QPoint(40, 0));
    EXPECT_FLOAT_EQ(app.view().getGraphBounds().x, -60.0f);
    EXPECT_FALSE(graph.mouseTimer().isActive());
}

TEST(windowMouse, crosshairNearACurveWithItsHotSpotInTheMiddle) {
    launchedApp app;
    app.setEquations({QStringLiteral("y=x")});
    app.hover(app.widgetPoint(viewPointFor(10, 12)));
    EXPECT_EQ(app.graph().cursor().shape(), Qt::BitmapCursor);
    EXPECT_EQ(app.graph().cursor().hotSpot(), QPoint(8, 8));
    EXPECT_FALSE(app.graph().cursor().pixmap().isNull());
    app.hover(app.widgetPoint(viewPointFor(10, 40)));
    EXPECT_EQ(app.graph().cursor().shape(), Qt::ArrowCursor);
}

TEST(windowMouse, dragSpinsASurfaceAndAStillPressStopsIt) {
    launchedApp app;
    app.setEquations({QStringLiteral("z=x*y")});
    ASSERT_TRUE(app.view().isThreeD());
    EXPECT_TRUE(app.graph().spinTimer().isActive());
    const QPoint start(100, 200);
    QTest::mousePress(&app.graph(), Qt::LeftButton, {}, start);
    EXPECT_FALSE(app.graph().mouseTimer().isActive());
    QTest::mouseMove(&app.graph(), start + QPoint(10, 0));
    QTest::mouseMove(&app.graph(), start + QPoint(15, 0));
    QTest::mouseRelease(&app.graph(), Qt::LeftButton, {}, start + QPoint(15, 0));
    EXPECT_DOUBLE_EQ(app.view().getIdleRotationY(), 1.0);

    QTest::mouseClick(&app.graph(), Qt::LeftButton, {}, start);
    EXPECT_EQ(app.view().getIdleRotationY(), 0.0);
}

TEST(windowMouse, contextualMenusHaveTheirTitlesAndActions) {
    launchedApp app;
    app.setEquations({QStringLiteral("y=x")});
    auto titles = [](QMenu *menu) {
        QStringList list;
        for (QAction *a : menu->actions()) list << a->text();
        return list;
    };
    QMenu *menu = app.graph().contextMenu();
    EXPECT_EQ(titles(menu), (QStringList{"Return To Origin", "Reset Default Graph Values", "",
                                         "Zoom In", "Zoom Out"}));
    menu->actions()[3]->trigger();
    EXPECT_FLOAT_EQ(app.view().getGraphBounds().width, 50.0f);

    app.setEquations({QStringLiteral("z=x+y")});
    EXPECT_EQ(titles(app.graph().contextMenu()), (QStringList{"Zoom In", "Zoom Out"}));
}

}  // namespace
