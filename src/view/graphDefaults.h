// The settings a first run starts with: one table, read by the window's preferences, the
// graph view, the controller and the command line, so that a graph looks the same in the
// window and on the command line until the user chooses otherwise.
#pragma once

#include <QColor>

namespace graphDefaults {

// The graph view's colours, and the colour of new equations.
inline const QColor backgroundColor{255, 255, 255};
inline const QColor backgroundColor3D{112, 122, 140};
inline const QColor gridColor{205, 205, 205};
inline const QColor axisColor{0, 0, 0};
inline const QColor selectionColor{230, 20, 20};
inline const QColor graphColor{0, 0, 255};

// Surfaces: 0 points, 1 wireframe, 2 shaded, 3 checkerboard; the lines of a surface's grid.
constexpr int drawMode = 2;
constexpr int divisions = 60;

// k: its range and the steps of one sweep, for the animation and the movie.
constexpr int minimumK = -10;
constexpr int maximumK = 10;
constexpr int animationSteps = 20;

constexpr bool playSounds = true;

// Surfaces coloured by height: off in the window, so that equation sets keep the colours
// they were saved with; the command line turns it on unless told otherwise.
constexpr bool colorByHeight = false;

}  // namespace graphDefaults
