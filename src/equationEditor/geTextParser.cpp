// Ordinary text to an editor tree: the tokens of geTextTokenizer read by a recursive
// descent over the precedence levels of geTextParser.h.
#include "equationEditor/geTextParser.h"

#include <vector>

#include "equationEditor/geEditBinaryOp.h"
#include "equationEditor/geEditCompare.h"
#include "equationEditor/geEditLeaves.h"
#include "equationEditor/geEditUnaryOp.h"
#include "equationEditor/geTextTokenizer.h"
#include "equationEditor/graphEquationEditorModel.h"

namespace {

using Tok = geTextTok;
using Token = geTextToken;

// Brackets, bars, unary minus and exponents nested deeper than this are refused, so that
// the recursion stays far from the end of the stack.
constexpr int kMaxNesting = 600;

geEditPtr number(const QString &text) {
    return geEditNum::numWithString(text);
}

geEditPtr unbracketed(const geEditPtr &node) {
    if (!node->isKind(geEditKind::Parens)) return node;
    return static_cast<geEditParens &>(*node).child();
}

// A function's argument keeps a brackets node around an operator chain or a group, so
// that sin(x+1) is shown with its brackets and sin((x)) reads back as written.
geEditPtr bracketedArgument(const geEditPtr &content) {
    if (geIsBasicBinaryOp(content->kind()) || content->isKind(geEditKind::Parens))
        return geEditParens::parensWithExpression(content);
    return content;
}

// A base that would not show as one operand under its exponent is bracketed.
geEditPtr bracketedBase(const geEditPtr &base) {
    if (geIsBasicBinaryOp(base->kind()) || base->isKind(geEditKind::Div) ||
        base->isKind(geEditKind::Pow) || base->isKind(geEditKind::Negative))
        return geEditParens::parensWithExpression(base);
    return base;
}

bool isMinusOne(const geEditPtr &node) {
    if (!node->isKind(geEditKind::Negative)) return false;
    const geEditPtr &inner = static_cast<geEditUnaryOp &>(*node).child();
    return inner && inner->isKind(geEditKind::Num) &&
           static_cast<geEditNum &>(*inner).number() == 1.0;
}

// An operator chain read flat. The editor reads a chain of sums and products as the list
// of its operands whatever the shape of its tree, so a long one is built balanced: a
// sum of 2,000 terms is a tree 12 levels high, not 2,000. A short one leans left, as
// typing builds it.
struct Chain {
    std::vector<geEditPtr> operands;
    std::vector<char16_t> operators;  // between operands k and k + 1

    geEditPtr tree() const { return build(0, operands.size()); }

private:
    static constexpr size_t kLeaningLength = 64;

    geEditPtr build(size_t first, size_t end) const {
        if (end - first == 1) return operands[first];
        // The first operand on the right.
        const size_t middle =
            operands.size() <= kLeaningLength ? end - 1 : first + (end - first) / 2;
        geEditPtr left = build(first, middle), right = build(middle, end);
        switch (operators[middle - 1]) {
            case u'+': return geEditAdd::addWithLeft(left, right);
            case u'-': return geEditSub::subWithLeft(left, right);
            default: return geEditMul::mulWithLeft(left, right);
        }
    }
};

geEditPtr reciprocal(const geEditPtr &node) {
    return geEditDiv::divWithLeft(number(QStringLiteral("1")), node);
}

// The tree a one-argument function name means, the aliases of other programs included:
// exp(u) is e^u, sec(u) is 1/cos(u), cbrt(u) is root(u, 3), lg and log10 are log.
geEditPtr applied(const QString &name, const geEditPtr &argument) {
    const auto func = [&](const char16_t *f) {
        return geEditFunc::funcWithExpression(argument, QString::fromUtf16(f));
    };
    const auto root = [&](const char16_t *index) {
        return geEditRoot::rootWithLeft(number(QString::fromUtf16(index)), unbracketed(argument));
    };
    if (name == u"sqrt") return root(u"2");
    if (name == u"cbrt") return root(u"3");
    if (name == u"root4") return root(u"4");
    if (name == u"exp")
        return geEditPow::powWithLeft(geEditVar::varWithChar(u'e'), unbracketed(argument));
    if (name == u"arcsin") return func(u"asin");
    if (name == u"arccos") return func(u"acos");
    if (name == u"arctan") return func(u"atan");
    if (name == u"lg" || name == u"log10") return func(u"log");
    if (name == u"sec") return reciprocal(func(u"cos"));
    if (name == u"csc") return reciprocal(func(u"sin"));
    if (name == u"cot") return reciprocal(func(u"tan"));
    if (name == u"sech") return reciprocal(func(u"cosh"));
    if (name == u"csch") return reciprocal(func(u"sinh"));
    if (name == u"coth") return reciprocal(func(u"tanh"));
    return geEditFunc::funcWithExpression(argument, name);
}

// The inverse that "f^-1" names.
QString inverseName(const QString &name) {
    if (name == u"sin") return QStringLiteral("asin");
    if (name == u"cos") return QStringLiteral("acos");
    if (name == u"tan") return QStringLiteral("atan");
    return QString();
}

class Parser {
public:
    Parser(std::vector<Token> tokens, const QString &text)
        : tokens_(std::move(tokens)), text_(text) {}

