// Geometry of every node class with a font of exact metrics: ascender 12, descender -4,
// every glyph a rectangle (1, 0, 8, 10) advancing 10 unless a test sets it.
#include <QImage>
#include <QPainter>
#include <cmath>
#include <functional>

#include "layoutTestSupport.h"

namespace layoutTest {
namespace {

template <class T>
std::shared_ptr<T> as(const geEditPtr &node) {
    return std::static_pointer_cast<T>(node);
}

class LayoutTest : public ::testing::Test {
protected:
    LayoutTest() {
        // "+" is 10 x 10 once scaled by 0.7.
        font.setGlyph(u'+', 16, QRectF(1, 2, 100.0 / 7, 100.0 / 7));
        font.setGlyph(u'\u2022', 16, QRectF(1, 2, 100.0 / 7, 100.0 / 7));
        font.setGlyph(u'(', 6, QRectF(1, -4, 5, 18));
        font.setGlyph(u')', 6, QRectF(0, -4, 5, 18));
    }
    std::unique_ptr<geBezierPath> layout(const geEditPtr &node, bool cursor = false, bool selection = false) {
        return node->renderWithFont(font, cursor, selection);
    }
    TestFont font;
};

TEST_F(LayoutTest, InfixOperatorBetweenOperands) {
    struct Case {
        const char *name;
        double lh, lc, rh, rc;
        double operatorY, rightY, height, centerOffset;
    };
    const std::vector<Case> cases = {
        {"equal heights", 30, 0, 30, 0, 7, 0, 30, 0},
        {"taller left operand", 40, 0, 30, 0, 12, 5, 40, 0},
        {"taller right operand", 30, 0, 40, 0, 12, 0, 40, 0},
        // The left operand is raised by its offset: the node is 35 high and its centre line
        // stays where both operands meet, 15 above the bottom.
        {"raised left operand", 30, 5, 30, 0, 7, 0, 35, 2.5},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        auto sum = geEditAdd::addWithLeft(BoxNode::make(20, c.lh, c.lc), BoxNode::make(25, c.rh, c.rc));
        auto p = layout(sum);
        ASSERT_EQ(p->pathlist().size(), 3u);
        EXPECT_EQ(p->data(), sum.get());
        EXPECT_EQ(p->pathlist()[1]->data(), sum.get());
        EXPECT_RECT(p->pathlist()[1]->bounds(), QRectF(26, c.operatorY, 13, 16));
        EXPECT_RECT(p->pathlist()[2]->bounds(), QRectF(45, c.rightY, 25, c.rh));
        EXPECT_RECT(p->bounds(), QRectF(0, 0, 70, c.height));
        EXPECT_DOUBLE_EQ(sum->centerOffset(), c.centerOffset);
        EXPECT_RECT(as<geEditBinaryOp>(sum)->rightBounds(), QRectF(45, c.rightY, 25, c.rh));
    }
}

TEST_F(LayoutTest, InfixCaretAfterTheOperator) {
    auto sum = geEditAdd::addWithLeft(BoxNode::make(20, 30), BoxNode::make(25, 30));
    sum->setHasCursor(true);
    // The caret [w + 2, w + 3] x [-3, h + 3] of the operator's box, placed at (26, 7).
    for (bool cursor : {false, true}) {
        auto p = layout(sum, cursor);
        const geBezierPath &op = *p->pathlist()[1];
        EXPECT_EQ(passesThrough(op, {38, 23}), cursor);
        EXPECT_EQ(passesThrough(op, {38, 7}), cursor);
        EXPECT_TRUE(passesThrough(op, {39, 23})) << "the invisible line";
    }
}

TEST_F(LayoutTest, CommaAtFullSizeOverTheLineHeight) {
    font.setGlyph(u',', 5, QRectF(1, -3, 3, 5));
    auto list = geEditComma::commaWithLeft(BoxNode::make(20, 30, 0), BoxNode::make(20, 40, 0));
    auto p = layout(list);
    // The comma is 3 x 5; its box runs from desc - 1 to asc + 1: 6 x 18, centred on 20.
    EXPECT_RECT(p->pathlist()[1]->bounds(), QRectF(26, 11, 6, 18));
    EXPECT_RECT(p->pathlist()[2]->bounds(), QRectF(38, 0, 20, 40));
    EXPECT_DOUBLE_EQ(list->centerOffset(), 0);
}

TEST_F(LayoutTest, ProductShowsItsDotOnlyBetweenNumbers) {
    struct Case {
        const char *name;
        geEditPtr left, right;
        bool dot;
    };
    auto num = [](const char *t) { return geEditNum::numWithString(t); };
    auto var = [](char16_t c) { return geEditVar::varWithChar(c); };
    const std::vector<Case> cases = {
        {"number times number", num("2"), num("3"), true},
        {"placeholder times number", geEditEmpty::emptyExpression(), num("3"), true},
        {"number times placeholder", num("2"), geEditEmpty::emptyExpression(), true},
        {"sum ending in a number times a number",
         geEditAdd::addWithLeft(var(u'x'), num("2")), num("3"), true},
        {"number times letter", num("2"), var(u'x'), false},
        {"letter times number", var(u'x'), num("2"), false},
        {"number times brackets", num("2"), geEditParens::parensWithExpression(var(u'x')), false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        auto product = geEditMul::mulWithLeft(c.left, c.right);
        auto p = layout(product);
        ASSERT_EQ(p->pathlist().size(), c.dot ? 3u : 2u);
        const double lw = p->pathlist()[0]->bounds().width();
        const double rightX = p->pathlist().back()->bounds().x();
        if (c.dot) EXPECT_EQ(p->pathlist()[1]->data(), product.get());
        else EXPECT_DOUBLE_EQ(rightX, lw + 6);
    }
}

TEST_F(LayoutTest, JuxtapositionLinesUpCentres) {
    // A power (centre 0.5 below its middle) times a letter: both centre lines meet.
    auto product = geEditMul::mulWithLeft(BoxNode::make(10, 31, 0.5), BoxNode::make(10, 20, 0));
    auto p = layout(product);
    const QRectF l = p->pathlist()[0]->bounds(), r = p->pathlist()[1]->bounds();
    EXPECT_DOUBLE_EQ(l.y() + l.height() / 2 - 0.5, r.y() + r.height() / 2);
    EXPECT_DOUBLE_EQ(product->centerOffset(), 0.5);
    EXPECT_DOUBLE_EQ(p->bounds().height(), 31);
}

TEST_F(LayoutTest, FractionStacksScaledOperandsOnTheBar) {
    // 62.5 x 25 and 37.5 x 25 are 50 x 20 and 30 x 20 at 0.8.
    auto div = geEditDiv::divWithLeft(BoxNode::make(62.5, 25), BoxNode::make(37.5, 25));
    div->setHasCursor(true);
    auto p = layout(div, true);
    ASSERT_EQ(p->pathlist().size(), 3u);
    // One unit of space on every side moves everything by (1, 1).
    EXPECT_RECT(p->pathlist()[0]->bounds(), QRectF(11, 1, 30, 20)) << "denominator";
    EXPECT_RECT(p->pathlist()[1]->bounds(), QRectF(1, 23, 50, 2)) << "bar";
    EXPECT_RECT(p->pathlist()[2]->bounds(), QRectF(1, 27, 50, 20)) << "numerator";
    EXPECT_RECT(p->bounds(), QRectF(0, 0, 52, 48));
    EXPECT_TRUE(passesThrough(*p, {51, 48}));
    EXPECT_TRUE(passesThrough(*p, {51, 0}));
    EXPECT_DOUBLE_EQ(div->centerOffset(), 0);
    EXPECT_RECT(as<geEditBinaryOp>(div)->leftBounds(), QRectF(0, 0, 50, 20));
}

TEST_F(LayoutTest, PowerRaisesTheScaledExponent) {
    auto pow = geEditPow::powWithLeft(BoxNode::make(20, 30, 3), BoxNode::make(10, 20));
    pow->setHasCursor(true);
    auto p = layout(pow, true);
    // Before the spacing of 3 below and above, the exponent stands at (22, 15) and the box
    // is 30 x 31; the base's own offset plays no part.
    EXPECT_RECT(p->pathlist()[1]->bounds(), QRectF(22, 18, 8, 16));
    EXPECT_RECT(p->pathlist()[0]->bounds(), QRectF(0, 3, 20, 30));
    EXPECT_RECT(p->bounds(), QRectF(0, 0, 31, 37));
    EXPECT_DOUBLE_EQ(pow->centerOffset(), 0.5);
    EXPECT_TRUE(passesThrough(*p, {30, 37}));
    EXPECT_TRUE(passesThrough(*p, {30, 0}));
}

TEST_F(LayoutTest, RaisedNegationOrChainIsDrawnInBrackets) {
    // Pow(-b, e) and Pow(b + c, e) are laid out as Pow((-b), e) and Pow((b + c), e).
    const std::vector<std::function<geEditPtr()>> bases = {
        [] { return geEditNegative::negativeWithExpression(BoxNode::make(20, 30)); },
        [] { return geEditAdd::addWithLeft(BoxNode::make(20, 30), BoxNode::make(10, 20)); },
    };
    for (const auto &base : bases) {
        auto bare = geEditPow::powWithLeft(base(), BoxNode::make(10, 20));
        auto bracketed = geEditPow::powWithLeft(geEditParens::parensWithExpression(base()), BoxNode::make(10, 20));
        auto p = layout(bare), q = layout(bracketed);
        EXPECT_RECT(p->bounds(), q->bounds());
        EXPECT_RECT(p->pathlist()[1]->bounds(), q->pathlist()[1]->bounds());
        EXPECT_EQ(p->pathlist()[0]->data(), as<geEditBinaryOp>(bare)->leftExp().get());
    }
    auto letter = geEditPow::powWithLeft(BoxNode::make(20, 30), BoxNode::make(10, 20));
    EXPECT_RECT(layout(letter)->pathlist()[0]->bounds(), QRectF(0, 3, 20, 30)) << "no brackets";
}

TEST_F(LayoutTest, RootSignSpansTheRadicand) {
    auto root = geEditRoot::rootWithLeft(BoxNode::make(10, 10), BoxNode::make(20, 30, 1));
    auto p = layout(root);
    ASSERT_EQ(p->pathlist().size(), 3u);
    const QRectF radicand = p->pathlist()[0]->bounds(), sign = p->pathlist()[1]->bounds();
    const QRectF index = p->pathlist()[2]->bounds();
    EXPECT_RECT(radicand, QRectF(19.2, 1, 20, 30));
    EXPECT_RECT(sign, QRectF(0, 1, 42, 34));
    EXPECT_NEAR(sign.right() - radicand.right(), 2.8, 1e-9);
    EXPECT_RECT(index, QRectF(0, 23.5, 8, 8));
    EXPECT_RECT(p->bounds(), QRectF(0, 0, 45, 36));
    EXPECT_DOUBLE_EQ(root->centerOffset(), 3) << "(34 - 30) / 2 + the radicand's 1";
    EXPECT_TRUE(passesThrough(*p->pathlist()[1], {12, 1})) << "the sign's vertex";
}

TEST_F(LayoutTest, ParenthesesStretchOverTheChild) {
    auto inner = BoxNode::make(20, 40, 2);
    auto parens = geEditParens::parensWithExpression(inner);
    parens->setHasCursor(true);
    for (int position : {0, 2}) {
        SCOPED_TRACE(position);
        parens->setCursorPosition(position);
        auto p = layout(parens, true);
        ASSERT_EQ(p->pathlist().size(), 3u);
        // "(" spans -2..42 around the child at 0..40; the carets reach one unit further,
        // so the final box starts 3 below the bracket.
        EXPECT_RECT(p->pathlist()[0]->bounds(), QRectF(0, 1, 5, 44));
        EXPECT_RECT(p->pathlist()[1]->bounds(), QRectF(8, 3, 20, 40));
        EXPECT_RECT(p->pathlist()[2]->bounds(), QRectF(31, 1, 5, 44));
        EXPECT_RECT(p->bounds(), QRectF(0, 0, 39, 46));
        EXPECT_EQ(passesThrough(*p, {7, 0}), position == 0) << "just left of the child";
        EXPECT_EQ(passesThrough(*p, {38, 0}), position == 2) << "after the )";
        EXPECT_DOUBLE_EQ(parens->centerOffset(), 2);
    }
}

TEST_F(LayoutTest, FunctionNameInItalicThenTheArgument) {
    TestFont italic;
    italic.setGlyph(u's', 7, QRectF(1, 0, 6, 10));
    font.setItalic(&italic);
    auto f = as<geEditFunc>(geEditFunc::funcWithString("sin"));
    auto p = layout(f);
    // The name part: the italic "s" advances 7, so the outlines end at 26 and the box,
    // spaced, is [0, 27] x [-5, 13]. The "?" box, [0, 11] x [-5, 13], follows 8 units
    // after it, centred on it.
    ASSERT_EQ(p->pathlist().size(), 1u);
    EXPECT_RECT(p->pathlist()[0]->bounds(), QRectF(35, 0, 11, 18));
    EXPECT_EQ(p->pathlist()[0]->data(), f->child().get());
    EXPECT_RECT(p->bounds(), QRectF(0, 0, 46, 18));
    EXPECT_RECT(f->bounds(), p->bounds());

    f->setHasCursor(true);
    f->setCursorPosition(1);
    p = layout(f, true);
    EXPECT_TRUE(passesThrough(*p, {26, 0}) && passesThrough(*p, {26, 18})) << "sin|(x)";

    auto unnamed = geEditFunc::funcWithExpression(BoxNode::make(10, 10, 4), "");
    p = layout(unnamed);
    EXPECT_TRUE(p->pathlist().empty());
    EXPECT_RECT(p->bounds(), QRectF(0, 0, 0, 0));
    EXPECT_DOUBLE_EQ(as<geEditFunc>(unnamed)->child()->centerOffset(), 0) << "not laid out";
}

TEST_F(LayoutTest, MinusBarOnTheOperandsCentreLine) {
    struct Case {
        double height, centerOffset, barBottom;
    };
    for (const Case &c : {Case{20, 0, 9.5}, Case{21, 0, 9.5}, Case{20, 3, 6.5}, Case{3, 0, 0.5}}) {
        SCOPED_TRACE(c.height + c.centerOffset / 10);
        auto neg = geEditNegative::negativeWithExpression(BoxNode::make(10, c.height, c.centerOffset));
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

TEST_F(LayoutTest, LeavesAndTheRootCaret) {
    auto x = geEditVar::varWithChar(u'x');
    x->setHasCursor(true);
    auto p = layout(x, true);
    // The glyph (1, 0, 8, 10) with the line at advance - 1 from -5 to 13: [1, 9] x [-5, 13].
    EXPECT_RECT(p->bounds(), QRectF(0, 0, 8, 18));
    EXPECT_TRUE(passesThrough(*p, {7, 0}) && passesThrough(*p, {7, 18})) << "x|";

    auto empty = geEditEmpty::emptyExpression();
    empty->setHasCursor(true);
    const int elements = layout(empty, false, true)->elements().elementCount();
    auto shown = layout(empty, true, true);
    EXPECT_EQ(shown->elements().elementCount(), elements) << "no caret bar";
    EXPECT_TRUE(shown->highlight());
    EXPECT_FALSE(layout(empty, true, false)->highlight()) << "laid out for hit testing";
    EXPECT_RECT(shown->bounds(), QRectF(0, 0, 11, 18));

    auto root = geEdit::rootWithExpression(BoxNode::make(30, 20));
    root->setHasCursor(true);
    p = layout(root, true);
    EXPECT_EQ(p->data(), root->top().get());
    EXPECT_TRUE(passesThrough(*p, {1, 20}) && passesThrough(*p, {1, 0})) << "|...";
    EXPECT_EQ(geEdit().renderWithFont(font, true, true), nullptr);
}

TEST_F(LayoutTest, GlyphCachesFollowTheFontObject) {
    auto x = geEditVar::varWithChar(u'x');
    for (double advance : {10.0, 20.0, 10.0}) {
        // A font made after another was freed may take its address.
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

    n->clickOnPoint({10 / 27.6, 0.5}, font);
    EXPECT_EQ(n->cursorPosition(), 1);
    n->dragToPoint({20 / 27.6, 0.5}, font);
    EXPECT_TRUE(n->isSelected());
    EXPECT_FALSE(n->hasCursor());
    EXPECT_EQ(n->startSelection(), 1);
    EXPECT_EQ(n->endSelection(), 2);
    n->dragToPoint({1 / 27.6, 0.5}, font);
    EXPECT_EQ(n->startSelection(), 0);
    EXPECT_EQ(n->endSelection(), 1);
    n->dragToPoint({10 / 27.6, 0.5}, font);
    EXPECT_FALSE(n->isSelected());
    EXPECT_TRUE(n->hasCursor()) << "back at the anchor: a caret again";
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
    auto x = [] { return geEditVar::varWithChar(u'x'); };
    struct Case {
        const char *name;
        geEditPtr node;
        double width;
    };
    const std::vector<Case> cases = {
        {"sum without right operand", geEditAdd::addWithLeft(x(), nullptr), 27},
        {"product without left operand", geEditMul::mulWithLeft(nullptr, x()), 14},
        {"empty fraction", geEditDiv::divWithLeft(nullptr, nullptr), 2},
        {"power without base", geEditPow::powWithLeft(nullptr, x()), 9.4},
        {"empty root", geEditRoot::rootWithLeft(nullptr, nullptr), 25},
        {"empty parentheses", geEditParens::parensWithExpression(nullptr), 19},
        {"empty negation", geEditNegative::negativeWithExpression(nullptr), 7},
        {"function without argument", geEditFunc::funcWithExpression(nullptr, "ln"), 20},
        {"two-letter variable", geEditVar::varWithString("ab"), 18},
        {"empty variable", geEditVar::varWithString(""), 0},
    };
    font.setGlyph(u'(', 6, QRectF(1, 0, 5, 0));
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const QRectF b = layout(c.node, true, true)->bounds();
        EXPECT_TRUE(std::isfinite(b.width()) && std::isfinite(b.height()));
        EXPECT_NEAR(b.width(), c.width, 1e-9);
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
