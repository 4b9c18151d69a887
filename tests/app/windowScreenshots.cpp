// Screenshots of the application for people to look at (not a test): the main window with
// a 2D set, a trace in progress, the inspector, a shaded surface and the equation window.
// Run under xvfb-run with a screen of 1500 x 900: windowScreenshots OUTDIR EXAMPLESDIR.
#include "app/graphInspectorPanel.h"
#include "windowTestSupport.h"

#include <QApplication>
#include <QScreen>
#include <QStandardPaths>

namespace {

void shoot(const QString &path) {
    for (int i = 0; i < 5; i++) QCoreApplication::processEvents();
    QGuiApplication::primaryScreen()->grabWindow(0).save(path);
}

}  // namespace

int main(int argc, char **argv) {
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    if (argc < 3) return 2;
    const QString out = QString::fromLocal8Bit(argv[1]), examples = QString::fromLocal8Bit(argv[2]);
    launchedApp plot;
    plot.graph().setFixedSize(QSize(800, 600));
    plot.controller.mainWindow().move(0, 0);
    plot.controller.loadEquationFile(examples + QStringLiteral("/curves.plw"));
    graphGLView &view = plot.view();
    view.setGraphBounds({-10.0f, -6.0f, 20.0f, 12.0f});
    view.setGridCounts(10.0f, 6.0f);
    view.updateBoundsText();
    view.compileEquations();
    if (QWidget *equations = plot.controller.equationWindow())
        equations->setGeometry(815, 205, 660, 330);
    plot.controller.inspector().move(815, 0);
    plot.controller.showInspector();
    plot.waitForFrame();
    shoot(out + QStringLiteral("/main2D.png"));

    // A trace in progress on the first curve, near x = 2.
    const graphPoint start{(2.0f + 10.0f) * 40.0f, (std::sin(2.0f) + 6.0f) * 50.0f};
    QTest::mousePress(&plot.graph(), Qt::LeftButton, {}, plot.widgetPoint(start));
    QTest::mouseMove(&plot.graph(), plot.widgetPoint({start.x + 60.0f, start.y}));
    plot.waitForFrame();
    shoot(out + QStringLiteral("/trace.png"));
    QTest::mouseRelease(&plot.graph(), Qt::LeftButton, {},
                        plot.widgetPoint({start.x + 60.0f, start.y}));

    plot.controller.loadEquationFile(examples + QStringLiteral("/surface.plw"), false);
    view.setRotationDegrees(25.0, -35.0);
    view.setIdleRotation(0.0, 0.0);
    view.compileEquations();
    plot.waitForFrame();
    shoot(out + QStringLiteral("/surface3D.png"));
    return 0;
}
