#include "view/graphFit.h"

#include "render/graphRecordingDraw.h"
#include "view/graphLabels.h"

#include <algorithm>
#include <cmath>

std::vector<std::array<float, 3>> graphCompiledVertices(graphGLView &view,
                                                        graphEquationSource &table,
                                                        graphRect region) {
    // A mirror of the view with its settings and parametric ranges, recording what its
    // renderers compile.
    graphRecordingDraw draw;
    graphMemoryInspector inspector;
    for (graphField field :
         {graphField::minT, graphField::maxT, graphField::minS, graphField::maxS})
        inspector.setFieldValue(field, view.getInspector().fieldValue(field));
    graphGLView mirror(draw, view.viewWidth(), view.viewHeight());
    mirror.initGL();
    mirror.setInspector(&inspector);
    mirror.setEquationTable(&table);
    mirror.setK(view.getK());
    mirror.setDrawMode(view.getDrawMode());
    mirror.setDivisions3D(view.getDivisions3D());
    std::vector<std::array<float, 3>> vertices;
    if (!mirror.graphMultipleEquations().isEmpty()) return vertices;
    mirror.setGraphBounds(region);
    mirror.compileEquations();
    for (size_t i = 0; i < mirror.rendererCount(); i++) {
        graphRender &render = mirror.rendererAt(i);
        if (render.getEquation() != nullptr && render.getEquation()->kind == grKindXOfY) continue;
        for (const graphDrawStrip &strip :
             graphRecordingDraw::strips(draw.list(render.getCompileList())))
            for (const auto &v : strip.vertices)
                if (std::isfinite(v[0]) && std::isfinite(v[1]) && std::isfinite(v[2]))
                    vertices.push_back(v);
    }
    return vertices;
}

std::array<double, 4> graphFittedRegion2D(graphGLView &view, graphEquationSource &table,
                                          const std::array<double, 4> &region) {
    const graphRect compileRegion{static_cast<float>(region[0]), static_cast<float>(region[2]),
                                  static_cast<float>(region[1] - region[0]),
                                  static_cast<float>(region[3] - region[2])};
    const double xMin = region[0], xMax = region[1];
    std::vector<double> ys;
    for (const auto &v : graphCompiledVertices(view, table, compileRegion))
        if (v[0] >= xMin && v[0] <= xMax) ys.push_back(v[1]);
    if (ys.empty()) return region;
    std::sort(ys.begin(), ys.end());
    const size_t n = ys.size();
    const double q05 = ys[n / 20], q95 = ys[n - 1 - n / 20], spread = q95 - q05;
    double low = std::max(ys.front(), q05 - spread), high = std::min(ys.back(), q95 + spread);
    const double margin = high > low ? (high - low) * 0.05 : std::max(1.0, std::fabs(high) * 0.1);
    low -= margin, high += margin;
    const double spacing = graphNiceSpacing(high - low);
    if (spacing > 0.0)
        low = std::floor(low / spacing) * spacing, high = std::ceil(high / spacing) * spacing;
    const double limit = 1e7;
    return {xMin, xMax, std::clamp(low, -limit, limit), std::clamp(high, -limit, limit)};
}

bool graphFitCamera(graphGLView &view, graphEquationSource &table) {
    std::vector<std::array<float, 3>> vertices =
        graphCompiledVertices(view, table, view.getGraphBounds());
    if (vertices.empty()) return false;
    // The focus lies in the drawn scene, squeezed as the view draws it.
    for (auto &v : vertices) v[2] *= view.sceneZScale();
    std::array<float, 3> low = vertices[0], high = vertices[0];
    for (const auto &v : vertices)
        for (size_t i = 0; i < 3; i++)
            low[i] = std::min(low[i], v[i]), high[i] = std::max(high[i], v[i]);
    double radius = 0.0;
    for (size_t i = 0; i < 3; i++)
        radius +=
            (static_cast<double>(high[i]) - low[i]) * (static_cast<double>(high[i]) - low[i]) / 4.0;
    radius = std::sqrt(radius);
    view.setFocus((low[0] + high[0]) * 0.5f, (low[1] + high[1]) * 0.5f, (low[2] + high[2]) * 0.5f);
    // The view's field of view is 40 degrees across its shorter side.
    const double halfAngle = 20.0 * M_PI / 180.0;
    const double wanted = radius / std::sin(halfAngle) * 1.04;
    if (wanted > 0.0 && std::isfinite(wanted))
        view.setCameraDistance(wanted / view.cameraDistanceUnit());
    return true;
}

bool graphFitToGraph(graphGLView &view, graphEquationSource &table) {
    if (!view.isGraphed() || view.rendererCount() == 0) return false;
    if (view.isThreeD()) {
        if (!graphFitCamera(view, table)) return false;
        view.redraw();
        return true;
    }
    const graphRect bounds = view.getGraphBounds();
    const std::array<double, 4> current{bounds.x, static_cast<double>(bounds.x) + bounds.width,
                                        bounds.y, static_cast<double>(bounds.y) + bounds.height};
    const std::array<double, 4> fitted = graphFittedRegion2D(view, table, current);
    graphInspector &inspector = view.getInspector();
    inspector.setFieldValue(graphField::minX, fitted[0]);
    inspector.setFieldValue(graphField::maxX, fitted[1]);
    inspector.setFieldValue(graphField::minY, fitted[2]);
    inspector.setFieldValue(graphField::maxY, fitted[3]);
    inspector.setFieldValue(graphField::gridXSpacing, graphNiceSpacing(fitted[1] - fitted[0]));
    inspector.setFieldValue(graphField::gridYSpacing, graphNiceSpacing(fitted[3] - fitted[2]));
    view.updateBoundsFromBoundsText();
    return true;
}
