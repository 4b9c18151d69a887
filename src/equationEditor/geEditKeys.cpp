// Key rules of the root and the trailing rule that most nodes fall back on.
#include "equationEditor/geEditBinaryOp.h"
#include "equationEditor/geEditCompare.h"
#include "equationEditor/geEditLeaves.h"
#include "equationEditor/geEditUnaryOp.h"

namespace {

// Var(c) or Num(c) for a letter, a digit or "."; null for any other key.
geEditPtr makeTerminal(char16_t key) {
    if (geIsLetter(key)) return geEditVar::varWithChar(key);
    if (geIsDigit(key) || key == u'.') return geEditNum::numWithString(QString(QChar(key)));
    return nullptr;
}

}  // namespace

geEditPtr geMakeOperatorNode(char16_t key, geEditPtr left, geEditPtr right) {
    switch (key) {
        case u'*': return geEditMul::mulWithLeft(std::move(left), std::move(right));
        case u'+': return geEditAdd::addWithLeft(std::move(left), std::move(right));
        case u',': return geEditComma::commaWithLeft(std::move(left), std::move(right));
        case u'-': return geEditSub::subWithLeft(std::move(left), std::move(right));
        case u'/': return geEditDiv::divWithLeft(std::move(left), std::move(right));
        case u'=': return geEditEquals::equalsWithLeft(std::move(left), std::move(right));
        case u'^': return geEditPow::powWithLeft(std::move(left), std::move(right));
        case u'<':
        case u'>': return geMakeComparisonNode(key, std::move(left), std::move(right));
        default: return nullptr;
    }
}

// The root passes keys to its top node unless it holds the cursor itself.
geEditPtr geEdit::keyDown(char16_t key) {
    if (!isRoot()) return trailingKeyDown(key);
    if (hasCursor_) return keyDownWithCursor(key);
    if (const auto &t = top()) return t->keyDown(key);
    return shared_from_this();
}

// The cursor stands before the whole equation: |child.
geEditPtr geEdit::keyDownWithCursor(char16_t key) {
    auto self = shared_from_this();
    geEditPtr child = top();
    if (!child) return self;
    if (key == geKeyLeftArrow) return self;
    if (key == geKeyRightArrow) {
        hasCursor_ = false;
        return child->cursorEnterFromLeft();
    }
    // |x + "2" -> 2|x;  |-x + "2" -> 2|-x
    if (geEditPtr x = makeTerminal(key)) {
        if (child->isKind(geEditKind::Negative)) {
            geEditPtr operand = static_cast<geEditUnaryOp &>(*child).child();
            replaceExpression(child.get(), operand);
            replaceExpression(operand.get(), geEditSub::subWithLeft(x, operand));
        } else {
            replaceExpression(child.get(), geEditMul::mulWithLeft(x, child));
        }
        hasCursor_ = false;
        return x->cursorEnterFromRight();
    }
    // |x+1 + "-" -> -|x+1, the leftmost operand is negated; |-x+1 + "-" -> ?|-x+1
    if (key == u'-') {
        geEditPtr lm = child->leftMostExpression();
        geEdit *lmParent = lm->parent();
        if (!lmParent) return self;
        hasCursor_ = false;
        if (!lm->isKind(geEditKind::Negative)) {
            lmParent->replaceExpression(lm.get(), geEditNegative::negativeWithExpression(lm));
            return lm->cursorEnterFromLeft();
        }
        auto e = geEditEmpty::emptyExpression();
        lmParent->replaceExpression(lm.get(), geEditSub::subWithLeft(e, lm));
        return e->cursorEnterFromRight();
    }
    // |x + "/" -> ?|/x
    switch (key) {
        case u'*':
        case u'+':
        case u',':
        case u'/':
        case u'=':
        case u'<':
        case u'>':
        case u'^': {
            auto e = geEditEmpty::emptyExpression();
            replaceExpression(child.get(), geMakeOperatorNode(key, e, child));
            hasCursor_ = false;
            return e->cursorEnterFromRight();
        }
        default: return self;
    }
}

geEditPtr geEdit::passKeyToParent(char16_t key) {
    auto self = shared_from_this();
    geEdit *p = parent_;
    const bool hadCursor = hasCursor_;
    hasCursor_ = false;
    geEditPtr answer = p->keyDown(key);
    if (answer.get() == p && !p->hasCursor() && parent_ == p) {
        hasCursor_ = hadCursor;
        return self;
    }
    return answer;
}

// The cursor stands just after this node: x| .
geEditPtr geEdit::trailingKeyDown(char16_t key) {
    auto self = shared_from_this();
    if (key == geKeyLeftArrow) return leaveLeft();
    if (key == geKeyRightArrow) return leaveRight();
    geEdit *p = parent_;  // read before the new node below adopts this one
    if (!p) return self;
    // x| + ")" -> (x)| when an enclosing parenthesis exists, else a beep.
    if (key == u')') {
        for (geEdit *n = this; n; n = n->parent_) {
            if (n->isKind(geEditKind::Parens) && n->parent_) {
                hasCursor_ = false;
                return n->parent_->moveCursorToRightOfExpression(n);
            }
        }
        if (delegate_) delegate_->beep();
        return self;
    }
    geEditPtr built;
    geEditPtr cursorTarget;
    if (key == u'(') {
        // x| + "(" -> x(?|)
        cursorTarget = geEditEmpty::emptyExpression();
        built = geEditMul::mulWithLeft(self, geEditParens::parensWithExpression(cursorTarget));
    } else if (geEditPtr x = makeTerminal(key)) {
        // x| + "y" -> xy|
        cursorTarget = x;
        built = geEditMul::mulWithLeft(self, x);
    } else if (key == u'^' && !acceptsPower()) {
        return self;
    } else if (key == u'*' || key == u'+' || key == u',' || key == u'-' || key == u'/' ||
               key == u'=' || key == u'<' || key == u'>' || key == u'^') {
        // x| + "+" -> x+?|
        cursorTarget = geEditEmpty::emptyExpression();
        built = geMakeOperatorNode(key, self, cursorTarget);
    } else {
        return self;
    }
    hasCursor_ = false;
    replaceInParent(p, built);
    return cursorTarget->cursorEnterFromRight();
}
