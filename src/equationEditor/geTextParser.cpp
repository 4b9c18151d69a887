// Ordinary text to an editor tree: a tokenizer that splits runs of letters as the editor
// does, and a recursive descent over the precedence levels of geTextParser.h.
#include "equationEditor/geTextParser.h"

#include <optional>
#include <vector>

#include "equationEditor/geEditBinaryOp.h"
#include "equationEditor/geEditCompare.h"
#include "equationEditor/geEditLeaves.h"
#include "equationEditor/geEditUnaryOp.h"
#include "equationEditor/graphEquationEditorModel.h"

namespace {

// Brackets, bars, unary minus and exponents nested deeper than this are refused, so that
// the recursion stays far from the end of the stack.
constexpr int kMaxNesting = 600;

// Common function names that the editor lacks. A run of letters starting with one would
// otherwise be read as a product of letters, a silent wrong reading of "exp x".
constexpr const char16_t *kUnknownFunctions[] = {u"exp",    u"sec",    u"csc",   u"cot", u"sgn",
                                                 u"sign",   u"floor",  u"ceil",  u"max", u"min",
                                                 u"arcsin", u"arccos", u"arctan"};

struct ParseError {
    QString message;
    int column;
};

[[noreturn]] void fail(const QString &what, int column) {
    throw ParseError{what + QStringLiteral(" at column %1").arg(column), column};
}

enum class Tok { End, Number, Var, Func, Pi, Sqrt, Root, Op };

struct Token {
    Tok kind;
    QString text;  // the number's text, the variable's letter, the function's name, the operator
    int column;    // 1-based, of the token's first character
    bool is(char16_t op) const { return kind == Tok::Op && text.at(0) == op; }
};

// How a character reads on its own in an error message.
QString shown(QChar c) {
    if (c.isPrint() && !c.isSpace()) return QString(c);
    return QStringLiteral("U+%1").arg(c.unicode(), 4, 16, QChar(u'0')).toUpper();
}

// The name a run of letters spells, case ignored: a function of the editor's table,
// "sqrt", "pi" (or "π") or "root".
std::optional<Token> nameToken(const QString &letters, int column) {
    const QString lower = letters.toLower();
    if (lower == u"pi" || lower == QChar(gePiChar))
        return Token{Tok::Pi, QString(QChar(gePiChar)), column};
    if (lower == u"theta") return Token{Tok::Var, QString(QChar(geThetaChar)), column};
    if (lower == u"sqrt") return Token{Tok::Sqrt, lower, column};
    if (lower == u"root") return Token{Tok::Root, lower, column};
    if (geEditFunc::recognizesFunction(lower)) return Token{Tok::Func, lower, column};
    return std::nullopt;
}

// Digits, a decimal point and an exponent. The editor's numbers hold digits and one point,
// so an exponent is applied to the digits: "2.5E-4" becomes "0.00025".
QString decimalText(const QString &whole, const QString &fraction, int exponent) {
    QString digits = whole + fraction;
    int point = int(whole.size()) + exponent;
    QString text;
    if (point <= 0)
        text = QStringLiteral("0.") + QString(-point, u'0') + digits;
    else if (point >= digits.size())
        text = digits + QString(point - digits.size(), u'0');
    else
        text = digits.left(point) + u'.' + digits.mid(point);
    const qsizetype dot = text.indexOf(u'.');
    if (dot >= 0) {
        while (text.endsWith(u'0')) text.chop(1);
        if (text.endsWith(u'.')) text.chop(1);
    }
    qsizetype lead = 0;
    const qsizetype intEnd = dot >= 0 && dot < text.size() ? dot : text.size();
    while (lead + 1 < intEnd && text.at(lead) == u'0') ++lead;
    return text.mid(lead);
}

class Tokenizer {
public:
    explicit Tokenizer(const QString &text) : text_(text) {}

    std::vector<Token> run() {
        while (i_ < text_.size()) {
            const QChar c = text_.at(i_);
            if (c.isSpace())
                ++i_;
            else if (geIsDigit(c.unicode()) || c == u'.')
                number();
            else if (geIsLetter(c.unicode()))
                letters();
            else
                operatorChar(c);
        }
        tokens_.push_back(Token{Tok::End, QString(), column(text_.size())});
        return std::move(tokens_);
    }

private:
    static int column(qsizetype index) { return int(index) + 1; }

