// Arrow walks: each row types an equation, then presses one arrow repeatedly and lists the
// picture after every press.
#include "editorTestSupport.h"

namespace editorTest {
namespace {

struct Walk {
    std::u16string keys;
    char16_t arrow;
    std::vector<std::string> pictures;
};

constexpr char16_t L = u'←';
constexpr char16_t R = u'→';

TEST_F(EditorTest, ArrowWalks) {
    const Walk walks[] = {
        {u"12+x",
         L,
         {"Add|(12, x)", "Add(12|, x)", "Add(1|2, x)", "Add(|12, x)", "|Add(12, x)",
          "|Add(12, x)"}},
        {u"12+x←←←←←",
         R,
         {"Add(|12, x)", "Add(1|2, x)", "Add(12|, x)", "Add|(12, x)", "Add(12, x|)",
          "Add(12, x|)"}},
        {u"2x", L, {"Mul(2|, x)", "Mul(|2, x)", "|Mul(2, x)"}},  // an implicit product is one stop
        {u"2x←", R, {"Mul(2, x|)"}},
        {u"2*3",
         L,
         {"Mul(2, |3)", "Mul|(2, 3)", "Mul(2|, 3)"}},  // an explicit one stops after the dot
        {u"2*3←←←", R, {"Mul|(2, 3)", "Mul(2, |3)", "Mul(2, 3|)"}},
        {u"1/2→", L, {"Div(1, 2|)", "Div(1, |2)", "Div(1|, 2)", "Div(|1, 2)", "|Div(1, 2)"}},
        {u"1/2←←", R, {"Div(1, |2)", "Div(1, 2|)", "Div(1, 2)|", "Div(1, 2)|"}},
        {u"x^2→", L, {"Pow(x, 2|)", "Pow(x, |2)", "Pow(x|, 2)", "|Pow(x, 2)"}},
        {u"x^2", R, {"Pow(x, 2)|", "Pow(x, 2)|"}},
        {u"sqrt9→", L, {"Root(2, 9|)", "Root(2, |9)", "Root(2|, 9)", "Root(|2, 9)", "|Root(2, 9)"}},
        {u"(x)", L, {"Parens(x|)", "Parens(|x)", "|Parens(x)"}},
        {u"(x)←←←", R, {"Parens(|x)", "Parens(x|)", "Parens(x)|", "Parens(x)|"}},
        {u"sin2", L, {"sin(|2)", "sin|(2)", "|sin(2)"}},
        {u"sin2←←←", R, {"sin|(2)", "sin(|2)", "sin(2|)", "sin(2|)"}},
        {u"-x", L, {"|Neg(x)"}},  // the letter hands the arrow to the negation
        {u"-x←", R, {"Neg|(x)", "Neg(x|)"}},
        {u"", L, {"?|"}},
        {u"", R, {"?|"}},
    };
    for (const auto &w : walks) {
        SCOPED_TRACE(QString::fromStdU16String(w.keys + w.arrow).toStdString());
        clear();
        type(w.keys);
        for (const auto &expected : w.pictures) {
            type(std::u16string(1, w.arrow));
            EXPECT_EQ(tree(), expected);
        }
    }
}

TEST_F(EditorTest, ClickedFunctionNameMovesAfterTheName) {
    type(u"sin2");
    auto func = model.equation()->top();
    model.keyResponder()->setHasCursor(false);
    func->setCursorPosition(0);
    model.setKeyResponder(func);
    EXPECT_EQ(tree(), "|sin(2)");
    type(u"→");
    EXPECT_EQ(tree(), "sin|(2)");
}

TEST(CursorTest, ClickTargets) {
    // The gap of an implicit product puts the cursor after its left factor; a product with
    // its dot or with a placeholder, and every other node, is its own target.
    for (const auto &[tree, target] :
         {std::pair{"Mul(2, x)", "2|"}, std::pair{"Mul(2, 3)", "Mul|(2, 3)"},
          std::pair{"Mul(?, y)", "Mul|(?, y)"}, std::pair{"x", "x"}}) {
        auto node = build(tree);
        auto root = geEdit::rootWithExpression(node);
        geEditPtr answer = node->expForClick();
        if (answer != node || answer->isKind(geEditKind::Mul)) answer->setHasCursor(true);
        EXPECT_EQ(picture(answer.get()), target) << tree;
    }
}

}  // namespace
}  // namespace editorTest
