// Launch, windows, the status line, cursors and sounds.
#include "app/graphController.h"

#include "app/graphBackgroundGrapher.h"
#include "app/graphControllerSettings.h"
#include "app/graphDialogs.h"
#include "app/graphEquationDocument.h"
#include "app/graphGLWidget.h"
#include "app/graphInspectorPanel.h"
#include "app/graphKMovieExporter.h"
#include "app/graphMainWindow.h"
#include "platform/archive/slArchiver.h"
#include "platform/graphSoundPlayer.h"
#include "ui_graphMainWindow.h"
#include "view/graphFit.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QMenu>
#include <QSettings>
#include <QTimer>

namespace {

// How often the graph's accessible description is brought up to date.
constexpr int describeInterval = 700;  // ms

}  // namespace

// The cursor image and the icon live in the windows library, which is static.
static void initResources() {
    Q_INIT_RESOURCE(plotweave);
}

graphController::graphController(graphDialogs &dialogs, graphSoundPlayer &sounds, QObject *parent)
    : QObject(parent), dialogs(dialogs), sounds(sounds), systemBeep([] { QApplication::beep(); }) {
    initResources();
}

graphController::~graphController() {
    if (window) graphView().setCompileRunner(nullptr);
    background.reset();
    delete tableWindow.data();
    if (document) document->table().setGraphView(nullptr);
}

graphGLWidget &graphController::graphWidget() {
    return window->graphView();
}

graphGLView &graphController::graphView() {
    return window->graphView().view();
}

