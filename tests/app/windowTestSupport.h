// Stand-ins for everything of the application that waits for the user or makes a noise,
// and a launched controller on them, for the screen tests.
#pragma once

#include "app/graphBackgroundGrapher.h"
#include "app/graphController.h"
#include "app/graphDialogs.h"
#include "app/graphEquationDocument.h"
#include "app/graphEquationWindow.h"
#include "app/graphGLWidget.h"
#include "app/graphMainWindow.h"
#include "platform/graphSoundPlayer.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPrinter>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <deque>
#include <set>

class testDialogs : public graphDialogs {
public:
    QString openFileName(QWidget *, const QString &, const QString &) override {
        return next(openNames);
    }
    QString saveFileName(QWidget *, const QString &, const QString &, const QString &,
                         const QString &title = QString()) override {
        saveTitles << title;
        saveAsked++;
        return next(saveNames);
    }
    void warn(QWidget *, const QString &, const QString &text) override { warnings << text; }
    unsavedAnswer askUnsaved(QWidget *, const QString &name) override {
        unsavedAsked << name;
        return unsavedAnswers.empty() ? unsavedAnswer::cancel : pop(unsavedAnswers);
    }
    void alert(QWidget *, const graphAlertText &alert) override {
        alerts << QString::fromUtf8(alert.title);
    }
    bool printWithPreview(QWidget *, QPrinter &printer,
                          const std::function<void(QPrinter &)> &paint) override {
        if (printFile.isEmpty()) return false;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(printFile);
        if (printPage.isValid()) {
            printer.setPageSize(printPage);
            printer.setPageMargins(QMarginsF(), QPageLayout::Inch);
        }
        paint(printer);
        return true;
    }

    std::deque<QString> openNames, saveNames;
    std::deque<unsavedAnswer> unsavedAnswers;
    QString printFile;
    QPageSize printPage;  // the page chosen in the panel, without margins; invalid: the default
    QStringList warnings, unsavedAsked, alerts, saveTitles;
    int saveAsked = 0;

private:
    template <class T>
    static T pop(std::deque<T> &queue) {
        T value = queue.front();
        queue.pop_front();
        return value;
    }
    static QString next(std::deque<QString> &queue) {
        return queue.empty() ? QString() : pop(queue);
    }
};

class testSounds : public graphSoundPlayer {
public:
    bool hasSound(const QString &name) override { return available.count(name) > 0; }
    bool play(const QString &name) override {
        played << name;
        return playWorks;
    }
    std::set<QString> available;
    bool playWorks = true;
    QStringList played;
};

// A launched application with its windows shown and drawn once.
struct launchedApp {
    testDialogs dialogs;
    testSounds sounds;
    int beeps = 0;
    graphController controller{dialogs, sounds};

    explicit launchedApp(std::set<QString> availableSounds = {}) {
        sounds.available = std::move(availableSounds);
        controller.setBeep([this] { beeps++; });
        installEquationWindow(controller);
        controller.applicationWillFinishLaunching();
        // The tests look at a graph right after asking for it: each graph is waited for,
        // on its worker thread. The slow-equation tests let graphs run on instead.
        controller.grapher().setForegroundBudget(std::chrono::minutes(2));
        graph().setFixedSize(400, 400);
        waitForFrame();
    }
    graphGLWidget &graph() { return controller.graphWidget(); }
    graphGLView &view() { return controller.graphView(); }
    graphEquationTable &table() { return controller.equationTable(); }
    graphEquationDocument &document() { return controller.equationDocument(); }
    graphEquationWindow &equationWindow() {
        return *static_cast<graphEquationWindow *>(controller.equationWindow());
    }
    QString status() {
        return controller.mainWindow().findChild<QLabel *>(QStringLiteral("statusText"))->text();
    }
    // Types keys into equation n and graphs the list.
    void setEquations(const std::vector<QString> &keys);
    void waitForFrame() {
        QSignalSpy drawn(&graph(), &graphGLWidget::frameDrawn);
        graph().update();
        drawn.wait(5000);
    }
    // The pointer moving over the graph with no button held, delivered at once.
    void hover(QPoint position) {
        QMouseEvent move(QEvent::MouseMove, QPointF(position),
                         graph().mapToGlobal(QPointF(position)), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QCoreApplication::sendEvent(&graph(), &move);
    }
    // A view position (pixels from the lower left) as a widget position.
    QPoint widgetPoint(graphPoint p) { return QPoint(int(p.x), graph().height() - int(p.y)); }
    // Puts text into entry 0, shown in the editor (false when it does not parse).
    bool setEquationText(const QString &text);
    // Lets graphs run on in the background and sets the 3D grid to its finest, where
    // slowEquation takes many seconds.
    void graphInBackground() {
        controller.grapher().setForegroundBudget(std::chrono::milliseconds(0));
        view().setDivisions3D(200);
    }
};

// An implicit sphere whose left side carries six nested numeric derivatives (the deepest
// allowed) of a product of three functions: on a cube of 200 cells a side, several
// million points at 64 evaluations each, many seconds on any machine. The derivative
// term stays below 1e-6, so the picture would be a sphere.
inline const QString slowEquation = QStringLiteral(
    "x^2 + y^2 + z^2 = 9 + erf(dx(dx(dx(dx(dx(dx(sin(x y z) cos(x + y + z) sin(x z))))))))"
    "/1000000");
