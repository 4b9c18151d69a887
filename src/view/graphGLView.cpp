// The view's state and every operation that changes the region.
#include "view/graphGLView.h"

#include "render/graphRenderFactory.h"
#include "view/graphLabels.h"

#include <algorithm>
#include <cmath>

namespace {

class nullStatus : public graphStatus {
public:
    void setStatusText(const QString &) override {}
    void setCursor(graphCursor) override {}
};

class nullSurface : public graphSurface {
public:
    void display() override {}
    void setNeedsDisplay() override {}
    void makeKeyAndFirstResponder() override {}
};

nullStatus noStatus;
nullSurface noSurface;

constexpr graphRect defaultRegion{-50.0f, -50.0f, 100.0f, 100.0f};
constexpr double scrollLimit = 10000000.0;
constexpr double smallestZoomWidth = 0.005;
constexpr double largestZoomWidth = 10000000.0;

// The zoom factor that keeps the spacing on 1, 2, 5, 10, ...: 2.5 when either axis's
// spacing has the given mantissa, else 2.
double zoomFactor(double xSpacing, double ySpacing, double mantissa) {
    bool match = std::fabs(graphSpacingMantissa(xSpacing) - mantissa) < 0.0001 ||
                 std::fabs(graphSpacingMantissa(ySpacing) - mantissa) < 0.0001;
    return match ? 2.5 : 2.0;
}

}  // namespace

graphGLView::graphGLView(graphDraw &draw, float width, float height)
    : draw(draw),
      status(&noStatus),
      surface(&noSurface),
      makeRender(graphNewRenderForKind),
      frameWidth(width),
      frameHeight(height) {
    gridXCount = gridYCount = 5.0f;
    initGraphView();
    selectionPoint = {0.0f, 0.0f};
    wasGraphed = false;
}

// Renderers release their display lists through draw, which outlives the view.
graphGLView::~graphGLView() = default;

void graphGLView::setInspector(graphInspector *newInspector) {
    inspector = newInspector != nullptr ? newInspector : &ownInspector;
}

void graphGLView::setStatus(graphStatus *newStatus) {
    status = newStatus != nullptr ? newStatus : &noStatus;
}

void graphGLView::setSurface(graphSurface *newSurface) {
    surface = newSurface != nullptr ? newSurface : &noSurface;
}

void graphGLView::setRenderFactory(renderFactory factory) {
    makeRender = factory ? std::move(factory) : renderFactory(graphNewRenderForKind);
}

void graphGLView::initGraphView() {
    resetGraph = true;
    constrainProportions = false;
    graphBounds = defaultRegion;
    selectionPoint = {0.0f, 0.0f};
    kValue = 1.0;
    contextualMenu2D = {
        {QStringLiteral(QT_TRANSLATE_NOOP("graphGLView", "Return To Origin")),
         &graphGLView::scrollToOrigin},
        {QStringLiteral(QT_TRANSLATE_NOOP("graphGLView", "Reset Default Graph Values")),
         &graphGLView::resetDefaultValues},
        {QString(), nullptr},
        {QStringLiteral(QT_TRANSLATE_NOOP("graphGLView", "Zoom In")), &graphGLView::zoomIn},
        {QStringLiteral(QT_TRANSLATE_NOOP("graphGLView", "Zoom Out")), &graphGLView::zoomOut}};
    contextualMenu3D = {{QStringLiteral("Zoom In"), &graphGLView::zoomIn},
                        {QStringLiteral("Zoom Out"), &graphGLView::zoomOut}};
    setDivisions3D(graphDefaults::divisions);
    idleRotationX = idleRotationY = 0.0;
}

void graphGLView::setColor(graphRGB &field, const QColor &color) {
    QColor rgb = color.toRgb();
    field = {static_cast<float>(rgb.redF()), static_cast<float>(rgb.greenF()),
             static_cast<float>(rgb.blueF())};
    recompile();
}

void graphGLView::setBackgroundColor(const QColor &color) {
    setColor(backgroundColor, color);
}
void graphGLView::setBackgroundColor3D(const QColor &color) {
    setColor(backgroundColor3D, color);
}
void graphGLView::setAxisColor(const QColor &color) {
    setColor(axisColor, color);
}
void graphGLView::setGridColor(const QColor &color) {
    setColor(gridColor, color);
}
void graphGLView::setSelectionColor(const QColor &color) {
    setColor(selectionColor, color);
}

void graphGLView::setColorByHeight(bool on) {
    colorByHeight = on;
    recompile();
}

void graphGLView::setDivisions3D(int divisions) {
    if (divisions > 200) divisions = 200;
    if (divisions <= 3) divisions = 4;
    divisions3D = divisions;
    for (entry &e : equationArray) e.render->setDivisions3D(divisions3D);
    recompile();
}

void graphGLView::setDivisions3DAction(const QString &selectedTitle) {
    setDivisions3D(selectedTitle.trimmed().toInt());
    recompile();
}

void graphGLView::set3DDrawMode(int mode) {
    drawMode = mode;
    for (entry &e : equationArray) e.render->setDrawMode(drawMode);
    recompile();
    surface->setNeedsDisplay();
}

