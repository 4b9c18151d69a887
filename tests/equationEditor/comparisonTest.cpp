// Comparisons typed with "<" and ">", "=" after them, θ typed as theta, r = f(θ), and the
// same equations read as text.
#include "editorTestSupport.h"
#include "equationEditor/geEditCompare.h"
#include "equationEditor/geTextParser.h"

namespace editorTest {
namespace {

using ComparisonTest = EditorTest;

// Each row: keys, the text form, and the conversion at the level of "=".
TEST_F(ComparisonTest, KeysBuildComparisonsThatJoinTheirSides) {
    const struct {
        const char *name;
        std::u16string keys;
        const char *text;
        const char *exp;
    } rows[] = {
        {"less than", u"y<x^2", "y < x^2", "Less(y, Pow(x, 2))"},
        {"greater than", u"y>x", "y > x", "Greater(y, x)"},
        {"= right after < makes <=", u"y<=sinx", "y <= sin(x)", "LessEqual(y, sin(x))"},
        {"= right after > makes >=", u"x>=y^2", "x >= y^2", "GreaterEqual(x, Pow(y, 2))"},
        {"sums on both sides bind tighter", u"x+1<2y-3", "x + 1 < 2 * y - 3",
         "Less(Add(x, 1), Sub(Mul(2, y), 3))"},
        {"a product's boundary", u"xy>1", "x * y > 1", "Greater(Mul(x, y), 1)"},
        {"= after a filled right side is an equation", u"y<x=", "(y < x) = ?",
         "Equals(Less(y, x), null)"},
        {"theta typed as letters", u"r=theta/10", "r = theta/10", "Equals(r, Div(theta, 10))"},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        clear();
        type(row.keys);
        EXPECT_EQ(model.equation()->string().toStdString(), row.text);
        EXPECT_EQ(exp(), row.exp);
        EXPECT_EQ(checkLinks(model.equation().get()), "");
    }
}

// The older comparison nodes keep joining nothing: only their left side converts.
TEST_F(ComparisonTest, OlderNodesKeepTheirMeaning) {
    EXPECT_EQ(converted(geEditLessThan::lessThanWithLeft(build("y"), build("x"))), "y");
    EXPECT_EQ(converted(geEditCompareLess::compareLessWithLeft(build("y"), build("x"))),
              "Less(y, x)");
}

// The text parser builds the same nodes; their text forms read back to themselves.
TEST(ComparisonTextTest, ComparisonsAndThetaReadAsTyped) {
    const std::pair<const char16_t *, const char *> rows[] = {
        {u"y < x^2", "y < x^2"},
        {u"y>=sin x", "y >= sin(x)"},
        {u"x^2 + y^2 \u2264 9", "x^2 + y^2 <= 9"},
        {u"x y \u2265 1", "x * y >= 1"},
        {u"r = sin(4\u03B8)", "r = sin(4 * theta)"},
        {u"r = theta/10", "r = theta/10"},
        {u"r = 1 + cos theta", "r = 1 + cos(theta)"},
    };
    for (const auto &[text, form] : rows) {
        const geTextParseResult first = geParseText(QString::fromUtf16(text));
        ASSERT_TRUE(first.root) << first.error.toStdString();
        EXPECT_EQ(first.root->string().toStdString(), form);
        const geTextParseResult again = geParseText(first.root->string());
        ASSERT_TRUE(again.root) << again.error.toStdString();
        EXPECT_EQ(converted(again.root), converted(first.root)) << form;
    }
    // r is the polar radius only on the left of the first "=".
    EXPECT_EQ(converted(geParseText(QStringLiteral("r = 2")).root), "Equals(r, 2)");
    EXPECT_EQ(converted(geParseText(QStringLiteral("y = r x")).root), "Equals(y, Mul(0, x))");
    EXPECT_EQ(geParseText(QStringLiteral("y << x")).error.toStdString(),
              "unexpected < at column 4");
}

}  // namespace
}  // namespace editorTest
