// The 8-bit palette images of a GIF movie. A frame whose colours the first frame's palette
// holds (its frequent colours exactly, the others within a few levels) uses that palette,
// so that the encoder can store only what changed since the frame before. Any other frame
// gets a palette of its own: with at most 256 colours, exactly those; with more
// (antialiased curves, shaded surfaces) its most frequent colours exactly, so ground,
// grid, axes and curve colours stay true and flat areas do not dither, and the other
// entries shared among the rest by median cut. No frame is dithered.
#pragma once

#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <vector>

class slMoviePalette {
public:
    // Maps width x height RGBA pixels (alpha ignored; rows sourceStride bytes apart, only
    // width x 4 bytes of each row read) to indices (rows indexStride bytes apart) and
    // writes the 256 palette entries as 0xAARRGGBB, every entry opaque. True when every
    // colour of the frame is in the palette exactly.
    bool mapFrame(const uint8_t *rgba, ptrdiff_t sourceStride, int width, int height,
                  uint8_t *indices, ptrdiff_t indexStride, uint32_t palette[256]);

    // Colours kept exactly, at most, when a frame has more than 256.
    static constexpr size_t exactEntries = 96;
    // The largest squared RGB distance at which a colour takes an entry of the first
    // palette: 4 levels in each channel.
    static constexpr int nearTolerance = 48;

private:
    struct run {
        uint32_t color;  // 0xRRGGBB
        int y, x, length;
    };
    // The runs of one colour in every row.
    void findRuns(const uint8_t *rgba, ptrdiff_t sourceStride, int width, int height);
    // Picks the palette for more than 256 colours and sets every colour's index.
    void quantise(size_t pixelCount);
    // Sets every colour's index in the first palette if it holds them; exact when it
    // holds them all exactly.
    bool mapOntoFirst(size_t pixelCount, bool &exact);

    std::unordered_map<uint32_t, uint32_t> colorIndex;  // 0xRRGGBB -> pixels, then -> index
    std::vector<uint32_t> colors;                       // 0xRRGGBB by index
    std::vector<run> runs;
    std::vector<uint32_t> firstPalette;  // 256 entries once the first frame is mapped
    std::unordered_map<uint32_t, uint32_t> firstIndex;
    bool previousInFirst = false;
    long frameCount = 0;
};
