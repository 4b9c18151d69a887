// Key rules of placeholders, numbers and variables.
#include "equationEditor/geEditBinaryOp.h"
#include "equationEditor/geEditCompare.h"
#include "equationEditor/geEditLeaves.h"
#include "equationEditor/geEditUnaryOp.h"

// Placeholder.

geEditPtr geEditEmpty::keyDown(char16_t key) {
    auto self = shared_from_this();
    geEdit *p = parent_;
    if (!p) return self;
    // sin(?|) + "h" -> the function handles it (sinh).
    if (p->handlesKeyDownForChild(this, key)) return passKeyToParent(key);
    // a<?| + "=" -> a≤?|
    if (key == u'=' && p->isKind(geEditKind::Compare)) {
        auto &comparison = static_cast<geEditCompare &>(*p);
        geEdit *grand = p->parent();
        if (comparison.rightExp().get() == this && comparison.isStrict() && grand) {
            geEditPtr keep = comparison.shared_from_this();  // alive while its parent drops it
            geEditPtr replacement = comparison.withEquality();
            grand->replaceExpression(p, replacement);
            return holdCursor();
        }
    }
    // ?| + "(" -> (?|)
    if (key == u'(' || key == u')') {
        replaceInParent(p, geEditParens::parensWithExpression(self));
        return holdCursor();
    }
    // ?| + "x" -> x|
    geEditPtr x;
    if (geIsLetter(key))
        x = geEditVar::varWithChar(key);
    else if (geIsDigit(key) || key == u'.')
        x = geEditNum::numWithString(QString(QChar(key)));
    if (x) {
        hasCursor_ = false;
        replaceInParent(p, x);
        return x->cursorEnterFromRight();
    }
    // ?| + "-" -> -?|; a second "-" changes nothing.
    if (key == u'-' && !p->isKind(geEditKind::Negative)) {
        auto n = geEditNegative::negativeWithExpression(self);
        replaceInParent(p, n);
        hasCursor_ = false;
        return n->cursorEnterFromRight();
    }
    return self;
}

// A selected placeholder has nothing to delete: typing over it fills it in. Otherwise the
// parent removes it (a + ?| -> a|).
geEditPtr geEditEmpty::deleteNode() {
    if (isSelected_) {
        isSelected_ = false;
        return holdCursor();
    }
    if (!parent_) return shared_from_this();
    hasCursor_ = false;
    return parent_->deleteExpression(this);
}

// Numbers.

geEditPtr geEditNum::keyDown(char16_t key) {
    auto self = shared_from_this();
    const int size = int(text_.size());
    // An operator typed over the whole selected text replaces the number by a placeholder
    // first and is then typed there.
    if (hasSelectedRange() && !geIsDigit(key) && key != u'.') {
        const bool whole = startSelection_ == 0 && endSelection_ == size;
        clearSelectedRange();
        if (whole && !geIsArrow(key) && parent_) {
            hasCursor_ = false;
            auto e = geEditEmpty::emptyExpression();
            replaceInParent(parent_, e);
            e->holdCursor();
            return e->keyDown(key);
        }
    }
    if (key == geKeyLeftArrow) {
        if (cursorPosition_ > 0) {
            --cursorPosition_;
            return holdCursor();
        }
        return leaveLeft();
    }
    if (key == geKeyRightArrow) {
        if (cursorPosition_ < size) {
            ++cursorPosition_;
            return holdCursor();
        }
        return leaveRight();
    }
    if (geIsDigit(key) || key == u'.') {
        insertChar(key);
        return holdCursor();
    }
    // 12| + "+" -> 12+?| (through the parent when it takes the key).
    if (cursorPosition_ >= size) {
        if (parent_ && parent_->handlesKeyDownForChild(this, key)) return passKeyToParent(key);
        hasCursor_ = false;
        return trailingKeyDown(key);
    }
    // |12 + "-" -> -|12
    if (key == u'-' && cursorPosition_ == 0 && parent_ && !parent_->isKind(geEditKind::Negative)) {
        hasCursor_ = false;
        geEdit *p = parent_;
        auto n = geEditNegative::negativeWithExpression(self);
        replaceInParent(p, n);
        return n->holdCursor();
    }
    switch (key) {
        case u'+':
        case u'-':
        case u'*':
        case u'/':
        case u'^': return insertOperator(key);
        default: return self;
    }
}

