// geEditMul: implicit and explicit products, their cursor stops, keys and the rewriting of
// typed letters into functions, square roots and pi.
#include "equationEditor/geEditBinaryOp.h"
#include "equationEditor/geEditLeaves.h"
#include "equationEditor/geEditUnaryOp.h"

geEditMul::geEditMul() : geEditBasicBinaryOp(u"\u2022", 4 /* grOpMul */) {}

geEditPtr geEditMul::mulWithLeft(geEditPtr left, geEditPtr right) {
    auto n = std::make_shared<geEditMul>();
    n->setChildren(std::move(left), std::move(right));
    n->makeMulString();
    return n;
}

geEditPtr geEditMul::copy() const {
    return mulWithLeft(copyOf(leftExp()), copyOf(rightExp()));
}

bool geEditMul::showsDot() {
    if (!leftExp() || !rightExp()) return false;
    return leftExp()->rightMostExpression()->isKind(geEditKind::Num) &&
           rightExp()->leftMostExpression()->isKind(geEditKind::Num);
}

QString geEditMul::string() const {
    return geEditBasicBinaryOp::string();
}

// Implicit-product texts.

// "s" "i" "n" -> "sin"; the cache is null unless both sides are letters, numbers or
// products of them. The rebuild continues up the chain of products.
void geEditMul::makeMulString() {
    std::optional<QString> l = leftExp() ? leftExp()->mulString() : std::nullopt;
    std::optional<QString> r = rightExp() ? rightExp()->mulString() : std::nullopt;
    if (l && r)
        mulString_ = *l + *r;
    else
        mulString_.reset();
    if (parent_) parent_->makeMulString();
}

geEditPtr geEditMul::mulExpression() {
    if (parent_ && parent_->isKind(geEditKind::Mul)) return parent_->mulExpression();
    return shared_from_this();
}

// The letters of a chain that starts with a negated letter, which a minus typed before
// them leaves outside the product: -sin is Mul(Neg(s), Mul(i, n)), read as "sin".
std::optional<QString> geEditMul::negatedMulString() const {
    const auto &l = leftExp();
    if (!l || !l->isKind(geEditKind::Negative) || !rightExp()) return std::nullopt;
    const auto &operand = static_cast<const geEditNegative &>(*l).child();
    if (!operand || !operand->isKind(geEditKind::Var)) return std::nullopt;
    const auto first = operand->mulString();
    const auto rest = rightExp()->mulString();
    if (!first || !rest) return std::nullopt;
    return *first + *rest;
}

bool geEditMul::replaceStringWithFunction(const QStringList &functions, geEditPtr &newExpression) {
    auto self = shared_from_this();
    geEdit *p = parent_;
    if (!p) return false;
    // 0. A chain that starts with a negated letter is rewritten as a whole and the result
    // is negated: -sin is -sin(?), -pi is -pi.
    const std::optional<QString> negated = mulString_ ? std::nullopt : negatedMulString();
    const QString s = mulString_.value_or(negated.value_or(QString()));
    auto placed = [&](geEditPtr node) {
        return negated ? geEditNegative::negativeWithExpression(std::move(node)) : node;
    };
    // 1. "sqrt" -> a square root with an empty radicand holding the cursor.
    if (s.compare(u"sqrt", Qt::CaseInsensitive) == 0) {
        auto e = geEditEmpty::emptyExpression();
        auto root = geEditRoot::rootWithLeft(geEditNum::numWithString(QStringLiteral("2")), e);
        replaceInParent(p, placed(root));
        newExpression = e->cursorEnterFromRight();
        return true;
    }
    // 2. "pi" -> the variable U+03C0.
    if (s.compare(u"pi", Qt::CaseInsensitive) == 0) {
        auto pi = geEditVar::varWithChar(gePiChar);
        replaceInParent(p, placed(pi));
        newExpression = pi;
        return true;
    }
    // 2b. "theta" -> the variable U+03B8, the polar angle.
    if (s.compare(u"theta", Qt::CaseInsensitive) == 0) {
        auto theta = geEditVar::varWithChar(geThetaChar);
        replaceInParent(p, placed(theta));
        newExpression = theta;
        return true;
    }
    // 3. A function name: the function takes the factor that follows the chain, if any
    // (s i n x -> sin(x), s i n x^2 -> sin(x)^2), otherwise an empty argument.
    for (const QString &name : functions) {
        if (s.compare(name, Qt::CaseInsensitive) != 0) continue;
        auto f = geEditFunc::funcWithString(name);
        geEditPtr t = p->expToRightOf(this);
        if (t && t->isKind(geEditKind::Pow)) t = static_cast<geEditPow &>(*t).leftExp();
        geEdit *tParent = t ? t->parent() : nullptr;
        if (t && tParent) {
            tParent->replaceExpression(t.get(), placed(f));
            static_cast<geEditFunc &>(*f).setChild(t);
            newExpression = f;
            geEditPtr holder = p->deleteExpression(this);
            if (holder) holder->setHasCursor(false);
        } else {
            replaceInParent(p, placed(f));
            newExpression = f;
        }
        return true;
    }
    // 4. A sub-chain matches only when it is a whole child product; the whole chain is
    // tried before its parts, so "asin" wins over its tail "sin".
    if (leftExp() && leftExp()->replaceStringWithFunction(functions, newExpression)) return true;
    if (!newExpression && rightExp())
        return rightExp()->replaceStringWithFunction(functions, newExpression);
    return newExpression != nullptr;
}

