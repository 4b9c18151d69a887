// Conversion to expression trees and to text. Chains are built in several nestings and
// must convert alike, since the editor's nesting follows the order of typing.
#include "editorTestSupport.h"

namespace editorTest {
namespace {

geEditPtr num(const char *text) { return geEditNum::numWithString(text); }
geEditPtr var(char16_t c) { return geEditVar::varWithChar(c); }
geEditPtr add(geEditPtr l, geEditPtr r) { return geEditAdd::addWithLeft(l, r); }
geEditPtr sub(geEditPtr l, geEditPtr r) { return geEditSub::subWithLeft(l, r); }
geEditPtr mul(geEditPtr l, geEditPtr r) { return geEditMul::mulWithLeft(l, r); }
geEditPtr parens(geEditPtr e) { return geEditParens::parensWithExpression(e); }

std::string converted(const geEditPtr &node) {
    grExp *e = node->makeExp();
    std::string p = expPicture(e);
    grFreeExp(e);
    return p;
}

TEST(ConversionTest, ChainsParseByPrecedenceWhateverTheNesting) {
    struct Case {
        const char *name;
        geEditPtr tree;
        std::string expected;
    };
    const Case cases[] = {
        {"1-2-3 leaning right", sub(num("1"), sub(num("2"), num("3"))), "Sub(Sub(1, 2), 3)"},
        {"1-2-3 leaning left", sub(sub(num("1"), num("2")), num("3")), "Sub(Sub(1, 2), 3)"},
        {"a-b+c is left-associative", sub(var(u'a'), add(var(u'b'), var(u'c'))), "Add(Sub(10, 10), 10)"},
        {"2+3*4 as typed", add(num("2"), mul(num("3"), num("4"))), "Add(2, Mul(3, 4))"},
        {"2+3*4 nested the other way", mul(add(num("2"), num("3")), num("4")), "Add(2, Mul(3, 4))"},
        {"parentheses stop the flattening", mul(parens(add(num("2"), num("3"))), num("4")),
         "Mul(Add(2, 3), 4)"},
        {"comma, equals, plus, times",
         geEditComma::commaWithLeft(var(u'x'), geEditEquals::equalsWithLeft(
             var(u'y'), add(var(u't'), mul(num("2"), var(u's'))))),
         "Comma(x, Equals(y, Add(t, Mul(2, s))))"},
        {"the same chain leaning left",
         mul(add(geEditEquals::equalsWithLeft(geEditComma::commaWithLeft(var(u'x'), var(u'y')), var(u't')),
                 num("2")), var(u's')),
         "Comma(x, Equals(y, Add(t, Mul(2, s))))"},
        {"relations join nothing: only the first entry is kept",
         add(num("1"), geEditLessThan::lessThanWithLeft(num("2"), num("3"))), "Add(1, 2)"},
        {"placeholder converts to null", add(num("1"), geEditEmpty::emptyExpression()), "Add(1, null)"},
        {"root swaps to radicand, index", geEditRoot::rootWithLeft(num("3"), var(u'x')), "Root(x, 3)"},
        {"fraction and power", geEditDiv::divWithLeft(geEditPow::powWithLeft(var(u'x'), num("2")), var(u'y')),
         "Div(Pow(x, 2), y)"},
        {"negation", geEditNegative::negativeWithExpression(var(u'k')), "neg(k)"},
        {"known function", geEditFunc::funcWithExpression(var(u'x'), "erfc"), "erfc(x)"},
        {"unknown function converts to null", geEditFunc::funcWithExpression(var(u'x'), "foo"), "null"},
        {"point text", num("0."), "0"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        auto root = geEdit::rootWithExpression(c.tree);
        graphEquationEditorModel delegate;
        delegate.setConstantLookup([](const QString &) { return 10.0; });
        root->setDelegate(&delegate);
        EXPECT_EQ(converted(root), c.expected);
        root->setDelegate(nullptr);
    }
}

TEST(ConversionTest, LettersConvertByTheVariableTable) {
    graphEquationEditorModel delegate;
    delegate.setConstantLookup([](const QString &name) { return name == "b" ? 7.0 : -1.0; });
    const std::pair<char16_t, const char *> cases[] = {
        {u't', "t"}, {u'T', "t"}, {u's', "s"}, {u'x', "x"}, {u'X', "x"}, {u'y', "y"},
        {u'z', "z"}, {u'K', "k"}, {u'e', "e"}, {u'E', "e"}, {gePiChar, "3.141592654"},
        {u'b', "7"}, {u'q', "-1"},
    };
    for (const auto &[letter, expected] : cases) {
        auto v = var(letter);
        v->setDelegate(&delegate);
        EXPECT_EQ(converted(v), expected) << char(letter);
    }
}

TEST(ConversionTest, TextForms) {
    const std::pair<geEditPtr, const char *> cases[] = {
        {geEdit::rootWithExpression(geEditEmpty::emptyExpression()), "?"},
        {mul(num("2"), var(u'x')), "2 * x"},
        {sub(var(u'a'), var(u'b')), "a - b"},
        {geEditDiv::divWithLeft(add(var(u'x'), num("1")), num("2")), "(x + 1)/2"},
        {geEditPow::powWithLeft(var(u'x'), add(var(u'y'), num("1"))), "x^(y + 1)"},
        // Bases, negated chains and call brackets are written so that they read back alike.
        {geEditPow::powWithLeft(add(var(u'x'), num("1")), num("2")), "(x + 1)^2"},
        {geEditPow::powWithLeft(geEditNegative::negativeWithExpression(num("3")), num("2")), "(- 3)^2"},
        {geEditNegative::negativeWithExpression(add(var(u'x'), num("1"))), "(- (x + 1))"},
        {geEditFunc::funcWithExpression(parens(add(var(u'x'), num("1"))), "sin"), "sin(x + 1)"},
        {geEditPow::powWithLeft(parens(add(var(u'x'), num("1"))), num("2")), "(x + 1)^2"},
        {geEditRoot::rootWithLeft(num("2"), var(u'x')), "sqrt(x)"},
        {geEditRoot::rootWithLeft(num("2.0"), var(u'x')), "sqrt(x)"},
        {geEditRoot::rootWithLeft(num("3"), var(u'x')), "root(x, 3)"},
        {geEditNegative::negativeWithExpression(var(u'x')), "(- x)"},
        {geEditFunc::funcWithExpression(var(u'x'), "sin"), "sin(x)"},
        {var(gePiChar), "pi"},
        {geEditComma::commaWithLeft(var(u'x'), var(u'y')), "x , y"},
    };
    for (const auto &[node, expected] : cases) EXPECT_EQ(node->string().toStdString(), expected);
}

// Typed equations convert to the same expression as the trees built directly.
TEST_F(EditorTest, TypedChainsConvertByPrecedence) {
    const std::pair<std::u16string, const char *> cases[] = {
        {u"1-2-3", "Sub(Sub(1, 2), 3)"},
        {u"2+3*4", "Add(2, Mul(3, 4))"},
        {u"2*3+4", "Add(Mul(2, 3), 4)"},
        {u"(2+3)4", "Mul(Add(2, 3), 4)"},
        {u"x=t,y=2s", "Comma(Equals(x, t), Equals(y, Mul(2, s)))"},
        {u"2x^2", "Mul(2, Pow(x, 2))"},
        {u"1/2+3", "Div(1, Add(2, 3))"},
        {u"1/2→+3", "Add(Div(1, 2), 3)"},
    };
    for (const auto &[keys, expected] : cases) {
        model.setEquation(geEdit::rootWithExpression(geEditEmpty::emptyExpression()));
        type(keys);
        EXPECT_EQ(exp(), expected) << tree();
    }
}

}  // namespace
}  // namespace editorTest

namespace editorTest {
namespace {

QStringList gLogged;

void captureMessage(QtMsgType, const QMessageLogContext &, const QString &message) { gLogged << message; }

TEST(ConversionTest, ChainWithARelationLogsTheEntriesLeft) {
    // 1 + 2 < 3 * 4: the sum and the product are built, "<" joins nothing.
    auto root = geEdit::rootWithExpression(geEditAdd::addWithLeft(
        num("1"), geEditLessThan::lessThanWithLeft(num("2"), mul(num("3"), num("4")))));
    gLogged.clear();
    const QtMessageHandler previous = qInstallMessageHandler(captureMessage);
    grExp *e = root->makeExp();
    qInstallMessageHandler(previous);
    EXPECT_EQ(expPicture(e), "Add(1, 2)");
    grFreeExp(e);
    ASSERT_EQ(gLogged.size(), 1);
    EXPECT_EQ(gLogged.front().trimmed(), "warning: 2 entries in binary list after parsing");
}

}  // namespace
}  // namespace editorTest
