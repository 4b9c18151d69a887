// Layout of the nodes with two children: infix operators, products, fractions, powers
// and roots.
#include <algorithm>

#include "equationEditor/geEditBinaryOp.h"
#include "equationEditor/geLayoutSupport.h"

using namespace geLayout;

namespace {

// The operand is translated by (M - h) / 2 + c, which puts its centre line (h / 2 - c
// above its bottom) at height M / 2.
double lineUp(double M, double h, double c) {
    return (M - h) / 2 + c;
}

bool numberOrPlaceholder(const geEditPtr &node) {
    return node && (node->isKind(geEditKind::Num) || node->isKind(geEditKind::Empty));
}

}  // namespace

// Infix operators: "a+b" is a, 6 units, the operator's box, 6 units, b. The operator's box
// holds the glyph at 0.7 with 3 units above, below and to its right, where the caret of
// "a+|b" stands.
std::unique_ptr<geBezierPath> geEditBasicBinaryOp::renderInfix(const geFont &font, bool cursor,
                                                               bool selection, bool comma) {
    centerOffset_ = 0;
    char16_t symbol = glyphString_.isEmpty() ? u' ' : glyphString_.at(0).unicode();
    // A subtraction is drawn with the minus sign, as wide as the plus, rather than the
    // short hyphen of the text form.
    if (symbol == u'-' && font.glyphForChar(u'\u2212') != 0) symbol = u'\u2212';
    const quint32 glyph = font.glyphForChar(symbol);
    // 1. The operands, each in its own box.
    auto L = renderChild(leftExp(), font, cursor, selection);
    const double cL = centerOffsetOf(leftExp());
    leftBounds_ = L->bounds();
    auto R = renderChild(rightExp(), font, cursor, selection);
    const double cR = centerOffsetOf(rightExp());
    rightBounds_ = R->bounds();
    const double lw = leftBounds_.width(), lh = leftBounds_.height();
    const double rh = rightBounds_.height();
    const double M = std::max(lh, rh);
    centerOffset_ = lh > rh ? cL : cR;
    // 2. The operator's box.
    auto O = glyphPath(glyph, font, this);
    if (!comma) place(*O, 0.7, 0.7, 0, 0);
    O->recenter();
    const double w = O->bounds().width(), h = O->bounds().height();
    // A comma's caret spans the line height; its tail stays at the baseline of the boxes.
    const double bottom = comma ? font.descender() - 1 : -3;
    const double top = comma ? font.ascender() + 1 : h + 3;
    invisibleLine(*O, {w + 3, bottom}, {w + 3, top});
    if (cursor && hasCursor_) {
        O->lineToPoint({w + 2, top});
        O->lineToPoint({w + 2, bottom});
    }
    O->recenter();
    const double ow = O->bounds().width(), oh = O->bounds().height();
    // 3. Operands and operator on one centre line.
    auto result = geBezierPath::bezierPathWithData(this);
    translate(*L, 0, lineUp(M, lh, cL));
    leftBounds_ = result->appendBezierPath(std::move(L))->bounds();
    translate(*O, lw + 6, (M - oh) / 2);
    result->appendBezierPath(std::move(O));
    translate(*R, lw + ow + 12, lineUp(M, rh, cR));
    rightBounds_ = result->appendBezierPath(std::move(R))->bounds();
    // 4. An operand raised above the other makes the node taller than both: its centre
    // line is then the line the operands were put on.
    result->recenter();
    const double H = result->bounds().height();
    if (!comma && H > rh && H > lh) centerOffset_ = (H - rh) / 2 + cR;
    if (selection && isSelected_) result->setHighlight(true);
    return result;
}

std::unique_ptr<geBezierPath> geEditBasicBinaryOp::renderWithFont(const geFont &font, bool cursor,
                                                                  bool selection) {
    return renderInfix(font, cursor, selection, false);
}

