// Key rules of fractions, powers, roots and infix operators.
#include "equationEditor/geEditBinaryOp.h"
#include "equationEditor/geEditLeaves.h"

// a/b| : Left enters the second slot from the right, Right leaves the node; every other
// key treats the cursor as standing after the whole node ("^" after a fraction or a power
// changes nothing). A parent that takes keys from its child takes them from here as from
// a letter: -3^2| + "+" is -3^2 + ?, not -(3^2 + ?).
geEditPtr geEditTemplateOp::keyDown(char16_t key) {
    if (hasCursor_ && key == geKeyLeftArrow && rightExp()) {
        hasCursor_ = false;
        return rightExp()->cursorEnterFromRight();
    }
    if (!geIsArrow(key) && parent_ && parent_->handlesKeyDownForChild(this, key))
        return passKeyToParent(key);
    return trailingKeyDown(key);
}

// a+|b : the arrows step into the operands, a letter or digit starts a product in front of
// the right operand (a+|b + "2" -> a+2|b).
geEditPtr geEditBasicBinaryOp::keyDown(char16_t key) {
    if (!hasCursor_) return trailingKeyDown(key);
    auto self = shared_from_this();
    if (key == geKeyLeftArrow && leftExp()) {
        hasCursor_ = false;
        return leftExp()->cursorEnterFromRight();
    }
    if (key == geKeyRightArrow && rightExp()) {
        hasCursor_ = false;
        return rightExp()->cursorEnterFromLeft();
    }
    geEditPtr x;
    if (geIsLetter(key))
        x = geEditVar::varWithChar(key);
    else if (geIsDigit(key) || key == u'.')
        x = geEditNum::numWithString(QString(QChar(key)));
    if (!x || !rightExp()) return self;
    geEditPtr r = rightExp();
    replaceExpression(r.get(), geEditMul::mulWithLeft(x, r));
    hasCursor_ = false;
    return x->cursorEnterFromRight();
}

// a+|b Backspace -> a|b: the sign goes, the operands become an implicit product.
geEditPtr geEditBasicBinaryOp::deleteNode() {
    if (!hasCursor_) return baseDelete();
    auto self = shared_from_this();
    geEdit *p = parent_;
    geEditPtr l = leftExp();
    if (!p || !l || !rightExp()) return self;
    hasCursor_ = false;
    replaceInParent(p, geEditMul::mulWithLeft(l, rightExp()));
    return l->cursorEnterFromRight();
}
