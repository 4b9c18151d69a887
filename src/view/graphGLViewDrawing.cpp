// Graphing requests, compiling, and the drawing pass.
#include "view/graphGLView.h"

#include "render/graphStop.h"
#include "view/graphLabels.h"

#include <QVector4D>

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>

#include "engine/slNumberText.h"

namespace {

struct equationDeleter {
    void operator()(grEquation *e) const { grFreeEquation(e); }
};

constexpr uint16_t stipplePattern = 0x0F0F;

// A region or view that cannot be projected: nothing but the background is drawn.
bool isDegenerate(graphRect r, int width, int height) {
    return !(r.width > 0.0f) || !(r.height > 0.0f) || !std::isfinite(r.x) || !std::isfinite(r.y) ||
           !std::isfinite(r.width) || !std::isfinite(r.height) || width <= 0 || height <= 0;
}

}  // namespace

QString graphGLView::graphMultipleEquations() {
    if (runner != nullptr && equationTable != nullptr) return graphInBackground();
    // 1. A fresh start: no selection, no renderers, 2D until a 3D renderer appears.
    selectionPoint = {0.0f, 0.0f};
    pointSelected = false;
    equationArray.clear();
    jobDraw.reset();
    const bool was3D = is3D;
    is3D = false;
    bool parametric = false, polar = false;

    // 2. One renderer per classified equation. The first failure drops every renderer
    //    made so far and answers its message.
    for (int i = 0; equationTable != nullptr && i < equationTable->equationCount(); i++) {
        if (graphStopRequested()) break;  // a stopped job's renderers are thrown away
        std::unique_ptr<grEquation, equationDeleter> equation(equationTable->equationAtIndex(i));
        if (!equation) {
            equationArray.clear();
            return QString::fromUtf8(gGraphExpressionError != nullptr ? gGraphExpressionError : "");
        }
        std::unique_ptr<graphRender> render = makeRender(equation->kind, draw);
        if (!render) continue;  // a kind without a renderer is skipped
        render->initWithEquation(equation.release());
        render->setK(kValue);
        render->setDrawMode(drawMode);
        render->setDivisions3D(divisions3D);
        if (render->is3D()) is3D = true;
        if (render->isParametric()) parametric = true;
        if (render->isPolar()) polar = true;
        equationArray.push_back({std::move(render), i});
    }

    if (is3D) {
        // 3. A 3D scene always starts from the same camera, region and spin.
        for (graphField box : {graphField::xBox, graphField::yBox, graphField::zBox})
            inspector->setFieldValue(box, 0.0);
        focusX = focusY = focusZ = 0.0f;
        rotationY = firstRotationY;
        rotationX = firstRotationX;
        graphBounds = {-10.0f, -10.0f, 20.0f, 20.0f};
        idleRotationY = 1.2;
        status->setStatusText(QString());  // a 2D trace's coordinates mean nothing here
        inspector->showInspectorPage(true);
    } else {
        // 4. 2D.
        status->setStatusText(QStringLiteral("(0.0, 0.0)"));
        status->setCursor(graphCursor::arrow);
        if (resetGraph) {
            resetDefaultValues();
        } else if (was3D) {
            // The 3D scene's region keeps the 2D grid counts, whose spacings would read
            // 2.857143; lines 1, 2 or 5 times a power of ten apart read well.
            gridXCount =
                static_cast<float>(graphBounds.width / graphNiceSpacing(graphBounds.width));
            gridYCount =
                static_cast<float>(graphBounds.height / graphNiceSpacing(graphBounds.height));
            updateBoundsText();
        }
        inspector->showInspectorPage(false);
    }

    // 5. Parametric ranges come from their panel.
    inspector->showParametricPanel(parametric);
    inspector->showPolarFields(polar);
    if (parametric) updateParametricRange();

    // Graphed: the renderers are compiled and drawn at the next frame.
    wasGraphed = true;
    compileEquations();
    surface->setNeedsDisplay();
    surface->makeKeyAndFirstResponder();
    return QString();
}

