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

// Grid positions across [origin, origin + size): from the multiple of spacing next to origin
// towards 0, stepping by spacing in float while below the far edge. Empty for a spacing
// that is not a positive finite number; bounded even where float steps stall.
std::vector<float> graphGridPositions(float origin, float size, float spacing);

// The mantissa 1 <= m < 10 of a positive spacing, or 0 for one that has none.
double graphSpacingMantissa(double spacing);
