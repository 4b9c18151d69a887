// Geometry of every node class with a font of exact metrics: ascender 12, descender -4,
// every glyph a rectangle (1, 0, 8, 10) advancing 10 unless a test sets it.
#include <QImage>
#include <QPainter>
#include <cmath>
#include <functional>

#include "editorTestSupport.h"
#include "layoutTestSupport.h"

namespace layoutTest {
namespace {

template <class T>
std::shared_ptr<T> as(const geEditPtr &node) {
    return std::static_pointer_cast<T>(node);
}

using Make = std::function<geEditPtr()>;
// Whether the path or one of its sub-paths passes through q.
bool onPath(const geBezierPath &p, QPointF q) {
    if (passesThrough(p, q)) return true;
    for (const auto &sub : p.pathlist())
        if (onPath(*sub, q)) return true;
    return false;
}
geEditPtr box(double w, double h, double c = 0) {
    return BoxNode::make(w, h, c);
}

class LayoutTest : public ::testing::Test {
protected:
    LayoutTest() {
        // "+" and the dot are 10 x 10 once scaled by 0.7.
        font.setGlyph(u'+', 16, QRectF(1, 2, 100.0 / 7, 100.0 / 7));
        font.setGlyph(u'\u2022', 16, QRectF(1, 2, 100.0 / 7, 100.0 / 7));
        font.setGlyph(u'(', 6, QRectF(1, -4, 5, 18));
        font.setGlyph(u')', 6, QRectF(0, -4, 5, 18));
        font.setGlyph(u',', 5, QRectF(1, -3, 3, 5));
    }
    std::unique_ptr<geBezierPath> layout(const geEditPtr &node, bool cursor = false,
                                         bool selection = false) {
        return node->renderWithFont(font, cursor, selection);
    }
    TestFont font;
};

// The boxes of the top path's parts in order, of the whole and the centre offset.
TEST_F(LayoutTest, PartsOfEachTemplate) {
    const struct {
        const char *name;
        Make node;
        std::vector<QRectF> parts;
        QRectF whole;
        double centerOffset;
    } cases[] = {
        // Operator box 13 x 16 at 6 after the left operand, the right one 6 after it.
        {"infix, equal heights",
         [] { return geEditAdd::addWithLeft(box(20, 30), box(25, 30)); },
         {{0, 0, 20, 30}, {26, 7, 13, 16}, {45, 0, 25, 30}},
         {0, 0, 70, 30},
         0},
        {"infix, taller left",
         [] { return geEditAdd::addWithLeft(box(20, 40), box(25, 30)); },
         {{0, 0, 20, 40}, {26, 12, 13, 16}, {45, 5, 25, 30}},
         {0, 0, 70, 40},
         0},
        {"infix, taller right",
         [] { return geEditAdd::addWithLeft(box(20, 30), box(25, 40)); },
         {{0, 5, 20, 30}, {26, 12, 13, 16}, {45, 0, 25, 40}},
         {0, 0, 70, 40},
         0},
        // The raised left operand makes the node 35 high; the centre line stays 15 up.
        {"infix, raised left",
         [] { return geEditAdd::addWithLeft(box(20, 30, 5), box(25, 30)); },
         {{0, 5, 20, 30}, {26, 7, 13, 16}, {45, 0, 25, 30}},
         {0, 0, 70, 35},
         2.5},
        // The comma at full size over the line height, desc - 1 to asc + 1.
        {"comma",
         [] { return geEditComma::commaWithLeft(box(20, 30), box(20, 40)); },
         {{0, 5, 20, 30}, {26, 11, 6, 18}, {38, 0, 20, 40}},
         {0, 0, 58, 40},
         0},
        // Centre lines meet: the power's 0.5 below its middle, the letter's in its middle.
        {"juxtaposition",
         [] { return geEditMul::mulWithLeft(box(10, 31, 0.5), box(10, 20)); },
         {{0, 0, 10, 31}, {16, 5, 10, 20}},
         {0, 0, 26, 31},
         0.5},
        // 62.5 x 25 and 37.5 x 25 are 50 x 20 and 30 x 20 at 0.8; one unit of space around.
        {"fraction",
         [] { return geEditDiv::divWithLeft(box(62.5, 25), box(37.5, 25)); },
         {{11, 1, 30, 20}, {1, 23, 50, 2}, {1, 27, 50, 20}},
         {0, 0, 52, 48},
         0},
        // The exponent at (22, 15) in a 30 x 31 box before 3 units below and above; the
        // base's own offset plays no part.
        {"power",
         [] { return geEditPow::powWithLeft(box(20, 30, 3), box(10, 20)); },
         {{0, 3, 20, 30}, {22, 18, 8, 16}},
         {0, 0, 31, 37},
         0.5},
        // Radicand, sign (ending 2.8 beyond it), index; centre (34 - 30) / 2 + 1.
        {"root",
         [] { return geEditRoot::rootWithLeft(box(10, 10), box(20, 30, 1)); },
         {{19.2, 1, 20, 30}, {0, 1, 42, 34}, {0, 23.5, 8, 8}},
         {0, 0, 45, 36},
         3},
        // "(" spans -2..42 around the child; the carets reach one unit further.
        {"brackets",
         [] { return geEditParens::parensWithExpression(box(20, 40, 2)); },
         {{0, 1, 5, 44}, {8, 3, 20, 40}, {31, 1, 5, 44}},
         {0, 0, 39, 46},
         2},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        auto node = c.node();
        auto p = layout(node);
        EXPECT_EQ(p->data(), node.get());
        ASSERT_EQ(p->pathlist().size(), c.parts.size());
        for (size_t i = 0; i < c.parts.size(); ++i)
            EXPECT_RECT(p->pathlist()[i]->bounds(), c.parts[i]) << i;
        EXPECT_RECT(p->bounds(), c.whole);
        EXPECT_DOUBLE_EQ(node->centerOffset(), c.centerOffset);
    }
    auto sum = as<geEditBinaryOp>(geEditAdd::addWithLeft(box(20, 30), box(25, 30)));
    EXPECT_EQ(layout(sum)->pathlist()[1]->data(), sum.get()) << "the operator belongs to the node";
    EXPECT_RECT(sum->rightBounds(), QRectF(45, 0, 25, 30));
    auto div = as<geEditBinaryOp>(geEditDiv::divWithLeft(box(62.5, 25), box(37.5, 25)));
    layout(div);
    EXPECT_RECT(div->leftBounds(), QRectF(0, 0, 50, 20));
}

// Where each class draws its caret: every point lies on the caret drawn with the cursor
// flag, and the first is on no element without it.
TEST_F(LayoutTest, Carets) {
    const struct {
        const char *name;
        Make node;
        int position;
        std::vector<QPointF> points;
    } cases[] = {
        {"after an operator",
         [] { return geEditAdd::addWithLeft(box(20, 30), box(25, 30)); },
         1,
         {{38, 23}, {38, 7}}},
        {"after a fraction",
         [] { return geEditDiv::divWithLeft(box(62.5, 25), box(37.5, 25)); },
         0,
         {{51, 48}, {51, 0}}},
        {"after a power",
         [] { return geEditPow::powWithLeft(box(20, 30, 3), box(10, 20)); },
         0,
         {{30, 37}, {30, 0}}},
        {"inside brackets",
         [] { return geEditParens::parensWithExpression(box(20, 40, 2)); },
         0,
         {{7, 0}}},
        {"after brackets",
         [] { return geEditParens::parensWithExpression(box(20, 40, 2)); },
         2,
         {{38, 0}}},
        {"after a letter", [] { return geEditVar::varWithChar(u'x'); }, 0, {{7, 0}, {7, 18}}},
        {"before the equation",
         [] { return geEdit::rootWithExpression(box(30, 20)); },
         0,
         {{1, 20}, {1, 0}}},
        {"after a minus",
         [] { return geEditNegative::negativeWithExpression(box(10, 20)); },
         0,
         {{8, 6}, {7, 14}}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        auto node = c.node();
        node->setHasCursor(true);
        node->setCursorPosition(c.position);
        for (QPointF q : c.points)
            EXPECT_TRUE(onPath(*layout(node, true), q)) << q.x() << ", " << q.y();
        EXPECT_FALSE(onPath(*layout(node, false), c.points[0]));
    }
}

TEST_F(LayoutTest, RaisedNegationChainOrFunctionIsDrawnInBrackets) {
    // Pow(-b, e), Pow(b + c, e) and Pow(sin b, e) are laid out with their base in brackets.
    for (const auto &base :
         std::vector<Make>{[] { return geEditNegative::negativeWithExpression(box(20, 30)); },
                           [] { return geEditAdd::addWithLeft(box(20, 30), box(10, 20)); },
                           [] { return geEditFunc::funcWithExpression(box(20, 30), "sin"); }}) {
        auto bare = geEditPow::powWithLeft(base(), box(10, 20));
        auto bracketed =
            geEditPow::powWithLeft(geEditParens::parensWithExpression(base()), box(10, 20));
        auto p = layout(bare), q = layout(bracketed);
        EXPECT_RECT(p->bounds(), q->bounds());
        EXPECT_RECT(p->pathlist()[1]->bounds(), q->pathlist()[1]->bounds());
        EXPECT_EQ(p->pathlist()[0]->data(), as<geEditBinaryOp>(bare)->leftExp().get());
    }
}

TEST_F(LayoutTest, ProductShowsItsDotOnlyBetweenNumbers) {
    const std::pair<const char *, bool> cases[] = {
        {"Mul(2, 3)", true},          {"Mul(?, 3)", true},  {"Mul(2, ?)", true},
        {"Mul(Add(x, 2), 3)", true},  {"Mul(2, x)", false}, {"Mul(x, 2)", false},
        {"Mul(2, Parens(x))", false},
    };
    for (const auto &[tree, dot] : cases) {
        SCOPED_TRACE(tree);
        auto product = editorTest::build(tree);
        auto p = layout(product);
        ASSERT_EQ(p->pathlist().size(), dot ? 3u : 2u);
        if (dot)
            EXPECT_EQ(p->pathlist()[1]->data(), product.get());
        else
            EXPECT_DOUBLE_EQ(p->pathlist()[1]->bounds().x(),
                             p->pathlist()[0]->bounds().width() + 6);
    }
}

TEST_F(LayoutTest, FunctionNameInItalicThenTheArgument) {
    TestFont italic;
    italic.setGlyph(u's', 7, QRectF(1, 0, 6, 10));
    font.setItalic(&italic);
    auto f = as<geEditFunc>(geEditFunc::funcWithString("sin"));
    auto p = layout(f);
    // The italic "s" advances 7, so the name's outlines end at 26 and its box, spaced, is
    // [0, 27] x [-5, 13]; the "?" box, 11 x 18, follows 8 units after it, centred on it.
    ASSERT_EQ(p->pathlist().size(), 1u);
    EXPECT_RECT(p->pathlist()[0]->bounds(), QRectF(35, 0, 11, 18));
    EXPECT_EQ(p->pathlist()[0]->data(), f->child().get());
    EXPECT_RECT(p->bounds(), QRectF(0, 0, 46, 18));
    EXPECT_RECT(f->bounds(), p->bounds());
    f->setHasCursor(true);
    f->setCursorPosition(1);
    EXPECT_TRUE(passesThrough(*layout(f, true), {26, 18})) << "sin|(x)";
    auto unnamed = geEditFunc::funcWithExpression(box(10, 10, 4), "");
    EXPECT_TRUE(layout(unnamed)->pathlist().empty());
    EXPECT_DOUBLE_EQ(as<geEditFunc>(unnamed)->child()->centerOffset(), 0) << "not laid out";
}

// sin(2)·x: an argument followed by another factor of the product is drawn in brackets,
// as a brackets node would draw it; last in the product it is drawn bare.
TEST_F(LayoutTest, FunctionFollowedInAProductShowsItsArgumentInBrackets) {
    const auto product = [](bool parens, bool functionFirst) {
        geEditPtr argument = parens ? geEditParens::parensWithExpression(box(20, 30)) : box(20, 30);
        geEditPtr f = geEditFunc::funcWithExpression(argument, "sin");
        return functionFirst ? geEditMul::mulWithLeft(f, box(10, 20))
                             : geEditMul::mulWithLeft(box(10, 20), f);
    };
    EXPECT_RECT(layout(product(false, true))->bounds(), layout(product(true, true))->bounds());
    EXPECT_LT(layout(product(false, false))->bounds().width(),
              layout(product(true, false))->bounds().width());
    // The argument's box is still the argument's own, inside the brackets.
    auto first = product(false, true);
    layout(first);
    auto f = as<geEditFunc>(as<geEditBinaryOp>(first)->leftExp());
    EXPECT_DOUBLE_EQ(f->expressionBounds().width(), 20);
    EXPECT_DOUBLE_EQ(f->expressionBounds().height(), 30);
}

TEST_F(LayoutTest, MinusBarOnTheOperandsCentreLine) {
    struct Case {
        double height, centerOffset, barBottom;
    };
    for (const Case &c : {Case{20, 0, 9.5}, Case{21, 0, 9.5}, Case{20, 3, 6.5}, Case{3, 0, 0.5}}) {
        SCOPED_TRACE(c.height + c.centerOffset / 10);
        auto neg = geEditNegative::negativeWithExpression(box(10, c.height, c.centerOffset));
        auto p = layout(neg);
        const QRectF operand = p->pathlist()[0]->bounds();
        const QRectF bar = p->elements().boundingRect();
        EXPECT_DOUBLE_EQ(bar.y() - operand.y(), c.barBottom);
        EXPECT_DOUBLE_EQ(bar.height(), 1);
        EXPECT_DOUBLE_EQ(bar.width(), 7);
        EXPECT_DOUBLE_EQ(operand.x() - bar.right(), 2);
        EXPECT_DOUBLE_EQ(neg->centerOffset(), c.centerOffset);
    }
}

TEST_F(LayoutTest, LeavesAndTheRoot) {
    // The glyph (1, 0, 8, 10) with the line at advance - 1 from -5 to 13: [1, 9] x [-5, 13].
    EXPECT_RECT(layout(geEditVar::varWithChar(u'x'))->bounds(), QRectF(0, 0, 8, 18));
    auto empty = geEditEmpty::emptyExpression();
    empty->setHasCursor(true);
    const int elements = layout(empty, false, true)->elements().elementCount();
    auto shown = layout(empty, true, true);
    EXPECT_EQ(shown->elements().elementCount(), elements) << "no caret bar";
    EXPECT_TRUE(shown->highlight());
    EXPECT_FALSE(layout(empty, true, false)->highlight()) << "laid out for hit testing";
    EXPECT_RECT(shown->bounds(), QRectF(0, 0, 11, 18));
    auto root = geEdit::rootWithExpression(box(30, 20));
    EXPECT_EQ(layout(root)->data(), root->top().get());
    EXPECT_EQ(geEdit().renderWithFont(font, true, true), nullptr);
    auto x = geEditVar::varWithChar(u'x');
    for (double advance : {10.0, 20.0, 10.0}) {
        // The glyph cache follows the font object; a new font may take a freed one's address.
        auto other = std::make_unique<TestFont>();
        other->setGlyph(u'x', advance, QRectF(1, 0, 8, 10));
        EXPECT_DOUBLE_EQ(x->renderWithFont(*other, false, false)->bounds().width(), advance - 2);
    }
}

// Two characters of advance 13.3: each half advance is cut to 6.
TEST_F(LayoutTest, NumberHitTesting) {
    font.setGlyph(u'1', 13.3, QRectF(1, 0, 10, 10));
    auto n = as<geEditNum>(geEditNum::numWithString("11"));
    layout(n);
    for (auto [x, position] : std::vector<std::pair<double, int>>{
             {-3, 0}, {5.9, 0}, {6, 1}, {17.9, 1}, {18, 2}, {100, 2}})
        EXPECT_EQ(n->positionAtPoint({x, 0}, font), position) << x;
    EXPECT_RECT(n->bounds(), QRectF(0, 0, 27.6, 18));

    // A click puts the caret at 1; drags from there select to either side, and a drag back
    // to the anchor leaves a plain caret.
    n->clickOnPoint({10 / 27.6, 0.5}, font);
    EXPECT_EQ(n->cursorPosition(), 1);
    for (const auto &[x, start, end] :
         {std::tuple{20.0, 1, 2}, std::tuple{1.0, 0, 1}, std::tuple{10.0, 0, 0}}) {
        n->dragToPoint({x / 27.6, 0.5}, font);
        EXPECT_EQ(n->isSelected(), start != end);
        EXPECT_EQ(n->hasCursor(), start == end);
        if (start != end) {
            EXPECT_EQ(std::pair(n->startSelection(), n->endSelection()), std::pair(start, end));
        }
    }
    EXPECT_EQ(n->cursorPosition(), 1);
}

// A digit that reaches left of its origin moves the laid-out box; clicks are measured
// from the pen positions, before that move.
TEST_F(LayoutTest, NumberHitTestingWithOverhang) {
    font.setGlyph(u'7', 13.3, QRectF(-2, 0, 12, 10));
    auto n = as<geEditNum>(geEditNum::numWithString("77"));
    layout(n);
    EXPECT_EQ(n->offset(), QPointF(2, 5));
    EXPECT_EQ(n->positionAtPoint({7.9, 0}, font), 0);
    EXPECT_EQ(n->positionAtPoint({8, 0}, font), 1);
    EXPECT_EQ(n->positionAtPoint({20, 0}, font), 2);
}

TEST_F(LayoutTest, NumberCaretAndSelection) {
    auto n = as<geEditNum>(geEditNum::numWithString("123"));
    n->setHasCursor(true);
    for (int position : {0, 2, 3}) {
        n->setCursorPosition(position);
        auto p = layout(n, true);
        const double x = 10 * position;
        EXPECT_TRUE(passesThrough(*p, {x, 0}) && passesThrough(*p, {x + 1, 18})) << position;
    }
    n->setIsSelected(true);
    EXPECT_TRUE(layout(n, false, true)->highlight()) << "all characters selected";
    n->setSelectedRange(1, 2);
    auto p = layout(n, false, true);
    EXPECT_FALSE(p->highlight());
    ASSERT_TRUE(p->subhighlight());
    EXPECT_RECT(p->subhighlightRectNow(), QRectF(10, 0, 10, 18));
    n->setSelectedRange(2, 3);
    EXPECT_RECT(layout(n, false, true)->subhighlightRectNow(), QRectF(20, 0, 10, 18));
    EXPECT_FALSE(layout(n, false, false)->subhighlight()) << "laid out for hit testing";

    // In a numerator the number is scaled by 0.8 and moved; its box goes with it.
    n->setSelectedRange(1, 2);
    auto div = geEditDiv::divWithLeft(n, BoxNode::make(40, 10));
    p = layout(div, false, true);
    const geBezierPath *number = p->pathForData(n.get());
    ASSERT_NE(number, nullptr);
    const QRectF b = number->bounds();
    EXPECT_RECT(b, QRectF(4.6, 15, 24.8, 14.4));
    EXPECT_RECT(number->subhighlightRectNow(), QRectF(b.x() + 8, b.y(), 8, b.height()));
}

// Archives may hold nodes with empty slots and letters of other lengths; a font may lack
// an outline for "(". Each lays out to a finite box; an empty slot's box stays a point at
// the origin wherever it is moved.
TEST_F(LayoutTest, IncompleteTreesLayOut) {
    const std::pair<const char *, double> cases[] = {
        {"Add(x, null)", 27},
        {"Mul(null, x)", 14},
        {"Div(null, null)", 2},
        {"Pow(null, x)", 9.4},
        {"Root(null, null)", 25},
        {"Parens(null)", 19},
        {"Neg(null)", 7},
        {"ln(null)", 20},
        {"ab", 18},
        {"", 0},
    };
    font.setGlyph(u'(', 6, QRectF(1, 0, 5, 0));
    for (const auto &[tree, width] : cases) {
        const QRectF b = layout(editorTest::build(tree), true, true)->bounds();
        EXPECT_TRUE(std::isfinite(b.height())) << tree;
        EXPECT_NEAR(b.width(), width, 1e-9) << tree;
    }
}

// As tall as keys may build a tree: every level moves the paths below it, and the pass,
// hit testing and painting reach the innermost letter.
TEST_F(LayoutTest, TallestTreeLaysOut) {
    auto x = geEditVar::varWithChar(u'x');
    geEditPtr node = x;
    for (int level = 1; level < geMaxTreeHeight; ++level) {
        switch (level % 4) {
            case 0: node = geEditNegative::negativeWithExpression(node); break;
            case 1: node = geEditParens::parensWithExpression(node); break;
            case 2: node = geEditPow::powWithLeft(node, geEditNum::numWithString("2")); break;
            default: node = geEditAdd::addWithLeft(geEditNum::numWithString("1"), node); break;
        }
    }
    auto root = geEdit::rootWithExpression(node);
    ASSERT_EQ(root->height(), geMaxTreeHeight + 1);
    auto p = layout(root, true, true);
    geBezierPath *letter = p->pathForData(x.get());
    ASSERT_NE(letter, nullptr);
    const QRectF b = letter->bounds();
    EXPECT_DOUBLE_EQ(b.width(), 8);
    EXPECT_DOUBLE_EQ(b.height(), 18);
    EXPECT_EQ(p->pathAtPoint(b.center()), letter);
    QImage image(64, 64, QImage::Format_ARGB32);
    QPainter painter(&image);
    p->fill(painter);
}

}  // namespace
}  // namespace layoutTest
