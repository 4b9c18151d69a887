// The structured equation editor on screen: draws the tree of the equation it shows with a
// blinking caret and selection highlights, routes keys and mouse events into the editing
// model, and implements the clipboard, zoom, font and undo of its edits.
//
// The view sits inside a QScrollArea. Its drawing plane is y-up, as the layout's: a layout
// pass scales the equation's path, lifts it to the top of the visible area when it is
// lower than that, and sizes the widget to the path's box (at least the visible area), so
// the scroll area scrolls over exactly the equation. The view does not own the root it
// shows; the equation list's entry does.
//
// Paste takes the archived subtree of the clipboard, or else its text read with the text
// parser.
//
// Undo: with an undo stack set, every key, Backspace, cut and paste that changes the tree
// is pushed as one command that restores tree, caret and selection exactly.
#pragma once

#include <QFont>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>

#include "equationEditor/geEditorSnapshot.h"
#include "equationEditor/graphEquationEditorModel.h"

class QAbstractButton;
class QAction;
class QMenu;
class QMimeData;
class QScrollArea;
class QTimer;
class QUndoStack;
class geBezierPath;
class geRawFont;

class graphEquationEditorView : public QWidget {
    Q_OBJECT
public:
    // The clipboard type of an archived editor subtree.
    static const char *const pboardType;
    // The refusal of a paste that has no target.
    static QString pasteTargetMessage();

    explicit graphEquationEditorView(QWidget *parent = nullptr);
    ~graphEquationEditorView() override;

    graphEquationEditorModel &model() { return model_; }
    const geEditPtr &equation() const { return model_.equation(); }
    QString statusText() const { return model_.statusText(); }

    // Return presses this button; the status line and graphing are the window's.
    void setGraphButton(QAbstractButton *button) { graphButton_ = button; }
    void setUndoStack(QUndoStack *stack) { undoStack_ = stack; }
    // Called when undo must bring back an equation the view does not show: the window
    // selects its entry, which shows it.
    void setShowRoot(std::function<void(const geEditPtr &)> show) { showRoot_ = std::move(show); }
    // Replaces QFontDialog (tests).
    void setFontChooser(std::function<std::optional<QFont>(const QFont &)> chooser) {
        fontChooser_ = std::move(chooser);
    }

    void setEquation(geEditPtr root);
    void setMessageText(const QString &text) { model_.setMessageText(text); }

    double scale() const { return scale_; }
    void setScale(double scale);
    const QFont &editorFont() const { return font_; }
    void changeFont(const QFont &font);

    bool drawCursor() const { return drawCursor_; }
    bool isBlinking() const;

    // A fresh layout pass (selection highlights with flag), in the y-up plane of the
    // equation; sizes the widget as a side effect.
    std::unique_ptr<geBezierPath> renderWithSelection(bool flag);
    // Between the widget's y-down pixels and the y-up plane of the last layout pass.
    QPointF toPlane(QPointF widgetPoint) const;
    QRectF toWidget(const QRectF &planeRect) const;
    // node's box in widget coordinates after a fresh pass; empty when it is not shown.
    QRectF widgetRectOf(const geEdit *node);

    // The selection's LaTeX, or the whole equation's without a selection.
    QString latexText() const;

    // Keyboard entry points, as key events reach them.
    void insertText(const QString &text);
    void deleteBackward();
    void handleArrow(char16_t key);

    // The editor's actions by object name: cut, copy, copyText, copyLatex, paste,
    // selectAll, zoomIn, zoomOut, actualSize, font.
    QAction *action(const char *name) const;
    // The context menu of those actions (the caller owns it).
    QMenu *createContextMenu();

public slots:
    void selectAll();
    void cut();
    void copy();
    void copyText();
    void copyLatex();
    void paste();
    void startCursor();
    void stopCursor();
    void updateView();
    void zoomIn();
    void zoomOut();
    void resetZoom();
    void chooseFont();

signals:
    void statusTextChanged(const QString &text);
    void scaleChanged(double scale);
    // The tree changed through an edit, an undo or a redo.
    void equationEdited();

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    friend class geTreeEditCommand;
    void createActions();
    // Runs one edit; pushes an undo command when the tree changed.
    void edit(const QString &label, const std::function<void()> &change);
    geEditorSnapshot snapshotBefore();
    void restore(const geEditorSnapshot &snapshot);
    // A layout pass for drawing, the widget sized to it, and a repaint.
    void refresh();
    void ensureCaretVisible();
    QScrollArea *scrollArea() const;
    QSize visibleSize() const;
    void pressGraphButton();
    static geBezierPath *nearestPath(geBezierPath &tree, QPointF p);
    // The pasted node from clipboard data, or a message why there is none.
    geEditPtr nodeFromClipboard(const QMimeData &data, QString &message) const;
    void putOnClipboard(const geEditPtr &node, bool text);
    // Puts node where the selection or the "?" under the caret is, or says why not.
    void pasteNode(const geEditPtr &node);

    graphEquationEditorModel model_;
    QFont font_;
    std::unique_ptr<geRawFont> rawFont_;
    double scale_ = 1.0;
    bool drawCursor_ = true;
    QTimer *timer_ = nullptr;
    QAbstractButton *graphButton_ = nullptr;
    QUndoStack *undoStack_ = nullptr;
    std::function<void(const geEditPtr &)> showRoot_;
    std::function<std::optional<QFont>(const QFont &)> fontChooser_;
    std::unique_ptr<geBezierPath> painted_;
    QRectF frame_;                             // the last pass's box in the y-up plane
    std::optional<geEditorSnapshot> current_;  // the state after the last edit
    bool dragging_ = false;
    bool watchingViewport_ = false;
};
