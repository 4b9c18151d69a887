// An equation that takes many seconds to graph, in the one window under a window manager:
// the window keeps repainting and taking keys while it is graphed, and Cancel or Esc
// keeps the previous graph.
#include "app/graphBackgroundGrapher.h"
#include "equationEditor/graphEquationEditorView.h"
#include "windowTestSupport.h"

#include <QApplication>
#include <QPushButton>

#include <gtest/gtest.h>

namespace {

// Limits for waiting on the window; generous, for loaded machines and sanitizers.
constexpr int settle = 30000;  // ms

struct slowApp : launchedApp {
    slowApp() {
        QWidget &main = controller.mainWindow();
        if (!QTest::qWaitForWindowActive(&main)) main.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&main, 10000));
        graphInBackground();
    }
    QWindow *handle() { return controller.mainWindow().windowHandle(); }
    graphEquationEditorView *editor() { return equationWindow().editor(); }
    QString equation(int row) { return table().equations()[size_t(row)]->equation()->string(); }
    QWidget &progress() { return controller.grapher().progressIndication(); }
    // Puts text into entry 0 and presses Return in the editor, as the user graphs.
    void graphText(const QString &text) {
        ASSERT_TRUE(setEquationText(text));
        editor()->setFocus();
        QTest::keyClick(handle(), Qt::Key_Return);
    }
    QImage picture() { return graph().grabFramebuffer().convertToFormat(QImage::Format_RGB32); }
};

}  // namespace

TEST(windowSlowGraph, theWindowAnswersWhileASlowEquationIsGraphedAndCancelKeepsTheGraph) {
    slowApp app;
    app.graphText(QStringLiteral("y = x"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !app.controller.isGraphing(); }, settle));
    ASSERT_EQ(app.view().rendererCount(), 1u);
    app.waitForFrame();
    const QImage before = app.picture();

    struct stopCase {
        const char *name;
        std::function<void(slowApp &)> stop;
    };
    const stopCase stops[] = {
        {"Esc", [](slowApp &a) { QTest::keyClick(a.handle(), Qt::Key_Escape); }},
        {"Cancel",
         [](slowApp &a) {
             QTest::mouseClick(&a.controller.grapher().cancelButton(), Qt::LeftButton);
         }},
    };
    for (const stopCase &c : stops) {
        SCOPED_TRACE(c.name);
        app.graphText(slowEquation);
        EXPECT_TRUE(app.controller.isGraphing());
        // The progress indication shows once the graph has taken half a second.
        ASSERT_TRUE(QTest::qWaitFor([&] { return app.progress().isVisible(); }, settle));
        ASSERT_TRUE(app.controller.isGraphing());

        // Meanwhile the window repaints and the editor takes keys.
        QSignalSpy drawn(&app.graph(), &graphGLWidget::frameDrawn);
        app.graph().update();
        EXPECT_TRUE(drawn.wait(settle));
        QTest::keyClick(app.handle(), Qt::Key_A, Qt::ControlModifier);  // select all
        for (QChar key : QStringLiteral("y=2x")) QTest::keyClick(app.handle(), key.toLatin1());
        EXPECT_EQ(app.equation(0), QStringLiteral("y = 2 * x"));
        EXPECT_TRUE(app.controller.isGraphing());

        c.stop(app);
        EXPECT_FALSE(app.controller.isGraphing());
        EXPECT_FALSE(app.progress().isVisible());
        EXPECT_EQ(QApplication::focusWidget(), app.editor());
        // The previous graph stays: the line, in 2D, drawn as before.
        EXPECT_FALSE(app.view().isThreeD());
        EXPECT_EQ(app.view().rendererCount(), 1u);
        app.waitForFrame();
        EXPECT_EQ(app.picture(), before);
    }
}

// A graph that is ready while a movie is being recorded waits, so the recorded scene does
// not change, and is shown once the recording is over.
TEST(windowSlowGraph, aFinishedGraphWaitsWhileAMovieIsRecorded) {
    launchedApp app;
    app.setEquations({QStringLiteral("y=x")});
    bool recording = true;
    app.controller.grapher().mayAdopt = [&] { return !recording; };
    ASSERT_TRUE(app.setEquationText(QStringLiteral("z = x y")));
    app.table().graph();
    EXPECT_TRUE(app.controller.isGraphing());
    EXPECT_FALSE(app.view().isThreeD());
    EXPECT_EQ(app.view().rendererCount(), 1u);
    recording = false;
    ASSERT_TRUE(QTest::qWaitFor([&] { return !app.controller.isGraphing(); }, settle));
    EXPECT_TRUE(app.view().isThreeD());
}

// Quitting while a slow equation is graphed stops the worker and waits for it; nothing of
// the window is touched after it is gone.
TEST(windowSlowGraph, closingTheWindowWhileGraphingStopsTheWorker) {
    auto app = std::make_unique<launchedApp>();
    app->graphInBackground();
    ASSERT_TRUE(app->setEquationText(slowEquation));
    app->table().graph();
    ASSERT_TRUE(app->controller.isGraphing());
    QSignalSpy drawn(&app->graph(), &graphGLWidget::frameDrawn);
    app->graph().update();
    EXPECT_TRUE(drawn.wait(settle));
    app.reset();
    // The worker's report, if it was already on its way, finds no one and is dropped.
    QCoreApplication::processEvents();
}
