// Screenshots of the application for people to look at (not a test): the one window with
// a 2D set, the docked equation editor and inspector, a trace in progress and a shaded
// surface. Run under xvfb-run with a screen of 1500 x 900 and a window manager:
// withWindowManager.sh windowScreenshots OUTDIR EXAMPLESDIR.
#include "app/graphInspectorPanel.h"
#include "windowTestSupport.h"

#include <QApplication>
#include <QScreen>
#include <QStandardPaths>

namespace {

// The window with its frame, as a user sees it.
void shoot(QWidget &window, const QString &path) {
    for (int i = 0; i < 5; i++) QCoreApplication::processEvents();
    const QRect frame = window.frameGeometry();
    QGuiApplication::primaryScreen()
        ->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height())
        .save(path);
}

}  // namespace

int main(int argc, char **argv) {
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    if (argc < 3) return 2;
    const QString out = QString::fromLocal8Bit(argv[1]), examples = QString::fromLocal8Bit(argv[2]);
    launchedApp plot;
    QWidget &window = plot.controller.mainWindow();
    plot.graph().setFixedSize(QSize(760, 480));
    window.move(20, 20);
    plot.controller.loadEquationFile(examples + QStringLiteral("/curves.plw"));
    graphGLView &view = plot.view();
    view.setGraphBounds({-10.0f, -6.0f, 20.0f, 12.0f});
    view.setGridCounts(10.0f, 6.0f);
    view.updateBoundsText();
    view.compileEquations();
    plot.waitForFrame();
    shoot(window, out + QStringLiteral("/window.png"));

    // A trace in progress on the first curve, near x = 2.
    const graphPoint start{(2.0f + 10.0f) * 38.0f, (std::sin(2.0f) + 6.0f) * 40.0f};
    QTest::mousePress(&plot.graph(), Qt::LeftButton, {}, plot.widgetPoint(start));
    QTest::mouseMove(&plot.graph(), plot.widgetPoint({start.x + 60.0f, start.y}));
    plot.waitForFrame();
    shoot(window, out + QStringLiteral("/trace.png"));
    QTest::mouseRelease(&plot.graph(), Qt::LeftButton, {},
                        plot.widgetPoint({start.x + 60.0f, start.y}));

    plot.controller.loadEquationFile(examples + QStringLiteral("/surface.plw"), false);
    view.setRotationDegrees(25.0, -35.0);
    view.setIdleRotation(0.0, 0.0);
    view.compileEquations();
    plot.waitForFrame();
    shoot(window, out + QStringLiteral("/surface3D.png"));
    return 0;
}