std::unique_ptr<geBezierPath> geEditComma::renderWithFont(const geFont &font, bool cursor,
                                                          bool selection) {
    return renderInfix(font, cursor, selection, true);
}

// "2•3" keeps its dot, and so does "?•3", so that two numbers are not read as one. Any
// other product is shown by juxtaposition, "2x", 6 units apart and without a caret of its
// own.
std::unique_ptr<geBezierPath> geEditMul::renderWithFont(const geFont &font, bool cursor,
                                                        bool selection) {
    const geEditPtr A = leftExp() ? leftExp()->rightMostExpression() : nullptr;
    const geEditPtr B = rightExp() ? rightExp()->leftMostExpression() : nullptr;
    if (numberOrPlaceholder(A) && numberOrPlaceholder(B))
        return renderInfix(font, cursor, selection, false);

    centerOffset_ = 0;
    auto L = renderChild(leftExp(), font, cursor, selection);
    const double cL = centerOffsetOf(leftExp());
    leftBounds_ = L->bounds();
    auto R = renderChild(rightExp(), font, cursor, selection);
    const double cR = centerOffsetOf(rightExp());
    rightBounds_ = R->bounds();
    const double lw = leftBounds_.width(), lh = leftBounds_.height(), rh = rightBounds_.height();
    // The reference height counts the offsets in; both operands still meet on M / 2.
    const double M = std::max(lh + cL, rh + cR);
    auto result = geBezierPath::bezierPathWithData(this);
    translate(*L, 0, lineUp(M, lh, cL));
    result->appendBezierPath(std::move(L));
    translate(*R, lw + 6, lineUp(M, rh, cR));
    result->appendBezierPath(std::move(R));
    centerOffset_ = lh > rh ? cL : cR;
    result->recenter();
    const double H = result->bounds().height();
    if (H > rh && H > lh) centerOffset_ = (H - rh) / 2 + cR;
    if (selection && isSelected_) result->setHighlight(true);
    return result;
}

// A fraction: the denominator at the bottom, 2 units, the bar 2 thick, 2 units, the
// numerator, both at 0.8 and centred on the bar; one unit of space on every side and the
// caret of "1/2|" right of it. Its centre line is the middle of its box.
std::unique_ptr<geBezierPath> geEditDiv::renderWithFont(const geFont &font, bool cursor,
                                                        bool selection) {
    auto L = renderChild(leftExp(), font, cursor, selection);
    auto R = renderChild(rightExp(), font, cursor, selection);
    place(*L, 0.8, 0.8, 0, 0);
    L->recenter();
    place(*R, 0.8, 0.8, 0, 0);
    R->recenter();
    leftBounds_ = L->bounds();
    rightBounds_ = R->bounds();
    const double lw = leftBounds_.width();
    const double rw = rightBounds_.width(), rh = rightBounds_.height();
    const double W = std::max(lw, rw);
    auto bar = geBezierPath::bezierPathWithData(this);
    rectangle(*bar, 0, 0, W, 2);
    bar->closePath();

    auto result = geBezierPath::bezierPathWithData(this);
    translate(*R, (W - rw) / 2, 0);
    result->appendBezierPath(std::move(R));
    translate(*bar, 0, rh + 2);
    result->appendBezierPath(std::move(bar));
    translate(*L, (W - lw) / 2, rh + 6);
    result->appendBezierPath(std::move(L));
    result->recenter();
    const double W2 = result->bounds().width(), H2 = result->bounds().height();
    invisibleLine(*result, {-1, -1}, {-1, H2 + 1});
    invisibleLine(*result, {W2 + 1, -1}, {W2 + 1, H2 + 1});
    if (cursor && hasCursor_) {
        result->lineToPoint({W2, H2 + 1});
        result->lineToPoint({W2, -1});
        result->closePath();
    }
    result->recenter();
    if (selection && isSelected_) result->setHighlight(true);
    return result;
}