void graphGLView::compileEquations() {
    const graphRect viewBounds{0.0f, 0.0f, frameWidth, frameHeight};
    const int count = equationTable != nullptr ? equationTable->equationCount() : 0;
    revision++;
    // 1. Every renderer at the region, then the z range of all surfaces together, so one
    //    colour map and one scale serve the whole scene.
    sceneHasSurface = false;
    for (entry &e : equationArray) {
        if (graphStopRequested()) return;
        e.render->setBounds(graphBounds);
        float low = 0.0f, high = 0.0f;
        if (!e.render->heightRange(&low, &high)) continue;
        sceneZ[0] = sceneHasSurface ? std::min(sceneZ[0], low) : low;
        sceneZ[1] = sceneHasSurface ? std::max(sceneZ[1], high) : high;
        sceneHasSurface = true;
    }
    if (!sceneHasSurface) {
        sceneZ[0] = graphBounds.x;
        sceneZ[1] = graphBounds.x + graphBounds.width;
    }
    const graphHeightColoring coloring{colorByHeight && sceneHasSurface, sceneZ[0], sceneZ[1]};
    // 2. A flat scene still gets a box of some height, a tall one is squeezed.
    if (!(sceneZ[1] - sceneZ[0] > graphBounds.width * 1e-6f)) {
        sceneZ[0] -= graphBounds.width * 0.05f;
        sceneZ[1] += graphBounds.width * 0.05f;
    }
    const float side = std::max(graphBounds.width, graphBounds.height);
    zScale = sceneZ[1] - sceneZ[0] > side ? side / (sceneZ[1] - sceneZ[0]) : 1.0f;
    if (!std::isfinite(zScale) || !(zScale > 0.0f)) zScale = 1.0f;
    for (entry &e : equationArray) {
        // The list may have shrunk since the request; such an entry draws in black.
        if (graphStopRequested()) return;
        QColor color = e.source < count ? equationTable->colorAtIndex(e.source) : QColor(Qt::black);
        e.render->setHeightColoring(coloring);
        e.render->compileWithBounds(graphBounds, viewBounds, color);
    }
}

void graphGLView::initGL() {
    draw.prepareState();
}

void graphGLView::drawRect() {
    renderMultipleEquations();
    if (!legend.empty()) drawLegend();
    draw.flush();
}

void graphGLView::renderMultipleEquations() {
    const int width = static_cast<int>(frameWidth), height = static_cast<int>(frameHeight);
    if (isDegenerate(graphBounds, width, height)) {
        const graphRGB &bg = is3D ? backgroundColor3D : backgroundColor;
        draw.viewport(0, 0, width > 0 ? width : 0, height > 0 ? height : 0);
        draw.clear(bg.red, bg.green, bg.blue, 0.0f);
        draw.flush();
        return;
    }
    if (is3D)
        draw3DScene(width, height);
    else
        draw2DScene(width, height);
}

void graphGLView::draw2DScene(int width, int height) {
    const graphRect r = graphBounds;
    // 1. Graph units straight onto the viewport.
    draw.loadProjectionIdentity();
    draw.viewport(0, 0, width, height);
    draw.ortho(r.x, static_cast<double>(r.x + r.width), r.y, static_cast<double>(r.y + r.height),
               0.0, 1.0);
    draw.loadModelViewIdentity();
    // The background, then the grid and the axes.
    draw.clear(backgroundColor.red, backgroundColor.green, backgroundColor.blue, 0.0f);
    draw2DGrid();
    // 4. The trace point goes under the curves.
    if (pointSelected) {
        draw.color(selectionColor.red, selectionColor.green, selectionColor.blue, 1.0f);
        draw.begin(graphPrimitive::points);
        draw.vertex(selectionPoint.x, selectionPoint.y);
        draw.end();
    }
    // Shaded regions under every curve, then the curves.
    for (entry &e : equationArray) e.render->renderUnder();
    for (entry &e : equationArray) e.render->render();
    // 6. Dashed cross-hairs through the trace point.
    if (pointSelected) {
        draw.color(selectionColor.red, selectionColor.green, selectionColor.blue, 1.0f);
        draw.disable(graphCapability::lineSmooth);
        draw.enable(graphCapability::lineStipple);
        draw.begin(graphPrimitive::lines);
        draw.vertex(selectionPoint.x, r.y);
        draw.vertex(selectionPoint.x, r.y + r.height);
        draw.vertex(r.x, selectionPoint.y);
        draw.vertex(r.x + r.width, selectionPoint.y);
        draw.end();
        draw.disable(graphCapability::lineStipple);
        draw.enable(graphCapability::lineSmooth);
    }
    draw.flush();
}

