// The 8-bit palette images of a GIF movie, one palette per frame. A frame with at most 256
// colours keeps them exactly. A frame with more (antialiased curves, shaded surfaces)
// keeps its most frequent colours exactly, so backgrounds, grid, axes and curve colours
// stay true and flat areas do not dither, and shares the other entries among the rest by
// median cut; every other colour takes its nearest entry, without dithering.
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

private:
    // Picks the palette for more than 256 colours and sets every colour's index.
    void quantise(size_t pixelCount);

    std::unordered_map<uint32_t, uint32_t> colorIndex;  // 0xRRGGBB -> pixels, then -> index
    std::vector<uint32_t> colors;                       // 0xRRGGBB by index
};
