#include "view/graphImage.h"

#include <tiffio.h>

#include <cstdio>
#include <cstring>

void reversePixelBuffer(const uint8_t *source, uint8_t *destination, int bytesPerRow,
                        int rowCount) {
    if (rowCount <= 0 || bytesPerRow <= 0) return;
    const size_t row = static_cast<size_t>(bytesPerRow);
    for (int i = 0; i < rowCount; i++)
        std::memcpy(destination + static_cast<size_t>(rowCount - 1 - i) * row,
                    source + static_cast<size_t>(i) * row, row);
}

bool graphWriteTIFF(const graphImageRep &image, const std::string &path) {
    if (image.width <= 0 || image.height <= 0) return false;
    // Written beside the target and renamed over it once complete, so a failed write
    // never leaves a truncated file where an older snapshot was.
    const std::string partial = path + ".partial";
    TIFF *tiff = TIFFOpen(partial.c_str(), "w");
    if (tiff == nullptr) return false;
    const auto width = static_cast<uint32_t>(image.width);
    bool ok = TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, width) &&
              TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, static_cast<uint32_t>(image.height)) &&
              TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, 8) &&
              TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, 3) &&
              TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB) &&
              TIFFSetField(tiff, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG) &&
              TIFFSetField(tiff, TIFFTAG_ORIENTATION, ORIENTATION_TOPLEFT) &&
              TIFFSetField(tiff, TIFFTAG_COMPRESSION, COMPRESSION_LZW) &&
              TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, TIFFDefaultStripSize(tiff, 0));
    // Interleaved samples are what every reader handles; the planes are merged per row.
    std::vector<uint8_t> row(static_cast<size_t>(width) * 3);
    for (int y = 0; ok && y < image.height; y++) {
        for (int x = 0; x < image.width; x++)
            for (int plane = 0; plane < 3; plane++)
                row[static_cast<size_t>(x) * 3 + static_cast<size_t>(plane)] =
                    *image.pixel(plane, x, y);
        ok = TIFFWriteScanline(tiff, row.data(), static_cast<uint32_t>(y), 0) == 1;
    }
    // Closing flushes the last strip and the directory; a failure there is a failed write.
    ok = TIFFFlush(tiff) == 1 && ok;
    TIFFClose(tiff);
    if (ok && std::rename(partial.c_str(), path.c_str()) == 0) return true;
    std::remove(partial.c_str());
    return false;
}