void graphGLView::draw2DGrid() {
    const graphRect r = graphBounds;
    const float unitsPerPixelX = r.width / frameWidth, unitsPerPixelY = r.height / frameHeight;
    const float spacingX = r.width / gridXCount, spacingY = r.height / gridYCount;
    const std::vector<graphTick> columns = graphTicks(r.x, r.width, spacingX);
    const std::vector<graphTick> rows = graphTicks(r.y, r.height, spacingY);
    // Offsets in pixels grow with the drawing scale, like the text.
    const float scale = draw.scale();

    // 1.-2. Solid grid lines, unsmoothed.
    draw.lineStipple(1, stipplePattern);
    draw.color(gridColor.red, gridColor.green, gridColor.blue, 1.0f);
    draw.disable(graphCapability::lineSmooth);
    draw.begin(graphPrimitive::lines);
    for (const graphTick &p : columns) {
        draw.vertex(p.position, r.y);
        draw.vertex(p.position, r.y + r.height);
    }
    for (const graphTick &q : rows) {
        draw.vertex(r.x, q.position);
        draw.vertex(r.x + r.width, q.position);
    }
    draw.end();

    // 3. The centre point with its coordinates.
    const float centerX = r.x + r.width * 0.5f, centerY = r.y + r.height * 0.5f;
    if (displayCoords) {
        draw.color(0.2f, 0.2f, 0.2f, 1.0f);
        const std::string text =
            "(" + slFormatNumber(centerX, 'f', 6) + ", " + slFormatNumber(centerY, 'f', 6) + ")";
        draw.text(r.x + r.width * 0.51f, r.y + r.height * 0.51f, 0.0, text, graphFont::sans10);
        draw.begin(graphPrimitive::points);
        draw.vertex(centerX, centerY);
        draw.end();
    }

    // 4.-6. The axes; one that lies outside the region is drawn dashed 15 pixels inside
    //       the left or bottom edge, and its labels follow it.
    draw.color(axisColor.red, axisColor.green, axisColor.blue, 1.0f);
    const bool yAxisVisible = r.x <= 0.0f && 0.0f <= r.x + r.width;
    const float axisX = yAxisVisible ? 0.0f : r.x + 15.0f * scale * unitsPerPixelX;
    const bool xAxisVisible = r.y <= 0.0f && 0.0f <= r.y + r.height;
    const float axisY = xAxisVisible ? 0.0f : r.y + 15.0f * scale * unitsPerPixelY;
    auto axisLine = [this](bool solid, float x0, float y0, float x1, float y1) {
        if (!solid) draw.enable(graphCapability::lineStipple);
        draw.begin(graphPrimitive::lines);
        draw.vertex(x0, y0);
        draw.vertex(x1, y1);
        draw.end();
        if (!solid) draw.disable(graphCapability::lineStipple);
    };
    axisLine(yAxisVisible, axisX, r.y, axisX, r.y + r.height);
    axisLine(xAxisVisible, r.x, axisY, r.x + r.width, axisY);

    // 7.-8. Tick labels five pixels right of and above each crossing; 0 is labelled once,
    //       on the horizontal axis (on the vertical one only when the horizontal axis
    //       shows no 0). A label that would leave the view or touch one already placed
    //       is left out, so dense grids label every second or third line.
    std::vector<labelBox> drawn;
    const float offset = 5.0f * scale;
    auto fits = [&](float x, float y, const std::string &text) {
        const graphTextSize size = draw.textSize(text, graphFont::sans10);
        return placeLabel({(x - r.x) / unitsPerPixelX + offset, (y - r.y) / unitsPerPixelY + offset,
                           size.width, size.height},
                          drawn);
    };
    // The 0 is placed first, so crowded neighbours give way to it; the labels are then
    // drawn in order along each axis.
    std::vector<char> columnShown(columns.size(), 0), rowShown(rows.size(), 0);
    bool zeroShown = false;
    for (size_t i = 0; i < columns.size(); i++)
        if (columns[i].index == 0) {
            columnShown[i] = fits(columns[i].position, axisY, columns[i].text);
            zeroShown = columnShown[i] != 0;
        }
    for (size_t i = 0; i < columns.size(); i++)
        if (columns[i].index != 0)
            columnShown[i] = fits(columns[i].position, axisY, columns[i].text);
    for (size_t i = 0; i < rows.size(); i++)
        if (rows[i].index != 0 || !zeroShown)
            rowShown[i] = fits(axisX, rows[i].position, rows[i].text);
    for (size_t i = 0; i < columns.size(); i++)
        if (columnShown[i])
            draw.text(columns[i].position + offset * unitsPerPixelX,
                      axisY + offset * unitsPerPixelY, 0.0, columns[i].text, graphFont::sans10);
    for (size_t i = 0; i < rows.size(); i++)
        if (rowShown[i])
            draw.text(axisX + offset * unitsPerPixelX, rows[i].position + offset * unitsPerPixelY,
                      0.0, rows[i].text, graphFont::sans10);

    // Curves are drawn smooth again after the grid and the labels.
    draw.enable(graphCapability::lineSmooth);
}

