#include "equationEditor/graphEquationEditorAccessible.h"

#include "equationEditor/geEditLeaves.h"
#include "equationEditor/geEditTextCaret.h"
#include "equationEditor/graphEquationEditorView.h"

namespace {

QAccessibleInterface *factory(const QString &className, QObject *object) {
    if (className == QLatin1String("graphEquationEditorView") && object && object->isWidgetType())
        return new graphEquationEditorAccessible(static_cast<graphEquationEditorView *>(object));
    return nullptr;
}

}  // namespace

graphEquationEditorAccessible::graphEquationEditorAccessible(graphEquationEditorView *view)
    : QAccessibleWidget(view, QAccessible::EditableText) {}

void graphEquationEditorAccessible::install() {
    static const bool installed = [] {
        QAccessible::installFactory(factory);
        return true;
    }();
    (void)installed;
}

graphEquationEditorView *graphEquationEditorAccessible::view() const {
    return static_cast<graphEquationEditorView *>(widget());
}

QString graphEquationEditorAccessible::equationText() const {
    return view()->equation() ? view()->equation()->string() : QString();
}

void *graphEquationEditorAccessible::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface *>(this);
    if (type == QAccessible::EditableTextInterface)
        return static_cast<QAccessibleEditableTextInterface *>(this);
    return QAccessibleWidget::interface_cast(type);
}

QString graphEquationEditorAccessible::text(QAccessible::Text t) const {
    switch (t) {
        case QAccessible::Value: return equationText();
        case QAccessible::Description: return view()->statusText().trimmed();
        default: return QAccessibleWidget::text(t);
    }
}

QAccessible::State graphEquationEditorAccessible::state() const {
    QAccessible::State s = QAccessibleWidget::state();
    s.editable = true;
    s.selectableText = true;
    s.multiLine = false;
    return s;
}

// The selection is the selected node's text, or the selected characters of a number.
void graphEquationEditorAccessible::selection(int selectionIndex, int *startOffset,
                                              int *endOffset) const {
    *startOffset = *endOffset = 0;
    const geEditPtr s = view()->model().selectedNode();
    if (selectionIndex != 0 || !s) return;
    const int start = geTextOffsetOfNode(view()->equation().get(), s.get());
    if (start < 0) return;
    if (auto *number = dynamic_cast<const geEditNum *>(s.get());
        number && number->hasSelectedRange()) {
        *startOffset = start + number->startSelection();
        *endOffset = start + number->endSelection();
        return;
    }
    *startOffset = start;
    *endOffset = start + int(s->string().size());
}

int graphEquationEditorAccessible::selectionCount() const {
    return view()->model().selectedNode() ? 1 : 0;
}

// Selecting the whole text selects the equation; other ranges have no node to stand for.
void graphEquationEditorAccessible::addSelection(int startOffset, int endOffset) {
    setSelection(0, startOffset, endOffset);
}

void graphEquationEditorAccessible::removeSelection(int) {}

void graphEquationEditorAccessible::setSelection(int, int startOffset, int endOffset) {
    if (startOffset <= 0 && endOffset >= characterCount()) view()->selectAll();
}

int graphEquationEditorAccessible::cursorPosition() const {
    const graphEquationEditorModel &m = view()->model();
    if (m.keyResponder() && !m.selection())
        return geCaretOffsetInText(m.equation().get(), m.keyResponder().get());
    int start = 0, end = 0;
    selection(0, &start, &end);
    return end;
}

void graphEquationEditorAccessible::setCursorPosition(int) {}

QString graphEquationEditorAccessible::text(int startOffset, int endOffset) const {
    return equationText().mid(startOffset, endOffset - startOffset);
}

int graphEquationEditorAccessible::characterCount() const {
    return int(equationText().size());
}

QRect graphEquationEditorAccessible::characterRect(int) const {
    return {};
}

int graphEquationEditorAccessible::offsetAtPoint(const QPoint &) const {
    return -1;
}

void graphEquationEditorAccessible::scrollToSubstring(int, int) {}

QString graphEquationEditorAccessible::attributes(int offset, int *startOffset,
                                                  int *endOffset) const {
    *startOffset = 0;
    *endOffset = std::max(offset, characterCount());
    return {};
}

void graphEquationEditorAccessible::deleteText(int startOffset, int endOffset) {
    if (endOffset - startOffset == 1 && endOffset == cursorPosition()) view()->deleteBackward();
}

void graphEquationEditorAccessible::insertText(int, const QString &text) {
    for (QChar c : text) view()->insertText(QString(c));
}

void graphEquationEditorAccessible::replaceText(int startOffset, int endOffset,
                                                const QString &text) {
    setSelection(0, startOffset, endOffset);
    insertText(startOffset, text);
}
