#include "equationEditor/geBezierPath.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPalette>
#include <algorithm>

#include "equationEditor/geFont.h"

namespace {

bool scalesAndTranslatesOnly(const QTransform &t) {
    return t.type() <= QTransform::TxScale;
}

// The box of an empty path stays at the origin whatever moves it.
QRectF mapBox(const QTransform &t, const QRectF &box, bool empty) {
    if (empty || t.isIdentity()) return box;
    return t.mapRect(box);
}

}  // namespace

geBezierPath::geBezierPath(geEdit *data) : data_(data) {
    pathlist_.reserve(4);
}

geBezierPath::~geBezierPath() = default;

// Own elements.

void geBezierPath::moveToPoint(QPointF p) {
    settleForElements();
    if (elementCount() == 0) setFillRule(Qt::WindingFill);
    moveTo(p);
    markStale();
}

void geBezierPath::lineToPoint(QPointF p) {
    settleForElements();
    if (elementCount() == 0) setFillRule(Qt::WindingFill);
    lineTo(p);
    markStale();
}

void geBezierPath::curveToPoint(QPointF end, QPointF control1, QPointF control2) {
    settleForElements();
    if (elementCount() == 0) setFillRule(Qt::WindingFill);
    cubicTo(control1, control2, end);
    markStale();
}

void geBezierPath::appendBezierPathWithGlyph(quint32 glyph, const geFont &font) {
    appendBezierPathWithGlyphs(&glyph, 1, font);
}

// Each further glyph stands at the previous one's advance. The current point is not moved
// past the last glyph: a trailing move-to would count in the box.
void geBezierPath::appendBezierPathWithGlyphs(const quint32 *glyphs, int count,
                                              const geFont &font) {
    settleForElements();
    if (elementCount() == 0) setFillRule(Qt::WindingFill);
    QPointF pen = currentPosition();
    for (int i = 0; i < count; ++i) {
        const QPainterPath &outline = font.glyphOutline(glyphs[i]);
        if (pen.isNull())
            addPath(outline);
        else
            addPath(outline.translated(pen));
        pen.rx() += font.advance(glyphs[i]);
    }
    computeBounds();
}

void geBezierPath::closePath() {
    settleForElements();
    closeSubpath();
    computeBounds();
}

geBezierPath *geBezierPath::appendBezierPath(Ptr path) {
    if (!path) return nullptr;
    settleForElements();
    path->owner_ = this;
    pathlist_.push_back(std::move(path));
    computeBounds();
    if (staleBelow_)
        for (geBezierPath *a = owner_; a && !a->staleBelow_; a = a->owner_) a->staleBelow_ = true;
    return pathlist_.back().get();
}

// Corner radius r = 0.15 x the shorter side; each control point d = r / 2 from its corner.
geBezierPath &geBezierPath::appendWithRoundRect(const QRectF &rect) {
    const double x = rect.x(), y = rect.y(), w = rect.width(), h = rect.height();
    const double r = 0.15 * std::min(w, h), d = r / 2;
    moveToPoint({x + r, y + h});
    lineToPoint({x + w - r, y + h});
    curveToPoint({x + w, y + h - r}, {x + w - d, y + h}, {x + w, y + h - d});
    lineToPoint({x + w, y + r});
    curveToPoint({x + w - r, y}, {x + w, y + d}, {x + w - d, y});
    lineToPoint({x + r, y});
    curveToPoint({x, y + r}, {x + d, y}, {x, y + d});
    lineToPoint({x, y + h - r});
    curveToPoint({x + r, y + h}, {x, y + h - d}, {x + d, y + h});
    closePath();
    return *this;
}

void geBezierPath::transformUsingAffineTransform(const QTransform &t) {
    if (owner_) owner_->settleForElements();
    for (auto &p : pathlist_) p->refreshStale();
    if (scalesAndTranslatesOnly(t))
        placement_ = placement_ * t;
    else
        transformEagerly(t);
    computeBounds();
}

