#include "view/graphPaintScene.h"

#include "render/graphPainterDraw.h"

#include <QPainter>

namespace {

QColor colorOf(graphRGB c) {
    return QColor::fromRgbF(c.red, c.green, c.blue);
}

}  // namespace

void graphPaintScene2D(graphGLView &shown, graphEquationSource &equations,
                       const graphInspector &fields, QPainter &painter, int width, int height) {
    if (shown.isThreeD() || width <= 0 || height <= 0) return;
    graphPainterDraw draw(painter, width, height);
    graphMemoryInspector inspector;
    for (graphField f : {graphField::minS, graphField::maxS, graphField::minT, graphField::maxT})
        inspector.setFieldValue(f, fields.fieldValue(f));
    {
        graphGLView copy(draw, static_cast<float>(width), static_cast<float>(height));
        copy.initGL();
        copy.setBackgroundColor(colorOf(shown.getBackgroundColor()));
        copy.setAxisColor(colorOf(shown.getAxisColor()));
        copy.setGridColor(colorOf(shown.getGridColor()));
        copy.setInspector(&inspector);
        copy.setEquationTable(&equations);
        copy.setK(shown.getK());
        copy.setResetGraph(false);
        copy.graphMultipleEquations();
        copy.setGraphBounds(shown.getGraphBounds());
        copy.setGridCounts(shown.getGridXCount(), shown.getGridYCount());
        copy.compileEquations();
        copy.drawRect();
    }
}
