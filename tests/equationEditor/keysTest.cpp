// Key sequences typed into a new equation, each with the picture of the tree afterwards
// and, where it matters, its conversion or calculator line (notation in editorTestSupport.h).
#include "editorTestSupport.h"

namespace editorTest {
namespace {

using KeysTest = EditorTest;

TEST_F(KeysTest, NumbersAndPlaceholders) {
    runKeyCases({
        {"digits then operator", u"12+3", "Add(12, 3|)"},
        {"point into a placeholder starts 0.", u".", "0.|"},
        {"second point refused", u"3.1.", "3.1|"},
        {"point at the start of a number", u"5←.", "0.|5"},
        {"digit inside a number", u"13←2", "12|3"},
        {"operator splits a number", u"12←+", "Add|(1, 2)"},
        {"operator at the start of a number", u"12←←*", "Mul(?|, 12)"},
        {"minus at the start negates", u"5←-", "Neg|(5)"},
        {"minus at the start inside a negation", u"-5←-", "Neg(Sub(?|, 5))"},
        {"minus into a placeholder, twice", u"--", "Neg(?|)"},
        {"bracket around a placeholder", u")", "Parens(?|)"},
        {"operators into a placeholder", u"+*^=,", "?|"},
    });
}

TEST_F(KeysTest, TrailingRule) {
    runKeyCases({
        {"digit then letter", u"2x", "Mul(2, x|)"},
        {"bracket after a letter", u"x(", "Mul(x, Parens(?|))"},
        {"typing after brackets", u"(x)2", "Mul(Parens(x), 2|)"},
        {"closing bracket walks up", u"(1+x)", "Parens(Add(1, x))|"},
        {"power after a letter", u"x^", "Pow(x, ?|)"},
        {"power after a fraction", u"1/2→^", "Div(1, 2)|"},
        {"power after a power", u"x^2→^", "Pow(x, 2)|"},
        {"power inside a denominator", u"1/2^", "Div(1, Pow(2, ?|))"},
        {"power after a root", u"sqrt9→^", "Pow(Root(2, 9), ?|)"},
        {"every operator sign", u"a,b=c-d", "Comma(a, Equals(b, Sub(c, d|)))"},
    });
    runKeyCases({{"closing bracket without brackets beeps", u"x)", "x|"}});
    EXPECT_EQ(beeps, 1);
}

TEST_F(KeysTest, BeforeTheWholeEquationAndAfterASign) {
    runKeyCases({
        {"letter in front", u"x←2", "Mul(2|, x)"},
        {"operator in front", u"x←+", "Add(?|, x)"},
        {"power in front", u"x←^", "Pow(?|, x)"},
        {"minus in front negates the leftmost", u"x+1←←←←-", "Add(Neg(x|), 1)"},
        {"minus in front of a negation", u"-x←←-", "Sub(?|, Neg(x))"},
        {"digit in front of a negation", u"-x←←2", "Sub(2|, x)"},
        {"other keys in front", u"x←)", "|x"},
        {"letter after a sign", u"a+b←c", "Add(a, Mul(c|, b))"},
        {"other keys after a sign", u"a+b←)*", "Add|(a, b)"},
        {"operator at a product's boundary", u"2x←+", "Add|(2, x)"},
        {"times at the boundary", u"2x←*", "Mul(2|, x)"},
        {"explicit product keeps the infix rules", u"2*3←←x", "Mul(2, Mul(x|, 3))"},
        {"digit before bracketed content", u"(x←2", "Parens(Mul(2|, x))"},
        {"operator before bracketed content", u"(x←+", "Parens(Add(?|, x))"},
        {"other key before bracketed content", u"(x←=", "Parens(|x)"},
    });
}

TEST_F(KeysTest, Functions) {
    runKeyCases({
        {"name", u"sin", "sin(?|)"},
        {"argument", u"sinx", "sin(x|)"},
        {"longer name", u"sinh", "sinh(?|)"},
        {"longer name, filled", u"sinxh", "sinh(x|)"},
        {"longer name keeps the argument as it stands", u"sin2←←h5", "sinh(5|2)"},
        {"whole chain before its tail", u"asin", "asin(?|)"},
        {"capitals", u"SIN", "sin(?|)"},
        {"operator after the argument", u"sinx+1", "Add(sin(x), 1|)"},
        {"letter after the argument", u"sinxy", "Mul(sin(x), y|)"},
        {"digit after the name", u"sinx←2", "sin|(x)"},
        {"after a factor", u"2cos", "Mul(2, cos(?|))"},
        {"before a factor", u"x←sin", "sin(x|)"},
        {"before a power takes its base", u"x^2←←←sin", "Pow(sin(x|), 2)"},
        {"before a sum takes the first operand", u"x+1←←←←ln", "Add(ln(x|), 1)"},
        {"operator in the argument", u"sin12←+", "Add|(sin(1), 2)"},
        {"power before the argument", u"sin3←^", "Pow(sin(?|), 3)"},
        {"square root", u"sqrt", "Root(2, ?|)"},
        {"pi", u"xpi", "Mul(x, pi|)", "Mul(x, 3.141592654)"},
        {"capital PI", u"PI", "pi|"},
        {"digits never rewrite", u"si2n", "Mul(s, Mul(i, Mul(2, n|)))"},
        {"a chain beside the cursor", u"d5X←⌫⌫←S", "Mul(S, dx(?|))"},
        {"a key nobody takes", u"sinx)", "sin(x|)"},
        // A name never reaches past the node it is typed in.
        {"denominator", u"1/2→x←←⌫sin", "Mul(Div(1, sin(?|)), x)"},
        {"exponent", u"x^2→y←←⌫sin", "Mul(Pow(x, sin(?|)), y)"},
        {"radicand", u"sqrt9→y←←⌫sin", "Mul(Root(2, sin(?|)), y)"},
        {"brackets", u"(2)y←←⌫sin", "Mul(Parens(sin(?|)), y)"},
        {"argument", u"cos(2)y←←⌫sin", "Mul(cos(Parens(sin(?|))), y)"},
    });
}

TEST_F(KeysTest, UnaryMinus) {
    runKeyCases({
        {"takes the next operator as a whole", u"-2+3", "Add(Neg(2), 3|)", "= 1"},
        {"takes a letter as a product", u"-xy", "Mul(Neg(x), y|)"},
        {"minus after the minus", u"-x←←→-", "Neg|(x)"},
        {"a key nobody takes", u"-x;", "Neg(x|)"},
        {"power raises the operand", u"-3^2", "Neg(Pow(3, 2|))", "= -9"},
        {"power of a letter", u"-x^2", "Neg(Pow(x, 2|))", "neg(Pow(x, 2))"},
        {"power of brackets", u"-(1)^2", "Neg(Pow(Parens(1), 2|))", "= -1"},
        {"power of a function", u"-sinx^2", "Neg(Pow(sin(x), 2|))"},
        {"a sign after the power", u"-3^2→+1", "Add(Neg(Pow(3, 2)), 1|)", "= -8"},
        {"function name", u"-sin(x)", "Neg(sin(Parens(x)|))", "neg(sin(x))"},
        {"function name in a product", u"2*-cos", "Mul(2, Neg(cos(?|)))"},
        {"whole chain before its tail", u"-asin", "Neg(asin(?|))"},
        {"square root", u"-sqrt4", "Neg(Root(2, 4|))", "= -2"},
        {"pi", u"-pi", "Neg(pi|)"},
    });
}

TEST_F(KeysTest, Backspace) {
    runKeyCases({
        {"last digit", u"12⌫", "1|"},
        {"only digit", u"1⌫", "?|"},
        {"start of a number", u"12←←⌫", "|12"},
        {"empty equation", u"⌫⌫", "?|"},
        {"empty right operand", u"a+⌫", "a|"},
        {"empty left operand", u"x←+⌫", "|x"},
        {"sign between operands", u"a+b←⌫", "Mul(a|, b)"},
        {"sign between numbers joins them", u"2*3←←⌫", "2|3"},
        {"numbers with points stay apart", u"2.*3.←←←⌫", "Mul|(2., 3.)"},
        {"empty negation", u"-⌫", "?|"},
        {"minus sign", u"5←-⌫", "|5"},
        {"minus keeps the operand as it stands", u"1/2←←←←-←⌫3", "Mul(Div(1, 2), 3|)"},
        {"function name", u"sinx←⌫", "|x"},
        {"empty function", u"sin⌫", "?|"},
        {"brackets as a whole", u"(x)⌫", "?|"},
        {"letter", u"xy⌫", "Mul(x, ?|)"},
        {"template as a whole", u"1/2→⌫", "?|"},
    });
}

TEST_F(KeysTest, ProductWithPlaceholderDeletedKeepsTheOtherOperand) {
    // A click on the product gives it the cursor; Backspace never joins "?" into text.
    for (const auto &[tree, expected] :
         {std::pair{"Mul(?, 12)", "|12"}, std::pair{"Mul(12, ?)", "12|"}}) {
        auto mul = build(tree);
        model.setEquation(geEdit::rootWithExpression(mul));
        model.keyResponder()->setHasCursor(false);
        model.setKeyResponder(mul->expForClick());
        ASSERT_EQ(model.keyResponder(), mul);
        model.deleteBackward();
        EXPECT_EQ(this->tree(), expected);
        expectSound();
    }
}

TEST_F(KeysTest, SelectedRangeOfANumber) {
    auto num = std::static_pointer_cast<geEditNum>(geEditNum::numWithString("1234"));
    model.setEquation(geEdit::rootWithExpression(num));
    const struct {
        int start, end;
        char16_t key;
        const char *picture;
    } steps[] = {
        {1, 3, u'5', "15|4"},   // 1[23]4 + "5"
        {0, 1, u'.', "0.|54"},  // [1]54 + "."
        {3, 4, u'.', "0.|54"},  // 0.5[4] + "." refused: a point stays outside the range
        {0, 2, u'\b', "|54"},   // [0.]54 Backspace
    };
    for (const auto &s : steps) {
        num->setSelectedRange(s.start, s.end);
        if (s.key == u'\b')
            model.deleteBackward();
        else
            model.handleKey(s.key);
        EXPECT_EQ(tree(), s.picture);
    }
}

}  // namespace
}  // namespace editorTest
