// Node construction, links, tree queries and deep copies.
#include "editorTestSupport.h"

namespace editorTest {
namespace {

class CountingDelegate : public geEditDelegate {
public:
    bool stringInFunctionArray(const QString &) const override { return false; }
    double constantForString(const QString &) const override { return 0.0; }
};

TEST(NodeTest, NewEquationIsOnePlaceholder) {
    auto root = geEdit::rootWithExpression(geEditEmpty::emptyExpression());
    EXPECT_EQ(root->string(), "?");
    EXPECT_TRUE(root->containsEmpty());
    EXPECT_TRUE(root->isTerminal());
    EXPECT_EQ(root->top()->parent(), root.get());
}

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
    EXPECT_NE(geEditVar::varWithChar(u'\u00e9'), nullptr) << "Unicode letters are letters";
    EXPECT_NE(geEditVar::varWithChar(gePiChar), nullptr);
    for (char16_t c : std::u16string(u"kstxyzKSTXYZ"))
        EXPECT_TRUE(geEditVar::varWithChar(c)->containsVariable()) << char(c);
    for (char16_t c : std::u16string(u"eEabq\u03c0"))
        EXPECT_FALSE(geEditVar::varWithChar(c)->containsVariable()) << char(c);
}

TEST(NodeTest, QueriesWalkTheTree) {
    auto x = geEditVar::varWithChar(u'x');
    auto e = geEditEmpty::emptyExpression();
    auto sum = geEditAdd::addWithLeft(geEditNegative::negativeWithExpression(x), e);
    auto root = geEdit::rootWithExpression(sum);
    EXPECT_TRUE(root->containsEmpty());
    EXPECT_TRUE(root->containsVariable());
    EXPECT_FALSE(root->isTerminal());
    EXPECT_EQ(root->leftMostExpression()->kind(), geEditKind::Negative);
    EXPECT_EQ(root->rightMostExpression(), e);
    auto f = geEditFunc::funcWithExpression(geEditVar::varWithChar(u'y'), "sin");
    EXPECT_EQ(f->rightMostExpression()->string(), "y") << "a function's rightmost is in its argument";
    EXPECT_FALSE(geEditDiv::divWithLeft(x, e)->acceptsPower());
    EXPECT_FALSE(geEditPow::powWithLeft(x, e)->acceptsPower());
    EXPECT_TRUE(geEditRoot::rootWithLeft(x, e)->acceptsPower());
}

TEST(NodeTest, DelegateReachesEveryNodeAndNodesPutInLater) {
    CountingDelegate delegate;
    auto deep = geEditVar::varWithChar(u'x');
    auto tree = geEditDiv::divWithLeft(
        geEditFunc::funcWithExpression(geEditParens::parensWithExpression(deep), "sin"),
        geEditEmpty::emptyExpression());
    auto root = geEdit::rootWithExpression(tree);
    root->setDelegate(&delegate);
    EXPECT_EQ(deep->delegate(), &delegate);
    auto later = geEditNum::numWithString("3");
    auto div = std::static_pointer_cast<geEditDiv>(tree);
    div->replaceExpression(div->rightExp().get(), later);
    EXPECT_EQ(later->delegate(), &delegate);
    EXPECT_EQ(later->parent(), div.get());
    EXPECT_EQ(checkLinks(root.get()), "");
}

TEST(NodeTest, CopiesAreDeepAndIndependent) {
    auto root = geEdit::rootWithExpression(geEditComma::commaWithLeft(
        geEditRoot::rootWithLeft(geEditNum::numWithString("3"), geEditVar::varWithChar(gePiChar)),
        geEditFunc::funcWithExpression(geEditNegative::negativeWithExpression(geEditEmpty::emptyExpression()), "abs")));
    CountingDelegate delegate;
    root->setDelegate(&delegate);
    root->top()->setIsSelected(true);
    auto copy = root->copy();
    EXPECT_EQ(picture(copy.get()), "Comma(Root(3, pi), abs(Neg(?)))");
    EXPECT_EQ(copy->string(), root->string());
    EXPECT_EQ(copy->delegate(), nullptr);
    EXPECT_EQ(countSelected(copy.get()), 0);
    EXPECT_EQ(checkLinks(copy.get()), "");
    auto copiedRoot = std::static_pointer_cast<geEditBinaryOp>(copy->top())->leftExp();
    EXPECT_EQ(std::static_pointer_cast<geEditBinaryOp>(copiedRoot)->rightExp()->kind(), geEditKind::Var);
    auto copiedVar = std::static_pointer_cast<geEditVar>(std::static_pointer_cast<geEditBinaryOp>(copiedRoot)->rightExp());
    EXPECT_EQ(copiedVar->letter(), gePiChar);
    // Editing the copy leaves the original alone.
    auto copiedIndex = std::static_pointer_cast<geEditBinaryOp>(copiedRoot)->leftExp();
    copiedRoot->replaceExpression(copiedIndex.get(), geEditNum::numWithString("2"));
    EXPECT_EQ(copy->string(), "sqrt(pi) , abs((- ?))");
    EXPECT_EQ(root->string(), "root(pi, 3) , abs((- ?))");
}

TEST(NodeTest, CommonAncestorAndProductNeighbours) {
    auto a = geEditVar::varWithChar(u'a');
    auto b = geEditVar::varWithChar(u'b');
    auto c = geEditVar::varWithChar(u'c');
    auto d = geEditVar::varWithChar(u'd');
    auto ab = geEditMul::mulWithLeft(a, b);
    auto cd = geEditAdd::addWithLeft(c, d);
    auto top = geEditMul::mulWithLeft(ab, cd);
    auto root = geEdit::rootWithExpression(top);
    EXPECT_EQ(a->commonAncestorOf(a.get()), a);
    EXPECT_EQ(a->commonAncestorOf(b.get()), ab);
    EXPECT_EQ(c->commonAncestorOf(d.get()), cd);
    EXPECT_EQ(a->commonAncestorOf(d.get()), top);
    auto stranger = geEditVar::varWithChar(u'z');
    EXPECT_EQ(a->commonAncestorOf(stranger.get()), nullptr);
    // Neighbours within the enclosing product; "+" stops the search.
    EXPECT_EQ(top->expToRightOf(ab.get()), c);
    EXPECT_EQ(ab->expToRightOf(b.get()), c);
    EXPECT_EQ(ab->expToRightOf(a.get()), b);
    EXPECT_EQ(cd->expToLeftOf(c.get()), nullptr);
    EXPECT_EQ(top->expToLeftOf(cd.get()), b);
    EXPECT_EQ(root->expToRightOf(top.get()), nullptr);
}

TEST(NodeTest, ProductTextsFollowEdits) {
    auto s = geEditVar::varWithChar(u's');
    auto i = geEditVar::varWithChar(u'i');
    auto inner = geEditMul::mulWithLeft(i, geEditNum::numWithString("2"));
    auto top = geEditMul::mulWithLeft(s, inner);
    auto root = geEdit::rootWithExpression(top);
    EXPECT_EQ(top->mulString().value_or("null"), "si2");
    inner->replaceExpression(i.get(), geEditVar::varWithChar(u'q'));
    EXPECT_EQ(top->mulString().value_or("null"), "sq2") << "the rebuild runs up the chain";
    inner->replaceExpression(static_cast<geEditMul &>(*inner).rightExp().get(), geEditEmpty::emptyExpression());
    EXPECT_FALSE(top->mulString().has_value()) << "a placeholder breaks the letters";
    EXPECT_EQ(s->mulExpression(), top);
    EXPECT_EQ(geEditNum::numWithString("1")->mulExpression(), nullptr);
}

}  // namespace
}  // namespace editorTest

