// Reading the drawn graph back as an RGBA frame, a planar RGB image or a TIFF file.
#include "view/graphGLView.h"

const uint8_t *graphGLView::RGBAPixels() {
    const int width = static_cast<int>(frameWidth), height = static_cast<int>(frameHeight);
    if (width <= 0 || height <= 0) {
        rgbaFrame.reset();
        return nullptr;
    }
    const int bytesPerRow = width * 4;
    const size_t size = static_cast<size_t>(bytesPerRow) * static_cast<size_t>(height);
    std::vector<uint8_t> scratch(size);
    // The new frame is made before the old one goes, so consecutive frames never share
    // storage and a stale pointer cannot alias the new frame.
    std::unique_ptr<uint8_t[]> frame(new uint8_t[size]);
    // OpenGL answers bottom-up rows of exactly width x 4 bytes at alignment 1.
    draw.readPixels(width, height, graphPixelFormat::rgba, 1, scratch.data());
    reversePixelBuffer(scratch.data(), frame.get(), bytesPerRow, height);
    rgbaFrame = std::move(frame);
    return rgbaFrame.get();
}

std::unique_ptr<graphImageRep> graphGLView::makeImageRep() {
    const int width = static_cast<int>(frameWidth), height = static_cast<int>(frameHeight);
    if (width <= 0 || height <= 0) return nullptr;
    auto image = std::make_unique<graphImageRep>();
    image->width = width;
    image->height = height;
    image->bytesPerRow = graphImageRep::rowBytesForWidth(width);
    const size_t size = static_cast<size_t>(image->bytesPerRow) * static_cast<size_t>(height);
    std::vector<uint8_t> scratch(size);
    const graphPixelFormat formats[3] = {graphPixelFormat::red, graphPixelFormat::green,
                                         graphPixelFormat::blue};
    // At alignment 8 OpenGL pads each row to the image's row length.
    for (int plane = 0; plane < 3; plane++) {
        image->planes[plane].assign(size, 0);
        draw.readPixels(width, height, formats[plane], 8, scratch.data());
        reversePixelBuffer(scratch.data(), image->planes[plane].data(), image->bytesPerRow, height);
    }
    return image;
}

int graphGLView::snapshotToFile(const std::string &path) {
    std::unique_ptr<graphImageRep> image = makeImageRep();
    if (!image) return -1;
    return graphWriteTIFF(*image, path) ? 0 : -1;
}
