// The qualitative palette of graphs: eight colours whose neighbours differ in hue and
// lightness, all readable on white. The command line colours its entries from it, and each
// new equation of the window takes its next colour.
#pragma once

#include <QColor>
#include <vector>

inline constexpr int graphPaletteSize = 8;

// Palette colour index, wrapping around in both directions.
QColor graphPaletteColor(int index);

// The colour of a new equation: the first colour of the order that starts at first (the
// "graphColor" preference) and goes on through the palette that no entry uses yet. A first
// colour outside the palette stands in for the palette colour nearest to it. With every
// colour in use, the order starts again after `used.size()` colours.
QColor graphNewEquationColor(const QColor &first, const std::vector<QColor> &used);
