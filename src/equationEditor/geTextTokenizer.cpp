// Normalising and cutting formula text into tokens. Everything that can be refused by
// looking at a few characters is refused here, with the fix in the message: numbers side
// by side, decimal commas, hexadecimal numbers, a second exponent, an "x" used as a
// times sign, unknown function names.
#include "equationEditor/geTextTokenizer.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <optional>

#include "engine/slNumberText.h"
#include "equationEditor/geEdit.h"
#include "equationEditor/geEditUnaryOp.h"

namespace {

// Function names beyond the editor's table, read as the tree they mean.
constexpr const char16_t *kReaderFunctions[] = {
    u"sqrt",   u"root",   u"pow", u"exp", u"cbrt", u"lg",   u"log10", u"arcsin",
    u"arccos", u"arctan", u"sec", u"csc", u"cot",  u"sech", u"csch",  u"coth"};

// Names of functions that do not exist here. A run of letters starting with one is
// refused: reading "floor x" as f·l·o·o·r·x would be a silent wrong reading.
struct MissingFunction {
    const char16_t *name;
    const char16_t *advice;
};
constexpr MissingFunction kMissingFunctions[] = {
    {u"arcsinh", u"there is no asinh; write ln(u + sqrt(u^2 + 1)) for asinh(u)"},
    {u"arsinh", u"there is no asinh; write ln(u + sqrt(u^2 + 1)) for asinh(u)"},
    {u"asinh", u"there is no asinh; write ln(u + sqrt(u^2 + 1)) for asinh(u)"},
    {u"arccosh", u"there is no acosh; write ln(u + sqrt(u^2 - 1)) for acosh(u)"},
    {u"arcosh", u"there is no acosh; write ln(u + sqrt(u^2 - 1)) for acosh(u)"},
    {u"acosh", u"there is no acosh; write ln(u + sqrt(u^2 - 1)) for acosh(u)"},
    {u"arctanh", u"there is no atanh; write ln((1 + u)/(1 - u))/2 for atanh(u)"},
    {u"artanh", u"there is no atanh; write ln((1 + u)/(1 - u))/2 for atanh(u)"},
    {u"atanh", u"there is no atanh; write ln((1 + u)/(1 - u))/2 for atanh(u)"},
    {u"arcsec", u"write acos(1/u) for arcsec(u)"},
    {u"arccsc", u"write asin(1/u) for arccsc(u)"},
    {u"arccot", u"write atan(1/u) for arccot(u)"},
    {u"sign", u"write u/abs(u) for the sign of u"},
    {u"sgn", u"write u/abs(u) for the sign of u"},
    {u"floor", nullptr},
    {u"ceil", nullptr},
    {u"round", nullptr},
    {u"max", nullptr},
    {u"min", nullptr},
};

// The longest name a run of letters is searched for ("arccos").
constexpr qsizetype kLongestName = 6;

constexpr const char16_t *kFunctionList =
    u"the functions are sin, cos, tan, asin, acos, atan, sinh, cosh, tanh, exp, ln, log, sqrt, "
    u"root, abs, erf and erfc";

// Zero-width spaces and joiners, direction marks and embeddings, word joiners, the soft
// hyphen and the byte order mark: formatting that pasted text carries and nobody reads.
bool invisible(char32_t c) {
    return c == 0x00AD || c == 0x180E || (c >= 0x200B && c <= 0x200F) ||
           (c >= 0x202A && c <= 0x202E) || (c >= 0x2060 && c <= 0x2064) ||
           (c >= 0x2066 && c <= 0x2069) || c == 0xFEFF;
}

// Superscript digits and signs, which compatibility folding would turn into plain ones.
int superscriptDigit(char16_t c) {
    switch (c) {
        case u'\u2070': return 0;
        case u'\u00B9': return 1;
        case u'\u00B2': return 2;
        case u'\u00B3': return 3;
        default: return c >= u'\u2074' && c <= u'\u2079' ? c - u'\u2070' : -1;
    }
}
bool isSuperscript(char16_t c) {
    return superscriptDigit(c) >= 0 || c == u'\u207A' || c == u'\u207B';
}

const char16_t *vulgarFraction(char16_t c) {
    switch (c) {
        case u'\u00BD': return u"1/2";
        case u'\u2153': return u"1/3";
        case u'\u00BC': return u"1/4";
        case u'\u00BE': return u"3/4";
        default: return nullptr;
    }
}

bool keptAsWritten(char32_t c) {
    return c < 0x10000 && (isSuperscript(char16_t(c)) || vulgarFraction(char16_t(c)));
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

bool isNumberToken(const geTextToken &t) {
    return t.kind == geTextTok::Number || t.kind == geTextTok::Fraction;
}

}  // namespace

void geTextFail(const QString &what, int column, const QString &advice) {
    QString message = what + QStringLiteral(" at column %1").arg(column);
    if (!advice.isEmpty()) message += QStringLiteral(": ") + advice;
    throw geTextParseError{message, column};
}

bool geTextIsFunctionName(const QString &name) {
    if (geEditFunc::recognizesFunction(name)) return true;
    for (const char16_t *f : kReaderFunctions)
        if (name == QStringView(f)) return true;
    return false;
}

// Each character of the text is folded on its own (NFKC), so that every unit of the
// normalised text knows the column of the character it came from. Columns count
// characters, a pair of surrogates being one.
geTextTokenizer::geTextTokenizer(const QString &text) : original_(text) {
    int column = 0;
    for (qsizetype k = 0; k < text.size();) {
        char32_t c = text.at(k).unicode();
        qsizetype units = 1;
        if (QChar::isHighSurrogate(c) && k + 1 < text.size() &&
            QChar::isLowSurrogate(text.at(k + 1).unicode())) {
            c = QChar::surrogateToUcs4(text.at(k), text.at(k + 1));
            units = 2;
        }
        QString piece = text.mid(k, units);
        k += units;
        ++column;
        if (invisible(c)) continue;
        if (!keptAsWritten(c)) piece = piece.normalized(QString::NormalizationForm_KC);
        for (const QChar unit : piece) {
            text_ += unit;
            columns_.push_back(column);
        }
    }
    columns_.push_back(column + 1);
}

std::vector<geTextToken> geTextTokenizer::run() {
    while (i_ < text_.size()) {
        const QChar c = text_.at(i_);
        if (c.isSpace())
            ++i_;
        else if (geIsDigit(c.unicode()) || c == u'.')
            number();
        else if (geIsLetter(c.unicode()))
            letters();
        else if (isSuperscript(c.unicode()))
            superscripts();
        else
            operatorChar();
    }
    push(geTextTok::End, QString(), text_.size(), text_.size());
    return std::move(tokens_);
}

void geTextTokenizer::push(geTextTok kind, const QString &text, qsizetype start, qsizetype end) {
    geTextToken t{kind, text, column(start), start, end};
    t.spaceBefore = start > 0 && text_.at(start - 1).isSpace();
    tokens_.push_back(std::move(t));
}

bool geTextTokenizer::insideCallBrackets() const {
    return !callBrackets_.empty() && callBrackets_.back();
}

void geTextTokenizer::operatorChar() {
    const qsizetype start = i_;
    char16_t op = text_.at(i_).unicode();
    switch (op) {
        case u'\u00D7':
        case u'\u00B7':
        case u'\u2022':
        case u'\u2219':
        case u'\u22C5':
        case u'\u2217': op = u'*'; break;
        case u'\u2212':
        case u'\u2012':
        case u'\u2013':
        case u'\u2014': op = u'-'; break;
        case u'\u00F7': op = u'/'; break;
        case u';': op = u','; break;
        default: break;
    }
    const char16_t *root = op == u'\u221A'   ? u"sqrt"
                           : op == u'\u221B' ? u"cbrt"
                           : op == u'\u221C' ? u"root4"
                                             : nullptr;
    if (root) {
        push(geTextTok::Func, QString::fromUtf16(root), start, ++i_);
        return;
    }
    if (const char16_t *fraction = vulgarFraction(op)) {
        checkNumberSideBySide(start);
        push(geTextTok::Fraction, QString::fromUtf16(fraction), start, ++i_);
        return;
    }
    if (op == u'*' && i_ + 1 < text_.size() && text_.at(i_ + 1) == u'*') {  // x**2
        push(geTextTok::Op, QStringLiteral("^"), start, i_ += 2);
        return;
    }
    if ((op == u'<' || op == u'>') && i_ + 1 < text_.size() && text_.at(i_ + 1) == u'=') {
        push(geTextTok::Op, QString(QChar(op == u'<' ? u'\u2264' : u'\u2265')), start, i_ += 2);
        return;
    }
    if (!QStringView(u"+-*/^=,()|?<>\u2264\u2265").contains(QChar(op))) {
        const qsizetype units = QChar::isHighSurrogate(op) && i_ + 1 < text_.size() ? 2 : 1;
        const QString shown = text_.at(i_).isPrint() || units == 2
                                  ? text_.mid(i_, units)
                                  : QStringLiteral("U+%1").arg(op, 4, 16, QChar(u'0')).toUpper();
        geTextFail(QStringLiteral("unexpected character ") + shown, column(i_));
    }
    if (op == u'(')
        callBrackets_.push_back(!tokens_.empty() && tokens_.back().kind == geTextTok::Func);
    if (op == u')' && !callBrackets_.empty()) callBrackets_.pop_back();
    push(geTextTok::Op, QString(QChar(op)), start, ++i_);
}

// x², 10²³, x⁻¹: one exponent, its sign and its digits.
void geTextTokenizer::superscripts() {
    const qsizetype start = i_;
    push(geTextTok::Op, QStringLiteral("^"), start, start);
    while (i_ < text_.size() && (text_.at(i_) == u'\u207A' || text_.at(i_) == u'\u207B')) {
        push(geTextTok::Op, text_.at(i_) == u'\u207A' ? QStringLiteral("+") : QStringLiteral("-"),
             i_, i_ + 1);
        ++i_;
    }
    QString digits;
    const qsizetype digitsStart = i_;
    while (i_ < text_.size() && superscriptDigit(text_.at(i_).unicode()) >= 0)
        digits += QChar(u'0' + superscriptDigit(text_.at(i_++).unicode()));
    if (!digits.isEmpty()) push(geTextTok::Number, decimalText(digits, {}, 0), digitsStart, i_);
}

QString geTextTokenizer::digitsAt() {
    const qsizetype start = i_;
    while (i_ < text_.size() && geIsDigit(text_.at(i_).unicode())) ++i_;
    return text_.mid(start, i_ - start);
}

// Two numbers with only blank space between them are one number written with a thousands
// separator, a mixed number or two factors; which one is a guess.
void geTextTokenizer::checkNumberSideBySide(qsizetype start) {
    if (tokens_.empty() || !isNumberToken(tokens_.back())) return;
    // The power of a function ends at its number: "sin^2 2x", "sin^-1 2x".
    size_t k = tokens_.size() - 1;
    if (k >= 1 && tokens_[k - 1].is(u'^')) {
        --k;
        if (k >= 1 && (tokens_[k - 1].is(u'-') || tokens_[k - 1].is(u'+'))) --k;
        if (k >= 1 && tokens_[k - 1].kind == geTextTok::Func) return;
    }
    const geTextToken &before = tokens_.back();
    const QString a = before.kind == geTextTok::Fraction
                          ? before.text
                          : text_.mid(before.start, before.end - before.start);
    qsizetype end = start;
    QString b;
    if (const char16_t *fraction = vulgarFraction(text_.at(start).unicode())) {
        b = QString::fromUtf16(fraction);
        ++end;
    } else {
        while (end < text_.size() && (text_.at(end).isDigit() || text_.at(end) == u'.')) ++end;
        b = text_.mid(start, end - start);
    }
    QString advice;
    if (end < text_.size() && text_.at(end) == u'/') {
        qsizetype d = end + 1;
        while (d < text_.size() && text_.at(d).isDigit()) ++d;
        const QString over = text_.mid(end, d - end);
        advice = QStringLiteral("write %1+%2%3 for a mixed number, or %1*%2%3").arg(a, b, over);
    } else if (before.kind == geTextTok::Fraction || b.contains(u'/')) {
        advice = QStringLiteral("write %1+%2, or %1*%2").arg(a, b);
    } else {
        advice = QStringLiteral("write %1%2, or %1*%2").arg(a, b);
    }
    geTextFail(QStringLiteral("two numbers side by side"),
               column(before.end < start ? before.end : start), advice);
}

// 12, 1.5, .5, 5., 1e3, 2.5E-4; "2e" and "2ex" are 2·e and 2·e·x.
void geTextTokenizer::number() {
    const qsizetype start = i_;
    checkNumberSideBySide(start);
    const QString whole = digitsAt();
    QString fraction;
    bool point = false;
    if (i_ < text_.size() && text_.at(i_) == u'.') {
        ++i_;
        point = true;
        fraction = digitsAt();
    }
    if (whole.isEmpty() && fraction.isEmpty())
        geTextFail(QStringLiteral("a point with no digits"), column(start),
                   QStringLiteral("write 0.5 or 5. for a number"));
    QString text = text_.mid(start, i_ - start);
    auto exponentAt = [&](qsizetype m) -> qsizetype {  // index of the exponent's digits, or -1
        if (m >= text_.size() || (text_.at(m) != u'e' && text_.at(m) != u'E')) return -1;
        ++m;
        if (m < text_.size() && (text_.at(m) == u'+' || text_.at(m) == u'-')) ++m;
        return m < text_.size() && geIsDigit(text_.at(m).unicode()) ? m : -1;
    };
    bool hasExponent = false;
    if (const qsizetype m = exponentAt(i_); m >= 0) {
        hasExponent = true;
        const bool negative = text_.at(m - 1) == u'-';
        i_ = m;
        const QString digits = digitsAt();
        bool ok = false;
        const int exponent = digits.size() <= 4 ? digits.toInt(&ok) : 99999;
        if (!negative && (!ok || exponent > 400))
            geTextFail(QStringLiteral("number out of range"), column(start));
        // Below the smallest double a number is 0, as the number reader reads it.
        text = negative && exponent > 400
                   ? QStringLiteral("0")
                   : decimalText(whole, fraction, negative ? -exponent : exponent);
        if (exponentAt(i_) >= 0)
            geTextFail(QStringLiteral("a second exponent"), column(i_),
                       QStringLiteral("a number takes one exponent, as in 1e6; write 1e3*e^3 for "
                                      "a product with e"));
    }
    if (!hasExponent && !point && whole == u"0" && i_ + 1 < text_.size() &&
        (text_.at(i_) == u'x' || text_.at(i_) == u'X') && isxdigit(text_.at(i_ + 1).toLatin1())) {
        qsizetype h = i_ + 1;
        while (h < text_.size() && text_.at(h).toLatin1() && isxdigit(text_.at(h).toLatin1())) ++h;
        bool ok = false;
        const qulonglong value = text_.mid(i_ + 1, h - i_ - 1).toULongLong(&ok, 16);
        geTextFail(QStringLiteral("hexadecimal number"), column(start),
                   ok ? QStringLiteral("write it in decimal, %1").arg(value)
                      : QStringLiteral("write it in decimal"));
    }
    if (i_ < text_.size() && text_.at(i_) == u'.')
        geTextFail(QStringLiteral("unexpected ."), column(i_));
    if (i_ + 1 < text_.size() && text_.at(i_) == u',' && geIsDigit(text_.at(i_ + 1).unicode()) &&
        !insideCallBrackets()) {
        qsizetype d = i_ + 1;
        while (d < text_.size() && geIsDigit(text_.at(d).unicode())) ++d;
        geTextFail(QStringLiteral("decimal comma"), column(i_),
                   QStringLiteral("use a decimal point, %1.%2")
                       .arg(text_.mid(start, i_ - start), text_.mid(i_ + 1, d - i_ - 1)));
    }
    if (std::isinf(slReadNumber(text.toStdString())))
        geTextFail(QStringLiteral("number out of range"), column(start));
    push(geTextTok::Number, text, start, i_);
}

void geTextTokenizer::refuseUnknownName(const QString &run, qsizetype start) {
    const QString lower = run.toLower();
    for (const MissingFunction &m : kMissingFunctions) {
        if (!lower.startsWith(QStringView(m.name))) continue;
        const QString name = run.left(QStringView(m.name).size());
        geTextFail(QStringLiteral("unknown function ") + name, column(start),
                   m.advice ? QString::fromUtf16(m.advice) : QString::fromUtf16(kFunctionList));
    }
}

// "log10(x)" is the logarithm to base 10; "log2(x)" would read as log(2)·x.
void geTextTokenizer::functionDigits(qsizetype start) {
    if (tokens_.back().kind != geTextTok::Func || tokens_.back().text != u"log") return;
    qsizetype d = i_;
    while (d < text_.size() && geIsDigit(text_.at(d).unicode())) ++d;
    qsizetype next = d;
    while (next < text_.size() && text_.at(next).isSpace()) ++next;
    if (d == i_ || next >= text_.size() || text_.at(next) != u'(') return;
    const QString base = text_.mid(i_, d - i_);
    if (base == u"10") {
        tokens_.back().text = QStringLiteral("log10");
        tokens_.back().end = i_ = d;
        return;
    }
    geTextFail(QStringLiteral("unknown function ") + text_.mid(start, d - start), column(start),
               QStringLiteral("write ln(u)/ln(%1) for the logarithm of u to base %1").arg(base));
}

// A run of letters, split as typing splits it: after each letter, the longest name that
// ends there among the letters not yet taken (xsin: x, sin). A function name still
// grows by a letter right after it (sin, h: sinh).
void geTextTokenizer::letters() {
    const qsizetype start = i_;
    while (i_ < text_.size() && geIsLetter(text_.at(i_).unicode())) ++i_;
    const QString run = text_.mid(start, i_ - start);
    refuseUnknownName(run, start);
    // 6.02 x 10^23: an x between two numbers is a times sign, not the variable.
    qsizetype next = i_;
    while (next < text_.size() && text_.at(next).isSpace()) ++next;
    if ((run == u"x" || run == u"X") && !tokens_.empty() &&
        tokens_.back().kind == geTextTok::Number && next < text_.size() &&
        (geIsDigit(text_.at(next).unicode()) || text_.at(next) == u'.')) {
        const QString written = text_.left(start).trimmed() + u'*' + text_.mid(i_).trimmed();
        geTextFail(QStringLiteral("x between two numbers"), column(start),
                   written.size() <= 40 ? QStringLiteral("write * for a product, %1").arg(written)
                                        : QStringLiteral("write * for a product"));
    }
    qsizetype pending = start;  // the first letter not yet taken
    bool freshFunction = false;
    auto takeLetters = [&](qsizetype end) {
        for (qsizetype k = pending; k < end; ++k)
            push(geTextTok::Var, QString(text_.at(k)), k, k + 1);
    };
    for (qsizetype k = start; k < i_; ++k) {
        if (freshFunction && pending == k &&
            geTextIsFunctionName(tokens_.back().text + text_.at(k).toLower())) {
            tokens_.back().text += text_.at(k).toLower();
            tokens_.back().end = k + 1;
            pending = k + 1;
            continue;
        }
        freshFunction = false;
        for (qsizetype s = std::max(pending, k + 1 - kLongestName); s <= k; ++s) {
            const QString lower = text_.mid(s, k - s + 1).toLower();
            std::optional<geTextTok> kind;
            QString name = lower;
            if (lower == u"pi" || lower == QChar(gePiChar)) {
                kind = geTextTok::Pi;
                name = QString(QChar(gePiChar));
            } else if (lower == u"theta") {
                kind = geTextTok::Var;
                name = QString(QChar(geThetaChar));
            } else if (geTextIsFunctionName(lower)) {
                kind = geTextTok::Func;
            }
            if (!kind) continue;
            takeLetters(s);
            push(*kind, name, s, k + 1);
            pending = k + 1;
            freshFunction = *kind == geTextTok::Func;
            break;
        }
    }
    takeLetters(i_);
    // "ab(x)": letters that end in a plain letter are no function, and reading them as a
    // product would be a guess.
    if (run.size() > 1 && tokens_.back().kind == geTextTok::Var && next < text_.size() &&
        text_.at(next) == u'(')
        geTextFail(QStringLiteral("unknown function ") + run, column(start),
                   QString::fromUtf16(kFunctionList));
    functionDigits(start);
}
