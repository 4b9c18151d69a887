// Texts and positions of the 2D grid and the 3D size caption.
#pragma once

#include <string>
#include <vector>

// A tick label: the format depends only on the axis's grid spacing, so every label of an
// axis looks alike ("%e" below 0.05, "%.3f" for fractional spacings, "%e" above 10000,
// else "%.0f").
std::string graphLabelText(double value, float spacing);

// The 3D caption "<width>x<height>", formatted by the width alone.
std::string graphSizeCaption(float width, float height);

// One grid line of an axis: its position, its index (position / spacing, 0 at the
// origin) and its label.
struct graphTick {
    float position;
    long index;
    std::string text;
};

// Grid lines across [origin, origin + size): from the multiple of spacing next to origin
// towards 0 while below the far edge. Positions and texts are index x spacing, never a
// running sum, so no rounding error accumulates into a label (3 x 0.1 reads 0.300, the
// line at 0 is exactly 0). Empty for a spacing that is not a positive finite number;
// bounded even where float positions stall.
std::vector<graphTick> graphTicks(float origin, float size, float spacing);

// The mantissa 1 <= m < 10 of a positive spacing, or 0 for one that has none.
double graphSpacingMantissa(double spacing);

// A spacing of 1, 2 or 5 times a power of ten that divides extent into five to ten
// intervals (the count nearest seven where two qualify); 0 for an extent that is not a
// positive finite number.
double graphNiceSpacing(double extent);
