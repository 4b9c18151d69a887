// Pixel layouts read back from the graph: the row flip, the planar RGB snapshot image and
// its TIFF encoding.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Copies row i of source to row (rowCount - 1 - i) of destination; nothing for rowCount <= 0.
void reversePixelBuffer(const uint8_t *source, uint8_t *destination, int bytesPerRow, int rowCount);

// Three separate 8-bit planes (red, green, blue), no alpha, device RGB, top row first,
// each row padded to bytesPerRow, the width rounded up to a multiple of 8.
struct graphImageRep {
    int width = 0, height = 0, bytesPerRow = 0;
    std::vector<uint8_t> planes[3];

    static int rowBytesForWidth(int width) { return (width + 7) / 8 * 8; }
    const uint8_t *pixel(int plane, int x, int y) const {
        return planes[plane].data() + static_cast<size_t>(y) * static_cast<size_t>(bytesPerRow) +
               static_cast<size_t>(x);
    }
};

// Writes the image as an RGB TIFF with LZW compression. False when the file cannot be
// written completely.
bool graphWriteTIFF(const graphImageRep &image, const std::string &path);
