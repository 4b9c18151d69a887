// Fitting the graph to what is drawn: in 2D the y range that shows the curves over the
// current x range, in 3D the camera focus and distance that bring everything into frame.
// The vertices come from compiling the view's renderers again into a recording drawing
// interface, so no OpenGL context is needed.
#pragma once

#include "view/graphGLView.h"

#include <array>
#include <vector>

// Every finite vertex the renderers of view's graphed equations (read again from table)
// compile over region, as (x, y, z); renderers of x = f(y), which fill whatever y range
// they are given, are left out. The view itself is left unchanged.
std::vector<std::array<float, 3>> graphCompiledVertices(graphGLView &view,
                                                        graphEquationSource &table,
                                                        graphRect region);

// The region (xmin, xmax, ymin, ymax) with region's x range and the y range that shows the
// curves compiled over region: their extremes, unless a few samples run far beyond the
// rest (poles), which are then cut at the bulk's spread beyond it; with a margin, rounded
// out to the grid spacing. Region's own y range when nothing is drawn over the x range.
std::array<double, 4> graphFittedRegion2D(graphGLView &view, graphEquationSource &table,
                                          const std::array<double, 4> &region);

// Focuses a 3D view on the middle of everything drawn and moves the camera back (or in)
// until a sphere around it fits the field of view. False when nothing is drawn.
bool graphFitCamera(graphGLView &view, graphEquationSource &table);

// Fits the graphed view: in 2D the fitted y range and 1-2-5 grid spacings go into the
// inspector's fields and are applied as typed bounds; in 3D the camera is fitted. False
// when nothing is graphed or drawn.
bool graphFitToGraph(graphGLView &view, graphEquationSource &table);