// Digits and "." at the cursor, or over the selected range. A second "." is refused.
void geEditNum::insertChar(char16_t c) {
    const QString ch(QChar{c});
    if (hasSelectedRange()) {
        const int start = startSelection_;
        const int length = endSelection_ - startSelection_;
        if (c == u'.') {
            const QString outside = text_.left(start) + text_.mid(start + length);
            if (outside.contains(u'.')) return;
            const QString inserted = start == 0 ? QStringLiteral("0.") : QStringLiteral(".");
            text_.replace(start, length, inserted);
            textChanged();
            cursorPosition_ = start + int(inserted.size());
        } else {
            text_.replace(start, length, ch);
            textChanged();
            cursorPosition_ = start + 1;
        }
        clearSelectedRange();
        return;
    }
    cursorPosition_ = std::clamp(cursorPosition_, 0, int(text_.size()));
    if (c == u'.') {
        if (text_.contains(u'.')) return;
        const QString inserted = cursorPosition_ == 0 ? QStringLiteral("0.") : QStringLiteral(".");
        text_.insert(cursorPosition_, inserted);
        textChanged();
        cursorPosition_ += int(inserted.size());
        return;
    }
    text_.insert(cursorPosition_, ch);
    textChanged();
    ++cursorPosition_;
}

// An operator typed inside the text: |12 -> ?|+12, 1|2 -> 1+|2, 12| -> 12+?|.
geEditPtr geEditNum::insertOperator(char16_t op) {
    auto self = shared_from_this();
    geEdit *p = parent_;
    if (!p) return self;
    const int size = int(text_.size());
    const int at = std::clamp(cursorPosition_, 0, size);
    geEditPtr built;
    geEditPtr cursorTarget;
    if (at == 0) {
        cursorTarget = geEditEmpty::emptyExpression();
        built = geMakeOperatorNode(op, cursorTarget, numWithString(text_));
    } else if (at == size) {
        cursorTarget = geEditEmpty::emptyExpression();
        built = geMakeOperatorNode(op, numWithString(text_), cursorTarget);
    } else {
        built = geMakeOperatorNode(op, numWithString(text_.left(at)), numWithString(text_.mid(at)));
        cursorTarget = built;
    }
    if (!built) return self;
    hasCursor_ = false;
    replaceInParent(p, built);
    if (cursorTarget == built) {
        built->setCursorPosition(1);
        return built->holdCursor();
    }
    return cursorTarget->holdCursor();
}

// Backspace removes the selected range or the character before the cursor; a number left
// without text becomes a placeholder.
geEditPtr geEditNum::deleteNode() {
    auto self = shared_from_this();
    if (hasSelectedRange()) {
        text_.remove(startSelection_, endSelection_ - startSelection_);
        cursorPosition_ = startSelection_;
        clearSelectedRange();
    } else {
        cursorPosition_ = std::clamp(cursorPosition_, 0, int(text_.size()));
        if (cursorPosition_ == 0 || text_.isEmpty()) return holdCursor();
        text_.remove(cursorPosition_ - 1, 1);
        --cursorPosition_;
    }
    textChanged();
    if (text_.isEmpty() && parent_) {
        hasCursor_ = false;
        auto e = geEditEmpty::emptyExpression();
        replaceInParent(parent_, e);
        return e->holdCursor();
    }
    return holdCursor();
}

// Variables.

geEditPtr geEditVar::keyDown(char16_t key) {
    if (parent_ && parent_->handlesKeyDownForChild(this, key)) return passKeyToParent(key);
    hasCursor_ = false;
    return trailingKeyDown(key);
}