bool graphGLView::placeLabel(const labelBox &box, std::vector<labelBox> &drawn) const {
    // The descent hangs below the baseline, which sits at box.y.
    const float gap = 2.0f * draw.scale(), descent = box.height * 0.25f;
    const float left = box.x, right = box.x + box.width;
    const float bottom = box.y - descent, top = box.y + box.height - descent;
    if (left < 0.0f || bottom < 0.0f || right > frameWidth || top > frameHeight) return false;
    for (const labelBox &other : drawn) {
        const float otherBottom = other.y - other.height * 0.25f;
        if (left < other.x + other.width + gap && other.x < right + gap &&
            bottom < otherBottom + other.height && otherBottom < top)
            return false;
    }
    drawn.push_back(box);
    return true;
}

void graphGLView::draw3DScene(int width, int height) {
    const double W = graphBounds.width, H = graphBounds.height;
    // 1. Background and the one light, at the camera: a little ambient light so that faces
    //    turned away keep their colour, diffuse light for the shape.
    draw.clear(backgroundColor3D.red, backgroundColor3D.green, backgroundColor3D.blue, 0.0f);
    draw.enable(graphCapability::light0);
    const float ambient[4] = {0.2f, 0.2f, 0.2f, 1.0f}, diffuse[4] = {0.8f, 0.8f, 0.8f, 1.0f};
    draw.lightColor(ambient, diffuse);
    // 2. A perspective with the view's own aspect ratio, so that a sphere stays round.
    const scene3DCamera camera = sceneCamera(width, height);
    draw.loadProjectionIdentity();
    draw.viewport(0, 0, width, height);
    draw.perspective(camera.fieldOfViewY, camera.aspect, W / 200.0 * cameraDistance,
                     W * 5.0 * cameraDistance);
    // 3. The camera above the y axis looking at the origin, then tilt, turn and focus.
    draw.loadModelViewIdentity();
    draw.pushMatrix();
    draw.lookAt(0.0, W * cameraDistance, 1.25 * H * cameraDistance, 0.0, 0.0, 0.0, 0.0, 0.0, 1.0);
    draw.rotate(rotationX, -1.0, 0.0, 0.0);
    draw.rotate(rotationY, 0.0, 0.0, 1.0);
    draw.translate(-focusX, -focusY, -focusZ);
    draw.scaleAxes(1.0, 1.0, zScale);
    // Depth-tested, without smoothing or blending, for the surfaces.
    draw.enable(graphCapability::depthTest);
    draw.disable(graphCapability::lineSmooth);
    draw.disable(graphCapability::blend);
    for (entry &e : equationArray) e.render->render();
    // 6. Axes from the graph's origin and the box around the region.
    draw.enable(graphCapability::lineSmooth);
    draw.enable(graphCapability::blend);
    const float L = static_cast<float>(W * 0.6);
    draw.color(axisColor.red, axisColor.green, axisColor.blue, 1.0f);
    draw.begin(graphPrimitive::lines);
    draw.vertex(0.0f, 0.0f, 0.0f);
    draw.vertex(L, 0.0f, 0.0f);
    draw.vertex(0.0f, 0.0f, 0.0f);
    draw.vertex(0.0f, L, 0.0f);
    draw.vertex(0.0f, 0.0f, 0.0f);
    draw.vertex(0.0f, 0.0f, L / zScale);
    draw.end();
    draw3DBox();
    draw.disable(graphCapability::depthTest);
    draw.popMatrix();
    // 8. The scale over the scene, and the region's size in the lower-left corner.
    draw3DScale(width, height);
    draw.color(0.0f, 0.0f, 0.0f, 1.0f);
    draw.loadProjectionIdentity();
    draw.loadModelViewIdentity();
    draw.text(-0.98, -0.98, 0.0, graphSizeCaption(graphBounds.width, graphBounds.height),
              graphFont::sans10);
    draw.flush();
}

