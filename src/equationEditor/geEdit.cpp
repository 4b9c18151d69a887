// geEdit: links, tree queries, conversion and cursor movement of the base class and the root.
#include "equationEditor/geEdit.h"

#include <QChar>

#include "engine/engine.h"
#include "equationEditor/geEditBinaryOp.h"
#include "equationEditor/geEditLeaves.h"
#include "equationEditor/geEditUnaryOp.h"

bool geIsLetter(char16_t c) {
    return c == gePiChar || QChar(c).isLetter();
}

bool geIsDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

// Exactly the letters that conversion turns into variables: a case mapping would also take
// the Kelvin sign U+212A for k, which conversion reads as a user constant.
bool geIsVariableLetter(QChar c) {
    switch (c.unicode()) {
        case u'k':
        case u's':
        case u't':
        case u'x':
        case u'y':
        case u'z':
        case u'K':
        case u'S':
        case u'T':
        case u'X':
        case u'Y':
        case u'Z':
        case geThetaChar: return true;
        default: return false;
    }
}

bool geIsReservedLetter(QChar c) {
    return geIsVariableLetter(c) || c == u'e' || c == u'E' || c == QChar(gePiChar);
}

geEditPtr geEdit::rootWithExpression(geEditPtr top) {
    auto root = std::make_shared<geEdit>();
    if (top) root->adopt(root->mainExpression_, std::move(top));
    return root;
}

void geEdit::setParent(geEdit *parent) {
    parent_ = parent;
    setDelegate(parent ? parent->delegate_ : nullptr);
}

// A subtree always shares one delegate, so a node that already has it stops the walk;
// without that, building a tree bottom up would revisit every subtree once per level.
void geEdit::setDelegate(geEditDelegate *delegate) {
    if (delegate_ == delegate) return;
    delegate_ = delegate;
    if (const auto &t = top()) t->setDelegate(delegate);
}

void geEdit::setIsSelected(bool flag) {
    if (isRoot()) {
        if (const auto &t = top()) t->setIsSelected(flag);
        return;
    }
    isSelected_ = flag;
    if (flag) hasCursor_ = false;
}

void geEdit::adopt(geEditContainer &slot, geEditPtr child) {
    if (child) child->setParent(this);
    slot.setExpression(std::move(child));
}

// Tree queries: the root answers for its top node; other classes override them.

bool geEdit::isTerminal() const {
    return top() ? top()->isTerminal() : false;
}

bool geEdit::acceptsPower() const {
    return top() ? top()->acceptsPower() : !isRoot();
}

bool geEdit::containsEmpty() const {
    return top() ? top()->containsEmpty() : false;
}

bool geEdit::containsVariable() const {
    return top() ? top()->containsVariable() : false;
}

geEditPtr geEdit::leftMostExpression() {
    if (isRoot()) return top() ? top()->leftMostExpression() : nullptr;
    return shared_from_this();
}

geEditPtr geEdit::rightMostExpression() {
    if (isRoot()) return top() ? top()->rightMostExpression() : nullptr;
    return shared_from_this();
}

geEditPtr geEdit::copy() const {
    return rootWithExpression(copyOf(top()));
}

bool geStartsWithRadius(const geEdit *top) {
    const geEdit *node = top;
    const geEditBasicBinaryOp *last = nullptr;
    while (node != nullptr && geIsBasicBinaryOp(node->kind())) {
        last = static_cast<const geEditBasicBinaryOp *>(node);
        node = last->leftExp().get();
    }
    if (last == nullptr || last->op() != grOpEquals || node == nullptr ||
        !node->isKind(geEditKind::Var))
        return false;
    const QString &text = static_cast<const geEditVar *>(node)->text();
    return text == u"r" || text == u"R";
}