void graphController::applicationWillFinishLaunching() {
    window = std::make_unique<graphMainWindow>();
    window->setWindowTitle(tr("Untitled") + QStringLiteral("[*]"));
    window->shouldClose = [this] { return windowShouldClose(window.get()); };
    graphView().setStatus(this);
    // Graphing runs away from this thread, so no equation freezes the window.
    background =
        std::make_unique<graphBackgroundGrapher>(graphView(), *window->statusBar(), *window);
    graphView().setCompileRunner(background.get());
    background->mayAdopt = [this] {
        return !preferences || !preferences->movieExporter().isRecording();
    };
    inspectorPanel = std::make_unique<graphInspectorPanel>(graphView(), dialogs, window.get());
    window->setInspectorPanel(inspectorPanel.get());
    inspectorPanel->setZoomMenuItems(window->ui().actionZoomIn, window->ui().actionZoomOut);
    graphView().setInspector(inspectorPanel.get());
    graphView().updateBoundsText();
    rememberRegionSwitches();
    connectMenus();

    // Preferences and user constants as stored.
    QSettings settings;
    preferences = std::make_unique<graphControllerSettings>(
        *window, [this] { systemBeep(); }, this);
    preferences->loadPreferences();

    // The action sound, or none when the theme has neither.
    for (const char *name : {firstSound, secondSound}) {
        if (sounds.hasSound(QString::fromLatin1(name))) {
            actionSound = QString::fromLatin1(name);
            break;
        }
    }

    // The first document with its window and one empty equation.
    document = std::make_unique<graphEquationDocument>(
        preferences->currentPreferences().values.graphColor);
    showEquationWindow(loadEquationWindowForDocument(*document));
    connect(document.get(), &graphEquationDocument::modifiedChanged, window.get(),
            &QWidget::setWindowModified);

    // The crosshair, its hot spot at the centre of its 17 x 17 pixels.
    // At the screen's pixel ratio the image is drawn at that many device pixels per pixel.
    const qreal ratio = window->devicePixelRatioF();
    QPixmap cross(QStringLiteral(":/plotweave/crosshair.png"));
    if (ratio > 1.0) {
        cross = cross.scaled(cross.size() * ratio, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        cross.setDevicePixelRatio(ratio);
    }
    crossHair = QCursor(cross, 8, 8);
    graphWidget().setCrosshair(crossHair);

    // Colours and settings on the graph view.
    activatePreferences();

    // The window's frame and its docks as the user left them.
    if (!window->restoreGeometry(settings.value(QStringLiteral("mainWindow")).toByteArray()))
        window->fitToScreen();
    window->restoreState(settings.value(QStringLiteral("mainWindowState")).toByteArray());

    // The keys go to the editor, where the user types first.
    graphView().redraw();
    window->show();
    window->raise();
    window->activateWindow();
    focusEditor();

    describeTimer = new QTimer(this);
    connect(describeTimer, &QTimer::timeout, this, &graphController::describeGraph);
    describeTimer->start(describeInterval);
    rebuildRecentMenu();
}

// "Reset the region on graphing" and "Keep proportions when resized" as the user left
// them; a first run resets and does not keep proportions.
void graphController::rememberRegionSwitches() {
    const QSettings settings;
    graphView().setResetGraph(settings.value(QStringLiteral("resetGraph"), true).toBool());
    graphView().setConstrainProportions(
        settings.value(QStringLiteral("constrainProportions"), false).toBool());
    inspectorPanel->showInspectorPage(graphView().isThreeD());
    const std::pair<const char *, const char *> switches[] = {
        {"resetGraph", "resetGraph"}, {"constrainProportions", "constrainProportions"}};
    for (const auto &[box, key] : switches) {
        if (auto *check = inspectorPanel->findChild<QCheckBox *>(QLatin1String(box))) {
            const QString name = QLatin1String(key);
            connect(check, &QCheckBox::toggled, this,
                    [name](bool on) { QSettings().setValue(name, on); });
        }
    }
}

// Colours, draw mode, sounds, k range and constants on the graph view and the list.
void graphController::activatePreferences() {
    preferences->activatePreferences(&document->table());
    playSounds = preferences->playSounds();
    preferences->onApplied = [this] { playSounds = preferences->playSounds(); };
}

double graphController::constantForString(const QString &name) const {
    return preferences ? preferences->constantForString(name) : 1.0;
}

void graphController::connectMenus() {
    Ui::graphMainWindow &ui = window->ui();
    graphGLWidget *widget = &graphWidget();
    connect(ui.actionNew, &QAction::triggered, this, [this] { newEquationSet(); });
    connect(ui.actionGraphWindow, &QAction::triggered, this, &graphController::newWindow);
    connect(ui.actionEquationWindow, &QAction::triggered, this,
            &graphController::bringEquationWindowForward);
    connect(ui.actionInspector, &QAction::triggered, this, &graphController::showInspector);
    connect(ui.actionOpen, &QAction::triggered, this, &graphController::openEquationSet);
    connect(ui.actionSave, &QAction::triggered, this, &graphController::saveEquationSet);
    connect(ui.actionSaveAs, &QAction::triggered, this, [this] { saveEquationSetAs(); });
    connect(ui.actionSnapshot, &QAction::triggered, this, &graphController::snapshot);
    connect(ui.actionPrint, &QAction::triggered, this, &graphController::print);
    connect(ui.actionQuit, &QAction::triggered, this, [this] { quit(); });
    connect(ui.actionZoomIn, &QAction::triggered, widget, [this] { graphView().zoomIn(); });
    connect(ui.actionZoomOut, &QAction::triggered, widget, [this] { graphView().zoomOut(); });
    connect(ui.actionReturnToOrigin, &QAction::triggered, widget,
            [this] { graphView().scrollToOrigin(); });
    connect(ui.actionResetDefaults, &QAction::triggered, widget,
            [this] { graphView().resetDefaultValues(); });
    // Fit To Graph: the y range (2D) or the camera (3D) that shows everything graphed.
    connect(ui.actionFitToGraph, &QAction::triggered, widget,
            [this] { graphFitToGraph(graphView(), document->table()); });
    connect(ui.menuGraph, &QMenu::aboutToShow, this, &graphController::updateGraphItems);

    // The Edit menu acts on the equation window's editor.
    const std::pair<QAction *, const char *> edits[] = {
        {ui.actionUndo, "undo"},
        {ui.actionRedo, "redo"},
        {ui.actionCut, "cut"},
        {ui.actionCopy, "copy"},
        {ui.actionCopyText, "copyText"},
        {ui.actionCopyLatex, "copyLatex"},
        {ui.actionPaste, "paste"},
        {ui.actionSelectAll, "selectAll"},
        {ui.actionAddEquation, "addEquation"},
    };
    for (const auto &[action, slot] : edits) {
        const QString name = QString::fromLatin1(slot);
        connect(action, &QAction::triggered, this, [this, name] {
            if (editCommand) editCommand(name);
        });
    }
}

bool graphController::isGraphing() const {
    return background && background->isGraphing();
}

void graphController::newWindow() {
    window->show();
    window->raise();
    window->activateWindow();
    graphWidget().setFocus(Qt::OtherFocusReason);
    graphWidget().update();
}

// Closing the one window quits, after asking about unsaved changes.
bool graphController::windowShouldClose(QWidget *closing) {
    if (closing == window.get()) return quit();
    return true;
}

void graphController::bringEquationWindowForward() {
    if (!tableWindow) return;
    graphMainWindow::showDock(window->equationDock());
    focusEditor();
}

void graphController::showInspector() {
    graphMainWindow::showDock(window->inspectorDock());
}

void graphController::focusEditor() {
    if (tableWindow) tableWindow->setFocus(Qt::OtherFocusReason);
}

// The equation window of the current list lives in the equation dock; its title (the
// set's file name) is the main window's.
void graphController::showEquationWindow(QWidget *shown) {
    if (shown == tableWindow.data()) return;
    tableWindow = shown;
    if (!shown) return;
    window->setEquationPanel(shown);
    auto retitle = [this](const QString &title) {
        window->setWindowTitle(title + QStringLiteral("[*]"));
    };
    connect(shown, &QWidget::windowTitleChanged, window.get(), retitle);
    retitle(shown->windowTitle());
}

graphEquationTable &graphController::equationTable() {
    return document->table();
}

QWidget *graphController::loadEquationWindowForDocument(graphEquationDocument &newDocument) {
    graphEquationTable &newTable = newDocument.table();
    // New entries take the default colour; letters take the user constants' values.
    newTable.setDefaultColor(preferences->currentPreferences().values.graphColor);
    newTable.setPaletteColors(true);
    newTable.setConstantSource(preferences->constants());
    preferences->setEquationTable(&newTable);
    // The window, which attaches itself to the list.
    QWidget *made = makeEquationWindow ? makeEquationWindow(newDocument, *this) : nullptr;
    // The graph view now graphs this list.
    newTable.setGraphView(&graphView());
    newTable.selectRow(newTable.selectedRow());
    return made;
}

void graphController::saveGeometry() {
    QSettings settings;
    settings.setValue(QStringLiteral("mainWindow"), window->saveGeometry());
    settings.setValue(QStringLiteral("mainWindowState"), window->saveState());
}

bool graphController::quit() {
    if (!maybeSave()) return false;
    saveGeometry();
    describeTimer->stop();
    window->hide();
    // exit, not quit: quit would ask the window again.
    QCoreApplication::exit(0);
    return true;
}

QWidget *graphController::dialogParent() {
    QWidget *active = QApplication::activeWindow();
    return active != nullptr ? active : window.get();
}

// Screen readers learn what the graph shows from its accessible description.
void graphController::describeGraph() {
    QStringList shown;
    if (graphView().isGraphed()) {
        for (const auto &entry : document->table().equations()) {
            if (entry->equation())
                shown << QStringLiteral("%1: %2").arg(entry->name(), entry->equation()->string());
        }
    }
    const QString text = shown.isEmpty() ? tr("Nothing graphed")
                                         : tr("Graph of %1").arg(shown.join(QStringLiteral("; ")));
    if (graphWidget().accessibleDescription() != text) graphWidget().setAccessibleDescription(text);
    updateGraphItems();
}

void graphController::updateGraphItems() {
    window->ui().actionFitToGraph->setEnabled(graphView().isGraphed() &&
                                              graphView().rendererCount() > 0);
}

// A trace's coordinates are shown with the name of the equation traced.
void graphController::setStatusText(const QString &text) {
    const int traced = graphView().tracedSource();
    if (traced >= 0 && traced < document->table().equationCount() && !text.isEmpty())
        window->statusText().setText(
            tr("%1: %2").arg(document->table().equations()[size_t(traced)]->name(), text));
    else
        window->statusText().setText(text);
}

void graphController::setCursor(graphCursor cursor) {
    graphWidget().showCursor(cursor);
}

void graphController::playSound() {
    if (!playSounds) return;
    if (actionSound.isEmpty() || !sounds.play(actionSound)) systemBeep();
}
