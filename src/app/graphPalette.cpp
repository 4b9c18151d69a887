#include "app/graphPalette.h"

#include <algorithm>
#include <array>
#include <iterator>

namespace {

constexpr std::array<QRgb, graphPaletteSize> palette = {0x1f77b4, 0xd62728, 0x2ca02c, 0xff7f0e,
                                                        0x9467bd, 0x8c564b, 0xe377c2, 0x17becf};

int distance(QRgb a, QRgb b) {
    const int r = qRed(a) - qRed(b), g = qGreen(a) - qGreen(b), bl = qBlue(a) - qBlue(b);
    return r * r + g * g + bl * bl;
}

}  // namespace

QColor graphPaletteColor(int index) {
    const int count = graphPaletteSize;
    return QColor::fromRgb(palette[static_cast<size_t>(((index % count) + count) % count)]);
}

QColor graphNewEquationColor(const QColor &first, const std::vector<QColor> &used) {
    // The order: first, then the palette from the entry after the one first replaces.
    const QRgb start = first.rgb() & 0xffffff;
    size_t nearest = 0;
    for (size_t i = 1; i < palette.size(); i++)
        if (distance(palette[i], start) < distance(palette[nearest], start)) nearest = i;
    std::array<QColor, graphPaletteSize> order;
    order[0] = first;
    for (size_t i = 1; i < order.size(); i++)
        order[i] = QColor::fromRgb(palette[(nearest + i) % palette.size()]);

    for (const QColor &candidate : order) {
        const bool taken = std::any_of(used.begin(), used.end(),
                                       [&](const QColor &c) { return c.rgb() == candidate.rgb(); });
        if (!taken) return candidate;
    }
    return order[used.size() % order.size()];
}
