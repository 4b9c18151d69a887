// Binary nodes: construction, queries, conversion and cursor movement.
#include "equationEditor/geEditBinaryOp.h"

#include <algorithm>

#include "engine/engine.h"
#include "equationEditor/geEditBinaryList.h"
#include "equationEditor/geEditCompare.h"
#include "equationEditor/geEditLeaves.h"

// Links and queries.

void geEditBinaryOp::setChildren(geEditPtr left, geEditPtr right) {
    adopt(left_, std::move(left));
    adopt(right_, std::move(right));
}

void geEditBinaryOp::setDelegate(geEditDelegate *delegate) {
    if (delegate_ == delegate) return;  // the subtree has it already
    delegate_ = delegate;
    if (leftExp()) leftExp()->setDelegate(delegate);
    if (rightExp()) rightExp()->setDelegate(delegate);
}

bool geEditBinaryOp::containsEmpty() const {
    return (leftExp() && leftExp()->containsEmpty()) || (rightExp() && rightExp()->containsEmpty());
}

bool geEditBinaryOp::containsVariable() const {
    return (leftExp() && leftExp()->containsVariable()) ||
           (rightExp() && rightExp()->containsVariable());
}

int geEditBinaryOp::height() const {
    const int l = leftExp() ? leftExp()->height() : 0;
    const int r = rightExp() ? rightExp()->height() : 0;
    return 1 + std::max(l, r);
}

template <class T>
geEditPtr geEditBinaryOp::copyBinary(const geEditBinaryOp &from) {
    auto n = std::make_shared<T>();
    n->setChildren(copyOf(from.leftExp()), copyOf(from.rightExp()));
    return n;
}

// The slot takes the new node; the product texts of the new node and of this node are
// rebuilt (a product passes the rebuild on up its chain).
geEditPtr geEditBinaryOp::replaceExpression(geEdit *old, geEditPtr replacement) {
    if (!old || !replacement) return shared_from_this();
    geEditContainer *slot = old == leftExp().get()    ? &left_
                            : old == rightExp().get() ? &right_
                                                      : nullptr;
    if (!slot) return shared_from_this();
    adopt(*slot, replacement);
    replacement->makeMulString();
    makeMulString();
    return replacement;
}

// a+?| Backspace: the other operand takes this node's place.
geEditPtr geEditBinaryOp::deleteExpression(geEdit *child) {
    auto self = shared_from_this();
    geEdit *p = parent_;
    if (!p || !child) return self;
    if (child == leftExp().get()) {
        geEditPtr other = rightExp();
        replaceInParent(p, other);
        return other ? p->moveCursorToLeftOfExpression(other.get()) : self;
    }
    if (child == rightExp().get()) {
        geEditPtr other = leftExp();
        replaceInParent(p, other);
        return other ? other->cursorEnterFromRight() : self;
    }
    return self;
}

// Templates: fraction, power and root.

namespace {

template <class T>
geEditPtr makeBinary(geEditPtr left, geEditPtr right) {
    auto n = std::make_shared<T>();
    n->setChildren(std::move(left), std::move(right));
    return n;
}

grExp *convert(const geEditPtr &node) {
    return node ? node->makeExp() : nullptr;
}

QString textOf(const geEditPtr &node) {
    return node ? node->string() : QString();
}

// A side of a fraction or an exponent: wrapped in brackets unless it is a leaf.
QString wrappedText(const geEditPtr &node) {
    if (!node || node->isTerminal()) return textOf(node);
    return u'(' + node->string() + u')';
}

}  // namespace

geEditPtr geEditDiv::divWithLeft(geEditPtr l, geEditPtr r) {
    return makeBinary<geEditDiv>(l, r);
}
geEditPtr geEditPow::powWithLeft(geEditPtr l, geEditPtr r) {
    return makeBinary<geEditPow>(l, r);
}
geEditPtr geEditRoot::rootWithLeft(geEditPtr l, geEditPtr r) {
    return makeBinary<geEditRoot>(l, r);
}
geEditPtr geEditDiv::copy() const {
    return copyBinary<geEditDiv>(*this);
}
geEditPtr geEditPow::copy() const {
    return copyBinary<geEditPow>(*this);
}
geEditPtr geEditRoot::copy() const {
    return copyBinary<geEditRoot>(*this);
}

grExp *geEditDiv::makeExp() const {
    grExp *l = convert(leftExp());
    return grNewBinaryExp(grOpDiv, l, convert(rightExp()));
}

grExp *geEditPow::makeExp() const {
    grExp *l = convert(leftExp());
    return grNewBinaryExp(grOpPow, l, convert(rightExp()));
}