    geEditPtr equations() {
        if (peek().kind == Tok::End) geTextFail(QStringLiteral("empty equation"), peek().column);
        geEditPtr top = list(true);
        if (peek().kind != Tok::End) unexpected();
        return top;
    }

private:
    const Token &peek() const { return tokens_[pos_]; }
    const Token &peekAt(size_t k) const { return tokens_[std::min(k, tokens_.size() - 1)]; }
    bool at(char16_t op) const { return peek().is(op); }
    Token take() { return tokens_[pos_++]; }
    [[noreturn]] void unexpected() const {
        if (peek().kind == Tok::End) geTextFail(QStringLiteral("missing operand"), peek().column);
        geTextFail(QStringLiteral("unexpected ") + peek().text, peek().column);
    }
    void expect(char16_t op) {
        if (!at(op)) geTextFail(QStringLiteral("missing ") + QChar(op), peek().column);
        ++pos_;
    }

    // Counts one level of nesting for as long as it lives.
    struct Nesting {
        explicit Nesting(Parser &p) : parser(p) {
            if (++parser.depth_ > kMaxNesting)
                geTextFail(QStringLiteral("nested too deeply"), parser.peek().column);
        }
        ~Nesting() { --parser.depth_; }
        Parser &parser;
    };

    // list := relation ("," relation)*; ";" is read as ",". At the top, each part may
    // name its function first: "f(x) = ...", "x(t) = ...".
    geEditPtr list(bool top) {
        if (top) functionName();
        geEditPtr node = relation();
        while (at(u',')) {
            ++pos_;
            if (top) functionName();
            node = geEditComma::commaWithLeft(node, relation());
        }
        return node;
    }

    // "f(x) =" with any one-letter name reads as "y =", "f(y) =" as "x =", "f(x, y) =" as
    // "z =", and a coordinate's own name stays: "x(t) =" is "x =".
    void functionName() {
        const Token &name = peek();
        if (name.kind != Tok::Var || !peekAt(pos_ + 1).is(u'(')) return;
        std::vector<QString> arguments;
        size_t k = pos_ + 2;
        for (;;) {
            if (peekAt(k).kind != Tok::Var) return;
            arguments.push_back(peekAt(k).text);
            if (peekAt(k + 1).is(u')')) break;
            if (!peekAt(k + 1).is(u',')) return;
            k += 2;
        }
        if (!peekAt(k + 2).is(u'=')) return;
        QString coordinate = name.text;
        if (name.text != u"x" && name.text != u"y" && name.text != u"z") {
            if (arguments.size() == 1 && arguments[0] == u"y")
                coordinate = QStringLiteral("x");
            else if (arguments.size() == 2)
                coordinate = QStringLiteral("z");
            else
                coordinate = QStringLiteral("y");
        }
        // The name's letter stays as the one token of the side; the brackets go.
        tokens_[k + 1].text = coordinate;
        tokens_[k + 1].kind = Tok::Var;
        pos_ = k + 1;
    }

