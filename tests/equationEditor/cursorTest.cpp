// Arrow walks: each row types an equation, then presses one arrow repeatedly and lists the
// picture after every press.
#include "editorTestSupport.h"

namespace editorTest {
namespace {

struct Walk {
    const char *name;
    std::u16string keys;
    char16_t arrow;
    std::vector<std::string> pictures;
};

class CursorTest : public EditorTest {
protected:
    void run(const std::vector<Walk> &walks) {
        for (const auto &w : walks) {
            SCOPED_TRACE(w.name);
            model.setEquation(geEdit::rootWithExpression(geEditEmpty::emptyExpression()));
            type(w.keys);
            for (const auto &expected : w.pictures) {
                type(std::u16string(1, w.arrow));
                EXPECT_EQ(tree(), expected);
            }
        }
    }
};

constexpr char16_t L = u'←';
constexpr char16_t R = u'→';

TEST_F(CursorTest, LeftWalks) {
    run({
        {"sum to the front, then nothing", u"12+x", L,
         {"Add|(12, x)", "Add(12|, x)", "Add(1|2, x)", "Add(|12, x)", "|Add(12, x)", "|Add(12, x)"}},
        {"implicit product is one stop", u"2x", L, {"Mul(2|, x)", "Mul(|2, x)", "|Mul(2, x)"}},
        {"explicit product stops after the dot", u"2*3", L,
         {"Mul(2, |3)", "Mul|(2, 3)", "Mul(2|, 3)"}},
        {"fraction: denominator back into the numerator", u"1/2→", L,
         {"Div(1, 2|)", "Div(1, |2)", "Div(1|, 2)", "Div(|1, 2)", "|Div(1, 2)"}},
        {"power", u"x^2→", L, {"Pow(x, 2|)", "Pow(x, |2)", "Pow(x|, 2)", "|Pow(x, 2)"}},
        {"root: radicand, then index", u"sqrt9→", L,
         {"Root(2, 9|)", "Root(2, |9)", "Root(2|, 9)", "Root(|2, 9)", "|Root(2, 9)"}},
        {"parentheses", u"(x)", L, {"Parens(x|)", "Parens(|x)", "|Parens(x)"}},
        {"function: argument, after the name, front", u"sin2", L,
         {"sin(|2)", "sin|(2)", "|sin(2)"}},
        {"negation hands the arrow on", u"-x", L, {"|Neg(x)"}},
        {"placeholder keeps the cursor", u"", L, {"?|"}},
    });
}

TEST_F(CursorTest, RightWalks) {
    run({
        {"sum from the front to the end", u"12+x←←←←←", R,
         {"Add(|12, x)", "Add(1|2, x)", "Add(12|, x)", "Add|(12, x)", "Add(12, x|)", "Add(12, x|)"}},
        {"implicit product goes straight past the factor", u"2x←", R, {"Mul(2, x|)"}},
        {"explicit product stops after the dot", u"2*3←←←", R,
         {"Mul|(2, 3)", "Mul(2, |3)", "Mul(2, 3|)"}},
        {"fraction: numerator into the denominator, then after it", u"1/2←←", R,
         {"Div(1, |2)", "Div(1, 2|)", "Div(1, 2)|", "Div(1, 2)|"}},
        {"power: exponent, then after it", u"x^2", R, {"Pow(x, 2)|", "Pow(x, 2)|"}},
        {"function: after the name, into the argument", u"sin2←←←", R,
         {"sin|(2)", "sin(|2)", "sin(2|)", "sin(2|)"}},
        {"negation: after the minus, then after the operand", u"-x←", R, {"Neg|(x)", "Neg(x|)"}},
        {"parentheses from the front", u"(x)←←←", R,
         {"Parens(|x)", "Parens(x|)", "Parens(x)|", "Parens(x)|"}},
        {"placeholder keeps the cursor", u"", R, {"?|"}},
    });
}

TEST_F(CursorTest, ClickedFunctionNameMovesAfterTheName) {
    type(u"sin2");
    auto func = model.equation()->top();
    model.keyResponder()->setHasCursor(false);
    func->setCursorPosition(0);
    model.setKeyResponder(func);
    EXPECT_EQ(tree(), "|sin(2)");
    type(u"→");
    EXPECT_EQ(tree(), "sin|(2)");
}

TEST_F(CursorTest, ClickTargets) {
    auto x = geEditVar::varWithChar(u'x');
    auto two = geEditNum::numWithString("2");
    auto implicitProduct = geEditMul::mulWithLeft(two, x);
    auto root = geEdit::rootWithExpression(implicitProduct);
    EXPECT_EQ(implicitProduct->expForClick(), two) << "the gap puts the cursor after the 2";
    two->setHasCursor(false);
    auto explicitProduct = geEditMul::mulWithLeft(geEditNum::numWithString("2"), geEditNum::numWithString("3"));
    EXPECT_EQ(explicitProduct->expForClick(), explicitProduct);
    auto withPlaceholder = geEditMul::mulWithLeft(geEditEmpty::emptyExpression(), geEditVar::varWithChar(u'y'));
    EXPECT_EQ(withPlaceholder->expForClick(), withPlaceholder);
    EXPECT_EQ(x->expForClick(), x);
}

}  // namespace
}  // namespace editorTest