// A power: the base unchanged, the exponent at 0.8 with its bottom at half the base's
// height, 2 units right of it. The centre line is the middle of the base; the caret of
// "x^2|" stands right of the exponent.
std::unique_ptr<geBezierPath> geEditPow::renderWithFont(const geFont &font, bool cursor,
                                                        bool selection) {
    auto L = renderChild(leftExp(), font, cursor, selection);
    // A negation, an infix chain or a function as the base is raised as a whole, which its
    // own drawing would not show (-3^2 reads as -(3^2), sin x^2 as sin(x^2)): it is drawn
    // in brackets, like (-3)^2 and (sin x)^2.
    const geEditPtr &base = leftExp();
    if (base && (base->isKind(geEditKind::Negative) || base->isKind(geEditKind::Func) ||
                 geIsBasicBinaryOp(base->kind()))) {
        L = bracketed(std::move(L), font, base.get(), false).path;
        L->recenter();
    }
    auto R = renderChild(rightExp(), font, cursor, selection);
    leftBounds_ = L->bounds();
    rightBounds_ = R->bounds();
    const double lw = leftBounds_.width(), lh = leftBounds_.height();
    auto result = geBezierPath::bezierPathWithData(this);
    result->appendBezierPath(std::move(L));
    place(*R, 0.8, 0.8, lw + 2, lh / 2);
    rightBounds_ = result->appendBezierPath(std::move(R))->bounds();
    const double W = result->bounds().width(), H = result->bounds().height();
    centerOffset_ = (H - lh) / 2;
    invisibleLine(*result, {W + 1, -3}, {W + 1, H + 3});
    if (cursor && hasCursor_) {
        result->lineToPoint({W, H + 3});
        result->lineToPoint({W, -3});
    }
    if (selection && isSelected_) result->setHighlight(true);
    result->recenter();
    return result;
}

// A root: the radical sign over the radicand, the index at 0.8 above the sign's tick. The
// sign's bar ends 2.8 units beyond the radicand; the caret of "sqrt(x)|" stands after it.
std::unique_ptr<geBezierPath> geEditRoot::renderWithFont(const geFont &font, bool cursor,
                                                         bool selection) {
    auto L = renderChild(leftExp(), font, cursor, selection);
    auto R = renderChild(rightExp(), font, cursor, selection);
    const double cR = centerOffsetOf(rightExp());
    leftBounds_ = L->bounds();
    rightBounds_ = R->bounds();
    const double lw = leftBounds_.width();
    const double rw = rightBounds_.width(), rh = rightBounds_.height();
    // The tick from (0, 10) down to the vertex (12, 0), the long stroke up to (16, rh + 2)
    // and the bar, 2 thick, from x = 14 to rw + 22.
    auto sign = geBezierPath::bezierPathWithData(this);
    sign->moveToPoint({rw + 22, rh + 2});
    for (QPointF q : {QPointF(16, rh + 2), QPointF(12, 0), QPointF(0, 10), QPointF(2, 10),
                      QPointF(10, 4), QPointF(14, rh + 4), QPointF(rw + 22, rh + 4)})
        sign->lineToPoint(q);
    sign->closePath();

    auto result = geBezierPath::bezierPathWithData(this);
    translate(*R, 0.8 * (lw + 24), 0);
    rightBounds_ = result->appendBezierPath(std::move(R))->bounds();
    translate(*sign, 0.8 * lw, 0);
    result->appendBezierPath(std::move(sign));
    place(*L, 0.8, 0.8, 8, 0.75 * rh);
    leftBounds_ = result->appendBezierPath(std::move(L))->bounds();
    result->recenter();
    const double W = result->bounds().width(), H = result->bounds().height();
    invisibleLine(*result, {W + 3, -1}, {W + 3, H + 1});
    centerOffset_ = (H - rh) / 2 + cR;
    if (cursor && hasCursor_) {
        result->lineToPoint({W + 2, H + 1});
        result->lineToPoint({W + 2, -1});
    }
    result->closePath();
    result->recenter();
    if (selection && isSelected_) result->setHighlight(true);
    return result;
}
