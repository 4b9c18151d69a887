// Reading movies back with libavformat and libavcodec, and the synthetic frames they are
// made from.
#pragma once

#include <QString>

#include <cstdint>
#include <string>
#include <vector>

namespace movieTest {

struct movieInfo {
    std::string error;      // empty when the file opened and every packet decoded
    std::string container;  // the demuxer's name
    std::string codec;      // the video stream's codec name
    int streams = 0, width = 0, height = 0;
    int timeBaseNum = 0, timeBaseDen = 0;
    std::vector<int64_t> pts, durations;       // per packet, in the time base
    int64_t streamDuration = 0;                // the stream's own duration, in the time base
    std::vector<std::vector<uint8_t>> frames;  // every decoded frame as RGB, 3 bytes a pixel
};

movieInfo readMovie(const QString &path);

// A graph-like RGBA frame: white ground, grey grid, a black axis, a red line and a blue
// block that move with index. Alpha is 0 and every padding pixel 0xAB, which a recorder
// must ignore.
std::vector<uint8_t> makeFrame(int width, int height, int padding, int index);

// A smooth three-channel gradient of width x height distinct colours, no padding.
std::vector<uint8_t> makeShadedFrame(int width, int height);

struct difference {
    int maximum = 0;    // largest channel difference
    double mean = 0.0;  // mean channel difference
};
// The top-left width x height pixels of an RGB frame rgbWidth pixels wide against the RGB
// of an RGBA frame with padding.
difference compare(const std::vector<uint8_t> &rgb, int rgbWidth, const std::vector<uint8_t> &rgba,
                   int width, int height, int padding);

}  // namespace movieTest
