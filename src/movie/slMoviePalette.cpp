#include "movie/slMoviePalette.h"

#include <algorithm>
#include <utility>

namespace {

constexpr uint32_t colorAt(const uint8_t *pixel)
{
    return static_cast<uint32_t>(pixel[0]) << 16 | static_cast<uint32_t>(pixel[1]) << 8 | pixel[2];
}

constexpr int channel(uint32_t color, int c) { return static_cast<int>(color >> (16 - 8 * c) & 0xFF); }

int distance(uint32_t a, uint32_t b)
{
    int d = 0;
    for (int c = 0; c < 3; c++)
        d += (channel(a, c) - channel(b, c)) * (channel(a, c) - channel(b, c));
    return d;
}

// Calls run(color, x, length) for every run of one colour in each row: graph frames are
// long runs, so the per-colour work is done once a run.
template <typename Run>
void forEachRun(const uint8_t *rgba, ptrdiff_t stride, int width, int height, Run run)
{
    for (int y = 0; y < height; y++) {
        const uint8_t *row = rgba + y * stride;
        int start = 0;
        uint32_t color = colorAt(row);
        for (int x = 1; x <= width; x++) {
            const uint32_t next = x < width ? colorAt(row + 4 * x) : ~color;
            if (next != color) {
                run(color, y, start, x - start);
                start = x, color = next;
            }
        }
    }
}

}  // namespace

void slMoviePalette::quantise(size_t pixelCount)
{
    // 1. The most frequent colours keep entries of their own (those covering at least
    //    1/2000 of the frame: the ground, grid, axes and the cores of the curves).
    std::vector<std::pair<uint32_t, uint32_t>> byCount(colorIndex.begin(), colorIndex.end());
    std::sort(byCount.begin(), byCount.end(),
              [](const auto &a, const auto &b) { return a.second > b.second || (a.second == b.second && a.first < b.first); });
    size_t exact = 0;
    while (exact < exactEntries && byCount[exact].second * 2000 >= pixelCount)
        colors.push_back(byCount[exact++].first);

    // 2. Median cut of the other colours, weighted by their pixels: split the box with the
    //    widest channel at its weighted median until the palette is full.
    struct box {
        size_t begin, end;
        int widest = 0, range = 0;  // the channel with the widest range, and that range
    };
    auto measured = [&](size_t begin, size_t end) {
        box b{begin, end};
        for (int c = 0; c < 3; c++) {
            int low = 255, high = 0;
            for (size_t i = begin; i < end; i++)
                low = std::min(low, channel(byCount[i].first, c)), high = std::max(high, channel(byCount[i].first, c));
            if (high - low > b.range)
                b.widest = c, b.range = high - low;
        }
        return b;
    };
    std::vector<box> boxes{measured(exact, byCount.size())};
    while (colors.size() + boxes.size() < 256) {
        const auto split = std::max_element(boxes.begin(), boxes.end(),
                                            [](const box &a, const box &b) { return a.range < b.range; });
        if (split->range == 0)
            break;
        const int c = split->widest;
        const auto first = byCount.begin() + static_cast<ptrdiff_t>(split->begin);
        const auto last = byCount.begin() + static_cast<ptrdiff_t>(split->end);
        std::sort(first, last, [&](const auto &a, const auto &b) { return channel(a.first, c) < channel(b.first, c); });
        uint64_t total = 0, below = 0;
        for (auto i = first; i != last; ++i)
            total += i->second;
        size_t middle = split->begin + 1;
        for (size_t i = split->begin; i + 1 < split->end; i++) {
            below += byCount[i].second;
            middle = i + 1;
            if (2 * below >= total)
                break;
        }
        const size_t begin = split->begin, end = split->end;
        *split = measured(begin, middle);
        boxes.push_back(measured(middle, end));
    }
    for (const box &b : boxes) {
        uint64_t count = 0, sum[3] = {0, 0, 0};
        for (size_t i = b.begin; i < b.end; i++) {
            count += byCount[i].second;
            for (int c = 0; c < 3; c++)
                sum[c] += static_cast<uint64_t>(channel(byCount[i].first, c)) * byCount[i].second;
        }
        if (count != 0)
            colors.push_back(static_cast<uint32_t>((sum[0] + count / 2) / count << 16 |
                                                   (sum[1] + count / 2) / count << 8 | (sum[2] + count / 2) / count));
    }

    // 3. Every colour takes the nearest entry.
    for (auto &[color, index] : colorIndex) {
        size_t nearest = 0;
        int nearestDistance = distance(color, colors[0]);
        for (size_t i = 1; i < colors.size() && nearestDistance != 0; i++)
            if (const int d = distance(color, colors[i]); d < nearestDistance)
                nearest = i, nearestDistance = d;
        index = static_cast<uint32_t>(nearest);
    }
}

bool slMoviePalette::mapFrame(const uint8_t *rgba, ptrdiff_t sourceStride, int width, int height,
                              uint8_t *indices, ptrdiff_t indexStride, uint32_t palette[256])
{
    colorIndex.clear();
    colors.clear();
    forEachRun(rgba, sourceStride, width, height,
               [&](uint32_t color, int, int, int length) { colorIndex[color] += static_cast<uint32_t>(length); });
    const bool exact = colorIndex.size() <= 256;
    if (exact) {
        for (auto &[color, index] : colorIndex) {
            index = static_cast<uint32_t>(colors.size());
            colors.push_back(color);
        }
    } else {
        quantise(static_cast<size_t>(width) * static_cast<size_t>(height));
    }
    forEachRun(rgba, sourceStride, width, height, [&](uint32_t color, int y, int x, int length) {
        std::fill_n(indices + y * indexStride + x, length, static_cast<uint8_t>(colorIndex[color]));
    });
    for (size_t i = 0; i < 256; i++)
        palette[i] = 0xFF000000u | (i < colors.size() ? colors[i] : 0u);
    return exact;
}
