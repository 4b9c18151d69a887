// Small building blocks shared by the node classes' layout files.
#pragma once

#include <QPointF>
#include <QRectF>
#include <memory>

#include "equationEditor/geBezierPath.h"
#include "equationEditor/geEdit.h"
#include "equationEditor/geFont.h"

namespace geLayout {

using PathPtr = std::unique_ptr<geBezierPath>;

// A glyph path: a move to the origin, then the glyph, so that its origin on the baseline
// is at (0, 0).
PathPtr glyphPath(quint32 glyph, const geFont &font, geEdit *data = nullptr);

// The child's layout with the same flags; a missing child lays out to an empty path with a
// centre offset of 0.
PathPtr renderChild(const geEditPtr &child, const geFont &font, bool cursor, bool selection);
inline double centerOffsetOf(const geEditPtr &child) {
    return child ? child->centerOffset() : 0.0;
}

// "(" inner ")": the brackets stretched to 1.1 x the inner height, reaching 5 % of it below
// and above, 3 units from it on each side, and an invisible line 3 units after the ")" that
// ends the path (a caret after the ")" continues it). caretAtOpen draws the caret of "(|x)"
// just left of the inner node. inner is the inner node's path with its box at the origin;
// innerBox receives its placed box, low and high the span of the carets, closeEnd the
// right edge of the ")".
struct Bracketed {
    PathPtr path;
    QRectF innerBox;
    double low, high, closeEnd;
};
Bracketed bracketed(PathPtr inner, const geFont &font, geEdit *data, bool caretAtOpen);

// An invisible line: it encloses nothing, so it paints nothing, and only stretches the box
// once the bounds are next recomputed.
inline void invisibleLine(geBezierPath &p, QPointF from, QPointF to) {
    p.moveToPoint(from);
    p.lineToPoint(to);
}

// The rectangle [x0, x1] x [y0, y1] from line-to elements; the fill closes it.
inline void rectangle(geBezierPath &p, double x0, double y0, double x1, double y1) {
    p.moveToPoint({x0, y0});
    p.lineToPoint({x1, y0});
    p.lineToPoint({x1, y1});
    p.lineToPoint({x0, y1});
}

// Scales about the origin, then translates.
inline void place(geBezierPath &p, double sx, double sy, double dx, double dy) {
    p.transformUsingAffineTransform(QTransform(sx, 0, 0, sy, dx, dy));
}
inline void translate(geBezierPath &p, double dx, double dy) {
    place(p, 1, 1, dx, dy);
}

}  // namespace geLayout
