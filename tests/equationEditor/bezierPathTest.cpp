// The path tree: cached bounds and when they refresh, moving trees, hit testing, and
// painting highlights behind glyphs.
#include <QImage>
#include <QPainter>
#include <functional>

#include "layoutTestSupport.h"

namespace layoutTest {
namespace {

using Ptr = geBezierPath::Ptr;

Ptr boxPath(const QRectF &r, geEdit *data = nullptr) {
    auto p = geBezierPath::bezierPathWithData(data);
    p->moveToPoint(r.topLeft());
    p->lineToPoint({r.right(), r.top()});
    p->lineToPoint(r.bottomRight());
    p->lineToPoint({r.left(), r.bottom()});
    p->closePath();
    return p;
}

TEST(BezierPathTest, EmptyPathIsAPointAtTheOrigin) {
    auto p = geBezierPath::bezierPath();
    EXPECT_RECT(p->bounds(), QRectF(0, 0, 0, 0));
    EXPECT_EQ(p->pathAtPoint({0, 0}), p.get());
    EXPECT_EQ(p->recenter(), QPointF(0, 0));
}

TEST(BezierPathTest, ElementOperationsLeaveTheBoundsStale) {
    TestFont font;
    struct Case {
        const char *name;
        std::function<void(geBezierPath &)> refresh;
    };
    const std::vector<Case> cases = {
        {"closePath", [](geBezierPath &p) { p.closePath(); }},
        {"glyph", [&](geBezierPath &p) { p.appendBezierPathWithGlyph(u'a', font); }},
        {"sub-path", [](geBezierPath &p) { p.appendBezierPath(geBezierPath::bezierPath()); }},
        {"transform", [](geBezierPath &p) { p.transformUsingAffineTransform(QTransform()); }},
        {"recenter", [](geBezierPath &p) { p.recenter(); }},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        auto p = boxPath({0, 0, 10, 10});
        p->moveToPoint({20, 20});
        p->lineToPoint({30, 25});
        p->curveToPoint({5, 40}, {5, 35}, {5, 38});
        EXPECT_RECT(p->bounds(), QRectF(0, 0, 10, 10));
        c.refresh(*p);
        // The default glyph (1, 0, 8, 10) lies at the current point (5, 40).
        EXPECT_RECT(p->bounds(), QRectF(0, 0, 30, c.name == std::string("glyph") ? 50 : 40));
    }
}

TEST(BezierPathTest, SubPathBoxes) {
    // A parent's move refreshes a stale sub-path.
    auto parent = geBezierPath::bezierPath();
    geBezierPath *child = parent->appendBezierPath(boxPath({0, 0, 10, 10}));
    child->moveToPoint({0, 0});
    child->lineToPoint({20, 0});
    EXPECT_RECT(parent->bounds(), QRectF(0, 0, 10, 10));
    parent->transformUsingAffineTransform(QTransform::fromTranslate(5, 0));
    EXPECT_RECT(child->bounds(), QRectF(5, 0, 20, 10));
    EXPECT_RECT(parent->bounds(), QRectF(5, 0, 20, 10));
    // A container of two recentres both; a null sub-path is refused.
    auto p = geBezierPath::bezierPath();
    geBezierPath *a = p->appendBezierPath(boxPath({10, 10, 5, 5}));
    geBezierPath *b = p->appendBezierPath(boxPath({30, 0, 5, 20}));
    EXPECT_EQ(p->appendBezierPath(nullptr), nullptr);
    EXPECT_EQ(p->pathlist().size(), 2u);
    EXPECT_RECT(p->bounds(), QRectF(10, 0, 25, 20));
    EXPECT_EQ(p->recenter(), QPointF(-10, 0));
    EXPECT_RECT(a->bounds(), QRectF(0, 10, 5, 5));
    EXPECT_TRUE(passesThrough(*b, {25, 20}));
    EXPECT_EQ(p->recenter(), QPointF(0, 0));
    // An empty sub-path is a point at the origin and pulls the box there.
    auto pulled = boxPath({10, 10, 5, 5});
    pulled->appendBezierPath(geBezierPath::bezierPath());
    EXPECT_RECT(pulled->bounds(), QRectF(0, 0, 15, 15));
}

// Moves and scales at several levels, against the coordinates worked out by hand.
TEST(BezierPathTest, NestedTransformsCompose) {
    auto top = geBezierPath::bezierPath();
    auto middle = geBezierPath::bezierPath();
    geBezierPath *leaf = middle->appendBezierPath(boxPath({0, 0, 10, 10}));
    middle->transformUsingAffineTransform(QTransform(0.5, 0, 0, 0.5, 4, 0));  // (4, 0, 5, 5)
    middle->moveToPoint({0, 0});
    middle->lineToPoint({0, -2});
    middle->closePath();  // (0, -2, 9, 7)
    geBezierPath *m = top->appendBezierPath(std::move(middle));
    top->transformUsingAffineTransform(QTransform::fromScale(2, 2));
    top->transformUsingAffineTransform(QTransform::fromTranslate(1, 1));
    EXPECT_RECT(top->bounds(), QRectF(1, -3, 18, 14));
    EXPECT_RECT(m->bounds(), QRectF(1, -3, 18, 14));
    EXPECT_RECT(leaf->bounds(), QRectF(9, 1, 10, 10));
    EXPECT_TRUE(passesThrough(*leaf, {19, 11}));
    EXPECT_TRUE(passesThrough(*m, {1, -3}));
    // Elements added to a moved path are taken in the top path's coordinates.
    m->moveToPoint({30, 30});
    m->lineToPoint({31, 31});
    m->closePath();
    EXPECT_RECT(m->bounds(), QRectF(1, -3, 30, 34));
    EXPECT_RECT(leaf->bounds(), QRectF(9, 1, 10, 10));
    // A rotation moves every element.
    auto turned = geBezierPath::bezierPath();
    turned->appendBezierPath(boxPath({0, 0, 10, 2}));
    turned->transformUsingAffineTransform(QTransform::fromScale(2, 1));
    turned->transformUsingAffineTransform(QTransform().rotate(90));
    EXPECT_RECT(turned->bounds(), QRectF(-2, 0, 2, 20));
    EXPECT_RECT(turned->pathlist()[0]->bounds(), QRectF(-2, 0, 2, 20));
}

TEST(BezierPathTest, PathAtPointFindsTheDeepestAndFirstPath) {
    geEditPtr nodes[4] = {geEditEmpty::emptyExpression(), geEditEmpty::emptyExpression(),
                          geEditEmpty::emptyExpression(), geEditEmpty::emptyExpression()};
    auto top = boxPath({0, 0, 100, 100}, nodes[0].get());
    geBezierPath *first = top->appendBezierPath(boxPath({10, 10, 30, 30}, nodes[1].get()));
    geBezierPath *second = top->appendBezierPath(boxPath({20, 20, 30, 30}, nodes[2].get()));
    geBezierPath *inner = second->appendBezierPath(boxPath({45, 45, 5, 5}, nodes[3].get()));
    top->transformUsingAffineTransform(QTransform::fromTranslate(100, 0));
    EXPECT_EQ(top->pathAtPoint({125, 25}), first) << "overlap: the first appended wins";
    EXPECT_EQ(top->pathAtPoint({141, 45}), second);
    EXPECT_EQ(top->pathAtPoint({145, 45}), inner) << "edges are inside";
    EXPECT_EQ(top->pathAtPoint({148, 48}), inner);
    EXPECT_RECT(inner->bounds(), QRectF(145, 45, 5, 5));
    EXPECT_EQ(top->pathAtPoint({105, 95}), top.get());
    EXPECT_EQ(top->pathAtPoint({5, 5}), nullptr);
    EXPECT_EQ(top->pathForData(nodes[3].get()), inner);
    EXPECT_EQ(top->pathForData(nodes[2].get()), second);
    EXPECT_EQ(top->pathForData(nullptr), nullptr);

    // A sub-path moved after it was appended reaches outside the stale parent box and is
    // not found there.
    auto parent = boxPath({0, 0, 10, 10});
    geBezierPath *child = parent->appendBezierPath(boxPath({2, 2, 2, 2}));
    child->transformUsingAffineTransform(QTransform::fromTranslate(20, 20));
    EXPECT_RECT(parent->bounds(), QRectF(0, 0, 10, 10));
    EXPECT_EQ(parent->pathAtPoint({23, 23}), nullptr);
    EXPECT_EQ(parent->pathAtPoint({1, 1}), parent.get());
}

TEST(BezierPathTest, RoundRectCornersAndControlPoints) {
    geBezierPath p;
    EXPECT_EQ(&p.appendWithRoundRect({0, 0, 40, 10}), &p);
    const QPainterPath e = p.elements();
    const std::vector<QPointF> expected = {
        {1.5, 10},  {38.5, 10}, {39.25, 10}, {40, 9.25}, {40, 8.5}, {40, 1.5},
        {40, 0.75}, {39.25, 0}, {38.5, 0},   {1.5, 0},   {0.75, 0}, {0, 0.75},
        {0, 1.5},   {0, 8.5},   {0, 9.25},   {0.75, 10}, {1.5, 10},
    };
    ASSERT_GE(e.elementCount(), int(expected.size()));
    for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(QPointF(e.elementAt(int(i))), expected[i]) << "element " << i;
    EXPECT_RECT(p.bounds(), QRectF(0, 0, 40, 10));
}

// A w x h box that paints nothing: two invisible lines at its left and right edges.
Ptr frame(double w, double h) {
    auto p = geBezierPath::bezierPath();
    p->moveToPoint({0, 0});
    p->lineToPoint({0, h});
    p->moveToPoint({w, 0});
    p->lineToPoint({w, h});
    p->closePath();
    return p;
}

QColor pixel(const QImage &image, int x, int y) {
    return image.pixelColor(x, y);
}

// Painted in device coordinates equal to the path's own, so pixel (x, y) covers the unit
// square at (x, y).
QImage paint(const geBezierPath &p, int w, int h) {
    QImage image(w, h, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    p.fill(painter);
    return image;
}

TEST(BezierPathTest, SubhighlightFollowsScaleAndMove) {
    // A box of height 20 that paints nothing of its own.
    auto p = frame(30, 20);
    p->enableSubhighlightWithRect({2, 3, 4, 5});
    p->transformUsingAffineTransform(QTransform(2, 0, 0, 2, 100, 50));
    EXPECT_RECT(p->subhighlightRectNow(), QRectF(104, 56, 8, 10));
    const QImage image = paint(*p, 200, 100);
    const QColor blend = pixel(image, 108, 61);
    EXPECT_NE(blend, QColor(Qt::white));
    EXPECT_EQ(pixel(image, 101, 61), QColor(Qt::white));
    EXPECT_EQ(pixel(image, 108, 53), QColor(Qt::white));
    p->disableSubhighlight();
    EXPECT_EQ(pixel(paint(*p, 200, 100), 108, 61), QColor(Qt::white));
}

TEST(BezierPathTest, HighlightLiesBehindGlyphs) {
    auto parent = frame(40, 40);
    parent->appendBezierPath(boxPath({10, 10, 10, 10}));
    parent->setHighlight(true);
    const QImage image = paint(*parent, 50, 50);
    EXPECT_EQ(pixel(image, 15, 15), QColor(Qt::black)) << "the child's glyph is painted over";
    const QColor behind = pixel(image, 30, 30);
    QColor expected = geBezierPath::highlightColor();
    EXPECT_NEAR(behind.red(), (expected.red() + 255) / 2, 2);
    EXPECT_NEAR(behind.blue(), (expected.blue() + 255) / 2, 2);
    parent->setHighlight(false);
    EXPECT_EQ(pixel(paint(*parent, 50, 50), 30, 30), QColor(Qt::white));
}

}  // namespace
}  // namespace layoutTest
