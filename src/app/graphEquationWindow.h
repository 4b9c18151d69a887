// The equation window: the table of equation names, the structured editor of the selected
// equation, its colour well, the Add, Delete and Graph buttons, the zoom control and the
// message field. The controls come from graphEquationWindow.ui; this class wires them to
// the equation list (graphEquationTable), whose observer it is, and to the editor view.
//
// Every change of the list (add, delete, rename, recolour) and of a tree goes on the
// window's undo stack. The window does not own the list.
#pragma once

#include <QColor>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>

#include "app/graphEquationTable.h"

class QUndoStack;
class graphEquationEditorView;
class graphEquationTableModel;
namespace Ui {
class GraphEquationWindow;
}

class graphEquationWindow : public QWidget, public graphEquationTableObserver {
    Q_OBJECT
public:
    explicit graphEquationWindow(graphEquationTable *table, QWidget *parent = nullptr);
    ~graphEquationWindow() override;

    // Shows another list (a file was opened); the undo history of the old one is dropped.
    void setTable(graphEquationTable *table);
    graphEquationTable *table() const { return table_; }
    // The list's file: the title becomes its name ("Untitled" for none).
    void setFileName(const QString &path);
    void focusEditor();
    // In a window whose menus carry the same shortcuts (undo, redo, the clipboard, the
    // editor's zoom), the window's and the editor's own keys go, so that no key is
    // ambiguous; the menus' commands reach the editor instead.
    void leaveShortcutsToMenus();

    graphEquationEditorView *editor() const { return editor_; }
    QUndoStack *undoStack() const { return undoStack_; }
    // Replaces QColorDialog (tests).
    void setColorChooser(std::function<std::optional<QColor>(const QColor &)> chooser) {
        colorChooser_ = std::move(chooser);
    }

    // The actions of the controls, as the buttons and the table call them.
    void addEquation();
    void deleteEquation();
    void graph();
    void chooseColor();
    void setEquationColor(const QColor &color);
    void renameEquation(int row, const QString &name);

    // graphEquationTableObserver
    void entriesChanged() override;
    void selectedRowChanged(int row) override;
    void deleteEnabledChanged(bool enabled) override;
    void messageTextChanged(const QString &text) override;
    void titleChanged(const QString &title) override;
    void editorFocusRequested() override;

private:
    void showColor(const QColor &color);
    void showRoot(const geEditPtr &root);
    void tableSelectionChanged();
    void applicationStateChanged(Qt::ApplicationState state);

    std::unique_ptr<Ui::GraphEquationWindow> ui_;
    graphEquationTable *table_ = nullptr;
    graphEquationTableModel *model_ = nullptr;
    graphEquationEditorView *editor_ = nullptr;
    QUndoStack *undoStack_ = nullptr;
    std::function<std::optional<QColor>(const QColor &)> colorChooser_;
    bool showingSelection_ = false;
};
