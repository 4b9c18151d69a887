// Key sequences typed into a new equation, each with the picture of the tree afterwards
// (notation in editorTestSupport.h).
#include "editorTestSupport.h"

namespace editorTest {
namespace {

class KeysTest : public EditorTest {
protected:
    void run(const std::vector<KeyCase> &cases) { runKeyCases(cases); }
};

TEST_F(KeysTest, NumbersAndPlaceholders) {
    run({
        {"digits then operator", u"12+3", "Add(12, 3|)"},
        {"digit then letter is an implicit product", u"2x", "Mul(2, x|)"},
        {"point into a placeholder starts 0.", u".", "0.|"},
        {"second point refused", u"3.1.", "3.1|"},
        {"point at the start of a number", u"5←.", "0.|5"},
        {"operator splits a number at the cursor", u"12←+", "Add|(1, 2)"},
        {"operator at the start of a number", u"12←←*", "Mul(?|, 12)"},
        {"minus at the start of a number negates it", u"5←-", "Neg|(5)"},
        {"minus at the start inside a negation subtracts", u"-5←-", "Neg(Sub(?|, 5))"},
        {"digit inserted inside a number", u"13←2", "12|3"},
        {"minus into a placeholder", u"-", "Neg(?|)"},
        {"second minus changes nothing", u"--", "Neg(?|)"},
        {"bracket around a placeholder", u")", "Parens(?|)"},
        {"plus into a placeholder changes nothing", u"+*^=,", "?|"},
        {"comparison signs never build nodes", u"x<>1", "Mul(x, 1|)"},
        {"comparison after a number changes nothing", u"1<>", "1|"},
    });
}

TEST_F(KeysTest, TrailingRule) {
    run({
        {"letters make a product", u"xy", "Mul(x, y|)"},
        {"bracket after a letter opens a factor", u"x(", "Mul(x, Parens(?|))"},
        {"closing bracket leaves the parentheses", u"(x)", "Parens(x)|"},
        {"typing after parentheses multiplies", u"(x)2", "Mul(Parens(x), 2|)"},
        {"power after a letter", u"x^", "Pow(x, ?|)"},
        {"power after a fraction changes nothing", u"1/2→^", "Div(1, 2)|"},
        {"power after a power changes nothing", u"x^2→^", "Pow(x, 2)|"},
        {"fraction", u"1/2", "Div(1, 2|)"},
        {"power inside a denominator", u"1/2^", "Div(1, Pow(2, ?|))"},
        {"power after a root", u"sqrt9→^", "Pow(Root(2, 9), ?|)"},
        {"letter after a root multiplies", u"sqrt9→x", "Mul(Root(2, 9), x|)"},
        {"every operator sign", u"a,b=c-d", "Comma(a, Equals(b, Sub(c, d|)))"},
        {"closing bracket walks up to the enclosing parentheses", u"(1+x)", "Parens(Add(1, x))|"},
    });
}

TEST_F(KeysTest, ClosingBracketWithoutParenthesesBeeps) {
    type(u"x)");
    EXPECT_EQ(tree(), "x|");
    EXPECT_EQ(beeps, 1);
}

TEST_F(KeysTest, BeforeTheWholeEquation) {
    run({
        {"letter in front", u"x←2", "Mul(2|, x)"},
        {"operator in front opens an operand", u"x←+", "Add(?|, x)"},
        {"power in front makes the equation the exponent", u"x←^", "Pow(?|, x)"},
        {"minus in front negates the leftmost operand", u"x+1←←←←-", "Add(Neg(x|), 1)"},
        {"minus in front of a negation subtracts", u"-x←←-", "Sub(?|, Neg(x))"},
        {"digit in front of a negation subtracts", u"-x←←2", "Sub(2|, x)"},
        {"point in front", u"x←.", "Mul(0.|, x)"},
        {"other keys change nothing", u"x←)<", "|x"},
    });
}

TEST_F(KeysTest, OperatorsHoldingTheCursor) {
    run({
        {"letter after the sign starts a product", u"a+b←c", "Add(a, Mul(c|, b))"},
        {"other keys after the sign change nothing", u"a+b←)*", "Add|(a, b)"},
        {"implicit product: operator at the boundary", u"2x←+", "Add|(2, x)"},
        {"implicit product: times at the boundary changes nothing", u"2x←*", "Mul(2|, x)"},
        {"implicit product: slash at the boundary", u"2x←/", "Div(2, x)|"},
        {"implicit product: comma at the boundary", u"2x←,", "Comma|(2, x)"},
        {"explicit product keeps the infix rules", u"2*3←←x", "Mul(2, Mul(x|, 3))"},
    });
}

TEST_F(KeysTest, ParenthesesAndNegation) {
    run({
        {"digit before the content", u"(x←2", "Parens(Mul(2|, x))"},
        {"operator before the content", u"(x←+", "Parens(Add(?|, x))"},
        {"power before the content", u"(x←^", "Parens(Pow(?|, x))"},
        {"other key before the content keeps the cursor", u"(x←=", "Parens(|x)"},
        {"negation takes the next operator as a whole", u"-2+3", "Add(Neg(2), 3|)"},
        {"negation takes a letter as a product", u"-xy", "Mul(Neg(x), y|)"},
        {"minus after the minus sign changes nothing", u"-x←←→-", "Neg|(x)"},
        {"a key nobody takes keeps the cursor in the operand", u"-x<", "Neg(x|)"},
        {"a key nobody takes keeps the cursor in an argument", u"sinx)", "sin(x|)"},
    });
}

TEST_F(KeysTest, Functions) {
    run({
        {"name with an empty argument", u"sin", "sin(?|)"},
        {"argument typed in", u"sinx", "sin(x|)"},
        {"longer name extends the function", u"sinh", "sinh(?|)"},
        {"longer name extends a filled function", u"sinxh", "sinh(x|)"},
        {"longer name keeps the argument as it stands", u"sin2←←h5", "sinh(5|2)"},
        {"whole chain before its tail", u"asin", "asin(?|)"},
        {"capitals give the listed name", u"SIN", "sin(?|)"},
        {"erfc through erf", u"erfc", "erfc(?|)"},
        {"operator after the argument leaves the function", u"sinx+1", "Add(sin(x), 1|)"},
        {"letter after the argument multiplies", u"sinxy", "Mul(sin(x), y|)"},
        {"digit after the name does nothing", u"sinx←2", "sin|(x)"},
        {"function after a factor", u"2cos", "Mul(2, cos(?|))"},
        {"function after a letter", u"ysin", "Mul(y, sin(?|))"},
        {"function before an existing factor", u"x←sin", "sin(x|)"},
        {"function before a power takes its base", u"x^2←←←sin", "Pow(sin(x|), 2)"},
        {"function before a sum takes the first operand", u"x+1←←←←ln", "Add(ln(x|), 1)"},
        {"square root", u"sqrt", "Root(2, ?|)"},
        {"square root filled", u"sqrt9", "Root(2, 9|)"},
        {"pi", u"pi", "pi|"},
        {"pi inside a product", u"xpi", "Mul(x, pi|)"},
        {"capital PI", u"PI", "pi|"},
        {"digits never trigger a rewrite", u"si2n", "Mul(s, Mul(i, Mul(2, n|)))"},
        {"operator in the argument binds the first factor", u"sin12←+", "Add|(sin(1), 2)"},
        {"power typed before the argument takes the function as base", u"sin3←^", "Pow(sin(?|), 3)"},
        {"a chain beside the cursor can spell a name", u"d5X←⌫⌫←S", "Mul(S, dx(?|))"},
    });
}

TEST_F(KeysTest, FunctionNamesStayInsideTheirProduct) {
    run({
        {"denominator", u"1/2→x←←⌫sin", "Mul(Div(1, sin(?|)), x)"},
        {"exponent", u"x^2→y←←⌫sin", "Mul(Pow(x, sin(?|)), y)"},
        {"radicand", u"sqrt9→y←←⌫sin", "Mul(Root(2, sin(?|)), y)"},
        {"brackets", u"(2)y←←⌫sin", "Mul(Parens(sin(?|)), y)"},
        {"argument", u"cos(2)y←←⌫sin", "Mul(cos(Parens(sin(?|))), y)"},
    });
}

TEST_F(KeysTest, UnaryMinus) {
    run({
        {"power raises the operand", u"-3^2", "Neg(Pow(3, 2|))", "= -9"},
        {"power of a letter", u"-x^2", "Neg(Pow(x, 2|))", "neg(Pow(x, 2))"},
        {"power of brackets", u"-(1)^2", "Neg(Pow(Parens(1), 2|))", "= -1"},
        {"power of a function", u"-sinx^2", "Neg(Pow(sin(x), 2|))"},
        {"a sign after the power is outside", u"-3^2→+1", "Add(Neg(Pow(3, 2)), 1|)", "= -8"},
        {"function name", u"-sin(x)", "Neg(sin(Parens(x)|))", "neg(sin(x))"},
        {"function name in a product", u"2*-cos", "Mul(2, Neg(cos(?|)))"},
        {"whole chain before its tail", u"-asin", "Neg(asin(?|))"},
        {"square root", u"-sqrt4", "Neg(Root(2, 4|))", "= -2"},
        {"pi", u"-pi", "Neg(pi|)"},
        {"Backspace keeps the operand as it stands", u"1/2←←←←-←⌫3", "Mul(Div(1, 2), 3|)"},
    });
}

TEST_F(KeysTest, Backspace) {
    run({
        {"last digit", u"12⌫", "1|"},
        {"only digit leaves a placeholder", u"1⌫", "?|"},
        {"at the start of a number nothing changes", u"12←←⌫", "|12"},
        {"empty equation stays empty", u"⌫⌫", "?|"},
        {"empty right operand removes the operator", u"a+⌫", "a|"},
        {"empty left operand removes the operator", u"x←+⌫", "|x"},
        {"sign between operands makes a product", u"a+b←⌫", "Mul(a|, b)"},
        {"sign between two numbers joins them", u"2*3←←⌫", "2|3"},
        {"two numbers with points are not joined", u"2.*3.←←←⌫", "Mul|(2., 3.)"},
        {"empty negation", u"-⌫", "?|"},
        {"minus sign goes", u"5←-⌫", "|5"},
        {"function name goes", u"sinx←⌫", "|x"},
        {"empty function", u"sin⌫", "?|"},
        {"parentheses as a whole", u"(x)⌫", "?|"},
        {"variable", u"xy⌫", "Mul(x, ?|)"},
        {"fraction as a whole", u"1/2→⌫", "?|"},
        {"root as a whole", u"sqrt9→⌫", "?|"},
    });
}

TEST_F(KeysTest, ProductWithPlaceholderDeletedKeepsTheOtherOperand) {
    // A click on the product makes it hold the cursor; Backspace never joins "?" into text.
    struct Case {
        bool placeholderLeft;
        std::string picture;
    };
    for (const Case &c : {Case{true, "|12"}, Case{false, "12|"}}) {
        auto e = geEditEmpty::emptyExpression();
        auto n = geEditNum::numWithString("12");
        auto mul = c.placeholderLeft ? geEditMul::mulWithLeft(e, n) : geEditMul::mulWithLeft(n, e);
        model.setEquation(geEdit::rootWithExpression(mul));
        model.equation()->cursorEnterFromRight()->setHasCursor(false);
        model.setKeyResponder(mul->expForClick());
        ASSERT_EQ(model.keyResponder(), mul);
        model.deleteBackward();
        EXPECT_EQ(tree(), c.picture);
        expectSound();
    }
}

TEST_F(KeysTest, SelectedRangeOfANumber) {
    auto num = std::static_pointer_cast<geEditNum>(geEditNum::numWithString("1234"));
    model.setEquation(geEdit::rootWithExpression(num));
    num->setSelectedRange(1, 3);
    model.handleKey(u'5');  // 1[23]4 + "5" -> 15|4
    EXPECT_EQ(tree(), "15|4");
    num->setSelectedRange(0, 1);
    model.handleKey(u'.');  // [1]54 + "." -> 0.|54
    EXPECT_EQ(tree(), "0.|54");
    num->setSelectedRange(3, 4);
    model.handleKey(u'.');  // 0.5[4] + "." refused: a point stays outside the range
    EXPECT_EQ(tree(), "0.|54");
    num->setSelectedRange(0, 2);
    model.deleteBackward();  // [0.]54 Backspace -> |54
    EXPECT_EQ(tree(), "|54");
}

}  // namespace
}  // namespace editorTest
