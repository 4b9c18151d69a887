// The editing state behind the equation editor view, without any drawing: which node holds
// the cursor, what is selected, how keys reach the tree, and the calculator line. The
// editor view and the command line tool drive the same model.
//
// Invariants:
// - At most one of keyResponder and selection is set. The key responder has hasCursor set;
//   the selection has isSelected set. Both are null when no node holds the cursor.
// - The model does not clear the previous responder's cursor flag on assignment: the node
//   operations that hand the cursor on clear it themselves. The one exception is the
//   function rewrite after a key, which may rewrite a chain beside the responder.
// - Every key leaves the tree with its parent links intact and ends in the caret state,
//   except "-" typed on a selected negation, which keeps the selection.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>

#include "equationEditor/geEdit.h"

// The tallest tree the keys may build. Every walk over the tree recurses once per level,
// so a tree built without bound (a held-down "(" key) would end in a stack overflow; keys
// that could add a level are refused with a beep once the tree is this tall.
inline constexpr int geMaxTreeHeight = 2000;

// The shortest text that reads back as the same float: 15 -> "15", 0.1f -> "0.1".
QString geFormatFloat(float value);

// The calculator line for a calculation: "" when blocked, "= undefined\n" for a failure or
// a value that is no finite number, else "= <value>\n" with up to 10 significant digits
// ("= 3.402823669e+38\n").
QString geCalculatorLine(const geEdit::Calculation &c);

class graphEquationEditorModel : public geEditDelegate {
public:
    graphEquationEditorModel();
    ~graphEquationEditorModel() override;
    graphEquationEditorModel(const graphEquationEditorModel &) = delete;
    graphEquationEditorModel &operator=(const graphEquationEditorModel &) = delete;

    // Where the model reaches out: user constants, the graph button (Return), the system
    // beep and the status line. Each may be left unset.
    void setConstantLookup(std::function<double(const QString &)> lookup) {
        constantLookup_ = std::move(lookup);
    }
    void setGraphAction(std::function<void()> action) { graphAction_ = std::move(action); }
    void setBeepAction(std::function<void()> action) { beepAction_ = std::move(action); }
    void setStatusChanged(std::function<void(const QString &)> changed) {
        statusChanged_ = std::move(changed);
    }

    const geEditPtr &equation() const { return equation_; }
    const geEditPtr &keyResponder() const { return keyResponder_; }
    const geEditPtr &selection() const { return selection_; }
    const QString &statusText() const { return statusText_; }

    // Shows root with the cursor at the end of the equation.
    void setEquation(geEditPtr root);
    void setKeyResponder(geEditPtr node);
    // Makes node the selection as a finished drag does (null ends the selection).
    void selectNode(geEditPtr node);
    void setMessageText(const QString &text);

    // Input. insertText and deleteBackward recalculate; inputString types a whole text
    // without recalculating; Return and line feed press the graph button.
    void insertText(const QString &text);
    void deleteBackward();
    void handleKey(char16_t key);
    void inputString(const QString &text);
    void selectAll();

    // Mouse: clears the cursor and selection marks; the key responder stays as the anchor
    // of a drag that may follow.
    void clearMarks();
    // A drag made node the selection; the key responder stays set as its anchor.
    void setDragSelection(geEditPtr node);
    // A drag inside a number came back to its anchor: the caret state again.
    void endDragAtAnchor();

    // Sets both without touching any node's marks (undo restores the marks itself).
    void restoreState(geEditPtr responder, geEditPtr selection);

    // Clipboard edits. cut deletes the selection and leaves the caret where it stood.
    void cut();
    // Puts node in place of the selection, or of the placeholder that holds the cursor,
    // with the cursor at its right end. Refused (false, nothing changed) without such a
    // target, or when the tree would grow taller than the keys may build it.
    enum class PasteResult { Pasted, NoTarget, TooTall };
    PasteResult pasteNode(geEditPtr node);
    // The node cut, copy and paste work on: a selected root stands for its top node.
    geEditPtr selectedNode() const { return effectiveSelection(); }

    // Shows "= value\n" for an equation without placeholders and variables, else nothing.
    void calculate();

    // geEditDelegate
    bool stringInFunctionArray(const QString &name) const override;
    double constantForString(const QString &name) const override;
    void beep() override;

private:
    void handleKeyWithSelection(char16_t key);
    // The selection node the keys work on: a selected root stands for its top node.
    geEditPtr effectiveSelection() const;
    void endSelection(const geEditPtr &node);
    // Puts the cursor at node's right end and makes the holder the key responder.
    void enterFromRight(const geEditPtr &node);

    geEditPtr equation_;
    geEditPtr keyResponder_;
    geEditPtr selection_;
    QStringList functionArray_;
    QString statusText_;
    std::function<double(const QString &)> constantLookup_;
    std::function<void()> graphAction_;
    std::function<void()> beepAction_;
    std::function<void(const QString &)> statusChanged_;
};
