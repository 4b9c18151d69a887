#include "equationEditor/graphEquationEditorModel.h"

#include <charconv>
#include <cmath>

#include "engine/slNumberText.h"
#include "equationEditor/geEditBinaryOp.h"
#include "equationEditor/geEditLeaves.h"
#include "equationEditor/geEditUnaryOp.h"

// Shortest text that reads back to the same float, in the C locale's notation; every NaN is
// "nan", whatever its sign bit.
QString geFormatFloat(float value) {
    if (std::isnan(value)) return QStringLiteral("nan");
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return QString::fromLatin1(buffer, int(result.ptr - buffer));
}

graphEquationEditorModel::graphEquationEditorModel()
    : functionArray_{QStringLiteral("sin"), QStringLiteral("sinh"), QStringLiteral("asin"),
                     QStringLiteral("cos"), QStringLiteral("cosh"), QStringLiteral("acos"),
                     QStringLiteral("tan"), QStringLiteral("tanh"), QStringLiteral("atan"),
                     QStringLiteral("erf"), QStringLiteral("erfc"), QStringLiteral("log"),
                     QStringLiteral("ln"),  QStringLiteral("dx"),   QStringLiteral("dy"),
                     QStringLiteral("abs")} {}

// The tree outlives the model when its entry keeps it: leave it without a dangling delegate.
graphEquationEditorModel::~graphEquationEditorModel() {
    if (equation_) equation_->setDelegate(nullptr);
}

void graphEquationEditorModel::setEquation(geEditPtr root) {
    // 1. Leave the current state.
    if (selection_) selection_->setIsSelected(false);
    if (keyResponder_) keyResponder_->setHasCursor(false);
    selection_.reset();
    keyResponder_.reset();
    if (equation_ && equation_ != root) equation_->setDelegate(nullptr);
    // 2. Show the new root; its delegate reaches every node.
    equation_ = std::move(root);
    if (!equation_) return;
    equation_->setDelegate(this);
    // 3. The cursor starts at the end of the equation.
    setKeyResponder(equation_->cursorEnterFromRight());
}

void graphEquationEditorModel::setKeyResponder(geEditPtr node) {
    keyResponder_ = std::move(node);
    if (keyResponder_) keyResponder_->setHasCursor(true);
}

void graphEquationEditorModel::selectNode(geEditPtr node) {
    if (keyResponder_) keyResponder_->setHasCursor(false);
    keyResponder_.reset();
    if (selection_) selection_->setIsSelected(false);
    selection_ = std::move(node);
    if (selection_) selection_->setIsSelected(true);
}

void graphEquationEditorModel::setMessageText(const QString &text) {
    statusText_ = text;
    if (statusChanged_) statusChanged_(statusText_);
}

void graphEquationEditorModel::insertText(const QString &text) {
    if (text.isEmpty()) return;
    const char16_t k = text.at(0).unicode();
    if (k == u'\r' || k == u'\n') {
        if (graphAction_) graphAction_();
        return;
    }
    handleKey(k);
    calculate();
}

void graphEquationEditorModel::deleteBackward() {
    if (selection_) {
        geEditPtr s = effectiveSelection();
        geEditPtr r = s ? s->deleteNode() : nullptr;
        endSelection(s);
        setKeyResponder(r);
        if (r && r != s) enterFromRight(r);
    } else if (keyResponder_) {
        setKeyResponder(keyResponder_->deleteNode());
    }
    calculate();
}

void graphEquationEditorModel::inputString(const QString &text) {
    for (QChar c : text) handleKey(c.unicode());
}

void graphEquationEditorModel::handleKey(char16_t key) {
    // 0. A key adds at most a few levels; near the height limit only the arrows are taken.
    if (!geIsArrow(key) && equation_ && equation_->height() > geMaxTreeHeight - 4) {
        beep();
        return;
    }
    // 1. Without a selection the node holding the cursor takes the key.
    if (selection_)
        handleKeyWithSelection(key);
    else if (keyResponder_)
        setKeyResponder(keyResponder_->keyDown(key));
    // 2. Letters typed as a product that spell a function name, "sqrt" or "pi" become that.
    if (!keyResponder_) return;
    if (geEditPtr m = keyResponder_->mulExpression()) {
        geEditPtr replaced;
        m->replaceStringWithFunction(functionArray_, replaced);
        if (replaced) {
            // The rewritten chain need not hold the responder (|dX + "S" -> S·dx(?|)):
            // the cursor moves into the new node either way.
            keyResponder_->setHasCursor(false);
            setKeyResponder(replaced->cursorEnterFromRight());
        }
    }
}

