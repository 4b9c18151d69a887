// The one window under a window manager, driven as a user drives it: keys go through the
// window system to whatever has the focus, shortcuts included, with no click unless the
// test clicks.
#include "app/graphInspectorPanel.h"
#include "appTestSupport.h"
#include "equationEditor/graphEquationEditorView.h"
#include "ui_graphMainWindow.h"
#include "windowTestSupport.h"

#include <QApplication>
#include <QDockWidget>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTableView>
#include <QWheelEvent>
#include <QWindow>

namespace {

struct activeApp : launchedApp {
    activeApp() {
        QWidget &main = controller.mainWindow();
        // A loaded machine may map the window late; ask for it again before giving up.
        if (!QTest::qWaitForWindowActive(&main)) main.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&main, 10000));
    }
    QWindow *handle() { return controller.mainWindow().windowHandle(); }
    graphEquationEditorView *editor() { return equationWindow().editor(); }
    // Keys as the window system delivers them, to the focus widget or a shortcut.
    void type(const QString &text) {
        for (QChar c : text) QTest::keyClick(handle(), c.toLatin1());
    }
    void key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(handle(), key, modifiers);
    }
    QString equation(int row) { return table().equations()[size_t(row)]->equation()->string(); }
};

TEST(windowFocus, typingGraphingAndTypingAgainWithoutAClick) {
    activeApp app;
    ASSERT_EQ(QApplication::focusWidget(), app.editor());
    app.type(QStringLiteral("y=x^2"));
    app.key(Qt::Key_Return);
    EXPECT_EQ(app.view().rendererCount(), 1u);
    EXPECT_EQ(QApplication::focusWidget(), app.editor());         // graphing leaves the keys here
    app.key(Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier);  // Add Equation
    app.type(QStringLiteral("y=2x+1"));
    app.key(Qt::Key_Return);
    ASSERT_EQ(app.table().equationCount(), 2);
    EXPECT_EQ(app.equation(0), "y = x^2");
    EXPECT_EQ(app.equation(1), "y = 2 * x + 1");
    EXPECT_EQ(app.view().rendererCount(), 2u);
    EXPECT_NE(app.table().equations()[0]->color(), app.table().equations()[1]->color());
}

// A click anywhere in the editor's area leaves a caret; "+1" then lands in the equation.
TEST(windowFocus, aClickInTheEditorsEmptyAreaPlacesTheCaret) {
    struct clickCase {
        const char *name;
        double x, y;  // fractions of the editor's visible area
        const char *after;
    };
    const clickCase cases[] = {
        {"right of the equation", 0.9, 0.1, "y = x + 1"},
        {"below the equation", 0.9, 0.9, "y = x + 1"},
    };
    for (const clickCase &c : cases) {
        SCOPED_TRACE(c.name);
        activeApp app;
        app.type(QStringLiteral("y=x"));
        QWidget *area = app.editor()->parentWidget();  // the scroll area's viewport
        const QPoint at(int(area->width() * c.x), int(area->height() * c.y));
        QTest::mouseClick(app.editor(), Qt::LeftButton, {}, app.editor()->mapFrom(area, at));
        app.type(QStringLiteral("+1"));
        EXPECT_EQ(app.equation(0), c.after);
    }
}

