#include "view/graphLabels.h"

#include <cmath>
#include <cstdio>

namespace {

std::string format(const char *pattern, double a)
{
    char text[64];
    std::snprintf(text, sizeof text, pattern, a);
    return text;
}

std::string format(const char *pattern, double a, double b)
{
    char text[128];
    std::snprintf(text, sizeof text, pattern, a, b);
    return text;
}

// At most this many lines per axis; the grid counts never ask for more than 21.
constexpr size_t maximumGridLines = 1000;

}  // namespace

std::string graphLabelText(double value, float spacing)
{
    if (spacing < 0.05f)
        return format("%e", value);
    if (std::fmod(spacing, 1.0f) != 0.0f)
        return format("%.3f", value);
    if (spacing > 10000.0f)
        return format("%e", value);
    return format("%.0f", value);
}

std::string graphSizeCaption(float width, float height)
{
    if (width < 0.05f)
        return format("%ex%e", width, height);
    if (std::fmod(width, 1.0f) != 0.0f)
        return format("%.3fx%.3f", width, height);
    if (width > 10000.0f)
        return format("%ex%e", width, height);
    return format("%.0fx%.0f", width, height);
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