// Cursor stops. With its dot shown the product is an ordinary infix operator; otherwise the
// boundary of its operands is one stop, the end of the left operand: 2|x.

geEditPtr geEditMul::moveCursorToLeftOfExpression(geEdit *child) {
    if (showsDot()) return geEditBasicBinaryOp::moveCursorToLeftOfExpression(child);
    if (child && child == rightExp().get() && leftExp()) return leftExp()->cursorEnterFromRight();
    if (child && child == leftExp().get())
        return parent_ ? parent_->moveCursorToLeftOfExpression(this) : holdCursor();
    return shared_from_this();
}

geEditPtr geEditMul::moveCursorToRightOfExpression(geEdit *child) {
    if (showsDot()) return geEditBasicBinaryOp::moveCursorToRightOfExpression(child);
    if (child && child == leftExp().get() && rightExp()) return rightExp()->cursorEnterFromLeft();
    if (child && child == rightExp().get()) {
        hasCursor_ = false;
        return parent_ ? parent_->moveCursorToRightOfExpression(this) : holdCursor();
    }
    return shared_from_this();
}

geEditPtr geEditMul::expForClick() {
    const auto &l = leftExp();
    const auto &r = rightExp();
    if (!l || !r) return shared_from_this();
    const bool numbers = l->isKind(geEditKind::Num) && r->isKind(geEditKind::Num);
    const bool placeholder = l->isKind(geEditKind::Empty) || r->isKind(geEditKind::Empty);
    if (numbers || placeholder) return shared_from_this();
    return l->cursorEnterFromRight();
}

geEditPtr geEditMul::expToRightOf(geEdit *child) {
    if (child && child == leftExp().get() && rightExp()) return rightExp()->leftMostExpression();
    return parent_ ? parent_->expToRightOf(this) : nullptr;
}

geEditPtr geEditMul::expToLeftOf(geEdit *child) {
    if (child && child == rightExp().get() && leftExp()) return leftExp()->rightMostExpression();
    return parent_ ? parent_->expToLeftOf(this) : nullptr;
}

// Keys.

bool geEditMul::handlesKeyDownForChild(geEdit *child, char16_t letter) {
    if (!child || child != leftExp().get()) return false;
    switch (letter) {
        case u',':
        case u'=':
        case u'+':
        case u'-':
        case u'*':
        case u'/': return true;
        default: return false;
    }
}

// 2|x + "+" -> 2+|x: an operator typed at the operand boundary turns the product into
// that operator. Between two numbers the product is an explicit one and keeps rule 3.
geEditPtr geEditMul::keyDown(char16_t key) {
    auto self = shared_from_this();
    if (showsDot()) return geEditBasicBinaryOp::keyDown(key);
    switch (key) {
        case u',':
        case u'=':
        case u'<':
        case u'>':
        case u'+':
        case u'-':
        case u'/':
        case u'^': {
            geEdit *p = parent_;
            if (!p) return self;
            geEditPtr built = geMakeOperatorNode(key, leftExp(), rightExp());
            hasCursor_ = false;
            replaceInParent(p, built);
            built->setCursorPosition(1);
            return built->holdCursor();
        }
        case u'*':
        case geKeyLeftArrow:
        case geKeyRightArrow: return self;  // nothing changes
        default: return geEditBasicBinaryOp::keyDown(key);
    }
}

// 2•|3 Backspace -> 2|3 joined into one number. A placeholder operand is never joined into
// a number: the other operand takes the product's place and the cursor goes to where the
// placeholder stood.
geEditPtr geEditMul::deleteNode() {
    auto self = shared_from_this();
    const auto l = leftExp();
    const auto r = rightExp();
    geEdit *p = parent_;
    if (isSelected_ || !p || !l || !r) return baseDelete();
    const bool lEmpty = l->isKind(geEditKind::Empty);
    const bool rEmpty = r->isKind(geEditKind::Empty);
    if (hasCursor_ && (lEmpty || rEmpty)) {
        hasCursor_ = false;
        if (lEmpty && rEmpty) {
            auto e = geEditEmpty::emptyExpression();
            replaceInParent(p, e);
            return e->holdCursor();
        }
        geEditPtr other = lEmpty ? r : l;
        replaceInParent(p, other);
        return lEmpty ? other->cursorEnterFromLeft() : other->cursorEnterFromRight();
    }
    if (l->isKind(geEditKind::Num) && r->isKind(geEditKind::Num)) {
        const QString &lt = static_cast<geEditNum &>(*l).text();
        const QString &rt = static_cast<geEditNum &>(*r).text();
        if (lt.contains(u'.') && rt.contains(u'.')) return holdCursor();
        auto joined = geEditNum::numWithString(lt + rt);
        hasCursor_ = false;
        replaceInParent(p, joined);
        joined->setCursorPosition(int(lt.size()));
        return joined->holdCursor();
    }
    return geEditBasicBinaryOp::deleteNode();
}