    void operatorChar(QChar c) {
        char16_t op = c.unicode();
        switch (op) {
            case u'\u00D7':
            case u'\u00B7':
            case u'\u2022':
            case u'\u2219': op = u'*'; break;
            case u'\u2212': op = u'-'; break;
            case u'\u00F7': op = u'/'; break;
            case u'\u221A':
                tokens_.push_back(Token{Tok::Sqrt, QStringLiteral("sqrt"), column(i_)});
                ++i_;
                return;
            case u'\u00B2':
            case u'\u00B3':  // x², x³
                tokens_.push_back(Token{Tok::Op, QStringLiteral("^"), column(i_)});
                tokens_.push_back(
                    Token{Tok::Number, QString(QChar(op == u'\u00B2' ? u'2' : u'3')), column(i_)});
                ++i_;
                return;
            case u'<':
            case u'>':  // "<=" and ">=" are one sign
                if (i_ + 1 < text_.size() && text_.at(i_ + 1) == u'=') {
                    tokens_.push_back(Token{
                        Tok::Op, QString(QChar(op == u'<' ? u'\u2264' : u'\u2265')), column(i_)});
                    i_ += 2;
                    return;
                }
                break;
            default: break;
        }
        if (!QStringView(u"+-*/^=,()|?<>\u2264\u2265").contains(QChar(op)))
            fail(QStringLiteral("unexpected character ") + shown(c), column(i_));
        tokens_.push_back(Token{Tok::Op, QString(QChar(op)), column(i_)});
        ++i_;
    }

    QString digitsAt() {
        const qsizetype start = i_;
        while (i_ < text_.size() && geIsDigit(text_.at(i_).unicode())) ++i_;
        return text_.mid(start, i_ - start);
    }

    // 12, 1.5, .5, 5., 1e3, 2.5E-4; "2e" and "2ex" are 2·e and 2·e·x.
    void number() {
        const qsizetype start = i_;
        const QString whole = digitsAt();
        QString fraction;
        if (i_ < text_.size() && text_.at(i_) == u'.') {
            ++i_;
            fraction = digitsAt();
        }
        // A lone point is how the editor writes a number whose digits were all deleted; next
        // to a letter ("x.y") it is no number.
        if (whole.isEmpty() && fraction.isEmpty() &&
            ((start > 0 && geIsLetter(text_.at(start - 1).unicode())) ||
             (i_ < text_.size() && geIsLetter(text_.at(i_).unicode()))))
            fail(QStringLiteral("unexpected ."), column(start));
        QString text = text_.mid(start, i_ - start);
        if (i_ < text_.size() && (text_.at(i_) == u'e' || text_.at(i_) == u'E')) {
            qsizetype m = i_ + 1;
            if (m < text_.size() && (text_.at(m) == u'+' || text_.at(m) == u'-')) ++m;
            if (m < text_.size() && geIsDigit(text_.at(m).unicode())) {
                const bool negative = text_.at(m - 1) == u'-';
                i_ = m;
                const QString digits = digitsAt();
                bool ok = false;
                const int exponent = digits.size() <= 4 ? digits.toInt(&ok) : 0;
                if (!ok || exponent > 400)
                    fail(QStringLiteral("number out of range"), column(start));
                text = decimalText(whole, fraction, negative ? -exponent : exponent);
            }
        }
        if (i_ < text_.size() && text_.at(i_) == u'.')
            fail(QStringLiteral("unexpected ."), column(i_));
        tokens_.push_back(Token{Tok::Number, text, column(start)});
    }

