#include "movie/slMoviePalette.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <utility>

namespace {

static_assert(std::endian::native == std::endian::little, "pixels are read as little-endian words");

constexpr int channel(uint32_t color, int c) {
    return static_cast<int>(color >> (16 - 8 * c) & 0xFF);
}

int distance(uint32_t a, uint32_t b) {
    int d = 0;
    for (int c = 0; c < 3; c++)
        d += (channel(a, c) - channel(b, c)) * (channel(a, c) - channel(b, c));
    return d;
}

}  // namespace

void slMoviePalette::quantise(size_t pixelCount) {
    // 1. The most frequent colours keep entries of their own (those covering at least
    //    1/2000 of the frame: the ground, grid, axes and the cores of the curves).
    std::vector<std::pair<uint32_t, uint32_t>> byCount(colorIndex.begin(), colorIndex.end());
    std::sort(byCount.begin(), byCount.end(), [](const auto &a, const auto &b) {
        return a.second > b.second || (a.second == b.second && a.first < b.first);
    });
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
                low = std::min(low, channel(byCount[i].first, c)),
                high = std::max(high, channel(byCount[i].first, c));
            if (high - low > b.range) b.widest = c, b.range = high - low;
        }
        return b;
    };
    std::vector<box> boxes{measured(exact, byCount.size())};
    while (colors.size() + boxes.size() < 256) {
        const auto split =
            std::max_element(boxes.begin(), boxes.end(),
                             [](const box &a, const box &b) { return a.range < b.range; });
        if (split->range == 0) break;
        const int c = split->widest;
        const auto first = byCount.begin() + static_cast<ptrdiff_t>(split->begin);
        const auto last = byCount.begin() + static_cast<ptrdiff_t>(split->end);
        std::sort(first, last, [&](const auto &a, const auto &b) {
            return channel(a.first, c) < channel(b.first, c);
        });
        uint64_t total = 0, below = 0;
        for (auto i = first; i != last; ++i) total += i->second;
        size_t middle = split->begin + 1;
        for (size_t i = split->begin; i + 1 < split->end; i++) {
            below += byCount[i].second;
            middle = i + 1;
            if (2 * below >= total) break;
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
                                                   (sum[1] + count / 2) / count << 8 |
                                                   (sum[2] + count / 2) / count));
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

void slMoviePalette::findRuns(const uint8_t *rgba, ptrdiff_t sourceStride, int width, int height) {
    // Pixels compared as whole words with alpha masked off; graph frames are long runs of
    // one colour, so the per-colour work below is done once a run.
    runs.clear();
    for (int y = 0; y < height; y++) {
        const uint8_t *row = rgba + y * sourceStride;
        uint32_t word = 0;
        std::memcpy(&word, row, 3);
        int start = 0;
        for (int x = 1; x < width; x++) {
            uint32_t next;
            std::memcpy(&next, row + 4 * x, 4);
            next &= 0x00FFFFFFu;  // little-endian: R | G << 8 | B << 16
            if (next != word) {
                runs.push_back({word, y, start, x - start});
                word = next, start = x;
            }
        }
        runs.push_back({word, y, start, width - start});
    }
    for (run &r : runs) r.color = (r.color & 0xFF) << 16 | (r.color & 0xFF00) | r.color >> 16;
}

bool slMoviePalette::mapOntoFirst(size_t pixelCount, bool &exact) {
    std::vector<std::pair<uint32_t, uint32_t>> nearest;  // colour -> index in the first palette
    nearest.reserve(colorIndex.size());
    exact = true;
    for (const auto &[color, count] : colorIndex) {
        if (const auto found = firstIndex.find(color); found != firstIndex.end()) {
            nearest.emplace_back(color, found->second);
            continue;
        }
        if (count * 2000 >= pixelCount) return false;
        size_t best = 0;
        for (size_t i = 1; i < 256; i++)
            if (distance(color, firstPalette[i]) < distance(color, firstPalette[best])) best = i;
        if (distance(color, firstPalette[best]) > nearTolerance) return false;
        nearest.emplace_back(color, static_cast<uint32_t>(best));
        exact = false;
    }
    for (const auto &[color, index] : nearest) colorIndex[color] = index;
    return true;
}

bool slMoviePalette::mapFrame(const uint8_t *rgba, ptrdiff_t sourceStride, int width, int height,
                              uint8_t *indices, ptrdiff_t indexStride, uint32_t palette[256]) {
    // 1. The colours of the frame and their pixel counts.
    colorIndex.clear();
    colors.clear();
    findRuns(rgba, sourceStride, width, height);
    for (const run &r : runs) colorIndex[r.color] += static_cast<uint32_t>(r.length);
    const size_t pixelCount = static_cast<size_t>(width) * static_cast<size_t>(height);

    // 2. The first frame's palette when it holds this frame's colours (its frequent ones
    //    exactly); otherwise a palette of its own, most frequent colour first.
    bool exact = true;
    if (!firstPalette.empty() && mapOntoFirst(pixelCount, exact)) {
        colors.assign(firstPalette.begin(), firstPalette.end());
    } else if (colorIndex.size() <= 256) {
        std::vector<std::pair<uint32_t, uint32_t>> byCount(colorIndex.begin(), colorIndex.end());
        std::sort(byCount.begin(), byCount.end(), [](const auto &a, const auto &b) {
            return a.second > b.second || (a.second == b.second && a.first < b.first);
        });
        for (const auto &[color, count] : byCount) {
            colorIndex[color] = static_cast<uint32_t>(colors.size());
            colors.push_back(color);
        }
    } else {
        quantise(pixelCount);
        exact = false;
    }
    colors.resize(256, 0);
    if (firstPalette.empty()) {
        firstPalette = colors;
        for (size_t i = 256; i-- > 0;) firstIndex[firstPalette[i]] = static_cast<uint32_t>(i);
    }

    // 3. The encoder takes a frame in the first palette as a change to the frame before it
    //    and compares their indices, which means nothing when that frame had another
    //    palette: such a frame gets two entries swapped, and so a palette of its own.
    bool inFirst = colors == firstPalette;
    if (inFirst && frameCount > 0 && !previousInFirst) {
        const auto other =
            std::find_if(colors.begin(), colors.end(), [&](uint32_t c) { return c != colors[0]; });
        if (other == colors.end()) {
            colors[255] ^= 0xFFFFFF;  // one colour everywhere: entry 255 is unused
        } else {
            const auto swapped = static_cast<uint32_t>(other - colors.begin());
            std::swap(colors[0], *other);
            for (auto &[color, index] : colorIndex)
                index = index == 0 ? swapped : index == swapped ? 0 : index;
        }
        inFirst = false;
    }
    previousInFirst = inFirst;
    frameCount++;

    // 4. The indices, run by run, and the palette, every entry opaque.
    uint32_t lastColor = ~0u, lastIndex = 0;
    for (const run &r : runs) {
        if (r.color != lastColor) lastColor = r.color, lastIndex = colorIndex[r.color];
        std::fill_n(indices + r.y * indexStride + r.x, r.length, static_cast<uint8_t>(lastIndex));
    }
    for (size_t i = 0; i < 256; i++) palette[i] = 0xFF000000u | colors[i];
    return exact;
}