void graphGLView::setK(double k) {
    kValue = k;
    revision++;
    for (entry &e : equationArray) e.render->setK(kValue);
}

void graphGLView::resetDefaultValues() {
    gridXCount = gridYCount = 5.0f;
    graphBounds = defaultRegion;
    inspector->setZoomInEnabled(true);
    inspector->setZoomOutEnabled(true);
    updateBoundsText();
    recompile();
    surface->setNeedsDisplay();
}

void graphGLView::scrollToOrigin() {
    graphBounds.x = -graphBounds.width / 2.0f;
    graphBounds.y = -graphBounds.height / 2.0f;
    updateBoundsText();
    recompile();
    surface->display();
}

void graphGLView::setCenter() {
    focusX = static_cast<float>(inspector->fieldValue(graphField::xBox));
    focusY = static_cast<float>(inspector->fieldValue(graphField::yBox));
    focusZ = static_cast<float>(inspector->fieldValue(graphField::zBox));
    graphBounds.x = focusX - graphBounds.width / 2.0f;
    graphBounds.y = focusY - graphBounds.height / 2.0f;
    updateBoundsText();
    recompile();
    surface->setNeedsDisplay();
}

void graphGLView::scrollX(double dx, double dy) {
    const double left = graphBounds.x + dx, bottom = graphBounds.y + dy;
    const double right = (static_cast<double>(graphBounds.x) + graphBounds.width) + dx;
    const double top = (static_cast<double>(graphBounds.y) + graphBounds.height) + dy;
    // A scroll that would leave the square of +-10,000,000 is refused as a whole.
    if (left < -scrollLimit || bottom < -scrollLimit || right > scrollLimit || top > scrollLimit)
        return;
    graphBounds.x = static_cast<float>(left);
    graphBounds.y = static_cast<float>(bottom);
    updateBoundsText();
    recompile();
    surface->display();
}

void graphGLView::zoomAboutPoint(graphPoint viewPoint, double factor) {
    if (!(factor > 0.0) || !std::isfinite(factor)) return;
    if (is3D) {
        cameraDistance = std::clamp(cameraDistance / factor, 0.05, 20.0);
        surface->display();
        return;
    }
    const double width =
        std::clamp(graphBounds.width / factor, smallestZoomWidth, largestZoomWidth);
    const double scale = width / graphBounds.width;
    const double height = graphBounds.height * scale;
    const graphPoint g = graphPointForViewPoint(viewPoint);
    // g keeps its place: left + width * p.x / w stays g.x.
    const double left = g.x - (g.x - static_cast<double>(graphBounds.x)) * scale;
    const double bottom = g.y - (g.y - static_cast<double>(graphBounds.y)) * scale;
    if (std::fabs(left) > scrollLimit || std::fabs(left + width) > scrollLimit ||
        std::fabs(bottom) > scrollLimit || std::fabs(bottom + height) > scrollLimit)
        return;
    graphBounds = {static_cast<float>(left), static_cast<float>(bottom), static_cast<float>(width),
                   static_cast<float>(height)};
    inspector->setZoomInEnabled(width >= smallestZoomWidth * 1.0001);
    inspector->setZoomOutEnabled(width <= largestZoomWidth / 1.0001);
    updateBoundsText();
    recompile();
    surface->display();
}

double graphGLView::scaleForZoomIn() const {
    return zoomFactor(inspector->fieldValue(graphField::gridXSpacing),
                      inspector->fieldValue(graphField::gridYSpacing), 5.0);
}

double graphGLView::scaleForZoomOut() const {
    return zoomFactor(inspector->fieldValue(graphField::gridXSpacing),
                      inspector->fieldValue(graphField::gridYSpacing), 2.0);
}

// Scales the region about its centre: a factor below 1 zooms out.
void graphGLView::zoomBy(double factor) {
    const double centerX = graphBounds.x + graphBounds.width * 0.5;
    const double centerY = graphBounds.y + graphBounds.height * 0.5;
    const float width = static_cast<float>(graphBounds.width / factor);
    const float height = static_cast<float>(graphBounds.height / factor);
    graphBounds = {static_cast<float>(centerX - width * 0.5),
                   static_cast<float>(centerY - height * 0.5), width, height};
}

void graphGLView::zoomIn() {
    zoomBy(scaleForZoomIn());
    if (static_cast<double>(graphBounds.width) < smallestZoomWidth)
        inspector->setZoomInEnabled(false);
    inspector->setZoomOutEnabled(true);
    if (is3D) {
        setCenter();
        return;
    }
    updateBoundsText();
    recompile();
    surface->display();
}

void graphGLView::zoomOut() {
    zoomBy(1.0 / scaleForZoomOut());
    if (static_cast<double>(graphBounds.width) > largestZoomWidth)
        inspector->setZoomOutEnabled(false);
    inspector->setZoomInEnabled(true);
    if (is3D) {
        setCenter();
        return;
    }
    updateBoundsText();
    recompile();
    surface->display();
}