grExp *geEdit::makeExp() const {
    grExp *e = top() ? top()->makeExp() : nullptr;
    if (isRoot() && e != nullptr && e->type == grExpBinary && geStartsWithRadius(top().get())) {
        auto *equation = static_cast<grBinaryExp *>(e->payload);
        if (equation->op == grOpEquals && equation->left != nullptr &&
            equation->left->type == grExpNumber) {
            grFreeExp(equation->left);
            equation->left = grNewConstantExp(grVarR);
        }
    }
    return e;
}

QString geEdit::string() const {
    return top() ? top()->string() : QStringLiteral("");
}

bool geEdit::replaceStringWithFunction(const QStringList &, geEditPtr &) {
    return false;
}

// Cursor movement.

geEditPtr geEdit::holdCursor() {
    hasCursor_ = true;
    return shared_from_this();
}

geEditPtr geEdit::leaveLeft() {
    hasCursor_ = false;
    if (!parent_) return holdCursor();
    return parent_->moveCursorToLeftOfExpression(this);
}

geEditPtr geEdit::leaveRight() {
    hasCursor_ = false;
    if (!parent_) return holdCursor();
    return parent_->moveCursorToRightOfExpression(this);
}

geEditPtr geEdit::cursorEnterFromLeft() {
    if (isRoot() && top()) return top()->cursorEnterFromLeft();
    return holdCursor();
}

geEditPtr geEdit::cursorEnterFromRight() {
    if (isRoot() && top()) return top()->cursorEnterFromRight();
    return holdCursor();
}

// |x+1: the root itself holds the cursor before the whole equation.
geEditPtr geEdit::moveCursorToLeftOfExpression(geEdit *child) {
    if (isRoot() && child && child == top().get()) return holdCursor();
    return shared_from_this();
}

// Leaving the equation to the right keeps the cursor at its end.
geEditPtr geEdit::moveCursorToRightOfExpression(geEdit *child) {
    if (isRoot() && child && child == top().get()) return top()->cursorEnterFromRight();
    return shared_from_this();
}

geEditPtr geEdit::commonAncestorOf(geEdit *other) {
    for (geEdit *a = this; a; a = a->parent_) {
        for (geEdit *b = other; b; b = b->parent_) {
            if (a == b) return a->shared_from_this();
        }
    }
    return nullptr;
}

// The neighbour search stays inside the product chain (geEditMul answers it): a function
// name typed in a denominator, exponent, radicand, bracket or argument never reaches past
// that node, which would take the node apart.
geEditPtr geEdit::expToRightOf(geEdit *) {
    return nullptr;
}

geEditPtr geEdit::expToLeftOf(geEdit *) {
    return nullptr;
}

// Structural edits.

geEditPtr geEdit::replaceExpression(geEdit *old, geEditPtr replacement) {
    if (!isRoot() || !old || old != top().get() || !replacement) return shared_from_this();
    adopt(mainExpression_, replacement);
    replacement->makeMulString();
    return replacement;
}

void geEdit::replaceInParent(geEdit *parent, const geEditPtr &replacement) {
    if (!parent) return;
    const bool hadCursor = replacement && replacement->hasCursor();
    geEditPtr answer = parent->replaceExpression(this, replacement);
    // Ordinary slots answer the replacement untouched; a function that rebuilt around it
    // answers the node it gave the cursor to, possibly the replacement itself.
    if (answer && answer->hasCursor() && !(answer == replacement && hadCursor))
        answer->setHasCursor(false);
}

geEditPtr geEdit::deleteExpression(geEdit *child) {
    if (!isRoot() || !child || child != top().get()) return shared_from_this();
    auto e = geEditEmpty::emptyExpression();
    adopt(mainExpression_, e);
    return e->cursorEnterFromRight();
}

geEditPtr geEdit::baseDelete() {
    auto self = shared_from_this();
    if (isRoot() || !parent_) return self;
    hasCursor_ = false;
    auto e = geEditEmpty::emptyExpression();
    replaceInParent(parent_, e);
    return e->holdCursor();
}

geEditPtr geEdit::deleteNode() {
    return baseDelete();
}

bool geEdit::handlesKeyDownForChild(geEdit *, char16_t) {
    return false;
}
