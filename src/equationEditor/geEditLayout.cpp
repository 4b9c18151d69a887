// Layout of the root of an equation, and the building blocks of every node's layout.
#include "equationEditor/geLayoutSupport.h"

namespace geLayout {

PathPtr glyphPath(quint32 glyph, const geFont &font, geEdit *data) {
    auto p = geBezierPath::bezierPathWithData(data);
    p->moveToPoint({0, 0});
    p->appendBezierPathWithGlyph(glyph, font);
    return p;
}

PathPtr renderChild(const geEditPtr &child, const geFont &font, bool cursor, bool selection) {
    if (!child) return geBezierPath::bezierPath();
    return child->renderWithFont(font, cursor, selection);
}

Bracketed bracketed(PathPtr inner, const geFont &font, geEdit *data, bool caretAtOpen) {
    const QRectF e = inner->bounds();
    const double ew = e.width(), eh = e.height();
    auto P1 = glyphPath(font.glyphForChar(u'('), font, data);
    P1->recenter();
    auto P2 = glyphPath(font.glyphForChar(u')'), font, data);
    P2->recenter();
    const double pw = P1->bounds().width(), ph = P1->bounds().height();
    // A font whose "(" has no outline gives nothing to stretch.
    const double s = ph > 0 ? 1.1 * eh / ph : 1.0;
    place(*P1, 1, s, 0, -0.05 * eh);

    Bracketed result{geBezierPath::bezierPathWithData(data), QRectF(), 0, 0, 0};
    geBezierPath &path = *result.path;
    path.appendBezierPath(std::move(P1));
    const QRectF b = path.bounds();
    result.low = b.y() - 1;
    result.high = b.y() + b.height() + 1;
    if (caretAtOpen) {
        rectangle(path, b.width() + 2, result.low, b.width() + 3, result.high);
        path.closePath();
        path.moveToPoint({0, 0});
    }
    translate(*inner, pw + 3, 0);
    result.innerBox = path.appendBezierPath(std::move(inner))->bounds();
    place(*P2, 1, s, pw + ew + 6, -0.05 * eh);
    path.appendBezierPath(std::move(P2));
    result.closeEnd = path.bounds().width();
    invisibleLine(path, {result.closeEnd + 3, result.low}, {result.closeEnd + 3, result.high});
    return result;
}

}  // namespace geLayout

// The root draws nothing of its own. Holding the cursor it stands before the whole
// equation: "|x+1" is a caret one unit wide over the full height at the left edge.
std::unique_ptr<geBezierPath> geEdit::renderWithFont(const geFont &font, bool cursor,
                                                     bool selection) {
    if (!top()) return nullptr;
    auto p = top()->renderWithFont(font, cursor, selection);
    const QRectF b = p->bounds();
    geLayout::invisibleLine(*p, {b.x(), b.y()}, {b.x(), b.y() + b.height()});
    if (cursor && hasCursor_) {
        p->lineToPoint({b.x() + 1, b.y() + b.height()});
        p->lineToPoint({b.x() + 1, b.y()});
        p->closePath();
    }
    return p;
}
