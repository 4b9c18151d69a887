#include "render/graphPainterDraw.h"

#include "platform/graphBitmapFont.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPen>
#include <QPolygonF>
#include <QString>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <iterator>

namespace {

uint32_t bit(graphCapability capability) {
    return 1u << static_cast<unsigned>(capability);
}

// The dash runs of a 16-bit stipple pattern, lowest bit first, in pixels: 0x0F0F is four
// on, four off. Empty for a solid pattern.
QList<qreal> dashRuns(uint16_t pattern, int factor) {
    QList<qreal> runs;
    if (pattern == 0xFFFF || pattern == 0) return runs;
    // Start at an "on" bit so the pattern begins with a dash.
    int first = 0;
    while (!(pattern & (1u << first))) first++;
    bool on = true;
    int length = 0;
    for (int i = 0; i < 16; i++) {
        const bool set = (pattern >> ((first + i) % 16)) & 1u;
        if (set == on) {
            length++;
        } else {
            runs.push_back(length * factor);
            on = set, length = 1;
        }
    }
    runs.push_back(length * factor);
    if (runs.size() % 2 != 0) runs.push_back(0);
    return runs;
}

// Liang-Barsky: clips the segment a-b to the box; false when nothing of it is inside.
bool clipSegment(QPointF &a, QPointF &b, const QRectF &box) {
    double t0 = 0.0, t1 = 1.0;
    const double dx = b.x() - a.x(), dy = b.y() - a.y();
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {a.x() - box.left(), box.right() - a.x(), a.y() - box.top(),
                         box.bottom() - a.y()};
    for (int i = 0; i < 4; i++) {
        if (p[i] == 0.0) {
            if (q[i] < 0.0) return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0.0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1) return false;
    }
    const QPointF start = a;
    if (t1 < 1.0) b = QPointF(start.x() + t1 * dx, start.y() + t1 * dy);
    if (t0 > 0.0) a = QPointF(start.x() + t0 * dx, start.y() + t0 * dy);
    return true;
}

bool isFinite(const QPointF &p) {
    return std::isfinite(p.x()) && std::isfinite(p.y());
}

double distanceToSegment(const QPointF &p, const QPointF &a, const QPointF &b) {
    const QPointF ab = b - a, ap = p - a;
    const double length2 = QPointF::dotProduct(ab, ab);
    const double t =
        length2 > 0.0 ? std::clamp(QPointF::dotProduct(ap, ab) / length2, 0.0, 1.0) : 0.0;
    const QPointF d = ap - t * ab;
    return std::sqrt(QPointF::dotProduct(d, d));
}

// Appends the polyline to path without the points that lie within tolerance of the line
// through their neighbours (Douglas-Peucker). Samples a fraction of a pixel apart would
// otherwise reach the rasteriser as tiny segments, which Qt's anti-aliasing draws a third
// lighter than one long segment; vector documents get smaller too.
void appendSimplified(QPainterPath &path, const std::vector<QPointF> &run, double tolerance) {
    if (run.empty()) return;
    std::vector<char> keep(run.size(), 0);
    keep.front() = keep.back() = 1;
    std::vector<std::pair<size_t, size_t>> pending{{0, run.size() - 1}};
    while (!pending.empty()) {
        const auto [first, last] = pending.back();
        pending.pop_back();
        double farthest = tolerance;
        size_t index = 0;
        for (size_t i = first + 1; i < last; i++) {
            const double d = distanceToSegment(run[i], run[first], run[last]);
            if (d > farthest) farthest = d, index = i;
        }
        if (index != 0) {
            keep[index] = 1;
            pending.push_back({first, index});
            pending.push_back({index, last});
        }
    }
    path.moveTo(run.front());
    for (size_t i = 1; i < run.size(); i++)
        if (keep[i]) path.lineTo(run[i]);
}

}  // namespace

graphPainterDraw::graphPainterDraw(QPainter &painter, int width, int height)
    : painter(painter),
      deviceWidth(width),
      deviceHeight(height),
      viewWidth(width),
      viewHeight(height) {}

void graphPainterDraw::prepareState() {
    capabilities = bit(graphCapability::blend) | bit(graphCapability::lineSmooth) |
                   bit(graphCapability::pointSmooth);
    currentPointSize = 7.0f;
    currentLineWidth = 1.0f;
    stippleFactor = 1;
    stipplePattern = 0x0F0F;
    // The fonts are made when first drawn or measured: 2D scenes never use the fixed one.
    fixedFont.reset();
    sansFont.reset();
}

unsigned graphPainterDraw::genList() {
    return lists.genList();
}

void graphPainterDraw::deleteList(unsigned list) {
    lists.deleteList(list);
}

void graphPainterDraw::newList(unsigned list) {
    lists.newList(list);
    compiling = list;
}

void graphPainterDraw::endList() {
    lists.endList();
    compiling = 0;
}

void graphPainterDraw::callList(unsigned list) {
    if (compiling != 0)
        lists.callList(list);
    else
        lists.replay(lists.list(list), *this);
}

