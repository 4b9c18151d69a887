// The editing state: selection keys, Return, and the calculator line.
#include <clocale>

#include "editorTestSupport.h"

namespace editorTest {
namespace {

class ModelTest : public EditorTest {
protected:
    void run(const std::vector<KeyCase> &cases) { runKeyCases(cases); }
};

TEST_F(ModelTest, KeysOnASelection) {
    run({
        {"select-all selects the top node", u"x+1Ⓐ", "[Add(x, 1)]"},
        {"bracket wraps the selection", u"x+1Ⓐ(", "Parens(Add(x, 1))|"},
        {"closing bracket wraps it too", u"x+1Ⓐ)", "Parens(Add(x, 1))|"},
        {"slash makes the selection a numerator", u"x+1Ⓐ/", "Div(Add(x, 1), ?|)"},
        {"minus wraps a sum in parentheses and negates it", u"x+1Ⓐ-", "Neg(Parens(Add(x, 1))|)"},
        {"minus negates a letter without parentheses", u"xⒶ-", "Neg(x|)"},
        {"minus negates parentheses as they are", u"(x)Ⓐ-", "Neg(Parens(x)|)"},
        {"minus on a negation keeps the selection", u"-xⒶ-", "[Neg(x)]"},
        {"left arrow ends before the selection", u"x+1Ⓐ←", "|Add(x, 1)"},
        {"right arrow ends after the selection", u"x+1Ⓐ→", "Add(x, 1|)"},
        {"typing replaces the selection", u"x+1Ⓐ2", "2|"},
        {"letters typed over a selection can spell a function", u"x+1Ⓐsin", "sin(?|)"},
        {"Backspace deletes the selection", u"x+1Ⓐ⌫", "?|"},
        {"operator over a selected number: placeholder first", u"12Ⓐ+", "?|"},
    });
}

TEST_F(ModelTest, SelectedPlaceholderIsFilledIn) {
    // a + [?] + "b" -> a + b|
    type(u"a+");
    auto placeholder = model.keyResponder();
    model.selectNode(placeholder);
    EXPECT_EQ(tree(), "Add(a, [?])");
    type(u"b");
    EXPECT_EQ(tree(), "Add(a, b|)");
}

TEST_F(ModelTest, SelectedProductIsDeletedNotJoined) {
    type(u"2*3");
    model.selectNode(model.equation()->top());
    type(u"⌫");
    EXPECT_EQ(tree(), "?|");
}

TEST_F(ModelTest, SelectionInsideTheTree) {
    // a + [sin(x)] + "/" -> a + sin(x)/?|
    type(u"a+sinx");
    auto sum = std::static_pointer_cast<geEditBinaryOp>(model.equation()->top());
    model.selectNode(sum->rightExp());
    type(u"/");
    EXPECT_EQ(tree(), "Add(a, Div(sin(x), ?|))");
    model.selectNode(sum->leftExp());
    type(u"-");
    EXPECT_EQ(tree(), "Add(Neg(a|), Div(sin(x), ?))");
}

TEST_F(ModelTest, SelectedRootStandsForItsTopNode) {
    // A drag that began without a cursor selects the root itself.
    type(u"x+1");
    model.selectNode(model.equation());
    EXPECT_EQ(countSelected(model.equation().get()), 1);
    model.handleKey(u'(');
    EXPECT_EQ(tree(), "Parens(Add(x, 1))|");
    model.selectNode(model.equation());
    model.deleteBackward();
    EXPECT_EQ(tree(), "?|");
    expectSound();
}

TEST_F(ModelTest, ReturnPressesTheGraphButtonAndTypesNothing) {
    type(u"x");
    model.insertText("\r");
    model.insertText("\n");
    EXPECT_EQ(graphPresses, 2);
    EXPECT_EQ(tree(), "x|");
}

TEST_F(ModelTest, InputStringTypesEveryCharacterWithoutCalculating) {
    model.inputString("1+2");
    EXPECT_EQ(tree(), "Add(1, 2|)");
    EXPECT_EQ(status(), "");
    model.calculate();
    EXPECT_EQ(status(), "= 3\n");
}

TEST_F(ModelTest, CalculatorLine) {
    const std::pair<std::u16string, const char *> cases[] = {
        {u"1+2", "= 3\n"},
        {u"1+", ""},
        {u"1+2x", ""},
        {u"0.1", "= 0.1\n"},
        {u"15", "= 15\n"},
        {u"1/3", "= 0.33333334\n"},
        {u"2^0.5", "= 1.4142135\n"},
        {u"pi", "= 3.1415927\n"},
        {u"e", "= 2.7182817\n"},
        {u"2a", "= 20\n"},
        {u"sqrt9", "= 3\n"},
        {u"-2+3", "= 1\n"},
        {u"cos0", "= 1\n"},
        {u"1/0", ""},
        {u"1=1", ""},
        {u"1e", "= 2.7182817\n"},
        {u"10^40", "= inf\n"},
        {u"10^400→-10^400", "= nan\n"},
        {u"\u212a", "= 0\n"},  // the Kelvin sign is a user constant, not k
    };
    for (const auto &[keys, expected] : cases) {
        model.setEquation(geEdit::rootWithExpression(geEditEmpty::emptyExpression()));
        type(keys);
        EXPECT_EQ(status(), expected) << tree();
        EXPECT_EQ(referenceStatus(model.equation().get()), expected) << tree();
    }
}

TEST_F(ModelTest, NumbersKeepTheCNotationUnderAnyLocale) {
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8")) GTEST_SKIP() << "locale de_DE.UTF-8 is not installed";
    type(u"2.5");
    EXPECT_EQ(status(), "= 2.5\n");
    EXPECT_EQ(exp(), "2.5");
    std::setlocale(LC_ALL, "C");
}

TEST_F(ModelTest, StatusFollowsEveryKeyAndBackspace) {
    type(u"1+");
    EXPECT_EQ(status(), "");
    type(u"2");
    EXPECT_EQ(status(), "= 3\n");
    type(u"x");
    EXPECT_EQ(status(), "");
    type(u"⌫");  // 1 + 2·?|
    EXPECT_EQ(status(), "");
    type(u"⌫");  // 1 + 2|
    EXPECT_EQ(status(), "= 3\n") << tree();
}

TEST_F(ModelTest, FloatFormattingIsShortestRoundTrip) {
    EXPECT_EQ(geFormatFloat(15.0f), "15");
    EXPECT_EQ(geFormatFloat(0.1f), "0.1");
    EXPECT_EQ(geFormatFloat(-2.5f), "-2.5");
    EXPECT_EQ(geFormatFloat(1e20f), "1e+20");
    for (float f : {0.1f, 1.0f / 3.0f, 123456.79f, 1e-7f}) {
        EXPECT_EQ(geFormatFloat(f).toFloat(), f);
    }
}

TEST_F(ModelTest, SetEquationStartsAtTheEndAndLeavesTheOldTreeClean) {
    type(u"x+1Ⓐ");
    auto old = model.equation();
    auto next = geEdit::rootWithExpression(geEditMul::mulWithLeft(geEditNum::numWithString("2"), geEditVar::varWithChar(u'y')));
    model.setEquation(next);
    EXPECT_EQ(tree(), "Mul(2, y|)");
    EXPECT_EQ(countSelected(old.get()), 0);
    EXPECT_EQ(countCursors(old.get()), 0);
    EXPECT_EQ(old->delegate(), nullptr);
    EXPECT_EQ(next->top()->delegate(), &model);
}

}  // namespace
}  // namespace editorTest

namespace editorTest {
namespace {

TEST_F(EditorTest, HeldDownKeyStopsAtTheHeightLimitWithABeep) {
    // "(" on a placeholder nests one more level each time: ((((?|)))).
    model.inputString(QString(geMaxTreeHeight + 100, QChar(u'(')));
    const int height = model.equation()->height();
    EXPECT_LE(height, geMaxTreeHeight);
    EXPECT_GT(height, geMaxTreeHeight - 10);
    EXPECT_GT(beeps, 90);
    expectSound();
    type(u"→⌫");  // the arrows and Backspace still work
    EXPECT_LT(model.equation()->height(), height);
}

}  // namespace
}  // namespace editorTest
