#include "view/graphLabels.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

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

// The decimal a float spacing stands for, the shortest that reads back as the same float:
// 0.1f is 0.100000001, whose multiples would show the error in "%e" labels.
double decimalSpacing(float spacing)
{
    char text[32];
    for (int digits = 6; digits < 9; digits++) {
        std::snprintf(text, sizeof text, "%.*g", digits, static_cast<double>(spacing));
        if (std::strtof(text, nullptr) == spacing)
            break;
    }
    return std::strtod(text, nullptr);
}

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

std::vector<graphTick> graphTicks(float origin, float size, float spacing)
{
    std::vector<graphTick> ticks;
    if (!(spacing > 0.0f) || !std::isfinite(spacing) || !std::isfinite(origin) ||
        !std::isfinite(size))
        return ticks;
    // The first line is origin - fmod(origin, spacing), exactly a whole number of spacings.
    const double first = std::round((origin - std::fmod(origin, spacing)) / static_cast<double>(spacing));
    if (std::fabs(first) > 1e15)
        return ticks;
    const double step = decimalSpacing(spacing);
    const float end = origin + size;
    for (long i = static_cast<long>(first); ticks.size() < maximumGridLines; i++) {
        const float position = static_cast<float>(static_cast<double>(i) * static_cast<double>(spacing));
        if (!(position < end))
            break;
        ticks.push_back({position, i, graphLabelText(static_cast<double>(i) * step, spacing)});
    }
    return ticks;
}

std::vector<float> graphGridPositions(float origin, float size, float spacing)
{
    std::vector<float> positions;
    for (const graphTick &tick : graphTicks(origin, size, spacing))
        positions.push_back(tick.position);
    return positions;
}

double graphSpacingMantissa(double spacing)
{
    if (!(spacing > 0.0) || !std::isfinite(spacing))
        return 0.0;
    int exponent = static_cast<int>(std::floor(std::log10(spacing)));
    return spacing / std::pow(10.0, exponent);
}

double graphNiceSpacing(double extent)
{
    if (!(extent > 0.0) || !std::isfinite(extent))
        return 0.0;
    const double decade = std::pow(10.0, std::floor(std::log10(extent)) - 1.0);
    double best = 0.0, bestScore = INFINITY;
    for (double power : {decade / 10.0, decade, decade * 10.0})
        for (double m : {1.0, 2.0, 5.0}) {
            const double s = m * power, count = extent / s;
            // Inside five to ten intervals the count nearest seven wins; outside, the
            // nearest to that band.
            const double score = count < 5.0 ? 10.0 + 5.0 / count
                                 : count > 10.0 ? 10.0 + count / 10.0
                                                : std::fabs(std::log(count / 7.0));
            if (score < bestScore)
                bestScore = score, best = s;
        }
    return best;
}
