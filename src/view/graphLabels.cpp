#include "view/graphLabels.h"

#include <cmath>

#include "engine/slNumberText.h"

namespace {

// The value in the notation that the step calls for, in the C locale's notation whatever
// the user's locale: scientific for tiny or huge steps, three decimals for a fractional one,
// whole numbers otherwise.
std::string byStep(double value, float step)
{
    if (step < 0.05f || (std::fmod(step, 1.0f) == 0.0f && step > 10000.0f))
        return slFormatNumber(value, 'e', 6);
    return slFormatNumber(value, 'f', std::fmod(step, 1.0f) != 0.0f ? 3 : 0);
}

// At most this many lines per axis; the grid counts never ask for more than 21.
constexpr size_t maximumGridLines = 1000;

}  // namespace

std::string graphLabelText(double value, float spacing)
{
    return byStep(value, spacing);
}

std::string graphSizeCaption(float width, float height)
{
    return byStep(width, width) + "x" + byStep(height, width);
}

std::vector<float> graphGridPositions(float origin, float size, float spacing)
{
    std::vector<float> positions;
    if (!(spacing > 0.0f) || !std::isfinite(spacing) || !std::isfinite(origin))
        return positions;
    const float end = origin + size;
    for (float p = origin - std::fmod(origin, spacing); p < end; p += spacing) {
        positions.push_back(p);
        if (positions.size() == maximumGridLines)
            break;
    }
    return positions;
}

double graphSpacingMantissa(double spacing)
{
    if (!(spacing > 0.0) || !std::isfinite(spacing))
        return 0.0;
    int exponent = static_cast<int>(std::floor(std::log10(spacing)));
    return spacing / std::pow(10.0, exponent);
}