    // A run of letters, split as typing splits it: after each letter, the longest name that
    // ends there among the letters not yet taken (xsin: x, sin). A function name still
    // grows by a letter right after it (sin, h: sinh).
    void letters() {
        const qsizetype start = i_;
        while (i_ < text_.size() && geIsLetter(text_.at(i_).unicode())) ++i_;
        const QString run = text_.mid(start, i_ - start);
        for (const char16_t *unknown : kUnknownFunctions) {
            if (run.startsWith(QStringView(unknown), Qt::CaseInsensitive))
                fail(QStringLiteral("unknown function ") + run.left(QStringView(unknown).size()),
                     column(start));
        }
        qsizetype pending = start;  // the first letter not yet taken
        bool freshFunction = false;
        auto takeLetters = [&](qsizetype end) {
            for (qsizetype k = pending; k < end; ++k)
                tokens_.push_back(Token{Tok::Var, QString(text_.at(k)), column(k)});
        };
        for (qsizetype k = start; k < i_; ++k) {
            if (freshFunction && pending == k &&
                geEditFunc::recognizesFunction(tokens_.back().text + text_.at(k).toLower())) {
                tokens_.back().text += text_.at(k).toLower();
                pending = k + 1;
                continue;
            }
            freshFunction = false;
            for (qsizetype s = pending; s <= k; ++s) {
                const std::optional<Token> name = nameToken(text_.mid(s, k - s + 1), column(s));
                if (!name) continue;
                takeLetters(s);
                tokens_.push_back(*name);
                pending = k + 1;
                freshFunction = name->kind == Tok::Func;
                break;
            }
        }
        takeLetters(i_);
        // "ab(x)": letters that end in a plain letter are no function, and reading them as a
        // product would be a guess.
        qsizetype next = i_;
        while (next < text_.size() && text_.at(next).isSpace()) ++next;
        if (run.size() > 1 && tokens_.back().kind == Tok::Var && next < text_.size() &&
            text_.at(next) == u'(')
            fail(QStringLiteral("unknown function ") + run, column(start));
        // "log10(x)" would read as log(10)·x.
        qsizetype digits = i_;
        while (digits < text_.size() && geIsDigit(text_.at(digits).unicode())) ++digits;
        if (tokens_.back().kind == Tok::Func && digits > i_ && digits < text_.size() &&
            text_.at(digits) == u'(')
            fail(QStringLiteral("unknown function ") + text_.mid(start, digits - start),
                 column(start));
    }

    const QString &text_;
    qsizetype i_ = 0;
    std::vector<Token> tokens_;
};

class Parser {
public:
    explicit Parser(std::vector<Token> tokens) : tokens_(std::move(tokens)) {}

    geEditPtr equation() {
        if (peek().kind == Tok::End) fail(QStringLiteral("empty equation"), peek().column);
        geEditPtr top = list();
        if (peek().kind != Tok::End) unexpected();
        return top;
    }

private:
    const Token &peek() const { return tokens_[pos_]; }
    bool at(char16_t op) const { return peek().is(op); }
    Token take() { return tokens_[pos_++]; }
    [[noreturn]] void unexpected() const {
        if (peek().kind == Tok::End) fail(QStringLiteral("missing operand"), peek().column);
        fail(QStringLiteral("unexpected ") + peek().text, peek().column);
    }
    void expect(char16_t op) {
        if (!at(op)) fail(QStringLiteral("missing ") + QChar(op), peek().column);
        ++pos_;
    }

    // Counts one level of nesting for as long as it lives.
    struct Nesting {
        explicit Nesting(Parser &p) : parser(p) {
            if (++parser.depth_ > kMaxNesting)
                fail(QStringLiteral("nested too deeply"), parser.peek().column);
        }
        ~Nesting() { --parser.depth_; }
        Parser &parser;
    };

    // list := equality ("," equality)*
    geEditPtr list() {
        geEditPtr node = equality();
        while (at(u',')) {
            ++pos_;
            node = geEditComma::commaWithLeft(node, equality());
        }
        return node;
    }

    // equality := sum (("=" | "<" | ">" | "<=" | ">=") sum)*
    geEditPtr equality() {
        geEditPtr node = sum();
        for (;;) {
            if (at(u'=')) {
                ++pos_;
                node = geEditEquals::equalsWithLeft(node, sum());
            } else if (at(u'<') || at(u'>')) {
                const char16_t sign = take().text.at(0).unicode();
                node = geMakeComparisonNode(sign, node, sum());
            } else if (at(u'\u2264')) {
                ++pos_;
                node = geEditCompareLessEqual::compareLessEqualWithLeft(node, sum());
            } else if (at(u'\u2265')) {
                ++pos_;
                node = geEditCompareGreaterEqual::compareGreaterEqualWithLeft(node, sum());
            } else {
                return node;
            }
        }
    }

    // sum := product (("+" | "-") product)*
    geEditPtr sum() {
        geEditPtr node = product();
        while (at(u'+') || at(u'-')) {
            const bool add = take().is(u'+');
            geEditPtr right = product();
            node = add ? geEditAdd::addWithLeft(node, right) : geEditSub::subWithLeft(node, right);
        }
        return node;
    }

    // Whether the token can open an operand written right after another one: 3x, x(x+1).
    bool startsFactor() const {
        switch (peek().kind) {
            case Tok::Number:
            case Tok::Var:
            case Tok::Func:
            case Tok::Pi:
            case Tok::Sqrt:
            case Tok::Root: return true;
            case Tok::Op: return at(u'(') || at(u'?') || (at(u'|') && barDepth_ == 0);
            case Tok::End: return false;
        }
        return false;
    }

