// Conversion to expression trees and to text. Chains are built in several nestings and
// must convert alike, since the editor's nesting follows the order of typing.
#include "editorTestSupport.h"

namespace editorTest {
namespace {

TEST(ConversionTest, TreesConvertByPrecedenceWhateverTheNesting) {
    graphEquationEditorModel delegate;
    delegate.setConstantLookup([](const QString &name) { return name == "b" ? 7.0 : -1.0; });
    const std::pair<const char *, const char *> cases[] = {
        {"Sub(1, Sub(2, 3))", "Sub(Sub(1, 2), 3)"},  // left-associative whatever the nesting
        {"Sub(Sub(1, 2), 3)", "Sub(Sub(1, 2), 3)"},
        {"Sub(b, Add(b, b))", "Add(Sub(7, 7), 7)"},
        {"Mul(Add(2, 3), 4)", "Add(2, Mul(3, 4))"},
        {"Mul(Parens(Add(2, 3)), 4)", "Mul(Add(2, 3), 4)"},  // brackets stop the flattening
        {"Comma(x, Equals(y, Add(t, Mul(2, s))))", "Comma(x, Equals(y, Add(t, Mul(2, s))))"},
        {"Mul(Add(Equals(Comma(x, y), t), 2), s)", "Comma(x, Equals(y, Add(t, Mul(2, s))))"},
        {"Add(1, null)", "Add(1, null)"},
        {"Add(1, ?)", "Add(1, null)"},
        {"Root(3, x)", "Root(x, 3)"},  // radicand first
        {"Div(Pow(x, 2), y)", "Div(Pow(x, 2), y)"},
        {"Neg(K)", "neg(k)"},
        {"erfc(X)", "erfc(x)"},
        {"foo(x)", "null"},
        {"0.", "0"},
        {"Mul(T, Mul(S, Mul(Y, Z)))", "Mul(Mul(Mul(t, s), y), z)"},
        {"Mul(e, Mul(E, pi))", "Mul(Mul(e, e), 3.141592654)"},
        {"Mul(b, Mul(q, \u212a))", "Mul(Mul(7, -1), -1)"},  // the Kelvin sign is a constant
    };
    for (const auto &[tree, expected] : cases) {
        auto root = geEdit::rootWithExpression(build(tree));
        root->setDelegate(&delegate);
        EXPECT_EQ(converted(root), expected) << tree;
        root->setDelegate(nullptr);
    }
}

TEST(ConversionTest, TextForms) {
    const std::pair<const char *, const char *> cases[] = {
        {"?", "?"},
        {"Mul(2, x)", "2 * x"},
        {"Comma(x, Sub(a, b))", "x , a - b"},
        {"Div(Add(x, 1), 2)", "(x + 1)/2"},
        {"Pow(x, Add(y, 1))", "x^(y + 1)"},
        // Bases, negated chains and call brackets are written so that they read back alike.
        {"Pow(Add(x, 1), 2)", "(x + 1)^2"},
        {"Pow(Parens(Add(x, 1)), 2)", "(x + 1)^2"},
        {"Pow(Neg(3), 2)", "(- 3)^2"},
        {"Neg(Add(x, 1))", "(- (x + 1))"},
        {"sin(Parens(Add(x, 1)))", "sin(x + 1)"},
        {"Root(2.0, x)", "sqrt(x)"},
        {"Root(3, x)", "root(x, 3)"},
        {"Neg(sin(x))", "(- sin(x))"},
        {"pi", "pi"},
    };
    for (const auto &[tree, expected] : cases)
        EXPECT_EQ(build(tree)->string().toStdString(), expected);
}

// Typed equations convert to the same expression as the trees built directly.
TEST_F(EditorTest, TypedChainsConvertByPrecedence) {
    runKeyCases({
        {"times before plus", u"2*3+4", "Mul(2, Add(3, 4|))", "Add(Mul(2, 3), 4)"},
        {"brackets first", u"(2+3)4", "Mul(Parens(Add(2, 3)), 4|)", "Mul(Add(2, 3), 4)"},
        {"lists of equations", u"x=t,y=2s", "Equals(x, Comma(t, Equals(y, Mul(2, s|))))",
         "Comma(Equals(x, t), Equals(y, Mul(2, s)))"},
        {"power binds tightest", u"2x^2", "Mul(2, Pow(x, 2|))", "Mul(2, Pow(x, 2))"},
        {"a sum in the denominator", u"1/2+3", "Div(1, Add(2, 3|))", "Div(1, Add(2, 3))"},
        {"a sum after the fraction", u"1/2→+3", "Add(Div(1, 2), 3|)", "Add(Div(1, 2), 3)"},
    });
}

QStringList gLogged;

void captureMessage(QtMsgType, const QMessageLogContext &, const QString &message) {
    gLogged << message;
}

TEST(ConversionTest, ChainWithARelationLogsTheEntriesLeft) {
    // 1 + 2 < 3 * 4: the sum and the product are built, "<" joins nothing.
    auto root = geEdit::rootWithExpression(build("Add(1, Less(2, Mul(3, 4)))"));
    gLogged.clear();
    const QtMessageHandler previous = qInstallMessageHandler(captureMessage);
    EXPECT_EQ(converted(root), "Add(1, 2)");
    qInstallMessageHandler(previous);
    ASSERT_EQ(gLogged.size(), 1);
    EXPECT_EQ(gLogged.front().trimmed(), "warning: 2 entries in binary list after parsing");
}

}  // namespace
}  // namespace editorTest