namespace editorTest {
namespace {

// A delegate that knows only "sin": the name cannot grow into "sinh".
class SinOnlyDelegate : public geEditDelegate {
public:
    bool stringInFunctionArray(const QString &name) const override { return name == "sin"; }
    double constantForString(const QString &name) const override { return name == "w" ? 4.0 : 0.0; }
};

TEST(NodeTest, KeysAskTheDelegateForFunctionNames) {
    SinOnlyDelegate delegate;
    auto x = geEditVar::varWithChar(u'x');
    auto root = geEdit::rootWithExpression(geEditFunc::funcWithExpression(x, "sin"));
    root->setDelegate(&delegate);
    // sin(x|) + "h" -> sin(x)·h|
    geEditPtr holder = x->cursorEnterFromRight()->keyDown(u'h');
    EXPECT_EQ(picture(root.get()), "Mul(sin(x), h|)");
    EXPECT_EQ(holder->string(), "h");
    auto w = geEditVar::varWithChar(u'w');
    w->setDelegate(&delegate);
    grExp *e = w->makeExp();
    EXPECT_EQ(expPicture(e), "4");
    grFreeExp(e);
}

TEST(NodeTest, ResignCursorHandsTheFlagOn) {
    auto a = geEditVar::varWithChar(u'a');
    auto b = geEditVar::varWithChar(u'b');
    EXPECT_EQ(a->resignCursor(b), b);
    EXPECT_FALSE(b->hasCursor()) << "a node without the cursor has nothing to hand on";
    a->holdCursor();
    EXPECT_EQ(a->resignCursor(b), b);
    EXPECT_FALSE(a->hasCursor());
    EXPECT_TRUE(b->hasCursor());
}

}  // namespace
}  // namespace editorTest
