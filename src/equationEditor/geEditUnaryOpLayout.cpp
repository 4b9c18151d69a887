// Layout of the nodes with one child: parentheses, named functions and unary minus.
#include <cmath>

#include "equationEditor/geEditBinaryOp.h"
#include "equationEditor/geEditUnaryOp.h"
#include "equationEditor/geLayoutSupport.h"

using namespace geLayout;

// "(" and ")" stretched to 1.1 x the child's height, reaching 5 % of it below and above
// the child, 3 units from it on each side. Carets: "(|x)" just left of the child, "(x)|"
// after the ")".
std::unique_ptr<geBezierPath> geEditParens::renderWithFont(const geFont &font, bool cursor,
                                                           bool selection) {
    auto E = renderChild(child(), font, cursor, selection);
    centerOffset_ = centerOffsetOf(child());
    Bracketed b = bracketed(std::move(E), font, this, cursor && hasCursor_ && cursorPosition_ == 0);
    expressionBounds_ = b.innerBox;
    auto result = std::move(b.path);
    if (cursor && hasCursor_ && cursorPosition_ == 2) {
        result->lineToPoint({b.closeEnd + 2, b.high});
        result->lineToPoint({b.closeEnd + 2, b.low});
    }
    result->recenter();
    if (selection && isSelected_) result->setHighlight(true);
    return result;
}

namespace {

// Whether another factor of the same product follows the node: sin(2)·x, x·sin(2)·y.
bool followedInProduct(const geEdit *node) {
    for (const geEdit *p = node->parent(); p; node = p, p = p->parent()) {
        if (p->isKind(geEditKind::Negative)) continue;
        if (!p->isKind(geEditKind::Mul)) return false;
        if (static_cast<const geEditBinaryOp *>(p)->leftExp().get() == node) return true;
    }
    return false;
}

}  // namespace

// "sin x": the name in the italic face, 8 units, then the argument with its centre line
// level with the middle of the name. Carets: "|sin(x)" before the name, "sin|(x)" after.
// The node draws no brackets of its own, except around an argument that is no brackets
// node when another factor follows in the same product: "sin(2) x", not "sin 2 x",
// which would read as sin(2x).
std::unique_ptr<geBezierPath> geEditFunc::renderWithFont(const geFont &font, bool cursor,
                                                         bool selection) {
    if (name_.isEmpty()) {
        auto p = geBezierPath::bezierPathWithData(this);
        p->moveToPoint({0, 0});
        return p;
    }
    auto A = renderChild(child(), font, cursor, selection);
    QRectF innerBox = A->bounds();
    if (child() && !child()->isKind(geEditKind::Parens) && followedInProduct(this)) {
        Bracketed b = bracketed(std::move(A), font, this, false);
        A = std::move(b.path);
        innerBox = b.innerBox.translated(A->recenter());
    }
    const double ah = A->bounds().height();
    const geFont &F = font.italicFont();
    const double asc = F.ascender(), desc = F.descender();
    const bool caret = cursor && hasCursor_;

    auto N = geBezierPath::bezierPathWithData(this);
    N->moveToPoint({0, 0});
    invisibleLine(*N, {0, desc - 1}, {0, asc + 1});
    if (caret && cursorPosition_ == 0) {
        N->lineToPoint({1, asc + 1});
        N->lineToPoint({1, desc - 1});
        N->closePath();
    }
    double x = 0;
    for (QChar c : name_) {
        const quint32 glyph = F.glyphForChar(c.unicode());
        N->moveToPoint({x, 0});
        N->appendBezierPathWithGlyph(glyph, F);
        x += F.advance(glyph);
    }
    const double w = N->bounds().width();
    invisibleLine(*N, {w + 1, desc - 1}, {w + 1, asc + 1});
    if (caret && cursorPosition_ == 1) {
        N->lineToPoint({w, asc + 1});
        N->lineToPoint({w, desc - 1});
        N->closePath();
    }
    N->moveToPoint({0, 0});
    N->recenter();
    bounds_ = N->bounds();
    const double nw = bounds_.width(), nh = bounds_.height();

    centerOffset_ = centerOffsetOf(child());
    const QPointF shift(nw + 8, (nh - ah) / 2 + centerOffset_);
    translate(*A, shift.x(), shift.y());
    N->appendBezierPath(std::move(A));
    expressionBounds_ = innerBox.translated(shift);
    offset_ = N->recenter();
    if (selection && isSelected_) N->setHighlight(true);
    bounds_ = N->bounds();
    return N;
}

// "-x": a bar 7 long and 1 thick on the operand's centre line (snapped to a whole unit),
// 2 units before the operand; the caret of "-|x" stands between them, 8 units high.
std::unique_ptr<geBezierPath> geEditNegative::renderWithFont(const geFont &font, bool cursor,
                                                             bool selection) {
    auto E = renderChild(child(), font, cursor, selection);
    const double c = centerOffsetOf(child());
    expressionBounds_ = E->bounds();
    const double eh = expressionBounds_.height();
    translate(*E, 9, 0);
    auto P = geBezierPath::bezierPathWithData(this);
    centerOffset_ = c;
    const double k = std::trunc(eh / 2 - c);
    rectangle(*P, 0, k - 0.5, 7, k + 0.5);
    if (cursor && hasCursor_) rectangle(*P, 7, k - 4, 8, k + 4);
    P->appendBezierPath(std::move(E));
    P->recenter();
    if (selection && isSelected_) P->setHighlight(true);
    return P;
}
