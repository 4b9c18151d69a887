#include "layoutTestSupport.h"

#include <cmath>

namespace layoutTest {

void TestFont::setGlyph(char16_t c, double advance, const QRectF &box) {
    QPainterPath outline;
    outline.addRect(box);
    glyphs_[c] = Glyph{advance, outline};
}

const TestFont::Glyph &TestFont::glyph(quint32 index) const {
    auto it = glyphs_.find(index);
    if (it == glyphs_.end()) {
        QPainterPath outline;
        outline.addRect(1, 0, 8, 10);
        it = glyphs_.emplace(index, Glyph{10, outline}).first;
    }
    return it->second;
}

const QPainterPath &TestFont::glyphOutline(quint32 index) const {
    return glyph(index).outline;
}

double TestFont::advance(quint32 index) const {
    return glyph(index).advance;
}

std::unique_ptr<geBezierPath> BoxNode::renderWithFont(const geFont &, bool, bool) {
    centerOffset_ = c_;
    auto p = geBezierPath::bezierPathWithData(this);
    p->moveToPoint({0, 0});
    p->lineToPoint({w_, 0});
    p->lineToPoint({w_, h_});
    p->lineToPoint({0, h_});
    p->closePath();
    return p;
}

bool passesThrough(const geBezierPath &path, QPointF p, double tolerance) {
    const QPainterPath e = path.elements();
    for (int i = 0; i < e.elementCount(); ++i) {
        const auto el = e.elementAt(i);
        if (std::abs(el.x - p.x()) <= tolerance && std::abs(el.y - p.y()) <= tolerance) return true;
    }
    return false;
}

::testing::AssertionResult sameRect(const QRectF &a, const QRectF &e) {
    const double t = 1e-9;
    if (std::abs(a.x() - e.x()) <= t && std::abs(a.y() - e.y()) <= t &&
        std::abs(a.width() - e.width()) <= t && std::abs(a.height() - e.height()) <= t)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "(" << a.x() << ", " << a.y() << ", " << a.width()
                                         << ", " << a.height() << ") instead of (" << e.x() << ", "
                                         << e.y() << ", " << e.width() << ", " << e.height() << ")";
}

}  // namespace layoutTest