    // relation := sum (("=" | "<" | ">" | "<=" | ">=") sum)?. One relation per part: a second one
    // is a missing comma or a slip. Relations other than "=" belong at this level too.
    geEditPtr relation() {
        geEditPtr node = sum();
        if (atComparison()) {
            const char16_t sign = take().text.at(0).unicode();
            geEditPtr right = sum();
            if (at(u'=') || atComparison())
                geTextFail(QStringLiteral("a second relation"), peek().column,
                           QStringLiteral("write one comparison per inequality"));
            if (sign == u'\u2264')
                return geEditCompareLessEqual::compareLessEqualWithLeft(node, right);
            if (sign == u'\u2265')
                return geEditCompareGreaterEqual::compareGreaterEqualWithLeft(node, right);
            return geMakeComparisonNode(sign, node, right);
        }
        if (!at(u'=')) return node;
        const size_t first = pos_++;
        geEditPtr right = sum();
        if (at(u'=')) secondEquals(first);
        if (atComparison())
            geTextFail(QStringLiteral("a second relation"), peek().column,
                       QStringLiteral("write one comparison per inequality"));
        return geEditEquals::equalsWithLeft(node, right);
    }

    bool atComparison() const { return at(u'<') || at(u'>') || at(u'\u2264') || at(u'\u2265'); }

    // "x=cos t y=sin t": a letter standing apart just before the second "=" starts the
    // next part.
    [[noreturn]] void secondEquals(size_t first) const {
        const Token &equals = peek();
        const Token &letter = peekAt(pos_ - 1);
        const Token &before = peekAt(pos_ - 2);
        if (pos_ >= first + 3 && letter.kind == Tok::Var && letter.spaceBefore &&
            (before.kind != Tok::Op || before.is(u')') || before.is(u'|'))) {
            QString fixed = text_.left(letter.start).trimmed() + QStringLiteral(", ") +
                            text_.mid(letter.start).trimmed();
            geTextFail(QStringLiteral("missing comma before ") + letter.text, letter.column,
                       fixed.size() <= 60 ? QStringLiteral("write ") + fixed
                                          : QStringLiteral("separate the parts with a comma"));
        }
        geTextFail(QStringLiteral("a second ="), equals.column,
                   QStringLiteral("an equation has one =; separate the parts of a parametric "
                                  "equation with commas"));
    }

    // sum := product (("+" | "-") product)*, read in a loop: a long sum is no deep one.
    geEditPtr sum() {
        Chain chain{{product()}, {}};
        while (at(u'+') || at(u'-')) {
            chain.operators.push_back(take().is(u'+') ? u'+' : u'-');
            chain.operands.push_back(product());
        }
        return chain.tree();
    }

    // Whether the token can open an operand written right after another one: 3x, x(x+1).
    bool startsFactor() const {
        switch (peek().kind) {
            case Tok::Number:
            case Tok::Var:
            case Tok::Func:
            case Tok::Pi:
            case Tok::Fraction: return true;
            case Tok::Op: return at(u'(') || at(u'?') || (at(u'|') && barDepth_ == 0);
            case Tok::End: return false;
        }
        return false;
    }

    // product := unary (("*" | implicit) unary)*
    geEditPtr product() {
        Chain chain{{unary()}, {}};
        for (;;) {
            if (at(u'*'))
                ++pos_;
            else if (!startsFactor())
                return chain.tree();
            chain.operators.push_back(u'*');
            chain.operands.push_back(unary());
        }
    }

    // unary := ("-" | "+") unary | quotient, so -x^2/2 is -((x^2)/2).
    geEditPtr unary() {
        Nesting level(*this);
        if (at(u'-')) {
            ++pos_;
            return geEditNegative::negativeWithExpression(unary());
        }
        if (at(u'+')) {
            ++pos_;
            return unary();
        }
        return quotient();
    }

