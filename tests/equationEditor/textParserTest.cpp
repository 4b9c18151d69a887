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
        // A function without brackets takes the side-by-side product after it, bracketed.
        {u"sin 2x", "sin(Parens(Mul(2, x)))"},
        {u"sin2πx + 1", "Add(sin(Parens(Mul(Mul(2, pi), x))), 1)"},
        {u"sin x cos x", "Mul(sin(x), cos(x))"},
        {u"sin x/2", "Div(sin(x), 2)"},
        {u"sin(x) x", "Mul(sin(x), x)"},
        {u"sqrt 2x", "Root(2, Mul(2, x))"},
        // Powers and inverses of functions.
        {u"sin^2 x", "Pow(sin(x), 2)"},
        {u"sin\u00B2(x + 1)", "Pow(sin(Parens(Add(x, 1))), 2)"},
        {u"sin^-1 x", "asin(x)"},
        {u"cos\u207B\u00B9(x)", "acos(x)"},
        {u"tan^(-1) 2x", "atan(Parens(Mul(2, x)))"},
    };
    for (const auto &[text, tree] : cases)
        EXPECT_EQ(parsed(text), tree) << QString::fromUtf16(text).toStdString();
}

TEST(TextParserTest, ReadsOtherProgramsNotations) {
    const std::pair<const char16_t *, const char *> cases[] = {
        {u"exp(x + 1)", "Pow(e, Add(x, 1))"},
        {u"arcsin x + arccos x + arctan x", "Add(Add(asin(x), acos(x)), atan(x))"},
        {u"log10(x) + lg x", "Add(log(x), log(x))"},
        {u"x**2", "Pow(x, 2)"},
        {u"pow(x + 1, 3)", "Pow(Parens(Add(x, 1)), 3)"},
        {u"cbrt(x) + \u221Bx + \u221Cx", "Add(Add(Root(3, x), Root(3, x)), Root(4, x))"},
        {u"sec x + csc x + cot x", "Add(Add(Div(1, cos(x)), Div(1, sin(x))), Div(1, tan(x)))"},
        {u"2\u22C5x \u2013 1 \u2014 x \u2012 2", "Sub(Sub(Sub(Mul(2, x), 1), x), 2)"},
        {u"10\u00B2\u00B3 + x\u207B\u00B9 + x\u2074",
         "Add(Add(Pow(10, 23), Pow(x, Neg(1))), Pow(x, 4))"},
        {u"\u00BD + \u2153 + \u00BC + \u00BEx",
         "Add(Add(Add(Div(1, 2), Div(1, 3)), Div(1, 4)), Mul(Div(3, 4), x))"},
        {u"x = cos t; y = sin t", "Comma(Equals(x, cos(t)), Equals(y, sin(t)))"},
        {u"f(x) = x^2", "Equals(y, Pow(x, 2))"},
        {u"g(x, y) = xy", "Equals(z, Mul(x, y))"},
        {u"x(t) = cos t, y(t) = sin t", "Comma(Equals(x, cos(t)), Equals(y, sin(t)))"},
        // Fullwidth and mathematical italic forms, invisible formatting.
        {u"\uFF59 \uFF1D \uFF12\U0001D465", "Equals(y, Mul(2, x))"},
        {u"\uFEFFx\u200B+\u00AD1\u200E", "Add(x, 1)"},
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

TEST(TextParserTest, RefusesWithTheColumnAndTheFix) {
    const std::tuple<const char16_t *, const char *, int> cases[] = {
        {u"1 000", "two numbers side by side at column 2: write 1000, or 1*000", 2},
        {u"2 3/4", "two numbers side by side at column 2: write 2+3/4 for a mixed number, or 2*3/4",
         2},
        {u"2\u00BD", "two numbers side by side at column 2: write 2+1/2, or 2*1/2", 2},
        {u"y = .", "a point with no digits at column 5: write 0.5 or 5. for a number", 5},
        {u"1e3e3",
         "a second exponent at column 4: a number takes one exponent, as in 1e6; write "
         "1e3*e^3 for a product with e",
         4},
        {u"0x1F", "hexadecimal number at column 1: write it in decimal, 31", 1},
        {u"6.02 x 10^23", "x between two numbers at column 6: write * for a product, 6.02*10^23",
         6},
        {u"y = 1,5x", "decimal comma at column 6: use a decimal point, 1.5", 6},
        {u"log(8, 2)",
         "log takes one argument at column 6: for the logarithm of 8 to base 2 write "
         "ln(8)/ln(2)",
         6},
        {u"sin(x, y)", "sin takes one argument at column 6: write sin(u) with one argument u", 6},
        {u"y = arcsinh x",
         "unknown function arcsinh at column 5: there is no asinh; write "
         "ln(u + sqrt(u^2 + 1)) for asinh(u)",
         5},
        {u"y = log2(x)",
         "unknown function log2 at column 5: write ln(u)/ln(2) for the logarithm "
         "of u to base 2",
         5},
        {u"y = floor(x)",
         "unknown function floor at column 5: the functions are sin, cos, tan, "
         "asin, acos, atan, sinh, cosh, tanh, exp, ln, log, sqrt, root, abs, erf "
         "and erfc",
         5},
        {u"y = sinh^-1 x",
         "no inverse of sinh at column 5: only sin, cos and tan have one here "
         "(asin, acos, atan); write 1/sinh(u) for the reciprocal",
         5},
        {u"x=cos t y=sin t", "missing comma before y at column 9: write x=cos t, y=sin t", 9},
        {u"y = x = 2",
         "a second = at column 7: an equation has one =; separate the parts of a "
         "parametric equation with commas",
         7},
        {u"pow(x)", "pow needs two arguments at column 1: write pow(a, b) or a^b", 1},
        {u"y = root(x)",
         "root needs a radicand and an index at column 5: write root(x, n) for the "
         "n-th root of x",
         5},
        // Columns count characters as given: a character outside the BMP is one, dropped
        // invisible characters count too.
        {u"\U0001D465 + #", "unexpected character # at column 5", 5},
        {u"x + \U0001F600", "unexpected character \U0001F600 at column 5", 5},
        {u"\u200Bx)", "unexpected ) at column 3", 3},
        {u"y = ab(x)",
         "unknown function ab at column 5: the functions are sin, cos, tan, asin, "
         "acos, atan, sinh, cosh, tanh, exp, ln, log, sqrt, root, abs, erf and erfc",
         5},
        {u"y = (x", "missing ) at column 7", 7},
        {u"y = |x", "missing | at column 7", 7},
        {u"y = x +", "missing operand at column 8", 8},
        {u"y = * 2", "unexpected * at column 5", 5},
        {u"y = sin", "missing argument of sin at column 5", 5},
        {u"y < < 2", "unexpected < at column 5", 5},
        {u"y < x < 2", "a second relation at column 7: write one comparison per inequality", 7},
        {u"y = 2\x1b", "unexpected character U+001B at column 6", 6},
        {u"y = 1.2.3", "unexpected . at column 8", 8},
        {u"1e999", "number out of range at column 1", 1},
        {u"1e309", "number out of range at column 1", 1},
        {u"  ", "empty equation at column 3", 3},
    };
    for (const auto &[text, message, column] : cases) {
        const auto r = geParseText(QString::fromUtf16(text));
        EXPECT_EQ(r.root, nullptr);
        EXPECT_EQ(r.error.toStdString(), message);
        EXPECT_EQ(r.column, column);
    }
}

TEST(TextParserTest, BoundsDeepButNotLongInput) {
    EXPECT_EQ(geParseText(QString(300, u'(') + u'x' + QString(300, u')')).error.toStdString(),
              "nested too deeply at column 301");
    EXPECT_EQ(geParseText(QString(geTextParserMaxLength + 1, u'x')).column,
              geTextParserMaxLength + 1);
    // A flat sum of 2,000 terms is long, not deep: its tree stays low and its text and
    // value are the sum's.
    QString sum = QStringLiteral("y = 1");
    for (int i = 1; i < 2000; ++i) sum += i % 2 ? QStringLiteral(" - 2x") : QStringLiteral(" + 3");
    const auto r = geParseText(sum);
    ASSERT_NE(r.root, nullptr) << r.error.toStdString();
    EXPECT_LT(r.root->height(), 40);
    QString written = sum;
    EXPECT_EQ(r.root->string(), written.replace(QStringLiteral("2x"), QStringLiteral("2 * x")));
    grExp *e = static_cast<const geEditBinaryOp &>(*r.root->top()).rightExp()->makeExp();
    grVariables at{};
    at.x = 0.5;
    double value = 0;
    ASSERT_EQ(grEvalExp(&at, e, &value), 0);
    grFreeExp(e);
    EXPECT_EQ(value, 1 + 999 * 3 - 1000 * 1.0);
}

// Numbers below the smallest double are 0 and read; above the largest they are refused.
TEST(TextParserTest, UnderflowIsZero) {
    for (const char16_t *text : {u"1e-400", u"0.5e-330", u"1e-99999"}) {
        const auto r = geParseText(QString::fromUtf16(text));
        ASSERT_NE(r.root, nullptr) << r.error.toStdString();
        EXPECT_EQ(r.root->calculateValue().value, 0.0) << QString::fromUtf16(text).toStdString();
    }
}

}  // namespace
}  // namespace editorTest
