// Node construction, links, tree queries and deep copies.
#include "editorTestSupport.h"

namespace editorTest {
namespace {

// Knows only "sin", so the name cannot grow into "sinh"; w is worth 4.
class SinOnlyDelegate : public geEditDelegate {
public:
    bool stringInFunctionArray(const QString &name) const override { return name == "sin"; }
    double constantForString(const QString &name) const override { return name == "w" ? 4.0 : 0.0; }
};

TEST(NodeTest, NumberTextAndCursorFromTheGivenText) {
    auto point = std::static_pointer_cast<geEditNum>(geEditNum::numWithString("."));
    EXPECT_EQ(point->text(), "0.");
    EXPECT_EQ(point->cursorPosition(), 0);
    auto n = std::static_pointer_cast<geEditNum>(geEditNum::numWithString("125"));
    EXPECT_EQ(n->cursorPosition(), 2);
    EXPECT_EQ(n->number(), 125.0);
    n->setIsSelected(true);
    EXPECT_EQ(n->selectedString(), "125");
    n->setIsSelected(false);
    EXPECT_EQ(n->selectedString(), "") << "an ended selection keeps no range";
}

TEST(NodeTest, VariableLetters) {
    EXPECT_EQ(geEditVar::varWithChar(u'1'), nullptr);
    EXPECT_EQ(geEditVar::varWithChar(u'+'), nullptr);
    for (char16_t c : std::u16string(u"kstxyzKSTXYZ"))
        EXPECT_TRUE(geEditVar::varWithChar(c)->containsVariable()) << char(c);
    // Unicode letters are letters; only the twelve above are variables.
    for (char16_t c : std::u16string(u"eEabq\u03c0\u00e9\u212a"))
        EXPECT_FALSE(geEditVar::varWithChar(c)->containsVariable()) << int(c);
}

TEST(NodeTest, QueriesWalkTheTree) {
    const struct {
        const char *tree;
        bool empty, variable, terminal, power;
        const char *leftMost, *rightMost;
    } cases[] = {
        {"?", true, false, true, true, "?", "?"},
        {"Add(Neg(x), ?)", true, true, false, true, "Neg(x)", "?"},
        {"sin(y)", false, true, false, true, "sin(y)", "y"},
        {"Div(1, 2)", false, false, false, false, "Div(1, 2)", "Div(1, 2)"},
        {"Pow(a, 2)", false, false, false, false, "Pow(a, 2)", "Pow(a, 2)"},
        {"Root(2, a)", false, false, false, true, "Root(2, a)", "Root(2, a)"},
    };
    for (const auto &c : cases) {
        auto root = geEdit::rootWithExpression(build(c.tree));
        EXPECT_EQ(root->top()->parent(), root.get());
        EXPECT_EQ(root->containsEmpty(), c.empty) << c.tree;
        EXPECT_EQ(root->containsVariable(), c.variable) << c.tree;
        EXPECT_EQ(root->isTerminal(), c.terminal) << c.tree;
        EXPECT_EQ(root->top()->acceptsPower(), c.power) << c.tree;
        EXPECT_EQ(picture(root->leftMostExpression().get()), c.leftMost);
        EXPECT_EQ(picture(root->rightMostExpression().get()), c.rightMost);
    }
}

TEST(NodeTest, DelegateReachesEveryNodeAndNodesPutInLater) {
    SinOnlyDelegate delegate;
    auto tree = std::static_pointer_cast<geEditDiv>(build("Div(sin(Parens(x)), ?)"));
    auto root = geEdit::rootWithExpression(tree);
    root->setDelegate(&delegate);
    auto later = geEditNum::numWithString("3");
    tree->replaceExpression(tree->rightExp().get(), later);
    EXPECT_EQ(later->delegate(), &delegate);
    EXPECT_EQ(later->parent(), tree.get());
    EXPECT_EQ(checkLinks(root.get()), "") << "every node has the root's delegate";
}

TEST(NodeTest, CopiesAreDeepAndIndependent) {
    SinOnlyDelegate delegate;
    auto root = geEdit::rootWithExpression(build("Comma(Root(3, pi), abs(Neg(?)))"));
    root->setDelegate(&delegate);
    root->top()->setIsSelected(true);
    auto copy = root->copy();
    EXPECT_EQ(picture(copy.get()), "Comma(Root(3, pi), abs(Neg(?)))");
    EXPECT_EQ(copy->delegate(), nullptr);
    EXPECT_EQ(countSelected(copy.get()), 0);
    EXPECT_EQ(checkLinks(copy.get()), "");
    auto copiedRoot = std::static_pointer_cast<geEditBinaryOp>(
        std::static_pointer_cast<geEditBinaryOp>(copy->top())->leftExp());
    EXPECT_EQ(std::static_pointer_cast<geEditVar>(copiedRoot->rightExp())->letter(), gePiChar);
    copiedRoot->replaceExpression(copiedRoot->leftExp().get(), geEditNum::numWithString("2"));
    EXPECT_EQ(copy->string(), "sqrt(pi) , abs((- ?))");
    EXPECT_EQ(root->string(), "root(pi, 3) , abs((- ?))") << "the original is untouched";
}

TEST(NodeTest, CommonAncestorAndProductNeighbours) {
    auto top = std::static_pointer_cast<geEditBinaryOp>(build("Mul(Mul(a, b), Add(c, d))"));
    auto root = geEdit::rootWithExpression(top);
    auto ab = std::static_pointer_cast<geEditBinaryOp>(top->leftExp());
    auto cd = std::static_pointer_cast<geEditBinaryOp>(top->rightExp());
    const auto &a = ab->leftExp(), &b = ab->rightExp(), &c = cd->leftExp(), &d = cd->rightExp();
    EXPECT_EQ(a->commonAncestorOf(a.get()), a);
    EXPECT_EQ(a->commonAncestorOf(b.get()), ab);
    EXPECT_EQ(a->commonAncestorOf(d.get()), top);
    EXPECT_EQ(a->commonAncestorOf(geEditVar::varWithChar(u'z').get()), nullptr);
    // Neighbours within the enclosing product; "+" stops the search.
    EXPECT_EQ(ab->expToRightOf(b.get()), c);
    EXPECT_EQ(ab->expToRightOf(a.get()), b);
    EXPECT_EQ(cd->expToLeftOf(c.get()), nullptr);
    EXPECT_EQ(top->expToLeftOf(cd.get()), b);
    EXPECT_EQ(root->expToRightOf(top.get()), nullptr);
}

TEST(NodeTest, ProductTextsFollowEdits) {
    auto top = std::static_pointer_cast<geEditMul>(build("Mul(s, Mul(i, 2))"));
    auto root = geEdit::rootWithExpression(top);
    auto inner = std::static_pointer_cast<geEditBinaryOp>(top->rightExp());
    EXPECT_EQ(top->mulString().value_or("null"), "si2");
    inner->replaceExpression(inner->leftExp().get(), geEditVar::varWithChar(u'q'));
    EXPECT_EQ(top->mulString().value_or("null"), "sq2") << "the rebuild runs up the chain";
    inner->replaceExpression(inner->rightExp().get(), geEditEmpty::emptyExpression());
    EXPECT_FALSE(top->mulString().has_value()) << "a placeholder breaks the letters";
    EXPECT_EQ(top->leftExp()->mulExpression(), top);
    EXPECT_EQ(geEditNum::numWithString("1")->mulExpression(), nullptr);
}

TEST(NodeTest, KeysAskTheDelegateForNamesAndConstants) {
    SinOnlyDelegate delegate;
    auto x = geEditVar::varWithChar(u'x');
    auto root = geEdit::rootWithExpression(geEditFunc::funcWithExpression(x, "sin"));
    root->setDelegate(&delegate);
    EXPECT_EQ(x->cursorEnterFromRight()->keyDown(u'h')->string(), "h");
    EXPECT_EQ(picture(root.get()), "Mul(sin(x), h|)") << "sin(x|) + h";
    auto w = geEditVar::varWithChar(u'w');
    w->setDelegate(&delegate);
    EXPECT_EQ(converted(w), "4");
}

}  // namespace
}  // namespace editorTest