void graphPainterDraw::begin(graphPrimitive newPrimitive) {
    if (compiling != 0) return lists.begin(newPrimitive);
    inBlock = true;
    primitive = newPrimitive;
    points.clear();
}

void graphPainterDraw::end() {
    if (compiling != 0) return lists.end();
    if (inBlock) paintBlock();
    inBlock = false;
}

void graphPainterDraw::vertex(float x, float y) {
    if (compiling != 0) return lists.vertex(x, y);
    if (inBlock) points.push_back(toDevice(x, y));
}

void graphPainterDraw::vertex(float x, float y, float z) {
    if (compiling != 0) return lists.vertex(x, y, z);
    if (inBlock) points.push_back(toDevice(x, y));
}

void graphPainterDraw::vertices(graphPrimitive blockPrimitive, const float *xy, int count) {
    if (compiling != 0) return lists.vertices(blockPrimitive, xy, count);
    begin(blockPrimitive);
    for (int i = 0; i < count; i++) points.push_back(toDevice(xy[2 * i], xy[2 * i + 1]));
    end();
}

void graphPainterDraw::normal(float x, float y, float z) {
    if (compiling != 0) lists.normal(x, y, z);
}

void graphPainterDraw::color(float red, float green, float blue, float alpha) {
    if (compiling != 0) return lists.color(red, green, blue, alpha);
    current = QColor::fromRgbF(std::clamp(red, 0.0f, 1.0f), std::clamp(green, 0.0f, 1.0f),
                               std::clamp(blue, 0.0f, 1.0f), std::clamp(alpha, 0.0f, 1.0f));
}

void graphPainterDraw::material(graphMaterial parameter, const float value[4]) {
    if (compiling != 0) lists.material(parameter, value);
}

void graphPainterDraw::pointSize(float size) {
    if (compiling != 0) return lists.pointSize(size);
    currentPointSize = size;
}

void graphPainterDraw::lineWidth(float width) {
    if (compiling != 0) return lists.lineWidth(width);
    currentLineWidth = width;
}

void graphPainterDraw::enable(graphCapability capability) {
    if (compiling != 0) return lists.enable(capability);
    capabilities |= bit(capability);
}

void graphPainterDraw::disable(graphCapability capability) {
    if (compiling != 0) return lists.disable(capability);
    capabilities &= ~bit(capability);
}

void graphPainterDraw::viewport(int x, int y, int width, int height) {
    viewX = x, viewY = y, viewWidth = width, viewHeight = height;
}

void graphPainterDraw::clear(float red, float green, float blue, float) {
    // Images are opaque: the background's alpha is not kept. The fill covers the whole
    // device whatever the caller's transform: a half-pixel shift would otherwise leave
    // row 0 and column 0 unpainted.
    const QRectF device = painter.viewport();
    const QRectF area = device.isEmpty() ? QRectF(0, 0, deviceWidth, deviceHeight)
                                         : painter.worldTransform().inverted().mapRect(device);
    painter.fillRect(area,
                     QColor::fromRgbF(std::clamp(red, 0.0f, 1.0f), std::clamp(green, 0.0f, 1.0f),
                                      std::clamp(blue, 0.0f, 1.0f)));
}

void graphPainterDraw::loadProjectionIdentity() {
    left = -1.0, right = 1.0, bottom = -1.0, top = 1.0;
}

void graphPainterDraw::loadModelViewIdentity() {}

void graphPainterDraw::ortho(double newLeft, double newRight, double newBottom, double newTop,
                             double, double) {
    left = newLeft, right = newRight, bottom = newBottom, top = newTop;
}

void graphPainterDraw::perspective(double, double, double, double) {}

void graphPainterDraw::lookAt(double, double, double, double, double, double, double, double,
                              double) {}

void graphPainterDraw::rotate(double, double, double, double) {}

void graphPainterDraw::translate(double, double, double) {}

void graphPainterDraw::scaleAxes(double, double, double) {}

void graphPainterDraw::pushMatrix() {}

void graphPainterDraw::popMatrix() {}

void graphPainterDraw::lightColor(const float[4], const float[4]) {}

void graphPainterDraw::lineStipple(int factor, uint16_t pattern) {
    stippleFactor = std::max(1, factor);
    stipplePattern = pattern;
}

void graphPainterDraw::text(double x, double y, double z, std::string_view text, graphFont font) {
    if (compiling != 0) return lists.text(x, y, z, text, font);
    const QPointF at = toDevice(x, y);
    // Like a raster position, one outside the view draws nothing.
    if (!isFinite(at) || at.x() < 0.0 || at.y() < 0.0 || at.x() > deviceWidth ||
        at.y() > deviceHeight)
        return;
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setFont(fontFor(font));
    painter.setPen(current);
    painter.drawText(at, QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

graphTextSize graphPainterDraw::textSize(std::string_view text, graphFont font) const {
    const QFontMetricsF metrics(fontFor(font));
    return {static_cast<float>(metrics.horizontalAdvance(
                QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())))),
            static_cast<float>(metrics.ascent() + metrics.descent())};
}

