#include "movieTestSupport.h"

#include <QFile>

#include <cmath>
#include <cstdlib>
#include <memory>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libswscale/swscale.h>
}

namespace movieTest {

namespace {

struct formatCloser {
    void operator()(AVFormatContext *f) const { avformat_close_input(&f); }
};
struct codecCloser {
    void operator()(AVCodecContext *c) const { avcodec_free_context(&c); }
};
struct frameCloser {
    void operator()(AVFrame *f) const { av_frame_free(&f); }
};
struct packetCloser {
    void operator()(AVPacket *p) const { av_packet_free(&p); }
};

void appendRGB(movieInfo &info, const AVFrame *frame) {
    SwsContext *scale = sws_getContext(
        frame->width, frame->height, static_cast<AVPixelFormat>(frame->format), frame->width,
        frame->height, AV_PIX_FMT_RGB24, SWS_POINT | SWS_ACCURATE_RND | SWS_FULL_CHR_H_INT, nullptr,
        nullptr, nullptr);
    std::vector<uint8_t> rgb(
        static_cast<size_t>(frame->width) * static_cast<size_t>(frame->height) * 3 + 64);
    uint8_t *planes[1] = {rgb.data()};
    const int strides[1] = {frame->width * 3};
    sws_scale(scale, frame->data, frame->linesize, 0, frame->height, planes, strides);
    sws_freeContext(scale);
    rgb.resize(rgb.size() - 64);
    info.frames.push_back(std::move(rgb));
}

}  // namespace

movieInfo readMovie(const QString &path) {
    movieInfo info;
    AVFormatContext *opened = nullptr;
    if (avformat_open_input(&opened, QFile::encodeName(path).constData(), nullptr, nullptr) < 0) {
        info.error = "cannot open";
        return info;
    }
    std::unique_ptr<AVFormatContext, formatCloser> format(opened);
    if (avformat_find_stream_info(format.get(), nullptr) < 0) {
        info.error = "no stream info";
        return info;
    }
    info.container = format->iformat->name;
    info.streams = static_cast<int>(format->nb_streams);
    const int index = av_find_best_stream(format.get(), AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
    if (index < 0) return info;  // a file without a video stream: nothing more to read
    const AVStream *stream = format->streams[index];
    info.codec = avcodec_get_name(stream->codecpar->codec_id);
    info.width = stream->codecpar->width;
    info.height = stream->codecpar->height;
    info.timeBaseNum = stream->time_base.num;
    info.timeBaseDen = stream->time_base.den;
    info.streamDuration = stream->duration;

    const AVCodec *decoder = avcodec_find_decoder(stream->codecpar->codec_id);
    std::unique_ptr<AVCodecContext, codecCloser> codec(avcodec_alloc_context3(decoder));
    avcodec_parameters_to_context(codec.get(), stream->codecpar);
    if (avcodec_open2(codec.get(), decoder, nullptr) < 0) {
        info.error = "cannot open the decoder";
        return info;
    }
    std::unique_ptr<AVPacket, packetCloser> packet(av_packet_alloc());
    std::unique_ptr<AVFrame, frameCloser> frame(av_frame_alloc());
    auto receive = [&] {
        while (avcodec_receive_frame(codec.get(), frame.get()) == 0) appendRGB(info, frame.get());
    };
    while (av_read_frame(format.get(), packet.get()) >= 0) {
        if (packet->stream_index == index) {
            info.pts.push_back(packet->pts);
            info.durations.push_back(packet->duration);
            if (avcodec_send_packet(codec.get(), packet.get()) < 0)
                info.error = "a packet does not decode";
            receive();
        }
        av_packet_unref(packet.get());
    }
    avcodec_send_packet(codec.get(), nullptr);
    receive();
    return info;
}

std::vector<uint8_t> makeFrame(int width, int height, int padding, int index) {
    const int stride = (width + padding) * 4;
    std::vector<uint8_t> rgba(static_cast<size_t>(stride) * static_cast<size_t>(height), 0xAB);
    for (int y = 0; y < height; y++)
        for (int x = 0; x < width; x++) {
            uint8_t *p = rgba.data() + y * stride + x * 4;
            int r = 255, g = 255, b = 255;
            if (x % 8 == 0 || y % 8 == 0) r = g = b = 210;
            if (y == height / 2) r = g = b = 0;
            if (std::abs((x + index) % width - y) <= 1) r = 214, g = 39, b = 40;
            if (x >= 2 + 2 * index && x < 8 + 2 * index && y >= 2 && y < 8)
                r = 31, g = 119, b = 180;
            p[0] = static_cast<uint8_t>(r), p[1] = static_cast<uint8_t>(g),
            p[2] = static_cast<uint8_t>(b), p[3] = 0;
        }
    return rgba;
}

std::vector<uint8_t> makeShadedFrame(int width, int height) {
    std::vector<uint8_t> rgba(static_cast<size_t>(width) * static_cast<size_t>(height) * 4);
    for (int y = 0; y < height; y++)
        for (int x = 0; x < width; x++) {
            uint8_t *p = rgba.data() + (y * width + x) * 4;
            p[0] = static_cast<uint8_t>(x * 255 / width),
            p[1] = static_cast<uint8_t>(y * 255 / height);
            p[2] = static_cast<uint8_t>((x + y) * 127 / (width + height)), p[3] = 255;
        }
    return rgba;
}

difference compare(const std::vector<uint8_t> &rgb, int rgbWidth, const std::vector<uint8_t> &rgba,
                   int width, int height, int padding) {
    difference d;
    double sum = 0.0;
    for (int y = 0; y < height; y++)
        for (int x = 0; x < width; x++)
            for (int c = 0; c < 3; c++) {
                const int e =
                    std::abs(rgb[static_cast<size_t>((y * rgbWidth + x) * 3 + c)] -
                             rgba[static_cast<size_t>((y * (width + padding) + x) * 4 + c)]);
                d.maximum = std::max(d.maximum, e);
                sum += e;
            }
    d.mean = sum / (3.0 * width * height);
    return d;
}

}  // namespace movieTest
