// The editor view as assistive technology sees it: an editable text whose text is the
// equation's text form, with the caret and the selection at their places in that text
// and the calculator line as its description. Typing through it types into the editor.
#pragma once

#include <QAccessibleWidget>

class graphEquationEditorView;

class graphEquationEditorAccessible : public QAccessibleWidget,
                                      public QAccessibleTextInterface,
                                      public QAccessibleEditableTextInterface {
public:
    explicit graphEquationEditorAccessible(graphEquationEditorView *view);
    // Makes QAccessible answer this interface for every editor view (idempotent).
    static void install();

    void *interface_cast(QAccessible::InterfaceType type) override;
    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;

    // QAccessibleTextInterface
    void selection(int selectionIndex, int *startOffset, int *endOffset) const override;
    int selectionCount() const override;
    void addSelection(int startOffset, int endOffset) override;
    void removeSelection(int selectionIndex) override;
    void setSelection(int selectionIndex, int startOffset, int endOffset) override;
    int cursorPosition() const override;
    void setCursorPosition(int position) override;
    QString text(int startOffset, int endOffset) const override;
    int characterCount() const override;
    QRect characterRect(int offset) const override;
    int offsetAtPoint(const QPoint &point) const override;
    void scrollToSubstring(int startIndex, int endIndex) override;
    QString attributes(int offset, int *startOffset, int *endOffset) const override;

    // QAccessibleEditableTextInterface: text goes in at the caret; deleting the character
    // before the caret is Backspace; replacing everything selects all and types.
    void deleteText(int startOffset, int endOffset) override;
    void insertText(int offset, const QString &text) override;
    void replaceText(int startOffset, int endOffset, const QString &text) override;

private:
    graphEquationEditorView *view() const;
    QString equationText() const;
};
