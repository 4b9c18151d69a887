// Graphing requests, compiling, and the drawing pass.
#include "view/graphGLView.h"

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
    // 1. A fresh start: no selection, no renderers, 2D until a 3D renderer appears.
    selectionPoint = {0.0f, 0.0f};
    pointSelected = false;
    equationArray.clear();
    is3D = false;
    bool parametric = false;

    // 2. One renderer per classified equation. The first failure drops every renderer
    //    made so far and answers its message.
    for (int i = 0; equationTable != nullptr && i < equationTable->equationCount(); i++) {
        std::unique_ptr<grEquation, equationDeleter> equation(equationTable->equationAtIndex(i));
        if (!equation) {
            equationArray.clear();
            return QString::fromUtf8(gGraphExpressionError != nullptr ? gGraphExpressionError : "");
        }
        std::unique_ptr<graphRender> render = makeRender(equation->kind, draw);
        if (!render) continue;  // a kind without a renderer is skipped
        render->initWithEquation(equation.release());
        render->setDelegate(this);
        render->setK(kValue);
        render->setDrawMode(drawMode);
        render->setDivisions3D(divisions3D);
        if (render->is3D()) is3D = true;
        if (render->isParametric()) parametric = true;
        equationArray.push_back({std::move(render), i});
    }

    if (is3D) {
        // 3. A 3D scene always starts from the same camera, region and spin.
        for (graphField box : {graphField::xBox, graphField::yBox, graphField::zBox})
            inspector->setFieldValue(box, 0.0);
        focusX = focusY = focusZ = 0.0f;
        rotationY = -45.0;
        rotationX = 0.0;
        graphBounds = {-10.0f, -10.0f, 20.0f, 20.0f};
        idleRotationY = 1.2;
        inspector->showInspectorPage(true);
    } else {
        // 4. 2D.
        status->setStatusText(QStringLiteral("(0.0, 0.0)"));
        status->setCursor(graphCursor::arrow);
        if (resetGraph) resetDefaultValues();
        inspector->showInspectorPage(false);
    }

    // 5. Parametric ranges come from their panel.
    inspector->showParametricPanel(parametric);
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
    for (entry &e : equationArray) {
        // The list may have shrunk since the request; such an entry draws in black.
        QColor color = e.source < count ? equationTable->colorAtIndex(e.source) : QColor(Qt::black);
        e.render->setBounds(graphBounds);
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
    // The curves.
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
    // 1. Background and the one light.
    draw.clear(backgroundColor3D.red, backgroundColor3D.green, backgroundColor3D.blue, 0.0f);
    draw.enable(graphCapability::light0);
    const float white[4] = {1.0f, 1.0f, 1.0f, 0.0f};
    draw.lightColor(white, white);
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
    // Depth-tested, without smoothing or blending, for the surfaces.
    draw.enable(graphCapability::depthTest);
    draw.disable(graphCapability::lineSmooth);
    draw.disable(graphCapability::blend);
    for (entry &e : equationArray) e.render->render();
    // 6. Axes from the graph's origin, with their names just beyond their ends.
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
    draw.vertex(0.0f, 0.0f, L);
    draw.end();
    // An axis name that would fall outside the view moves back along its axis to where
    // the axis leaves the view.
    const QVector3D zEnd(0.0f, 0.0f, 1.05f * L), yEnd(0.0f, 1.05f * L, 0.0f),
        xEnd(1.05f * L, 0.0f, 0.0f);
    for (auto [end, name] : {std::pair{zEnd, "Z"}, std::pair{yEnd, "Y"}, std::pair{xEnd, "X"}}) {
        QVector3D at;
        if (camera.placeLabel(end, &at))
            draw.text(at.x(), at.y(), at.z(), name, graphFont::fixed9By15);
    }
    draw.disable(graphCapability::depthTest);
    draw.popMatrix();
    // 8. The region's size in the lower-left corner.
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
    const float boxWidth = pad + swatch + gap + textWidth + pad;
    const float boxHeight = pad * 2.0f + lineHeight * static_cast<float>(legend.size());
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
    camera.width = width;
    camera.height = height;
    return camera;
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
