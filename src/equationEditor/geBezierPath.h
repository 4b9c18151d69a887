// geBezierPath: the editor's drawing and hit-testing unit. Every node lays itself out into
// one path holding its own outlines (glyphs, bars, carets, invisible spacing lines) and, as
// owned sub-paths, the paths of its children, so the path tree mirrors the node tree and
// each path knows the node (`data`) it draws.
//
// Coordinates are y-up. A path's own elements live in QPainterPath, the base.
//
// Invariants:
// - A path owns its sub-paths (pathlist, in the order appended) and never merges them into
//   its own elements. It does not own data.
// - bounds() is a cache of the box of the whole tree below the path. It is recomputed on
//   creation, glyph appends, closePath, sub-path appends and transforms. moveToPoint,
//   lineToPoint and curveToPoint leave it as it was: layout adds invisible spacing lines
//   and reads the box from before them until the next recomputing operation.
// - QPainterPath drops a move-to that is followed by another move-to or by an appended
//   glyph outline, so the move to the origin that precedes every glyph does not count in a
//   glyph path's box: operator glyphs above the baseline are centred on the line, and a
//   letter's box starts at its outline, not at its origin. A move-to that ends the own
//   elements does count.
//
// Layout moves and scales whole subtrees once per level of the node tree. Transforms that
// only scale and translate are therefore kept pending on the path (its placement) and
// pushed one level down when its own elements or children are next touched, so a layout
// pass stays linear in the size of the tree. Other transforms are applied at once.
#pragma once

#include <QColor>
#include <QPainterPath>
#include <QPointF>
#include <QRectF>
#include <QTransform>
#include <memory>
#include <vector>

class QPainter;
class geEdit;
class geFont;

class geBezierPath : private QPainterPath {
public:
    using Ptr = std::unique_ptr<geBezierPath>;

    explicit geBezierPath(geEdit *data = nullptr);
    ~geBezierPath();
    geBezierPath(const geBezierPath &) = delete;
    geBezierPath &operator=(const geBezierPath &) = delete;

    static Ptr bezierPath() { return std::make_unique<geBezierPath>(); }
    static Ptr bezierPathWithData(geEdit *data) { return std::make_unique<geBezierPath>(data); }

    geEdit *data() const { return data_; }
    void setData(geEdit *data) { data_ = data; }

    // Own elements; these do not refresh the cached bounds.
    void moveToPoint(QPointF p);
    void lineToPoint(QPointF p);
    void curveToPoint(QPointF end, QPointF control1, QPointF control2);

    // Building operations that refresh the bounds.
    // The glyph's outline with its origin (on its baseline) at the current point.
    void appendBezierPathWithGlyph(quint32 glyph, const geFont &font);
    void appendBezierPathWithGlyphs(const quint32 *glyphs, int count, const geFont &font);
    void closePath();
    // Appends path as the last sub-path (null appends nothing) and answers it.
    geBezierPath *appendBezierPath(Ptr path);
    // A closed rounded rectangle with corner radius 0.15 x its shorter side.
    geBezierPath &appendWithRoundRect(const QRectF &rect);
    // Applies t to the whole tree.
    void transformUsingAffineTransform(const QTransform &t);
    // Moves the tree so that its box starts at (0, 0); answers the translation applied.
    QPointF recenter();

    // The cached box of the tree, in the coordinates of the tree's top path.
    QRectF bounds() const;
    void computeBounds();
    // The deepest path whose box holds p; a path whose box misses p hides its sub-paths.
    // Sub-paths are asked in the order appended, so the first appended wins.
    geBezierPath *pathAtPoint(QPointF p);
    // The path drawing node (identity), searched in the order appended.
    geBezierPath *pathForData(const geEdit *node);

    const std::vector<Ptr> &pathlist() const { return pathlist_; }
    bool isEmpty() const { return elementCount() == 0 && pathlist_.empty(); }
    // The own elements in the coordinates of the tree's top path.
    QPainterPath elements() const;

    // Highlighting: a rounded half-transparent box behind the path (highlight) or behind a
    // part of it (subhighlight, a rectangle stored relative to the path's current box).
    bool highlight() const { return highlight_; }
    void setHighlight(bool flag) { highlight_ = flag; }
    bool subhighlight() const { return subhighlight_; }
    void enableSubhighlightWithRect(const QRectF &rect);
    void disableSubhighlight() { subhighlight_ = false; }
    // The rectangle the subhighlight covers now: the stored one scaled with the path's
    // height since it was stored and moved with the path's origin.
    QRectF subhighlightRectNow() const;

    // Paints the tree in the painter's current coordinates (the path's plane mapped by the
    // painter's world transform): highlights first, then every sub-path in order, then the
    // own elements in black under the non-zero winding rule.
    void fill(QPainter &painter) const;
    void stroke(QPainter &painter) const;
    // The platform's text-selection colour at alpha 0.5.
    static QColor highlightColor();

private:
    void fillWith(QPainter &painter, const QTransform &device, const QTransform &toTop,
                  const QColor &highlight, const QRectF &visible) const;
    void strokeWith(QPainter &painter, const QTransform &device, const QTransform &toTop) const;
    // The transform from this path's own plane (elements, sub-path boxes) to the top path's.
    QTransform toTopTransform() const;
    // Pushes the pending placement into the own elements and one level down into the
    // sub-paths, so that own plane and outer plane agree again.
    void applyPlacement();
    // Makes this path's own plane the top path's plane, before elements are added.
    void settleForElements();
    // pathAtPoint once the owner's plane is the top plane.
    geBezierPath *pathAtPointSettled(QPointF p);
    // Applies a general transform to the elements of the whole tree.
    void transformEagerly(const QTransform &t);
    // Recomputes the boxes below that went stale through element operations.
    void refreshStale();
    void markStale();

    std::vector<Ptr> pathlist_;
    geEdit *data_ = nullptr;
    geBezierPath *owner_ = nullptr;
    // Maps the own plane to the owner's plane; only scales and translations.
    QTransform placement_;
    QRectF boundsRect_;  // in the owner's plane
    QRectF subhighlightRect_;
    QRectF subhighlightBounds_;
    bool highlight_ = false;
    bool subhighlight_ = false;
    // Own elements of this path or of a path below it changed since its last computeBounds.
    bool staleBelow_ = false;
};
