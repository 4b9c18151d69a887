#include "view/graphLabels.h"

#include <charconv>
#include <cmath>

#include "engine/slNumberText.h"

namespace {

// The value in the notation that the step calls for, in the C locale's notation whatever
// the user's locale: scientific for tiny or huge steps, three decimals for a fractional one,
// whole numbers otherwise.
std::string byStep(double value, float step) {
    if (step < 0.05f || (std::fmod(step, 1.0f) == 0.0f && step > 10000.0f))
        return slFormatNumber(value, 'e', 6);
    return slFormatNumber(value, 'f', std::fmod(step, 1.0f) != 0.0f ? 3 : 0);
}

// At most this many lines per axis; the grid counts never ask for more than 21.
constexpr size_t maximumGridLines = 1000;

// The decimal a float spacing stands for: 0.1f is 0.100000001, whose multiples would show
// the error in "%e" labels.
double decimalSpacing(float spacing) {
    // The shortest form that reads back as the same float, in any locale.
    char text[32];
    const std::to_chars_result written = std::to_chars(text, text + sizeof text, spacing);
    double decimal = spacing;
    std::from_chars(text, written.ptr, decimal);
    return decimal;
}

}  // namespace

std::string graphLabelText(double value, float spacing) {
    return byStep(value, spacing);
}

std::string graphSizeCaption(float width, float height) {
    return byStep(width, width) + "x" + byStep(height, width);
}

std::vector<graphTick> graphTicks(float origin, float size, float spacing) {
    std::vector<graphTick> ticks;
    if (!(spacing > 0.0f) || !std::isfinite(spacing) || !std::isfinite(origin) ||
        !std::isfinite(size))
        return ticks;
    // The first line is origin - fmod(origin, spacing), exactly a whole number of spacings.
    const double first =
        std::round((origin - std::fmod(origin, spacing)) / static_cast<double>(spacing));
    if (std::fabs(first) > 1e15) return ticks;
    const double step = decimalSpacing(spacing);
    const float end = origin + size;
    for (long i = static_cast<long>(first); ticks.size() < maximumGridLines; i++) {
        const float position =
            static_cast<float>(static_cast<double>(i) * static_cast<double>(spacing));
        if (!(position < end)) break;
        ticks.push_back({position, i, graphLabelText(static_cast<double>(i) * step, spacing)});
    }
    return ticks;
}

double graphSpacingMantissa(double spacing) {
    if (!(spacing > 0.0) || !std::isfinite(spacing)) return 0.0;
    int exponent = static_cast<int>(std::floor(std::log10(spacing)));
    return spacing / std::pow(10.0, exponent);
}

double graphNiceSpacing(double extent) {
    if (!(extent > 0.0) || !std::isfinite(extent)) return 0.0;
    const double decade = std::pow(10.0, std::floor(std::log10(extent)) - 1.0);
    double best = 0.0, bestScore = INFINITY;
    for (double power : {decade / 10.0, decade, decade * 10.0})
        for (double m : {1.0, 2.0, 5.0}) {
            const double s = m * power, count = extent / s;
            // Inside five to ten intervals the count nearest seven wins; outside, the
            // nearest to that band.
            const double score = count < 5.0    ? 10.0 + 5.0 / count
                                 : count > 10.0 ? 10.0 + count / 10.0
                                                : std::fabs(std::log(count / 7.0));
            if (score < bestScore) bestScore = score, best = s;
        }
    return best;
}