void graphPainterDraw::flush() {}

void graphPainterDraw::readPixels(int width, int height, graphPixelFormat format, int packAlignment,
                                  uint8_t *destination) {
    if (width <= 0 || height <= 0) return;
    const size_t pixels = static_cast<size_t>(width) * (format == graphPixelFormat::rgba ? 4 : 1);
    const size_t align = packAlignment > 0 ? static_cast<size_t>(packAlignment) : 1;
    const size_t row = (pixels + align - 1) / align * align;
    std::memset(destination, 0, row * static_cast<size_t>(height - 1) + pixels);
}

QPointF graphPainterDraw::toDevice(double x, double y) const {
    const double nx = (x - left) / (right - left), ny = (y - bottom) / (top - bottom);
    return {viewX + nx * viewWidth, deviceHeight - (viewY + ny * viewHeight)};
}

bool graphPainterDraw::isOn(graphCapability capability) const {
    return (capabilities & bit(capability)) != 0;
}

const QFont &graphPainterDraw::fontFor(graphFont font) const {
    const bool fixed = font == graphFont::fixed9By15;
    std::optional<QFont> &made = fixed ? fixedFont : sansFont;
    if (!made) made = graphLabelFont(fixed, scale());
    return *made;
}

void graphPainterDraw::paintBlock() {
    if (points.empty()) return;
    const float width = currentLineWidth * scale();
    // Curves run far beyond the view near poles; they are clipped to a box a little
    // larger than the device, so no coordinate the device cannot hold reaches it.
    const qreal margin = 16.0 * static_cast<qreal>(std::max(1.0f, width));
    const QRectF box(-margin, -margin, deviceWidth + 2 * margin, deviceHeight + 2 * margin);

    switch (primitive) {
        case graphPrimitive::lineStrip:
        case graphPrimitive::lines: {
            const bool strip = primitive == graphPrimitive::lineStrip;
            // The visible parts of the block, each a run of connected points.
            QPainterPath path;
            std::vector<QPointF> run;
            const size_t step = strip ? 1 : 2;
            for (size_t i = 0; i + 1 < points.size(); i += step) {
                QPointF a = points[i], b = points[i + 1];
                if (!isFinite(a) || !isFinite(b) || !clipSegment(a, b, box)) continue;
                if (run.empty() || a != run.back()) {
                    appendSimplified(path, run, strip ? 0.1 : 0.0);
                    run = {a};
                }
                run.push_back(b);
            }
            appendSimplified(path, run, strip ? 0.1 : 0.0);
            QPen pen(current, width, Qt::SolidLine, strip ? Qt::RoundCap : Qt::FlatCap,
                     Qt::RoundJoin);
            if (isOn(graphCapability::lineStipple)) {
                const QList<qreal> runs = dashRuns(stipplePattern, stippleFactor);
                if (!runs.isEmpty())
                    pen.setDashPattern(runs);  // in units of the pen's width, as the scale is
            }
            painter.setRenderHint(QPainter::Antialiasing, isOn(graphCapability::lineSmooth));
            painter.setPen(pen);
            painter.setBrush(Qt::NoBrush);
            painter.drawPath(path);
            break;
        }
        case graphPrimitive::points: {
            const qreal size = currentPointSize * scale();
            painter.setRenderHint(QPainter::Antialiasing, isOn(graphCapability::pointSmooth));
            painter.setPen(Qt::NoPen);
            painter.setBrush(current);
            for (const QPointF &p : points) {
                if (!box.contains(p)) continue;
                const QRectF dot(p.x() - size / 2, p.y() - size / 2, size, size);
                if (isOn(graphCapability::pointSmooth))
                    painter.drawEllipse(dot);
                else
                    painter.drawRect(dot);
            }
            break;
        }
        case graphPrimitive::triangles:
        case graphPrimitive::triangleStrip: {
            // One filled path for the block: neighbouring triangles show no seam and a
            // translucent fill is not doubled where they meet.
            QPainterPath area;
            area.setFillRule(Qt::WindingFill);
            const size_t step = primitive == graphPrimitive::triangles ? 3 : 1;
            for (size_t i = 0; i + 2 < points.size(); i += step) {
                const QPointF corners[3] = {points[i], points[i + 1], points[i + 2]};
                if (!isFinite(corners[0]) || !isFinite(corners[1]) || !isFinite(corners[2]))
                    continue;
                // Strips alternate their winding; each triangle is added counter-clockwise.
                QPolygonF triangle(std::begin(corners), std::end(corners));
                const double cross =
                    (corners[1].x() - corners[0].x()) * (corners[2].y() - corners[0].y()) -
                    (corners[1].y() - corners[0].y()) * (corners[2].x() - corners[0].x());
                if (cross < 0.0) std::reverse(triangle.begin(), triangle.end());
                area.addPolygon(triangle);
                area.closeSubpath();
            }
            painter.setRenderHint(QPainter::Antialiasing, true);
            painter.setPen(Qt::NoPen);
            painter.setBrush(current);
            painter.drawPath(area.simplified());
            break;
        }
    }
}
