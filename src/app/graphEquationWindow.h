// The equation window: the table of equation names, the structured editor of the selected
// equation, its colour well, the Add, Delete and Graph buttons, the zoom control and the
// message field. The controls come from graphEquationWindow.ui; this class wires them to
// the document's equation list (graphEquationTable), whose observer it is, and to the editor
// view.
//
// Every change of the list (add, delete, rename, recolour) and of a tree goes on the
// document's undo stack. The window owns neither the document nor its list.
#pragma once

#include <QColor>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>

#include "app/graphEquationDocument.h"

class QUndoGroup;
class QUndoStack;
class graphEquationEditorView;
class graphEquationTableModel;
namespace Ui {
class GraphEquationWindow;
}

class graphEquationWindow : public QWidget, public graphEquationTableObserver {
    Q_OBJECT
public:
    explicit graphEquationWindow(graphEquationDocument *document, QWidget *parent = nullptr);
    ~graphEquationWindow() override;

    // Shows another document (a file was opened); Undo and Redo act on its history.
    void setDocument(graphEquationDocument *document);
    graphEquationDocument *document() const { return document_; }
    graphEquationTable *table() const { return table_; }
    void focusEditor();
    // In a window whose menus carry the same shortcuts (undo, redo, the clipboard, the
    // editor's zoom), the window's and the editor's own keys go, so that no key is
    // ambiguous; the menus' commands reach the editor instead.
    void leaveShortcutsToMenus();

    graphEquationEditorView *editor() const { return editor_; }
    // The shown document's undo stack; null without a document.
    QUndoStack *undoStack() const;
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
    graphEquationDocument *document_ = nullptr;
    graphEquationTable *table_ = nullptr;
    graphEquationTableModel *model_ = nullptr;
    graphEquationEditorView *editor_ = nullptr;
    QUndoGroup *undoGroup_ = nullptr;
    std::function<std::optional<QColor>(const QColor &)> colorChooser_;
    bool showingSelection_ = false;
};