    // quotient := power ("/" signed)*; a bracket group on either side is the bar's own.
    geEditPtr quotient() {
        geEditPtr node = power();
        while (at(u'/')) {
            ++pos_;
            geEditPtr below = signedPower();
            node = geEditDiv::divWithLeft(unbracketed(node), unbracketed(below));
        }
        return node;
    }

    // signed := ("-" | "+") signed | power: the operand after "/" or "^", 2^-x, a/-b.
    geEditPtr signedPower() {
        Nesting level(*this);
        if (at(u'-')) {
            ++pos_;
            return geEditNegative::negativeWithExpression(signedPower());
        }
        if (at(u'+')) {
            ++pos_;
            return signedPower();
        }
        return power();
    }

    // power := primary ("^" signed)?, so 2^3^4 is 2^(3^4) and 2^-x^2 is 2^(-(x^2)).
    geEditPtr power() {
        geEditPtr base = primary();
        if (!at(u'^')) return base;
        ++pos_;
        return geEditPow::powWithLeft(base, unbracketed(signedPower()));
    }

    // "(" list ")". A group that is a negation of its whole content is that negation
    // itself, since "(- x)" is the negation's own text form.
    geEditPtr group() {
        Nesting level(*this);
        expect(u'(');
        const bool minusFirst = at(u'-');
        const int bars = barDepth_;
        barDepth_ = 0;
        geEditPtr content = list(false);
        barDepth_ = bars;
        expect(u')');
        if (minusFirst && content->isKind(geEditKind::Negative)) return content;
        return geEditParens::parensWithExpression(content);
    }

    // "(" item ("," item)* ")" after a function name; the columns of the commas are kept
    // for the message that refuses extra arguments.
    std::vector<geEditPtr> callArguments(std::vector<int> &commas) {
        Nesting level(*this);
        expect(u'(');
        const int bars = barDepth_;
        barDepth_ = 0;
        std::vector<geEditPtr> items{relation()};
        while (at(u',')) {
            commas.push_back(take().column);
            items.push_back(relation());
        }
        barDepth_ = bars;
        expect(u')');
        return items;
    }

    // The argument of a one-argument function: in call brackets, or without brackets the
    // side-by-side product that follows, up to an operator, a closing bracket or the next
    // function name ("sin 2x" is sin(2x), "sin x cos x" is sin(x)·cos(x), "sin x/2" is
    // sin(x)/2). Such a product is put in brackets, so the picture shows what is meant.
    geEditPtr argument(const Token &function) {
        if (at(u'(')) {
            std::vector<int> commas;
            std::vector<geEditPtr> items = callArguments(commas);
            if (items.size() > 1) {
                const bool log = function.text.startsWith(u"log") || function.text == u"lg" ||
                                 function.text == u"ln";
                geTextFail(
                    function.text + QStringLiteral(" takes one argument"), commas.front(),
                    log ? QStringLiteral("for the logarithm of %1 to base %2 write ln(%1)/ln(%2)")
                              .arg(items[0]->string(), items[1]->string())
                        : QStringLiteral("write %1(u) with one argument u").arg(function.text));
            }
            return bracketedArgument(items.front());
        }
        if (!startsFactor() && !at(u'-') && !at(u'+'))
            geTextFail(QStringLiteral("missing argument of ") + function.text, function.column);
        geEditPtr node = signedPower();
        bool product = false;
        while (startsFactor() && peek().kind != Tok::Func) {
            node = geEditMul::mulWithLeft(node, power());
            product = true;
        }
        return product ? geEditParens::parensWithExpression(node) : node;
    }

    // A function name with what follows it: a power of the function ("sin^2 x" is
    // (sin x)^2, "sin^-1 x" is asin x), the two-argument forms root(x, n) and pow(a, b),
    // and the argument.
    geEditPtr function() {
        const Token f = take();
        if (f.text == u"root") return root(f);
        if (f.text == u"pow") return pow(f);
        geEditPtr exponent;
        if (at(u'^')) {
            ++pos_;
            exponent = unbracketed(signedPower());
        }
        if (exponent && isMinusOne(exponent)) {
            const QString inverse = inverseName(f.text);
            if (inverse.isEmpty())
                geTextFail(QStringLiteral("no inverse of ") + f.text, f.column,
                           QStringLiteral("only sin, cos and tan have one here (asin, acos, "
                                          "atan); write 1/%1(u) for the reciprocal")
                               .arg(f.text));
            return geEditFunc::funcWithExpression(argument(f), inverse);
        }
        geEditPtr node = applied(f.text, argument(f));
        return exponent ? geEditPow::powWithLeft(bracketedBase(node), exponent) : node;
    }