void graphGLView::updateBoundsText() {
    inspector->setFieldValue(graphField::minX, graphBounds.x);
    inspector->setFieldValue(graphField::maxX,
                             static_cast<double>(graphBounds.x) + graphBounds.width);
    inspector->setFieldValue(graphField::minY, graphBounds.y);
    inspector->setFieldValue(graphField::maxY,
                             static_cast<double>(graphBounds.y) + graphBounds.height);
    inspector->setFieldValue(graphField::gridXSpacing, graphBounds.width / gridXCount);
    inspector->setFieldValue(graphField::gridYSpacing, graphBounds.height / gridYCount);
}

void graphGLView::updateBoundsFromBoundsText() {
    setRegion(
        regionFor(inspector->fieldValue(graphField::minX), inspector->fieldValue(graphField::maxX),
                  inspector->fieldValue(graphField::minY), inspector->fieldValue(graphField::maxY),
                  inspector->fieldValue(graphField::gridXSpacing),
                  inspector->fieldValue(graphField::gridYSpacing)));
}

void graphGLView::updateGridIntervals() {
    setRegion(regionFor(graphBounds.x, static_cast<double>(graphBounds.x) + graphBounds.width,
                        graphBounds.y, static_cast<double>(graphBounds.y) + graphBounds.height,
                        inspector->fieldValue(graphField::gridXSpacing),
                        inspector->fieldValue(graphField::gridYSpacing)));
}

graphGLView::regionAnswer graphGLView::regionFor(double minX, double maxX, double minY, double maxY,
                                                 double spacingX, double spacingY) const {
    regionAnswer answer{{static_cast<float>(minX), static_cast<float>(minY),
                         static_cast<float>(maxX - minX), static_cast<float>(maxY - minY)},
                        0.0f,
                        0.0f,
                        false};
    graphRect &r = answer.bounds;
    // Bounds typed the wrong way round give a unit extent. Equal bounds (an extent that
    // is zero in float) would give no grid spacing, and are refused like bounds that are
    // no finite number: the previous region stays and the fields show it again.
    if (r.width < 0.0f) r.width = 1.0f;
    if (r.height < 0.0f) r.height = 1.0f;
    if (!(r.width > 0.0f) || !(r.height > 0.0f) || !std::isfinite(r.x) || !std::isfinite(r.y) ||
        !std::isfinite(r.width) || !std::isfinite(r.height))
        r = graphBounds;
    answer.gridXCount = static_cast<float>(r.width / spacingX);
    answer.gridYCount = static_cast<float>(r.height / spacingY);
    // Counts outside [0, 21] fall back to 20; so does a count that is no number at all.
    for (float *count : {&answer.gridXCount, &answer.gridYCount}) {
        if (!(*count >= 0.0f && *count <= 21.0f)) {
            *count = 20.0f;
            answer.gridRefused = true;
        }
    }
    return answer;
}

void graphGLView::setRegion(const regionAnswer &answer) {
    graphBounds = answer.bounds;
    gridXCount = answer.gridXCount;
    gridYCount = answer.gridYCount;
    if (answer.gridRefused) inspector->showAlert(graphGridAlert);
    updateBoundsText();
    recompile();
    surface->display();
}

void graphGLView::updateParametricRange() {
    const double tStart = inspector->fieldValue(graphField::minT);
    double tLength = inspector->fieldValue(graphField::maxT) - tStart;
    const double sStart = inspector->fieldValue(graphField::minS);
    double sLength = inspector->fieldValue(graphField::maxS) - sStart;

    // A reversed range becomes 0.1 long, a very long one 500; the fields show the result.
    auto clamp = [this](double start, double &length, graphField maxField) {
        if (length < 0.0) {
            length = 0.1;
            inspector->setFieldValue(maxField, start + 0.1);
        } else if (length > 500.0) {
            length = 500.0;
            inspector->setFieldValue(maxField, start + 500.0);
        }
    };
    clamp(sStart, sLength, graphField::maxS);
    clamp(tStart, tLength, graphField::maxT);
    const double thetaStart = inspector->fieldValue(graphField::minTheta);
    double thetaLength = inspector->fieldValue(graphField::maxTheta) - thetaStart;
    clamp(thetaStart, thetaLength, graphField::maxTheta);

    for (entry &e : equationArray) {
        e.render->setTStart(tStart, tLength);
        e.render->setSStart(sStart, sLength);
        e.render->setThetaStart(thetaStart, thetaLength);
    }
    recompile();
    surface->display();
}

void graphGLView::setFrame(float width, float height) {
    frameWidth = width;
    frameHeight = height;
    // One graph unit spans as many pixels vertically as horizontally; the vertical centre
    // and the typed y spacing stay. An empty frame has no proportions to keep.
    if (constrainProportions && width > 0.0f && height > 0.0f) {
        const float newHeight = height * (graphBounds.width / width);
        graphBounds.y -= (newHeight - graphBounds.height) / 2.0f;
        graphBounds.height = newHeight;
        gridYCount =
            static_cast<float>(newHeight / inspector->fieldValue(graphField::gridYSpacing));
    }
    updateBoundsText();
}