void graphGLView::drawLegend() {
    const int width = static_cast<int>(frameWidth), height = static_cast<int>(frameHeight);
    if (width <= 0 || height <= 0) return;
    // Pixel coordinates, y up, over whatever the scene left behind.
    draw.loadProjectionIdentity();
    draw.viewport(0, 0, width, height);
    draw.ortho(0.0, width, 0.0, height, -1.0, 1.0);
    draw.loadModelViewIdentity();
    draw.disable(graphCapability::lighting);
    draw.disable(graphCapability::depthTest);
    draw.disable(graphCapability::lineStipple);

    const float s = draw.scale(), pad = 6.0f * s, swatch = 22.0f * s, gap = 6.0f * s;
    float textWidth = 0.0f, lineHeight = 0.0f;
    for (const graphLegendEntry &e : legend) {
        const graphTextSize size = draw.textSize(e.text, graphFont::sans10);
        textWidth = std::max(textWidth, size.width);
        lineHeight = std::max(lineHeight, size.height + 3.0f * s);
    }
    // Surfaces coloured by height add the colour bar, its height range under it.
    const bool bar = is3D && colorByHeight && sceneHasSurface;
    const float barHeight = 12.0f * s;
    const float boxWidth = std::max(pad + swatch + gap + textWidth + pad, bar ? 150.0f * s : 0.0f);
    const float boxHeight = pad * 2.0f + lineHeight * static_cast<float>(legend.size()) +
                            (bar ? gap + barHeight + lineHeight : 0.0f);
    const float right = static_cast<float>(width) - 10.0f * s,
                top = static_cast<float>(height) - 10.0f * s;
    const float left = right - boxWidth, bottom = top - boxHeight;

    // The box: the background colour over the curves, framed in the grid's colour.
    const graphRGB &bg = is3D ? backgroundColor3D : backgroundColor;
    draw.color(bg.red, bg.green, bg.blue, 0.92f);
    const float box[8] = {left, bottom, right, bottom, left, top, right, top};
    draw.vertices(graphPrimitive::triangleStrip, box, 4);
    draw.color(gridColor.red * 0.8f, gridColor.green * 0.8f, gridColor.blue * 0.8f, 1.0f);
    const float frame[10] = {left, bottom, right, bottom, right, top, left, top, left, bottom};
    draw.vertices(graphPrimitive::lineStrip, frame, 5);

    float baseline = top - pad - lineHeight + lineHeight * 0.3f;
    for (const graphLegendEntry &e : legend) {
        const float middle = baseline + lineHeight * 0.3f;
        draw.lineWidth(3.0f);
        draw.color(e.color.red, e.color.green, e.color.blue, 1.0f);
        const float line[4] = {left + pad, middle, left + pad + swatch, middle};
        draw.vertices(graphPrimitive::lines, line, 2);
        draw.lineWidth(1.0f);
        draw.color(axisColor.red, axisColor.green, axisColor.blue, 1.0f);
        draw.text(left + pad + swatch + gap, baseline, 0.0, e.text, graphFont::sans10);
        baseline -= lineHeight;
    }
    if (bar) drawColorBar(left + pad, right - pad, bottom + pad + lineHeight + barHeight);
}