// The engine's root takes the radicand first, then the index.
grExp *geEditRoot::makeExp() const {
    grExp *index = convert(leftExp());
    grExp *radicand = convert(rightExp());
    return grNewBinaryExp(grOpRoot, radicand, index);
}

QString geEditDiv::string() const {
    return wrappedText(leftExp()) + u'/' + wrappedText(rightExp());
}

// A base that is an operator chain, a fraction or a power is bracketed, so that the text
// reads back as the power it is: (x + 1)^2, (2^3)^4.
QString geEditPow::string() const {
    const auto &base = leftExp();
    const bool bracket = base && (geIsBasicBinaryOp(base->kind()) ||
                                  base->isKind(geEditKind::Div) || base->isKind(geEditKind::Pow));
    return (bracket ? u'(' + base->string() + u')' : textOf(base)) + u'^' + wrappedText(rightExp());
}

bool geHoldsCommaInChain(const geEdit *node) {
    if (!node || !geIsBasicBinaryOp(node->kind())) return false;
    const auto *op = static_cast<const geEditBasicBinaryOp *>(node);
    return op->op() == grOpComma || geHoldsCommaInChain(op->leftExp().get()) ||
           geHoldsCommaInChain(op->rightExp().get());
}

QString geEditRoot::string() const {
    const auto &index = leftExp();
    if (index && index->isKind(geEditKind::Num) &&
        static_cast<const geEditNum &>(*index).number() == 2.0) {
        const QString radicand = textOf(rightExp());
        return geHoldsCommaInChain(rightExp().get()) ? QStringLiteral("sqrt((%1))").arg(radicand)
                                                     : QStringLiteral("sqrt(%1)").arg(radicand);
    }
    return QStringLiteral("root(%1, %2)").arg(textOf(rightExp()), wrappedText(index));
}

// Entering a template from the left goes to its first slot; from the right the cursor
// stands after the whole node.
geEditPtr geEditDiv::cursorEnterFromLeft() {
    return leftExp() ? leftExp()->cursorEnterFromLeft() : holdCursor();
}
geEditPtr geEditPow::cursorEnterFromLeft() {
    return leftExp() ? leftExp()->cursorEnterFromLeft() : holdCursor();
}
geEditPtr geEditRoot::cursorEnterFromLeft() {
    return leftExp() ? leftExp()->cursorEnterFromLeft() : holdCursor();
}

// Leaving a slot of a template: from the first slot to the left leaves the node, from the
// second slot to the left enters the first from the right; to the right the first slot
// leads into the second and the second to after the node ("a/b|" right -> "a/b" then "|").
#define GE_TEMPLATE_MOVES(Class)                                                         \
    geEditPtr Class::moveCursorToLeftOfExpression(geEdit *child) {                       \
        if (child && child == leftExp().get())                                           \
            return parent_ ? parent_->moveCursorToLeftOfExpression(this) : holdCursor(); \
        if (child && child == rightExp().get() && leftExp())                             \
            return leftExp()->cursorEnterFromRight();                                    \
        return shared_from_this();                                                       \
    }                                                                                    \
    geEditPtr Class::moveCursorToRightOfExpression(geEdit *child) {                      \
        if (child && child == leftExp().get() && rightExp())                             \
            return rightExp()->cursorEnterFromLeft();                                    \
        if (child && child == rightExp().get()) {                                        \
            child->setHasCursor(false);                                                  \
            return holdCursor();                                                         \
        }                                                                                \
        return shared_from_this();                                                       \
    }

GE_TEMPLATE_MOVES(geEditDiv)
GE_TEMPLATE_MOVES(geEditPow)
GE_TEMPLATE_MOVES(geEditRoot)

#undef GE_TEMPLATE_MOVES

// Infix operators.

#define GE_DEFINE_INFIX(Class, factory, Kind, glyph, code) \
    Class::Class() : geEditBasicBinaryOp(glyph, code) {}   \
    geEditPtr Class::factory(geEditPtr l, geEditPtr r) {   \
        return makeBinary<Class>(l, r);                    \
    }                                                      \
    geEditKind Class::kind() const {                       \
        return geEditKind::Kind;                           \
    }                                                      \
    geEditPtr Class::copy() const {                        \
        return copyBinary<Class>(*this);                   \
    }

GE_DEFINE_INFIX(geEditAdd, addWithLeft, Add, u"+", grOpAdd)
GE_DEFINE_INFIX(geEditSub, subWithLeft, Sub, u"-", grOpSub)
GE_DEFINE_INFIX(geEditComma, commaWithLeft, Comma, u",", grOpComma)
GE_DEFINE_INFIX(geEditEquals, equalsWithLeft, Equals, u"=", grOpEquals)
GE_DEFINE_INFIX(geEditGreaterThan, greaterThanWithLeft, GreaterThan, u">", grOpGreaterThan)
GE_DEFINE_INFIX(geEditLessThan, lessThanWithLeft, LessThan, u"<", grOpLessThan)

