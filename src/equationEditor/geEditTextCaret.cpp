#include "equationEditor/geEditTextCaret.h"

#include <algorithm>
#include <vector>

#include "equationEditor/geEditBinaryOp.h"
#include "equationEditor/geEditLeaves.h"
#include "equationEditor/geEditUnaryOp.h"
#include "equationEditor/geEditorSnapshot.h"

namespace {

// Where child's text starts in its parent's text. Each parent writes its children in
// order (a root of index n writes the radicand first: "root(x, 3)"), so the first child
// in text order is the first occurrence and the second child the last.
int childOffset(const geEdit *parent, const geEdit *child, const QString &parentText) {
    const geEditorSnapshot::Children c = geEditorSnapshot::children(parent);
    const QString text = child->string();
    bool first = c.count < 2 || child == c.node[0];
    if (parent->isKind(geEditKind::Root) && !parent->string().startsWith(QLatin1String("sqrt")))
        first = !first;
    const int at = first ? int(parentText.indexOf(text)) : int(parentText.lastIndexOf(text));
    return at < 0 ? 0 : at;
}

}  // namespace

int geTextOffsetOfNode(const geEdit *root, const geEdit *node) {
    if (!root || !node) return -1;
    std::vector<const geEdit *> chain;
    for (const geEdit *n = node; n; n = n->parent()) {
        chain.push_back(n);
        if (n == root) break;
    }
    if (chain.back() != root) return -1;
    int offset = 0;
    // From the root's top node down to node.
    for (size_t i = chain.size() - 1; i > 0; --i) {
        const geEdit *parent = chain[i], *child = chain[i - 1];
        if (parent->isRoot()) continue;
        offset += childOffset(parent, child, parent->string());
    }
    return offset;
}

int geCaretOffsetInText(const geEdit *root, const geEdit *responder) {
    if (!root || !responder) return -1;
    if (responder == root) return 0;  // "|..." before the whole equation
    const int start = geTextOffsetOfNode(root, responder);
    if (start < 0) return -1;
    const int length = int(responder->string().size());
    const int position = responder->cursorPosition();
    switch (responder->kind()) {
        case geEditKind::Num: return start + std::min(position, length);
        case geEditKind::Empty: return start;  // on the "?" that typing replaces
        case geEditKind::Func:
            return position == 0
                       ? start
                       : start + int(static_cast<const geEditFunc *>(responder)->text().size());
        case geEditKind::Parens:
            return position == 0 ? start : position == 1 ? start + 1 : start + length;
        case geEditKind::Negative: return start + 3;  // "(- |x)"
        default: break;
    }
    if (geIsBasicBinaryOp(responder->kind())) {
        // "x + |?": the cursor stands after the operator sign.
        auto *op = static_cast<const geEditBinaryOp *>(responder);
        const QString text = responder->string();
        return start +
               (op->rightExp() ? childOffset(responder, op->rightExp().get(), text) : length);
    }
    return start + length;
}
