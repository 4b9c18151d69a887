// Placeholders, numbers and variables: construction, conversion and cursor entry.
#include "equationEditor/geEditLeaves.h"

#include "engine/engine.h"

geEditPtr geEditEmpty::emptyExpression() {
    return std::make_shared<geEditEmpty>();
}

// Numbers.

geEditPtr geEditNum::numWithString(const QString &text) {
    auto n = std::make_shared<geEditNum>();
    n->setString(text);
    n->cursorPosition_ = std::max<int>(0, int(text.size()) - 1);
    return n;
}

// ".5" is stored as "0.5".
void geEditNum::setString(const QString &text) {
    text_ = text.startsWith(u'.') ? u'0' + text : text;
    textChanged();
    cursorPosition_ = std::min<int>(cursorPosition_, int(text_.size()));
    clearSelectedRange();
}

double geEditNum::number() const {
    return value_;
}

// The leading numeric part of the text in the C notation ("0." is 0, "2.5" is 2.5 under any
// locale); the letters of an enclosing product change with the text.
void geEditNum::textChanged() {
    const QByteArray latin = text_.toLatin1();
    value_ = slReadNumber(std::string_view(latin.constData(), size_t(latin.size())));
    if (parent_) parent_->makeMulString();
}

QString geEditNum::selectedString() const {
    if (!hasSelectedRange()) return QString();
    return text_.mid(startSelection_, endSelection_ - startSelection_);
}

void geEditNum::setSelectedRange(int start, int end) {
    const int size = int(text_.size());
    startSelection_ = std::clamp(std::min(start, end), 0, size);
    endSelection_ = std::clamp(std::max(start, end), 0, size);
}

// Selecting a number selects all its characters; a selection that ends takes its range
// with it, so that later typing cannot overwrite characters nobody sees selected.
void geEditNum::setIsSelected(bool flag) {
    if (flag) {
        startSelection_ = 0;
        endSelection_ = int(text_.size());
    } else {
        clearSelectedRange();
    }
    geEdit::setIsSelected(flag);
}

grExp *geEditNum::makeExp() const {
    return grNewNumberExp(number());
}

geEditPtr geEditNum::cursorEnterFromLeft() {
    cursorPosition_ = 0;
    return holdCursor();
}

geEditPtr geEditNum::cursorEnterFromRight() {
    cursorPosition_ = int(text_.size());
    return holdCursor();
}

// Variables.

geEditPtr geEditVar::varWithChar(char16_t c) {
    if (!recognizesChar(c)) return nullptr;
    auto v = std::make_shared<geEditVar>();
    v->letter_ = c;
    v->text_ = QString(QChar(c));
    return v;
}

geEditPtr geEditVar::varWithString(const QString &text) {
    auto v = std::make_shared<geEditVar>();
    v->text_ = text;
    return v;
}

geEditPtr geEditVar::copy() const {
    auto v = std::make_shared<geEditVar>();
    v->letter_ = text_.isEmpty() ? char16_t(0) : text_.at(0).unicode();
    v->text_ = text_.isEmpty() ? QString() : QString(text_.at(0));
    return v;
}

bool geEditVar::containsVariable() const {
    return !text_.isEmpty() && geIsVariableLetter(text_.at(0));
}

grExp *geEditVar::makeExp() const {
    const char16_t c = text_.isEmpty() ? char16_t(0) : text_.at(0).unicode();
    switch (c) {
        case u't':
        case u'T': return grNewConstantExp(grVarT);
        case u's':
        case u'S': return grNewConstantExp(grVarS);
        case u'x':
        case u'X': return grNewConstantExp(grVarX);
        case u'y':
        case u'Y': return grNewConstantExp(grVarY);
        case u'z':
        case u'Z': return grNewConstantExp(grVarZ);
        case u'k':
        case u'K': return grNewConstantExp(grVarK);
        case u'e':
        case u'E': return grNewConstantExp(grConstE);
        case gePiChar: return grNewNumberExp(grPiValue);
        case geThetaChar: return grNewConstantExp(grVarTheta);
        default: return grNewNumberExp(delegate_ ? delegate_->constantForString(text_) : 0.0);
    }
}

QString geEditVar::string() const {
    if (text_.size() == 1 && text_.at(0).unicode() == gePiChar) return QStringLiteral("pi");
    if (text_.size() == 1 && text_.at(0).unicode() == geThetaChar) return QStringLiteral("theta");
    return text_;
}

// A variable inside a product answers the top of its product chain.
geEditPtr geEditVar::mulExpression() {
    return parent_ ? parent_->mulExpression() : nullptr;
}