QPointF geBezierPath::recenter() {
    computeBounds();
    const QRectF b = bounds();
    if (b.x() == 0 && b.y() == 0) return {0, 0};
    transformUsingAffineTransform(QTransform::fromTranslate(-b.x(), -b.y()));
    return {-b.x(), -b.y()};
}

// Queries.

QRectF geBezierPath::bounds() const {
    QRectF r = boundsRect_;
    if (isEmpty()) return r;
    for (const geBezierPath *a = owner_; a; a = a->owner_)
        if (!a->placement_.isIdentity()) r = a->placement_.mapRect(r);
    return r;
}

// The union starts from the own elements' tight box (or the first sub-path's box) and
// grows over every sub-path's box, the first one again included. There is no test for
// empty boxes: a sub-path whose box is (0, 0, 0, 0) pulls the union out to the origin.
void geBezierPath::computeBounds() {
    staleBelow_ = false;
    if (elementCount() == 0 && pathlist_.empty()) {
        boundsRect_ = QRectF();
        return;
    }
    QRectF box =
        elementCount() == 0 ? pathlist_.front()->boundsRect_ : QPainterPath::boundingRect();
    double x = box.x(), y = box.y(), w = box.width(), h = box.height();
    for (const auto &p : pathlist_) {
        const QRectF &r = p->boundsRect_;
        if (r.x() < x) {
            w += x - r.x();
            x = r.x();
        }
        if (r.y() < y) {
            h += y - r.y();
            y = r.y();
        }
        if (r.x() + r.width() > x + w) w = r.x() + r.width() - x;
        if (r.y() + r.height() > y + h) h = r.y() + r.height() - y;
        staleBelow_ = staleBelow_ || p->staleBelow_;
    }
    boundsRect_ = mapBox(placement_, QRectF(x, y, w, h), false);
}

namespace {
bool boxContains(const QRectF &b, QPointF p) {
    return b.x() <= p.x() && p.x() <= b.x() + b.width() && b.y() <= p.y() &&
           p.y() <= b.y() + b.height();
}
}  // namespace

geBezierPath *geBezierPath::pathAtPoint(QPointF p) {
    if (owner_) owner_->settleForElements();
    return pathAtPointSettled(p);
}

// Each level pushes its placement one level down before its sub-paths are asked, so every
// box read on the way down is in the top path's plane.
geBezierPath *geBezierPath::pathAtPointSettled(QPointF p) {
    if (!boxContains(boundsRect_, p)) return nullptr;
    applyPlacement();
    for (auto &sub : pathlist_)
        if (geBezierPath *hit = sub->pathAtPointSettled(p)) return hit;
    return this;
}

geBezierPath *geBezierPath::pathForData(const geEdit *node) {
    if (data_ == node) return this;
    for (auto &sub : pathlist_)
        if (geBezierPath *found = sub->pathForData(node)) return found;
    return nullptr;
}

QPainterPath geBezierPath::elements() const {
    const QPainterPath &own = *this;
    const QTransform t = toTopTransform();
    return t.isIdentity() ? own : t.map(own);
}

// Highlighting and drawing.

void geBezierPath::enableSubhighlightWithRect(const QRectF &rect) {
    subhighlightRect_ = rect;
    subhighlight_ = true;
    subhighlightBounds_ = bounds();
}

QRectF geBezierPath::subhighlightRectNow() const {
    const QRectF b = bounds();
    const QRectF &r = subhighlightRect_;
    // A path stored with no height has no scale to follow.
    const double s =
        subhighlightBounds_.height() > 0 ? b.height() / subhighlightBounds_.height() : 1.0;
    return {r.x() * s + b.x(), r.y() * s + b.y(), r.width() * s, r.height() * s};
}

QColor geBezierPath::highlightColor() {
    QColor c = qGuiApp ? QGuiApplication::palette().color(QPalette::Active, QPalette::Highlight)
                       : QColor(48, 140, 198);
    c.setAlphaF(0.5f);
    return c;
}

