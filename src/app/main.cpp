// plotweave: the desktop application. Files named on the command line are opened as the
// desktop's open requests; when an instance is already running they are handed to it.
#include "app/graphController.h"
#include "app/graphDBusService.h"
#include "app/graphDialogs.h"
#include "app/graphGLWidget.h"
#include "app/graphTranslations.h"
#include "platform/graphSoundPlayer.h"

#include <QApplication>
#include <QCommandLineParser>

int main(int argc, char *argv[]) {
    QApplication::setOrganizationName(QStringLiteral("Plotweave"));
    QApplication::setApplicationName(QStringLiteral("Plotweave"));
    QApplication::setDesktopFileName(QStringLiteral("org.plotweave.Plotweave"));
    QApplication app(argc, argv);

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Plotweave, a graphing calculator."));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("files"),
                                 QStringLiteral("Equation sets (.plw) to open."),
                                 QStringLiteral("[files...]"));
    const QCommandLineOption quitAfterDrawing(
        QStringLiteral("quit-after-drawing"),
        QStringLiteral(
            "Quit once the graph of the opened files has been drawn (start-up timing)."));
    parser.addOption(quitAfterDrawing);
    parser.process(app);
    // After the command line: its help and errors stay English, as plotweave-cli's do.
    graphInstallTranslations(app);
    const QStringList files = parser.positionalArguments();

    if (!files.isEmpty() && graphForwardFilesToRunningInstance(files)) return 0;

    graphQtDialogs dialogs;
    graphCanberraPlayer sounds;
    graphController controller(dialogs, sounds);
    app.setWindowIcon(QIcon(QStringLiteral(":/plotweave/plotweave.svg")));
    installEquationWindow(controller);
    controller.applicationWillFinishLaunching();
    // With every window closed there is nothing left to show the program: it quits, asking
    // about unsaved changes first, and shows the graph again if the user cancels.
    app.setQuitOnLastWindowClosed(false);
    QObject::connect(&app, &QGuiApplication::lastWindowClosed, &controller, [&controller] {
        if (!controller.quit()) controller.newWindow();
    });
    graphDBusService service(controller);
    service.registerOnSessionBus();
    for (const QString &path : files) controller.openFile(path);
    if (parser.isSet(quitAfterDrawing)) {
        QObject::connect(
            &controller.graphWidget(), &graphGLWidget::frameDrawn, &app,
            [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
        // A frame may already have been drawn while the files were opened.
        controller.graphWidget().update();
    }
    return app.exec();
}
