// Unary nodes: construction, queries, conversion and cursor movement.
#include "equationEditor/geEditUnaryOp.h"

#include "engine/engine.h"
#include "equationEditor/geEditBinaryOp.h"
#include "equationEditor/geEditLeaves.h"

namespace {

grExp *convert(const geEditPtr &node) {
    return node ? node->makeExp() : nullptr;
}

QString textOf(const geEditPtr &node) {
    return node ? node->string() : QString();
}

// The conversion's function names, tested in this order.
struct FunctionName {
    const char16_t *name;
    uint8_t code;
};
constexpr FunctionName kFunctionNames[] = {
    {u"sin", grFnSin},   {u"cos", grFnCos},   {u"tan", grFnTan},   {u"asin", grFnAsin},
    {u"acos", grFnAcos}, {u"atan", grFnAtan}, {u"sinh", grFnSinh}, {u"cosh", grFnCosh},
    {u"tanh", grFnTanh}, {u"erf", grFnErf},   {u"log", grFnLog},   {u"ln", grFnLn},
    {u"erfc", grFnErfc}, {u"dx", grFnDx},     {u"dy", grFnDy},     {u"abs", grFnAbs},
};

int functionCode(const QString &name) {
    for (const auto &f : kFunctionNames) {
        if (name == QStringView(f.name)) return f.code;
    }
    return -1;
}

}  // namespace

void geEditUnaryOp::setChild(geEditPtr node) {
    adopt(expression_, std::move(node));
}

void geEditUnaryOp::setDelegate(geEditDelegate *delegate) {
    if (delegate_ == delegate) return;  // the subtree has it already
    delegate_ = delegate;
    if (child()) child()->setDelegate(delegate);
}

bool geEditUnaryOp::containsEmpty() const {
    return child() && child()->containsEmpty();
}

bool geEditUnaryOp::containsVariable() const {
    return child() && child()->containsVariable();
}

geEditPtr geEditUnaryOp::replaceExpression(geEdit *old, geEditPtr replacement) {
    if (!old || !replacement || old != child().get()) return shared_from_this();
    adopt(expression_, replacement);
    replacement->makeMulString();
    return replacement;
}

// -?| Backspace: the whole node becomes a placeholder.
geEditPtr geEditUnaryOp::deleteExpression(geEdit *child) {
    auto self = shared_from_this();
    if (!parent_ || !child || child != this->child().get()) return self;
    hasCursor_ = false;
    auto e = geEditEmpty::emptyExpression();
    replaceInParent(parent_, e);
    return e->holdCursor();
}

// Parentheses.

geEditPtr geEditParens::parensWithExpression(geEditPtr node) {
    auto n = std::make_shared<geEditParens>();
    n->setChild(std::move(node));
    return n;
}

geEditPtr geEditParens::copy() const {
    return parensWithExpression(copyOf(child()));
}

grExp *geEditParens::makeExp() const {
    return convert(child());
}

QString geEditParens::string() const {
    return u'(' + textOf(child()) + u')';
}

geEditPtr geEditParens::cursorEnterFromLeft() {
    cursorPosition_ = 0;
    return holdCursor();
}

geEditPtr geEditParens::cursorEnterFromRight() {
    cursorPosition_ = 2;
    return holdCursor();
}

geEditPtr geEditParens::moveCursorToLeftOfExpression(geEdit *child) {
    if (!child || child != this->child().get()) return shared_from_this();
    return cursorEnterFromLeft();
}

geEditPtr geEditParens::moveCursorToRightOfExpression(geEdit *child) {
    if (!child || child != this->child().get()) return shared_from_this();
    return cursorEnterFromRight();
}

// Functions.

geEditPtr geEditFunc::funcWithString(const QString &name) {
    return funcWithExpression(geEditEmpty::emptyExpression(), name);
}

geEditPtr geEditFunc::funcWithExpression(geEditPtr argument, const QString &name) {
    auto f = std::make_shared<geEditFunc>();
    f->name_ = name;
    f->code_ = functionCode(name);
    f->setChild(std::move(argument));
    return f;
}

grExp *geEditFunc::makeExpForString(const QString &name, grExp *argument) {
    const int code = functionCode(name);
    if (code < 0) {
        grFreeExp(argument);
        return nullptr;
    }
    return grNewUnaryExp(uint8_t(code), argument);
}

bool geEditFunc::recognizesFunction(const QString &name) {
    return functionCode(name) >= 0;
}

geEditPtr geEditFunc::copy() const {
    return funcWithExpression(copyOf(child()), name_);
}

geEditPtr geEditFunc::rightMostExpression() {
    return child() ? child()->rightMostExpression() : shared_from_this();
}

grExp *geEditFunc::makeExp() const {
    return makeExpForString(name_, convert(child()));
}

// The call's brackets stand for an argument's own: sin(x + 1), not sin((x + 1)).
// An argument that is a comma list is written in a second pair of brackets, "sin((a , b))":
// the text reader refuses "sin(a, b)", a function given several arguments.
QString geEditFunc::string() const {
    const auto &argument = child();
    const bool parens = argument && argument->isKind(geEditKind::Parens);
    const geEditPtr &inner =
        parens ? static_cast<const geEditParens &>(*argument).child() : argument;
    const bool list = geHoldsCommaInChain(inner.get());
    const QString text = parens ? argument->string() : u'(' + textOf(argument) + u')';
    return name_ + (list ? u'(' + text + u')' : text);
}

geEditPtr geEditFunc::cursorEnterFromLeft() {
    cursorPosition_ = 1;
    return holdCursor();
}

geEditPtr geEditFunc::cursorEnterFromRight() {
    return child() ? child()->cursorEnterFromRight() : cursorEnterFromLeft();
}

// sin|(x) <- sin(|x)
geEditPtr geEditFunc::moveCursorToLeftOfExpression(geEdit *child) {
    if (!child || child != this->child().get()) return shared_from_this();
    return cursorEnterFromLeft();
}

geEditPtr geEditFunc::moveCursorToRightOfExpression(geEdit *child) {
    if (!child || child != this->child().get()) return shared_from_this();
    return parent_ ? parent_->moveCursorToRightOfExpression(this) : cursorEnterFromLeft();
}

// Negation.

geEditPtr geEditNegative::negativeWithExpression(geEditPtr node) {
    auto n = std::make_shared<geEditNegative>();
    n->setChild(std::move(node));
    return n;
}

geEditPtr geEditNegative::copy() const {
    return negativeWithExpression(copyOf(child()));
}

grExp *geEditNegative::makeExp() const {
    return grNewUnaryExp(grFnNegate, convert(child()));
}

// An operator chain is bracketed: (- (x + 1)) is not (- x) + 1.
QString geEditNegative::string() const {
    const bool chain = child() && geIsBasicBinaryOp(child()->kind());
    return QStringLiteral("(- ") + (chain ? u'(' + child()->string() + u')' : textOf(child())) +
           u')';
}

geEditPtr geEditNegative::cursorEnterFromRight() {
    return child() ? child()->cursorEnterFromRight() : holdCursor();
}

geEditPtr geEditNegative::moveCursorToLeftOfExpression(geEdit *child) {
    if (!child || child != this->child().get()) return shared_from_this();
    return holdCursor();
}

geEditPtr geEditNegative::moveCursorToRightOfExpression(geEdit *child) {
    if (!child || child != this->child().get()) return shared_from_this();
    return parent_ ? parent_->moveCursorToRightOfExpression(this) : holdCursor();
}
