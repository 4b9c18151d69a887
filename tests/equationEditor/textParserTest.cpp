// Text read into editor trees: the trees built, pairs that must mean the same, and errors
// with their columns.
#include "editorTestSupport.h"
#include "equationEditor/geTextParser.h"

namespace editorTest {
namespace {

std::string parsed(const char16_t *text) {
    const auto r = geParseText(QString::fromUtf16(text));
    if (!r.root) return "error: " + r.error.toStdString();
    EXPECT_EQ(checkLinks(r.root.get()), "");
    return picture(r.root.get());
}

std::string meaning(const char16_t *text) {
    const auto r = geParseText(QString::fromUtf16(text));
    if (!r.root) return "error: " + r.error.toStdString();
    grExp *e = r.root->makeExp();
    std::string p = expPicture(e);
    grFreeExp(e);
    return p;
}

TEST(TextParserTest, BuildsTheEditorTree) {
    const std::pair<const char16_t *, const char *> cases[] = {
        {u"y = x^2/8 - 3", "Equals(y, Sub(Div(Pow(x, 2), 8), 3))"},
        {u"y=3x^2+2x+1", "Equals(y, Add(Add(Mul(3, Pow(x, 2)), Mul(2, x)), 1))"},
        {u"-x^2", "Neg(Pow(x, 2))"},
        {u"(-3)^2", "Pow(Neg(3), 2)"},
        {u"e^(-x^2/2)", "Pow(e, Neg(Div(Pow(x, 2), 2)))"},
        {u"(x+1)(x-1)", "Mul(Parens(Add(x, 1)), Parens(Sub(x, 1)))"},
        {u"2 sin(x) cos x", "Mul(Mul(2, sin(x)), cos(x))"},
        {u"sin(x+1)", "sin(Parens(Add(x, 1)))"},
        {u"sinx + sinhx + asin x", "Add(Add(sin(x), sinh(x)), asin(x))"},
        {u"SIN x^2", "sin(Pow(x, 2))"},
        {u"xsin t", "Mul(x, sin(t))"},
        {u"2pi + π ab", "Add(Mul(2, pi), Mul(Mul(pi, a), b))"},
        {u"sqrt(x) + sqrt 2 + root(x, 3)", "Add(Add(Root(2, x), Root(2, 2)), Root(3, x))"},
        {u"|x - 1| + abs(x)|y|", "Add(abs(Parens(Sub(x, 1))), Mul(abs(x), abs(y)))"},
        {u"x = cos t, y = sin t", "Comma(Equals(x, cos(t)), Equals(y, sin(t)))"},
        {u"1e3 + 2.5E-4 + .5 + 5. + 1.5e+2", "Add(Add(Add(Add(1000, 0.00025), 0.5), 5.), 150)"},
        {u"2e + 2ex", "Add(Mul(2, e), Mul(Mul(2, e), x))"},
        {u"? + 1", "Add(?, 1)"},
        {u"2 \u00D7 3 \u2212 4 \u00F7 5 + x\u00B2", "Add(Sub(Mul(2, 3), Div(4, 5)), Pow(x, 2))"},
    };
    for (const auto &[text, tree] : cases)
        EXPECT_EQ(parsed(text), tree) << QString::fromUtf16(text).toStdString();
}

// Each row: two texts that must convert to the same expression, the second bracketed as
// the first is meant.
TEST(TextParserTest, PrecedenceAndAssociativity) {
    const std::pair<const char16_t *, const char16_t *> pairs[] = {
        {u"2^3^4", u"2^(3^4)"},
        {u"-x^2", u"-(x^2)"},
        {u"2^-x^2", u"2^(-(x^2))"},
        {u"a/b/c", u"(a/b)/c"},
        {u"1/2x", u"(1/2)x"},
        {u"a - b + c", u"(a - b) + c"},
        {u"x^2/8 - 3", u"((x^2)/8) - 3"},
        {u"2x^2", u"2(x^2)"},
        {u"sin x^2", u"sin(x^2)"},
        {u"sin(x)^2", u"(sin(x))^2"},
        {u"a, b = c + d e", u"a, (b = (c + (d e)))"},
        {u"a/-b", u"a/(-b)"},
        {u"-a/b", u"-(a/b)"},
        {u"-2x", u"(-2)x"},
    };
    for (const auto &[text, bracketed] : pairs) {
        EXPECT_EQ(meaning(text), meaning(bracketed)) << QString::fromUtf16(text).toStdString();
        EXPECT_NE(meaning(text).substr(0, 6), "error:") << QString::fromUtf16(text).toStdString();
    }
    EXPECT_NE(meaning(u"2^3^4"), meaning(u"(2^3)^4"));
    EXPECT_NE(meaning(u"-x^2"), meaning(u"(-x)^2"));
}

TEST(TextParserTest, RefusesWithTheColumn) {
    const std::tuple<const char16_t *, const char *, int> cases[] = {
        {u"y = exp(x)", "unknown function exp at column 5", 5},
        {u"y = Exp x", "unknown function Exp at column 5", 5},
        {u"y = ab(x)", "unknown function ab at column 5", 5},
        {u"y = log10(x)", "unknown function log10 at column 5", 5},
        {u"y = (x", "missing ) at column 7", 7},
        {u"y = |x", "missing | at column 7", 7},
        {u"y = x)", "unexpected ) at column 6", 6},
        {u"y = x +", "missing operand at column 8", 8},
        {u"y = * 2", "unexpected * at column 5", 5},
        {u"y = sin", "missing argument of sin at column 5", 5},
        {u"y = root(x)", "root needs a radicand and an index, root(x, n), at column 5", 5},
        {u"y = x < < 2", "unexpected < at column 9", 9},
        {u"y = 2 # 3", "unexpected character # at column 7", 7},
        {u"y = 2\x1b", "unexpected character U+001B at column 6", 6},
        {u"y = 1.2.3", "unexpected . at column 8", 8},
        {u"1e999", "number out of range at column 1", 1},
        {u"  ", "empty equation at column 3", 3},
    };
    for (const auto &[text, message, column] : cases) {
        const auto r = geParseText(QString::fromUtf16(text));
        EXPECT_EQ(r.root, nullptr);
        EXPECT_EQ(r.error.toStdString(), message);
        EXPECT_EQ(r.column, column);
    }
}

TEST(TextParserTest, BoundsDeepAndLongInput) {
    EXPECT_EQ(geParseText(QString(300, u'(') + u'x' + QString(300, u')')).error.toStdString(),
              "nested too deeply at column 301");
    EXPECT_EQ(geParseText(QString(geTextParserMaxLength + 1, u'x')).column,
              geTextParserMaxLength + 1);
}

}  // namespace
}  // namespace editorTest
