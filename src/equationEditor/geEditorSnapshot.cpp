#include "equationEditor/geEditorSnapshot.h"

#include <algorithm>

#include "equationEditor/geEditBinaryOp.h"
#include "equationEditor/geEditLeaves.h"
#include "equationEditor/geEditUnaryOp.h"
#include "equationEditor/graphEquationEditorModel.h"

geEditorSnapshot::Children geEditorSnapshot::children(const geEdit *node) {
    Children c;
    if (!node) return c;
    const geEditKind kind = node->kind();
    if (kind == geEditKind::Edit) {
        c.node[0] = node->top().get();
        c.count = 1;
    } else if (geIsBinaryOp(kind)) {
        auto *b = static_cast<const geEditBinaryOp *>(node);
        c.node[0] = b->leftExp().get();
        c.node[1] = b->rightExp().get();
        c.count = 2;
    } else if (geIsUnaryOp(kind)) {
        c.node[0] = static_cast<const geEditUnaryOp *>(node)->child().get();
        c.count = 1;
    }
    return c;
}

namespace {

QString leafText(const geEdit *node) {
    switch (node->kind()) {
        case geEditKind::Num: return static_cast<const geEditNum *>(node)->text();
        case geEditKind::Var: return static_cast<const geEditVar *>(node)->text();
        case geEditKind::Func: return static_cast<const geEditFunc *>(node)->text();
        default: return QString();
    }
}

}  // namespace

bool geEditorSnapshot::sameTree(const geEdit *a, const geEdit *b) {
    if (!a || !b) return a == b;
    if (a->kind() != b->kind() || leafText(a) != leafText(b)) return false;
    const Children ca = children(a), cb = children(b);
    if (ca.count != cb.count) return false;
    for (int i = 0; i < ca.count; ++i) {
        if (!sameTree(ca.node[i], cb.node[i])) return false;
    }
    return true;
}

bool geEditorSnapshot::operator==(const geEditorSnapshot &other) const {
    return root_ == other.root_ && responder_ == other.responder_ &&
           selection_ == other.selection_ && sameTreeAs(other);
}

std::optional<geEditorSnapshot::Mark> geEditorSnapshot::markOf(const geEditPtr &root,
                                                               const geEdit *node) {
    if (!node) return std::nullopt;
    Mark mark;
    // Walk up to the root, noting at each level which child the path came from.
    for (const geEdit *n = node; n != root.get(); n = n->parent()) {
        const geEdit *p = n->parent();
        if (!p) return std::nullopt;  // not in this tree
        const Children c = children(p);
        const auto it = std::find(c.begin(), c.end(), n);
        if (it == c.end()) return std::nullopt;
        mark.path.push_back(int(it - c.begin()));
    }
    std::reverse(mark.path.begin(), mark.path.end());
    mark.hasCursor = node->hasCursor();
    mark.isSelected = node->isSelected();
    mark.cursorPosition = node->cursorPosition();
    mark.startSelection = node->startSelection();
    mark.endSelection = node->endSelection();
    return mark;
}

geEditPtr geEditorSnapshot::resolve(const geEditPtr &root, const Mark &mark) {
    geEdit *n = root.get();
    for (int index : mark.path) {
        const Children c = children(n);
        if (index >= c.count || !c.node[index]) return nullptr;
        n = c.node[index];
    }
    return n->shared_from_this();
}

void geEditorSnapshot::apply(const geEditPtr &node, const Mark &mark) {
    node->setIsSelected(mark.isSelected);
    node->setHasCursor(mark.hasCursor);
    node->setCursorPosition(mark.cursorPosition);
    if (auto *number = dynamic_cast<geEditNum *>(node.get()))
        number->setSelectedRange(mark.startSelection, mark.endSelection);
}

geEditorSnapshot geEditorSnapshot::capture(const graphEquationEditorModel &model) {
    geEditorSnapshot s;
    s.root_ = model.equation();
    s.top_ = s.root_ && s.root_->top() ? s.root_->top()->copy() : nullptr;
    return s.withMarksOf(model);
}

geEditorSnapshot geEditorSnapshot::withMarksOf(const graphEquationEditorModel &model) const {
    geEditorSnapshot s = *this;
    s.responder_ = markOf(root_, model.keyResponder().get());
    s.selection_ = markOf(root_, model.selection().get());
    return s;
}

void geEditorSnapshot::restore(graphEquationEditorModel &model) const {
    if (!root_ || model.equation() != root_ || !top_) return;
    model.clearMarks();
    root_->replaceExpression(root_->top().get(), top_->copy());
    geEditPtr responder = responder_ ? resolve(root_, *responder_) : nullptr;
    geEditPtr selection = selection_ ? resolve(root_, *selection_) : nullptr;
    if (responder) apply(responder, *responder_);
    if (selection) apply(selection, *selection_);
    model.restoreState(responder, selection);
}
