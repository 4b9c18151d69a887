// A 2D graph as shown, painted through the drawing pass on a QPainter: printing and other
// vector output get sharp lines and real text at any resolution, as `render -o x.pdf` does.
#pragma once

#include "view/graphGLView.h"

class QPainter;

// Paints what shown draws (its region, grid, colours, k and equations, the parametric
// ranges of fields) on painter over width x height device units. A copy of the view does
// the work; shown is left as it was. Nothing is painted for a 3D scene.
void graphPaintScene2D(graphGLView &shown, graphEquationSource &equations,
                       const graphInspector &fields, QPainter &painter, int width, int height);
