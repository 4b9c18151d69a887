#include "render/graphColorMap.h"

#include <cmath>

namespace {

// Nine samples at f = 0, 1/8, ..., 1, as 8-bit RGB; linear between them.
constexpr unsigned char viridisSamples[9][3] = {
    {68, 1, 84},    {72, 40, 120},  {62, 73, 137},  {49, 104, 142}, {38, 130, 142},
    {31, 158, 137}, {53, 183, 121}, {110, 206, 88}, {253, 231, 37},
};

}  // namespace

std::array<float, 3> graphViridis(double f) {
    if (!(f > 0.0)) f = 0.0;
    if (f > 1.0) f = 1.0;
    const double scaled = f * 8.0;
    const int i = scaled >= 8.0 ? 7 : static_cast<int>(scaled);
    const double w = scaled - i;
    std::array<float, 3> rgb{};
    for (int c = 0; c < 3; c++)
        rgb[c] = static_cast<float>(
            (viridisSamples[i][c] * (1.0 - w) + viridisSamples[i + 1][c] * w) / 255.0);
    return rgb;
}

std::array<float, 3> graphHeightColoring::colorAt(double z) const {
    const double extent = static_cast<double>(high) - low;
    if (!(extent > 0.0) || !std::isfinite(extent)) return graphViridis(0.5);
    return graphViridis((z - low) / extent);
}