    // product := unary (("*" | implicit) unary)*
    geEditPtr product() {
        geEditPtr node = unary();
        for (;;) {
            if (at(u'*'))
                ++pos_;
            else if (!startsFactor())
                return node;
            node = geEditMul::mulWithLeft(node, unary());
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

    // The operand of a function written without brackets: one factor with its powers.
    geEditPtr operand(const Token &function) {
        if (!startsFactor() && !at(u'-') && !at(u'+') && !at(u'|'))
            fail(QStringLiteral("missing argument of ") + function.text, function.column);
        return signedPower();
    }

    // "(" list ")". A group that is a negation of its whole content is that negation
    // itself, since "(- x)" is the negation's own text form.
    geEditPtr group() {
        Nesting level(*this);
        expect(u'(');
        const bool minusFirst = at(u'-');
        const int bars = barDepth_;
        barDepth_ = 0;
        geEditPtr content = list();
        barDepth_ = bars;
        expect(u')');
        if (minusFirst && content->isKind(geEditKind::Negative)) return content;
        return geEditParens::parensWithExpression(content);
    }

    // A function's argument in call brackets, which its text form writes for a brackets
    // argument: an operator chain or a group keeps a brackets node, so that sin(x+1) is
    // shown with its brackets and sin((x)) reads back as written.
    geEditPtr callArgument() {
        geEditPtr content = unbracketed(group());
        return bracketedArgument(content);
    }

    static geEditPtr bracketedArgument(const geEditPtr &content) {
        if (geIsBasicBinaryOp(content->kind()) || content->isKind(geEditKind::Parens))
            return geEditParens::parensWithExpression(content);
        return content;
    }

    static geEditPtr unbracketed(const geEditPtr &node) {
        if (!node->isKind(geEditKind::Parens)) return node;
        return static_cast<geEditParens &>(*node).child();
    }

    geEditPtr primary() {
        const Token &t = peek();
        switch (t.kind) {
            case Tok::Number: return geEditNum::numWithString(take().text);
            case Tok::Var:
            case Tok::Pi: return geEditVar::varWithChar(take().text.at(0).unicode());
            case Tok::Func: {
                const Token f = take();
                return geEditFunc::funcWithExpression(at(u'(') ? callArgument() : operand(f),
                                                      f.text);
            }
            case Tok::Sqrt: {
                const Token f = take();
                geEditPtr radicand = at(u'(') ? unbracketed(group()) : operand(f);
                return geEditRoot::rootWithLeft(geEditNum::numWithString(QStringLiteral("2")),
                                                radicand);
            }
            case Tok::Root: return root();
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
        geEditPtr content = list();
        --barDepth_;
        expect(u'|');
        return geEditFunc::funcWithExpression(bracketedArgument(content), QStringLiteral("abs"));
    }

    // root(x, n): the last item of the list is the index, the items before it the radicand.
    geEditPtr root() {
        Nesting level(*this);
        const Token r = take();
        if (!at(u'('))
            fail(QStringLiteral("root needs a radicand and an index, root(x, n),"), r.column);
        geEditPtr content = unbracketed(group());
        if (!content->isKind(geEditKind::Comma))
            fail(QStringLiteral("root needs a radicand and an index, root(x, n),"), r.column);
        auto &comma = static_cast<geEditComma &>(*content);
        geEditPtr radicand = comma.leftExp();
        geEditPtr index = comma.rightExp();
        return geEditRoot::rootWithLeft(unbracketed(index), radicand);
    }

    std::vector<Token> tokens_;
    size_t pos_ = 0;
    int depth_ = 0;
    int barDepth_ = 0;  // open "|" bars whose closing bar ends an implicit product
};

}  // namespace

geTextParseResult geParseText(const QString &text) {
    geTextParseResult result;
    try {
        if (text.size() > geTextParserMaxLength)
            fail(QStringLiteral("equation longer than %1 characters").arg(geTextParserMaxLength),
                 geTextParserMaxLength + 1);
        Parser parser(Tokenizer(text).run());
        geEditPtr root = geEdit::rootWithExpression(parser.equation());
        if (root->height() > geMaxTreeHeight)
            fail(QStringLiteral("equation nested deeper than %1 levels").arg(geMaxTreeHeight), 1);
        result.root = std::move(root);
    } catch (const ParseError &e) {
        result.error = e.message;
        result.column = e.column;
    }
    return result;
}