#undef GE_DEFINE_INFIX

geEditPtr geEditBasicBinaryOp::leftMostExpression() {
    return leftExp() ? leftExp()->leftMostExpression() : shared_from_this();
}

geEditPtr geEditBasicBinaryOp::rightMostExpression() {
    return rightExp() ? rightExp()->rightMostExpression() : shared_from_this();
}

// The whole connected region of infix operators is one chain, whatever its nesting:
// Mul(Add(2, 3), 4) is the chain 2 + 3 * 4 and converts to Add(2, Mul(3, 4)).
grExp *geEditBasicBinaryOp::makeExp() const {
    geEditBinaryList list;
    buildBinaryList(list);
    return list.parseList();
}

void geEditBasicBinaryOp::buildBinaryList(geEditBinaryList &list) const {
    const auto &l = leftExp();
    if (l && geIsBasicBinaryOp(l->kind()))
        static_cast<const geEditBasicBinaryOp &>(*l).buildBinaryList(list);
    else
        list.appendItem(convert(l));
    list.setLastOperator(operator_);
    const auto &r = rightExp();
    if (r && geIsBasicBinaryOp(r->kind()))
        static_cast<const geEditBasicBinaryOp &>(*r).buildBinaryList(list);
    else
        list.appendItem(convert(r));
}

namespace {

// The operands and operators of a chain in written order; a product writes "*".
void appendChain(const geEditBasicBinaryOp &op, std::vector<QString> &operands,
                 std::vector<std::pair<QString, int>> &operators) {
    for (const geEditPtr *side : {&op.leftExp(), &op.rightExp()}) {
        if (*side && geIsBasicBinaryOp((*side)->kind()))
            appendChain(static_cast<const geEditBasicBinaryOp &>(**side), operands, operators);
        else
            operands.push_back(textOf(*side));
        if (side == &op.leftExp())
            operators.emplace_back(op.isKind(geEditKind::Mul) ? QStringLiteral("*") : op.textSign(),
                                   op.op());
    }
}

bool isRelation(int op) {
    const int code = op & ~geListStrictMark;
    return code == grOpEquals || code == grOpLessThan || code == grOpGreaterThan ||
           code == grOpLessEqual || code == grOpGreaterEqual;
}

}  // namespace

// The chain's operands with its operators between them. A part of a comma list with more
// than one relation means (a = b) = c; all but its last relation are bracketed, since the
// text reader takes one relation per part.
QString geEditBasicBinaryOp::string() const {
    std::vector<QString> operands;
    std::vector<std::pair<QString, int>> operators;
    appendChain(*this, operands, operators);
    QString text;
    QString part = operands.front();
    bool related = false;
    for (size_t i = 0; i < operators.size(); ++i) {
        const auto &[sign, op] = operators[i];
        if (op == grOpComma) {
            text += part + QStringLiteral(" ") + sign + u' ';
            part = operands[i + 1];
            related = false;
            continue;
        }
        if (isRelation(op)) {
            if (related) part = u'(' + part + u')';
            related = true;
        }
        part += u' ' + sign + u' ' + operands[i + 1];
    }
    return text + part;
}

geEditPtr geEditBasicBinaryOp::cursorEnterFromLeft() {
    return leftExp() ? leftExp()->cursorEnterFromLeft() : holdCursor();
}

geEditPtr geEditBasicBinaryOp::cursorEnterFromRight() {
    return rightExp() ? rightExp()->cursorEnterFromRight() : holdCursor();
}

// a|+b <- a+|b: the cursor stops just after the sign between the operands.
geEditPtr geEditBasicBinaryOp::moveCursorToLeftOfExpression(geEdit *child) {
    if (child && child == rightExp().get()) {
        cursorPosition_ = 1;
        return holdCursor();
    }
    if (child && child == leftExp().get())
        return parent_ ? parent_->moveCursorToLeftOfExpression(this) : holdCursor();
    return shared_from_this();
}

geEditPtr geEditBasicBinaryOp::moveCursorToRightOfExpression(geEdit *child) {
    if (child && child == leftExp().get()) {
        cursorPosition_ = 1;
        return holdCursor();
    }
    if (child && child == rightExp().get()) {
        hasCursor_ = false;
        return parent_ ? parent_->moveCursorToRightOfExpression(this) : holdCursor();
    }
    return shared_from_this();
}