void graphGLView::drawColorBar(float left, float right, float top) {
    // 64 bands from the lowest height on the left to the highest on the right, with the
    // two heights under the ends.
    const float s = draw.scale(), barHeight = 12.0f * s;
    const graphHeightColoring coloring{true, sceneZ[0], sceneZ[1]};
    const int bands = 64;
    draw.begin(graphPrimitive::triangleStrip);
    for (int i = 0; i <= bands; i++) {
        const float f = static_cast<float>(i) / bands;
        const std::array<float, 3> c = coloring.colorAt(sceneZ[0] + (sceneZ[1] - sceneZ[0]) * f);
        draw.color(c[0], c[1], c[2], 1.0f);
        draw.vertex(left + (right - left) * f, top - barHeight);
        draw.vertex(left + (right - left) * f, top);
    }
    draw.end();
    const std::string low = slFormatNumber(sceneZ[0], 'g', 4);
    const std::string high = slFormatNumber(sceneZ[1], 'g', 4);
    const graphTextSize size = draw.textSize(high, graphFont::sans10);
    const float baseline = top - barHeight - size.height;
    draw.color(axisColor.red, axisColor.green, axisColor.blue, 1.0f);
    draw.text(left, baseline, 0.0, low, graphFont::sans10);
    draw.text(right - size.width, baseline, 0.0, high, graphFont::sans10);
}

double graphGLView::cameraDistanceUnit() const {
    const double W = graphBounds.width, H = graphBounds.height;
    return std::sqrt(W * W + 1.5625 * H * H);
}

graphGLView::scene3DCamera graphGLView::sceneCamera(int width, int height) const {
    // The field of view is 40 degrees across the shorter side of the view.
    scene3DCamera camera;
    camera.aspect = height > 0 ? static_cast<double>(width) / height : 1.0;
    camera.fieldOfViewY =
        camera.aspect >= 1.0
            ? 40.0
            : 2.0 * std::atan(std::tan(20.0 * M_PI / 180.0) / camera.aspect) * 180.0 / M_PI;
    const float W = graphBounds.width, H = graphBounds.height;
    const float d = static_cast<float>(cameraDistance);
    camera.transform.perspective(static_cast<float>(camera.fieldOfViewY),
                                 static_cast<float>(camera.aspect), W / 200.0f * d, W * 5.0f * d);
    camera.transform.lookAt({0.0f, W * d, 1.25f * H * d}, {0.0f, 0.0f, 0.0f}, {0.0f, 0.0f, 1.0f});
    camera.transform.rotate(static_cast<float>(rotationX), -1.0f, 0.0f, 0.0f);
    camera.transform.rotate(static_cast<float>(rotationY), 0.0f, 0.0f, 1.0f);
    camera.transform.translate(-focusX, -focusY, -focusZ);
    camera.transform.scale(1.0f, 1.0f, zScale);
    camera.width = width;
    camera.height = height;
    return camera;
}

bool graphGLView::scene3DCamera::project(QVector3D point, QVector3D *pixel) const {
    const QVector4D clip = transform * QVector4D(point, 1.0f);
    if (!(clip.w() > 0.0f)) return false;
    *pixel = QVector3D((clip.x() / clip.w() + 1.0f) * 0.5f * width,
                       (clip.y() / clip.w() + 1.0f) * 0.5f * height, clip.w());
    return true;
}

bool graphGLView::scene3DCamera::placeLabel(QVector3D end, QVector3D *at) const {
    // The raster position keeps a 9 x 15 cell and a few pixels of margin inside the view.
    auto inside = [this](QVector3D p) {
        const QVector4D clip = transform * QVector4D(p, 1.0f);
        if (!(clip.w() > 0.0f)) return false;
        const float x = (clip.x() / clip.w() + 1.0f) * 0.5f * width;
        const float y = (clip.y() / clip.w() + 1.0f) * 0.5f * height;
        const float z = clip.z() / clip.w();
        return x >= 3.0f && x <= width - 12.0f && y >= 6.0f && y <= height - 14.0f && z > -1.0f &&
               z < 1.0f;
    };
    if (inside(end)) {
        *at = end;
        return true;
    }
    if (!inside(QVector3D()))
        return false;  // the axis starts outside the view: no place on it shows
    float low = 0.0f, high = 1.0f;
    for (int i = 0; i < 24; i++) {
        const float middle = (low + high) * 0.5f;
        (inside(end * middle) ? low : high) = middle;
    }
    *at = end * low;
    return true;
}

void graphGLView::rotate() {
    // A 3D drag sets the angles itself; the spin waits for it to end.
    if (!is3D || mouseMode == tracking::rotate3D) return;
    rotationY += idleRotationY;
    rotationX += idleRotationX;
    for (double *angle : {&rotationX, &rotationY}) {
        if (*angle > 360.0)
            *angle -= 360.0;
        else if (*angle < -360.0)
            *angle += 360.0;
    }
    surface->setNeedsDisplay();
}