void geBezierPath::fill(QPainter &painter) const {
    const QTransform device = painter.worldTransform();
    const QPaintDevice *target = painter.device();
    const QRectF visible = target ? QRectF(0, 0, target->width(), target->height()) : QRectF();
    fillWith(painter, device, owner_ ? owner_->toTopTransform() : QTransform(), highlightColor(),
             visible);
    painter.setWorldTransform(device);
}

// toTop maps the owner's plane (where boundsRect_ lives) to the top path's plane. A tree
// whose box lies outside the visible part of the device is skipped.
void geBezierPath::fillWith(QPainter &painter, const QTransform &device, const QTransform &toTop,
                            const QColor &color, const QRectF &visible) const {
    if (!visible.isEmpty() && !isEmpty() &&
        !visible.intersects(
            device.mapRect(mapBox(toTop, boundsRect_, false)).adjusted(-2, -2, 2, 2)))
        return;
    if (highlight_ || subhighlight_) {
        painter.setWorldTransform(device);
        if (highlight_) {
            geBezierPath box;
            box.appendWithRoundRect(mapBox(toTop, boundsRect_, isEmpty()));
            painter.fillPath(box, color);
        }
        if (subhighlight_) {
            geBezierPath box;
            box.appendWithRoundRect(subhighlightRectNow());
            painter.fillPath(box, color);
        }
    }
    const QTransform mine = placement_ * toTop;
    for (const auto &p : pathlist_) p->fillWith(painter, device, mine, color, visible);
    if (elementCount() > 0) {
        painter.setWorldTransform(mine * device);
        painter.fillPath(*this, Qt::black);
    }
}

void geBezierPath::stroke(QPainter &painter) const {
    const QTransform device = painter.worldTransform();
    strokeWith(painter, device, owner_ ? owner_->toTopTransform() : QTransform());
    painter.setWorldTransform(device);
}

void geBezierPath::strokeWith(QPainter &painter, const QTransform &device,
                              const QTransform &toTop) const {
    const QTransform mine = placement_ * toTop;
    for (const auto &p : pathlist_) p->strokeWith(painter, device, mine);
    if (elementCount() > 0) {
        painter.setWorldTransform(mine * device);
        painter.strokePath(*this, QPen(Qt::black, 0));
    }
}

// Pending placements.

QTransform geBezierPath::toTopTransform() const {
    QTransform t = placement_;
    for (const geBezierPath *a = owner_; a; a = a->owner_)
        if (!a->placement_.isIdentity()) t = t * a->placement_;
    return t;
}

void geBezierPath::applyPlacement() {
    if (placement_.isIdentity()) return;
    if (elementCount() > 0) {
        QPainterPath &own = *this;
        own = placement_.map(own);
    }
    for (auto &p : pathlist_) {
        p->boundsRect_ = mapBox(placement_, p->boundsRect_, p->isEmpty());
        p->placement_ = p->placement_ * placement_;
    }
    placement_.reset();
}

void geBezierPath::settleForElements() {
    if (owner_) {
        // From the top down, so each level pushes into a plane that is already the top's.
        std::vector<geBezierPath *> chain;
        for (geBezierPath *a = owner_; a; a = a->owner_) chain.push_back(a);
        for (auto it = chain.rbegin(); it != chain.rend(); ++it) (*it)->applyPlacement();
    }
    applyPlacement();
}

void geBezierPath::transformEagerly(const QTransform &t) {
    applyPlacement();
    if (elementCount() > 0) {
        QPainterPath &own = *this;
        own = t.map(own);
    }
    for (auto &p : pathlist_) {
        p->transformEagerly(t);
        p->computeBounds();
    }
}

void geBezierPath::refreshStale() {
    if (!staleBelow_) return;
    for (auto &p : pathlist_) p->refreshStale();
    computeBounds();
}

void geBezierPath::markStale() {
    for (geBezierPath *a = this; a && !a->staleBelow_; a = a->owner_) a->staleBelow_ = true;
}
