#include "app/graphMainWindow.h"

#include "app/graphGLWidget.h"
#include "ui_graphMainWindow.h"

#include <QCloseEvent>
#include <QDockWidget>
#include <QLabel>
#include <QScreen>

namespace {

QDockWidget *makeDock(QMainWindow *window, const QString &name, const QString &title) {
    auto *dock = new QDockWidget(title, window);
    dock->setObjectName(name);
    dock->setAccessibleName(title);
    dock->setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable |
                      QDockWidget::DockWidgetFloatable);
    return dock;
}

}  // namespace

graphMainWindow::graphMainWindow(QWidget *parent)
    : QMainWindow(parent), form(std::make_unique<Ui::graphMainWindow>()) {
    form->setupUi(this);
    setDockOptions(AnimatedDocks | AllowTabbedDocks | AllowNestedDocks);
    // The status line shows its text to screen readers as its name, announced as it changes.
    status = new QLabel(form->statusBar);
    status->setObjectName(QStringLiteral("statusText"));
    status->setAccessibleDescription(tr("Status line"));
    status->setTextInteractionFlags(Qt::TextSelectableByMouse);
    form->statusBar->addWidget(status, 1);

    equations = makeDock(this, QStringLiteral("equationDock"), tr("Equations"));
    addDockWidget(Qt::BottomDockWidgetArea, equations);
    inspector = makeDock(this, QStringLiteral("inspectorDock"), tr("Inspector"));
    addDockWidget(Qt::RightDockWidgetArea, inspector);

    // The desktop's own shortcuts where it has one.
    const std::pair<QAction *, QKeySequence::StandardKey> standard[] = {
        {form->actionNew, QKeySequence::New},
        {form->actionOpen, QKeySequence::Open},
        {form->actionSave, QKeySequence::Save},
        {form->actionSaveAs, QKeySequence::SaveAs},
        {form->actionPrint, QKeySequence::Print},
        {form->actionQuit, QKeySequence::Quit},
        {form->actionUndo, QKeySequence::Undo},
        {form->actionRedo, QKeySequence::Redo},
        {form->actionCut, QKeySequence::Cut},
        {form->actionCopy, QKeySequence::Copy},
        {form->actionPaste, QKeySequence::Paste},
        {form->actionSelectAll, QKeySequence::SelectAll},
        {form->actionZoomIn, QKeySequence::ZoomIn},
        {form->actionZoomOut, QKeySequence::ZoomOut},
        {form->actionPreferences, QKeySequence::Preferences},
    };
    for (const auto &[action, key] : standard) action->setShortcuts(key);
    // Common alternatives the desktop's lists leave out on some platforms.
    auto addKeys = [](QAction *action, std::initializer_list<QKeySequence> keys) {
        QList<QKeySequence> all = action->shortcuts();
        for (const QKeySequence &key : keys)
            if (!all.contains(key)) all << key;
        action->setShortcuts(all);
    };
    addKeys(form->actionRedo, {QKeySequence(Qt::CTRL | Qt::Key_Y)});
    addKeys(form->actionZoomIn, {QKeySequence(Qt::CTRL | Qt::Key_Equal)});
    if (form->actionPreferences->shortcuts().isEmpty())
        form->actionPreferences->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Comma));
    form->actionCopyText->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
    form->actionCopyLatex->setShortcut(QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_C));
    form->actionAddEquation->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_A));
    form->actionSnapshot->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_T));
    form->actionReturnToOrigin->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_0));
    form->actionAnimateK->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_K));
    form->actionMakeKMovie->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_K));
    form->actionGraphWindow->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_G));
    form->actionEquationWindow->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    form->actionInspector->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_I));
    for (QMenu *menu : {form->menuFile, form->menuEdit, form->menuGraph, form->menuWindow})
        menu->setAccessibleName(menu->title().remove(QLatin1Char('&')));
}

graphMainWindow::~graphMainWindow() = default;

graphGLWidget &graphMainWindow::graphView() {
    return *form->graphView;
}

QLabel &graphMainWindow::statusText() {
    return *status;
}

void graphMainWindow::setEquationPanel(QWidget *panel) {
    equations->setWidget(panel);
}

void graphMainWindow::setInspectorPanel(QWidget *panel) {
    inspector->setWidget(panel);
}

void graphMainWindow::showDock(QDockWidget &dock) {
    dock.show();
    dock.raise();  // the front tab when tabbed with another dock
    if (dock.isFloating()) dock.activateWindow();
}

void graphMainWindow::fitToScreen() {
    const QScreen *shown = screen();
    if (shown == nullptr) return;
    const QRect available = shown->availableGeometry();
    QSize size = frameSize().expandedTo(geometry().size());
    const QSize largest = available.size() * 0.92;
    if (size.width() > largest.width() || size.height() > largest.height()) {
        size = size.boundedTo(largest);
        resize(size - (frameSize() - geometry().size()));
    }
    QRect frame = frameGeometry();
    if (!available.contains(frame)) {
        frame.moveCenter(available.center());
        move(frame.topLeft());
    }
}

void graphMainWindow::closeEvent(QCloseEvent *event) {
    if (shouldClose && !shouldClose()) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}
