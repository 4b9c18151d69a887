// Key rules of parentheses, functions and negations.
#include "equationEditor/geEditBinaryOp.h"
#include "equationEditor/geEditLeaves.h"
#include "equationEditor/geEditUnaryOp.h"

// Parentheses.

geEditPtr geEditParens::keyDown(char16_t key) {
    if (hasCursor_ && cursorPosition_ == 0) {
        if (key == geKeyLeftArrow) return leaveLeft();
        if (key == geKeyRightArrow && child()) {
            hasCursor_ = false;
            return child()->cursorEnterFromLeft();
        }
        return keyDownBeforeExpression(key);
    }
    if (hasCursor_ && key == geKeyLeftArrow && child()) {
        hasCursor_ = false;
        return child()->cursorEnterFromRight();
    }
    if (hasCursor_ && key == geKeyRightArrow) return leaveRight();
    if (parent_ && parent_->handlesKeyDownForChild(this, key)) return passKeyToParent(key);
    return trailingKeyDown(key);
}

// (|x+1) + "2" -> (2|x+1);  (|x) + "+" -> (?|+x)
geEditPtr geEditParens::keyDownBeforeExpression(char16_t key) {
    auto self = shared_from_this();
    geEditPtr content = child();
    if (!content) return holdCursor();
    hasCursor_ = false;
    geEditPtr x;
    if (geIsLetter(key))
        x = geEditVar::varWithChar(key);
    else if (geIsDigit(key) || key == u'.')
        x = geEditNum::numWithString(QString(QChar(key)));
    if (x) {
        replaceExpression(content.get(), geEditMul::mulWithLeft(x, content));
        return x->cursorEnterFromRight();
    }
    switch (key) {
        case u'+':
        case u'-':
        case u'*':
        case u'/':
        case u'^': {
            auto e = geEditEmpty::emptyExpression();
            replaceExpression(content.get(), geMakeOperatorNode(key, e, content));
            return e->cursorEnterFromRight();
        }
        default: return holdCursor();
    }
}

// (x)| Backspace: the whole group becomes a placeholder.
geEditPtr geEditParens::deleteNode() {
    return baseDelete();
}

// Functions.

// sin| + "h" -> sinh| when the longer name is a known function; other keys fall through to
// the parent or to the trailing rule.
geEditPtr geEditFunc::keyDown(char16_t key) {
    auto self = shared_from_this();
    if (hasCursor_ && key == geKeyLeftArrow) return leaveLeft();
    if (hasCursor_ && key == geKeyRightArrow) {
        if (cursorPosition_ == 0) {
            cursorPosition_ = 1;
            return holdCursor();
        }
        hasCursor_ = false;
        return child() ? child()->cursorEnterFromLeft() : holdCursor();
    }
    // The argument keeps the cursor where it stood: sin|(2) + "h" -> sinh(|2), sin(2|) + "h"
    // -> sinh(2|).
    const QString longer = name_ + QChar(key);
    if (!geIsArrow(key) && (cursorPosition_ == 1 || !hasCursor_) && parent_ && delegate_ &&
        delegate_->stringInFunctionArray(longer)) {
        geEditPtr argument = child();
        const bool beforeArgument = hasCursor_;
        hasCursor_ = false;
        geEdit *p = parent_;
        replaceInParent(p, funcWithExpression(argument, longer));
        if (!argument) return self;
        return beforeArgument ? argument->cursorEnterFromLeft() : argument->cursorEnterFromRight();
    }
    if (hasCursor_ && cursorPosition_ == 1) return self;
    if (child()) child()->setHasCursor(false);
    if (parent_ && parent_->handlesKeyDownForChild(this, key)) return passKeyToParent(key);
    hasCursor_ = false;
    return trailingKeyDown(key);
}

// The function takes keys from a filled argument (sin x| + "y" is sin(x)·y); from an empty
// argument only a letter that extends its name to another known function (sin(?|) + "h").
bool geEditFunc::handlesKeyDownForChild(geEdit *child, char16_t letter) {
    if (geIsArrow(letter)) return false;
    const geEditPtr &argument = this->child();
    if (!child || child != argument.get()) return false;
    if (!argument->isKind(geEditKind::Empty)) return true;
    return geIsLetter(letter) && recognizesFunction(name_ + QChar(letter));
}

// A new argument binds the function to its first factor only: replacing sin's argument by
// x+1 gives sin(x)+1, by x^2+1 gives sin(x)^2+1.
geEditPtr geEditFunc::replaceExpression(geEdit *old, geEditPtr replacement) {
    if (!old || !replacement || old != child().get()) return shared_from_this();
    auto self = shared_from_this();
    geEditPtr m = replacement->leftMostExpression();
    if (m && m->isKind(geEditKind::Pow)) m = static_cast<geEditPow &>(*m).leftExp();
    geEdit *mParent = m ? m->parent() : nullptr;
    if (!m || m == replacement || !mParent || !parent_) {
        return geEditUnaryOp::replaceExpression(old, replacement);
    }
    geEdit *p = parent_;
    auto f = funcWithExpression(m, name_);
    f->setDelegate(delegate_);
    mParent->replaceExpression(m.get(), f);
    p->replaceExpression(this, replacement);
    return replacement->cursorEnterFromRight();
}

// sin|(x) Backspace -> |x: the name goes and the argument takes the function's place.
geEditPtr geEditFunc::deleteNode() {
    auto self = shared_from_this();
    geEdit *p = parent_;
    geEditPtr argument = child();
    if (isSelected_ || !p || !argument) return baseDelete();
    hasCursor_ = false;
    replaceInParent(p, argument);
    return p->moveCursorToLeftOfExpression(argument.get());
}

// Negations.

geEditPtr geEditNegative::keyDown(char16_t key) {
    if (hasCursor_) {
        if (key == geKeyLeftArrow) return leaveLeft();
        if (key == geKeyRightArrow && child()) {
            hasCursor_ = false;
            return child()->cursorEnterFromLeft();
        }
        if (key == u'-') return shared_from_this();
    }
    if (parent_ && parent_->handlesKeyDownForChild(this, key)) return passKeyToParent(key);
    hasCursor_ = false;
    return trailingKeyDown(key);
}

// Every key but "^" from a filled operand: -3| + "+" is -3 + ?, but -3| + "^" raises the
// operand, -(3^?), since a minus binds looser than a power.
bool geEditNegative::handlesKeyDownForChild(geEdit *child, char16_t letter) {
    return child && child == this->child().get() && !child->isKind(geEditKind::Empty) &&
           letter != u'^';
}

// -|x Backspace -> |x: the minus goes and the operand keeps the cursor as it stands there
// (-|1/2 -> 1/2|, -|12 -> |12). An infix operand has no such stop; it is entered from the left.
geEditPtr geEditNegative::deleteNode() {
    auto self = shared_from_this();
    geEdit *p = parent_;
    geEditPtr operand = child();
    if (!hasCursor_ || !p || !operand) return baseDelete();
    hasCursor_ = false;
    replaceInParent(p, operand);
    if (geIsBasicBinaryOp(operand->kind())) return operand->cursorEnterFromLeft();
    if (operand->isKind(geEditKind::Num))
        operand->setCursorPosition(
            std::clamp(operand->cursorPosition(), 0, int(operand->string().size())));
    return operand->holdCursor();
}