    // root(x, n): the last item is the index, the items before it the radicand.
    geEditPtr root(const Token &r) {
        const QString usage = QStringLiteral("write root(x, n) for the n-th root of x");
        if (!at(u'('))
            geTextFail(QStringLiteral("root needs a radicand and an index"), r.column, usage);
        std::vector<int> commas;
        std::vector<geEditPtr> items = callArguments(commas);
        if (items.size() < 2)
            geTextFail(QStringLiteral("root needs a radicand and an index"), r.column, usage);
        geEditPtr radicand = items.front();
        for (size_t k = 1; k + 1 < items.size(); ++k)
            radicand = geEditComma::commaWithLeft(radicand, items[k]);
        return geEditRoot::rootWithLeft(unbracketed(items.back()), radicand);
    }

    // pow(a, b) is a^b.
    geEditPtr pow(const Token &p) {
        const QString usage = QStringLiteral("write pow(a, b) or a^b");
        if (!at(u'(')) geTextFail(QStringLiteral("pow needs two arguments"), p.column, usage);
        std::vector<int> commas;
        std::vector<geEditPtr> items = callArguments(commas);
        if (items.size() != 2)
            geTextFail(QStringLiteral("pow needs two arguments"),
                       commas.size() > 1 ? commas[1] : p.column, usage);
        return geEditPow::powWithLeft(bracketedBase(items[0]), unbracketed(items[1]));
    }

    geEditPtr primary() {
        const Token &t = peek();
        switch (t.kind) {
            case Tok::Number: return number(take().text);
            case Tok::Var:
            case Tok::Pi: return geEditVar::varWithChar(take().text.at(0).unicode());
            case Tok::Fraction: {
                const QString text = take().text;
                return geEditDiv::divWithLeft(number(text.left(1)), number(text.mid(2)));
            }
            case Tok::Func: return function();
            case Tok::Op:
                if (at(u'(')) return group();
                if (at(u'?')) {
                    ++pos_;
                    return geEditEmpty::emptyExpression();
                }
                if (at(u'|')) return bars();
                unexpected();
            case Tok::End: unexpected();
        }
        unexpected();
    }

    // "|" list "|", the absolute value.
    geEditPtr bars() {
        Nesting level(*this);
        expect(u'|');
        ++barDepth_;
        geEditPtr content = list(false);
        --barDepth_;
        expect(u'|');
        return geEditFunc::funcWithExpression(bracketedArgument(content), QStringLiteral("abs"));
    }

    std::vector<Token> tokens_;
    const QString &text_;
    size_t pos_ = 0;
    int depth_ = 0;
    int barDepth_ = 0;  // open "|" bars whose closing bar ends an implicit product
};

}  // namespace

geTextParseResult geParseText(const QString &text) {
    geTextParseResult result;
    try {
        if (text.size() > geTextParserMaxLength)
            geTextFail(
                QStringLiteral("equation longer than %1 characters").arg(geTextParserMaxLength),
                geTextParserMaxLength + 1);
        geTextTokenizer tokenizer(text);
        std::vector<Token> tokens = tokenizer.run();
        Parser parser(std::move(tokens), tokenizer.normalized());
        geEditPtr root = geEdit::rootWithExpression(parser.equations());
        if (root->height() > geMaxTreeHeight)
            geTextFail(QStringLiteral("equation nested deeper than %1 levels").arg(geMaxTreeHeight),
                       1);
        result.root = std::move(root);
    } catch (const geTextParseError &e) {
        result.error = e.message;
        result.column = e.column;
    }
    return result;
}
