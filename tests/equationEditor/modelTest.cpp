// The editing state: selection keys, Return, and the calculator line.
#include <clocale>

#include "editorTestSupport.h"

namespace editorTest {
namespace {

using ModelTest = EditorTest;

TEST_F(ModelTest, KeysOnASelection) {
    runKeyCases({
        {"select-all selects the top node", u"x+1Ⓐ", "[Add(x, 1)]"},
        {"bracket wraps the selection", u"x+1Ⓐ(", "Parens(Add(x, 1))|"},
        {"closing bracket too", u"x+1Ⓐ)", "Parens(Add(x, 1))|"},
        {"slash makes a numerator", u"x+1Ⓐ/", "Div(Add(x, 1), ?|)"},
        {"minus brackets a sum and negates it", u"x+1Ⓐ-", "Neg(Parens(Add(x, 1))|)"},
        {"minus negates a letter as it is", u"xⒶ-", "Neg(x|)"},
        {"minus negates brackets as they are", u"(x)Ⓐ-", "Neg(Parens(x)|)"},
        {"minus on a negation keeps the selection", u"-xⒶ-", "[Neg(x)]"},
        {"left arrow ends before", u"x+1Ⓐ←", "|Add(x, 1)"},
        {"right arrow ends after", u"x+1Ⓐ→", "Add(x, 1|)"},
        {"typing replaces", u"x+1Ⓐ2", "2|"},
        {"letters typed over it can spell a name", u"x+1Ⓐsin", "sin(?|)"},
        {"Backspace deletes", u"x+1Ⓐ⌫", "?|"},
        {"operator over a number: placeholder first", u"12Ⓐ+", "?|"},
    });
}

TEST_F(ModelTest, SelectionInsideTheTree) {
    const struct {
        std::u16string keys;
        const char *selected;  // "" selects the root itself, as a drag from no cursor does
        std::u16string then;
        const char *picture;
    } cases[] = {
        {u"a+", "?", u"b", "Add(a, b|)"},   // a selected placeholder is filled in
        {u"2*3", "Mul(2, 3)", u"⌫", "?|"},  // deleted, not joined
        {u"a+sinx", "sin(x)", u"/", "Add(a, Div(sin(x), ?|))"},
        {u"a+sinx", "a", u"-", "Add(Neg(a|), sin(x))"},
        {u"x+1", "", u"(", "Parens(Add(x, 1))|"},
        {u"x+1", "", u"⌫", "?|"},
    };
    for (const auto &c : cases) {
        clear();
        type(c.keys);
        model.keyResponder()->setHasCursor(false);
        model.selectNode(*c.selected ? findNode(model.equation(), c.selected) : model.equation());
        EXPECT_EQ(countSelected(model.equation().get()), 1) << c.selected;
        type(c.then);
        EXPECT_EQ(tree(), c.picture);
    }
}

TEST_F(ModelTest, ReturnPressesTheGraphButtonAndInputStringDoesNotCalculate) {
    type(u"x");
    model.insertText("\r");
    model.insertText("\n");
    EXPECT_EQ(graphPresses, 2);
    EXPECT_EQ(tree(), "x|");
    clear();
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
        {u"1/3", "= 0.3333333333\n"},
        {u"2^0.5", "= 1.414213562\n"},
        {u"pi", "= 3.141592654\n"},
        {u"1e", "= 2.718281828\n"},
        {u"2a", "= 20\n"},
        {u"sqrt9", "= 3\n"},
        {u"cos0", "= 1\n"},
        {u"1/0", "= undefined\n"},
        {u"0/0", "= undefined\n"},
        {u"0^-1", "= undefined\n"},
        {u"2^128", "= 3.402823669e+38\n"},
        {u"10^-46", "= 1e-46\n"},
        {u"1+2,3", ""},
        {u"1=1", ""},
        {u"10^40", "= 1e+40\n"},
        {u"10^400→-10^400", "= undefined\n"},
        {u"\u212a", "= 0\n"},  // the Kelvin sign is a user constant, not k
    };
    for (const auto &[keys, expected] : cases) {
        clear();
        type(keys);
        EXPECT_EQ(status(), expected) << tree();
        EXPECT_EQ(referenceStatus(model.equation().get()), expected) << tree();
    }
    // Every key and Backspace recalculates.
    clear();
    for (const auto &[keys, expected] :
         {std::pair{u"1+", ""}, std::pair{u"2", "= 3\n"}, std::pair{u"x", ""}, std::pair{u"⌫", ""},
          std::pair{u"⌫", "= 3\n"}}) {
        type(keys);
        EXPECT_EQ(status(), expected) << tree();
    }
}

TEST_F(ModelTest, NumbersKeepTheCNotationUnderAnyLocale) {
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8"))
        GTEST_SKIP() << "locale de_DE.UTF-8 is not installed";
    type(u"2.5");
    EXPECT_EQ(status(), "= 2.5\n");
    EXPECT_EQ(exp(), "2.5");
    std::setlocale(LC_ALL, "C");
}

TEST(ModelFormatTest, FloatFormattingIsShortestRoundTrip) {
    for (const auto &[f, text] :
         {std::pair{15.0f, "15"}, std::pair{-2.5f, "-2.5"}, std::pair{1e20f, "1e+20"}})
        EXPECT_EQ(geFormatFloat(f), text);
    for (float f : {0.1f, 1.0f / 3.0f, 123456.79f, 1e-7f}) EXPECT_EQ(geFormatFloat(f).toFloat(), f);
}

TEST_F(ModelTest, SetEquationStartsAtTheEndAndLeavesTheOldTreeClean) {
    type(u"x+1Ⓐ");
    auto old = model.equation();
    auto next = geEdit::rootWithExpression(build("Mul(2, y)"));
    model.setEquation(next);
    EXPECT_EQ(tree(), "Mul(2, y|)");
    EXPECT_EQ(countSelected(old.get()) + countCursors(old.get()), 0);
    EXPECT_EQ(old->delegate(), nullptr);
    EXPECT_EQ(next->top()->delegate(), &model);
}

TEST_F(ModelTest, HeldDownKeyStopsAtTheHeightLimitWithABeep) {
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
