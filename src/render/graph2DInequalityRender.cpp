#include "render/graph2DInequalityRender.h"

graph2DInequalityRender::~graph2DInequalityRender() {
    if (fillList != 0) draw.deleteList(fillList);
}

void graph2DInequalityRender::init() {
    if (fillList == 0) fillList = draw.genList();
    const uint8_t op = grInequalityOp(equation);
    // The contour's negative region is where the inequality holds: F - G for < and <=,
    // G - F for > and >=.
    sign = op == grOpGreaterThan || op == grOpGreaterEqual ? -1.0 : 1.0;
    strict = op == grOpLessThan || op == grOpGreaterThan;
}

void graph2DInequalityRender::compileWithBounds(graphRect region, graphRect viewBounds,
                                                const QColor &color) {
    contourRegion(region, viewBounds, true);
    const float red = static_cast<float>(color.redF()), green = static_cast<float>(color.greenF()),
                blue = static_cast<float>(color.blueF());

    draw.newList(fillList);
    draw.color(red, green, blue, fillAlpha);
    std::vector<float> xy;
    xy.reserve(contour.triangles.size() * 2);
    for (const graphContourPoint &p : contour.triangles) {
        xy.push_back(static_cast<float>(p.x));
        xy.push_back(static_cast<float>(p.y));
    }
    if (!xy.empty())
        draw.vertices(graphPrimitive::triangles, xy.data(),
                      static_cast<int>(contour.triangles.size()));
    draw.endList();

    draw.newList(compileList);
    draw.color(red, green, blue, 1.0f);
    if (strict) draw.enable(graphCapability::lineStipple);
    drawStrips();
    if (strict) draw.disable(graphCapability::lineStipple);
    draw.endList();
}

void graph2DInequalityRender::renderUnder() {
    draw.callList(fillList);
}
