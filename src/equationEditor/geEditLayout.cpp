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

}  // namespace geLayout

// The root draws nothing of its own. Holding the cursor it stands before the whole
// equation: "|x+1" is a caret one unit wide over the full height at the left edge.
std::unique_ptr<geBezierPath> geEdit::renderWithFont(const geFont &font, bool cursor, bool selection) {
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
