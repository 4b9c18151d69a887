#include "app/graphMainWindow.h"

#include "app/graphGLWidget.h"
#include "ui_graphMainWindow.h"

#include <QCloseEvent>

graphMainWindow::graphMainWindow(QWidget *parent)
    : QMainWindow(parent), form(std::make_unique<Ui::graphMainWindow>()) {
    form->setupUi(this);
    // The desktop's own shortcuts where it has one.
    const std::pair<QAction *, QKeySequence::StandardKey> standard[] = {
        {form->actionNewWindow, QKeySequence::New},
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
    form->actionSnapshot->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_T));
    form->actionReturnToOrigin->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_0));
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
    return *form->statusText;
}

void graphMainWindow::closeEvent(QCloseEvent *event) {
    if (shouldClose && !shouldClose()) {
        event->ignore();
        hide();
        return;
    }
    QMainWindow::closeEvent(event);
}