void graphEquationEditorModel::handleKeyWithSelection(char16_t key) {
    geEditPtr s = effectiveSelection();
    geEdit *p = s ? s->parent() : nullptr;
    if (!p) return;
    switch (key) {
        case u'(':
        case u')': {
            // x+1 selected + "(" -> (x+1)|
            endSelection(s);
            geEditPtr parens = geEditParens::parensWithExpression(s);
            setKeyResponder(p->replaceExpression(s.get(), parens));
            enterFromRight(keyResponder_);
            return;
        }
        case geKeyLeftArrow:
            endSelection(s);
            setKeyResponder(p->moveCursorToLeftOfExpression(s.get()));
            return;
        case geKeyRightArrow:
            endSelection(s);
            setKeyResponder(p->moveCursorToRightOfExpression(s.get()));
            return;
        case u'/': {
            // x+1 selected + "/" -> (x+1)/?|
            endSelection(s);
            geEditPtr e = geEditEmpty::emptyExpression();
            p->replaceExpression(s.get(), geEditDiv::divWithLeft(s, e));
            setKeyResponder(e);
            return;
        }
        case u'-': {
            // x+1 selected + "-" -> -(x+1)|; x selected -> -x|; a selected negation stays.
            if (s->isKind(geEditKind::Negative)) return;
            endSelection(s);
            geEditPtr node = s;
            if (!s->isTerminal() && !s->isKind(geEditKind::Parens)) {
                node = geEditParens::parensWithExpression(s);
                p->replaceExpression(s.get(), node);
            }
            geEdit *np = node->parent();
            geEditPtr n = geEditNegative::negativeWithExpression(node);
            if (np) np->replaceExpression(node.get(), n);
            setKeyResponder(n->cursorEnterFromRight());
            return;
        }
        default: {
            // Typing over a selection deletes it and types the key where it stood.
            geEditPtr r = s->deleteNode();
            endSelection(s);
            setKeyResponder(r);
            if (keyResponder_) setKeyResponder(keyResponder_->keyDown(key));
            return;
        }
    }
}

geEditPtr graphEquationEditorModel::effectiveSelection() const {
    if (selection_ && !selection_->parent() && selection_->isRoot()) return selection_->top();
    return selection_;
}

void graphEquationEditorModel::endSelection(const geEditPtr &node) {
    if (node) node->setIsSelected(false);
    if (selection_) selection_->setIsSelected(false);
    selection_.reset();
}

void graphEquationEditorModel::enterFromRight(const geEditPtr &node) {
    if (!node) return;
    geEditPtr holder = node->cursorEnterFromRight();
    if (holder != node) node->setHasCursor(false);
    setKeyResponder(holder);
}

void graphEquationEditorModel::selectAll() {
    if (!equation_) return;
    selectNode(equation_->top());
}

void graphEquationEditorModel::clearMarks() {
    if (keyResponder_) keyResponder_->setHasCursor(false);
    if (selection_) selection_->setIsSelected(false);
}

void graphEquationEditorModel::setDragSelection(geEditPtr node) {
    if (selection_ && selection_ != node) selection_->setIsSelected(false);
    selection_ = std::move(node);
}

void graphEquationEditorModel::endDragAtAnchor() {
    if (!selection_) return;
    geEditPtr number = std::move(selection_);
    selection_.reset();
    if (keyResponder_ && keyResponder_ != number) keyResponder_->setHasCursor(false);
    setKeyResponder(number);
}

void graphEquationEditorModel::restoreState(geEditPtr responder, geEditPtr selection) {
    keyResponder_ = std::move(responder);
    selection_ = std::move(selection);
}

void graphEquationEditorModel::cut() {
    geEditPtr s = effectiveSelection();
    if (!s || !s->parent()) return;
    geEditPtr r = s->deleteNode();
    endSelection(s);
    if (keyResponder_) keyResponder_->setHasCursor(false);
    setKeyResponder(r);
    if (r && r != s) enterFromRight(r);
}

graphEquationEditorModel::PasteResult graphEquationEditorModel::pasteNode(geEditPtr node) {
    if (!node) return PasteResult::NoTarget;
    geEditPtr target = effectiveSelection();
    if (!target && keyResponder_ && keyResponder_->isKind(geEditKind::Empty))
        target = keyResponder_;
    geEdit *parent = target ? target->parent() : nullptr;
    if (!parent) return PasteResult::NoTarget;
    // The pasted subtree hangs below the target's parent: the tree keeps the keys' limit.
    int depth = 1;
    for (geEdit *p = parent; p; p = p->parent()) ++depth;
    if (depth + node->height() > geMaxTreeHeight) return PasteResult::TooTall;
    endSelection(target);
    target->setHasCursor(false);
    keyResponder_.reset();
    // A function that rebuilds around its new argument hands the cursor on; the cursor
    // goes to the pasted node's right end instead.
    geEditPtr answer = parent->replaceExpression(target.get(), node);
    if (answer && answer != node) answer->setHasCursor(false);
    enterFromRight(node);
    return PasteResult::Pasted;
}

void graphEquationEditorModel::calculate() {
    // An equation with a placeholder, a variable or a relation shows nothing. A failed
    // evaluation (1/0) and a value that is no number (0^-1, 0/0) are "undefined", as the
    // graph leaves such points out; otherwise the value with up to 10 significant digits.
    const geEdit::Calculation c = equation_
                                      ? equation_->calculateValue()
                                      : geEdit::Calculation{geEdit::Calculation::Blocked, 0.0};
    setMessageText(geCalculatorLine(c));
}

QString geCalculatorLine(const geEdit::Calculation &c) {
    if (c.state == geEdit::Calculation::Blocked) return QString();
    if (c.state == geEdit::Calculation::Failed || !std::isfinite(c.value))
        return QStringLiteral("= undefined\n");
    return QStringLiteral("= ") + QString::fromStdString(slFormatNumber(c.value, 'g', 10)) + u'\n';
}

bool graphEquationEditorModel::stringInFunctionArray(const QString &name) const {
    return functionArray_.contains(name);
}

double graphEquationEditorModel::constantForString(const QString &name) const {
    return constantLookup_ ? constantLookup_(name) : 0.0;
}

void graphEquationEditorModel::beep() {
    if (beepAction_) beepAction_();
}