TEST(windowFocus, menuShortcutsWorkFromTheEditor) {
    activeApp app;
    app.type(QStringLiteral("y=x"));
    app.key(Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(app.dialogs.saveAsked, 1);
    app.key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(app.equation(0), "y = ?");
    app.key(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(app.equation(0), "y = x");
    // Window > Inspector from the keyboard shows the inspector's dock.
    app.controller.mainWindow().inspectorDock().close();
    app.key(Qt::Key_I, Qt::ControlModifier);
    EXPECT_TRUE(app.controller.mainWindow().inspectorDock().isVisible());
    // Equation Window gives the keys back to the editor.
    app.graph().setFocus();
    app.key(Qt::Key_E, Qt::ControlModifier);
    EXPECT_EQ(QApplication::focusWidget(), app.editor());
}

// Tab leaves the list for the editor and goes on through the buttons to the graph.
TEST(windowFocus, tabMovesThroughTheControlsInOrder) {
    activeApp app;
    app.table().addEquation();
    auto *list = app.equationWindow().findChild<QTableView *>(QStringLiteral("equationTable"));
    list->setFocus();
    const char *order[] = {"equationEditor", "colorWell", "addButton",
                           "deleteButton",   "zoomBox",   "graphButton"};
    for (const char *name : order) {
        app.key(Qt::Key_Tab);
        ASSERT_NE(QApplication::focusWidget(), nullptr);
        EXPECT_EQ(QApplication::focusWidget()->objectName().toStdString(), name);
    }
    // Delete from the keyboard says how to bring the equation back, and Undo does.
    app.equationWindow().findChild<QPushButton *>(QStringLiteral("deleteButton"))->setFocus();
    app.key(Qt::Key_Space);
    EXPECT_EQ(app.table().equationCount(), 1);
    auto *message = app.equationWindow().findChild<QLabel *>(QStringLiteral("messageField"));
    EXPECT_TRUE(message->text().contains(QStringLiteral("Undo"))) << message->text().toStdString();
    app.key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(app.table().equationCount(), 2);
}

TEST(windowFocus, theKSliderStepsByAnimationStepsAndKeepsTheKeys) {
    activeApp app;  // k from -10 to 10 in 20 steps
    QSlider *slider = app.controller.mainWindow().ui().kSlider;
    QLineEdit *box = app.controller.mainWindow().ui().kBox;
    box->setFocus();
    box->selectAll();
    app.type(QStringLiteral("0"));
    app.key(Qt::Key_Return);
    EXPECT_EQ(app.view().getK(), 0.0);
    EXPECT_EQ(QApplication::focusWidget(), box);
    slider->setFocus();
    struct step {
        Qt::Key key;
        double k;
    };
    for (const step &s : {step{Qt::Key_Right, 1.0}, step{Qt::Key_PageUp, 10.0},
                          step{Qt::Key_Left, 9.0}, step{Qt::Key_PageDown, -1.0}}) {
        app.key(s.key);
        EXPECT_NEAR(app.view().getK(), s.k, 1e-4);
        EXPECT_EQ(QApplication::focusWidget(), slider);
    }
}

// The wheel over (2, 3) zooms with (2, 3) staying under the pointer.
TEST(windowFocus, theWheelZoomsAboutThePointer) {
    activeApp app;
    app.setEquations({QStringLiteral("y=x")});
    const graphPoint at{(2.0f + 50.0f) * 4.0f, (3.0f + 50.0f) * 4.0f};
    const QPointF position = app.widgetPoint(at);
    struct turn {
        QPoint angle, pixels;
        bool narrower;
    };
    for (const turn &t :
         {turn{{0, 120}, {}, true}, turn{{0, -240}, {}, false}, turn{{0, 0}, {0, 15}, true}}) {
        const float before = app.view().getGraphBounds().width;
        QWheelEvent wheel(position, app.graph().mapToGlobal(position), t.pixels, t.angle,
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(&app.graph(), &wheel);
        const graphRect region = app.view().getGraphBounds();
        EXPECT_EQ(region.width < before, t.narrower);
        const graphPoint g = app.view().graphPointForViewPoint(at);
        EXPECT_NEAR(g.x, 2.0, 1e-3 * region.width);
        EXPECT_NEAR(g.y, 3.0, 1e-3 * region.height);
    }
    // The inspector shows the new region (to its seven digits).
    const graphRect region = app.view().getGraphBounds();
    EXPECT_NEAR(app.controller.inspector().field(graphField::minX)->text().toDouble(), region.x,
                1e-5 * region.width);
}

// Type, Open, Discard, a damaged file, Quit: the changes are still there and Quit asks.
TEST(windowFocus, quitAfterAFailedOpenAsks) {
    QTemporaryDir dir;
    const QString damaged = dir.filePath(QStringLiteral("damaged.plw"));
    QFile file(damaged);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not an equation set");
    file.close();
    activeApp app;
    app.type(QStringLiteral("y=x"));
    app.dialogs.openNames = {damaged};
    app.dialogs.unsavedAnswers = {graphDialogs::unsavedAnswer::discard,
                                  graphDialogs::unsavedAnswer::cancel};
    app.key(Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(app.dialogs.unsavedAsked.size(), 1);
    EXPECT_EQ(app.dialogs.warnings.size(), 1);
    EXPECT_EQ(app.equation(0), "y = x");
    EXPECT_TRUE(app.controller.isModified());
    app.key(Qt::Key_Q, Qt::ControlModifier);
    EXPECT_EQ(app.dialogs.unsavedAsked.size(), 2);
    EXPECT_TRUE(app.controller.mainWindow().isVisible());  // cancelled: still running
}

}  // namespace
