#include "movie/slMovieRecord.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QtDebug>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>
#include <mutex>

#include "movie/slMoviePalette.h"
#include "movie/slPartFiles.h"
#include "platform/archive/slFileIO.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/imgutils.h>
#include <libavutil/opt.h>
#include <libswscale/swscale.h>
}

namespace {

enum class movieContainer { mov, mp4, gif };

// What a container and quality level write: the encoder, its input pixels and options.
struct movieCodec {
    const char *encoder;
    AVPixelFormat format;
    std::vector<std::pair<const char *, const char *>> options;
    // The smallest side the encoder takes: rpza sizes its output buffer from the frame's
    // area and overruns it (an assertion inside FFmpeg) on frames smaller than 4 x 4.
    int minimumSide = 1;
};

// 0, 2, 4 and 6 have codecs of their own; every other level, 3 and 5 included, is level 1.
int normalisedLevel(int32_t level) {
    return level == 0 || level == 2 || level == 4 || level == 6 ? level : 1;
}

// rpza's thresholds (0 to 24) decide when a 4 x 4 block is skipped as unchanged, drawn in
// one colour, or in four: higher thresholds give smaller files and coarser pictures.
// Level 2 keeps the encoder's finest settings.
movieCodec codecFor(movieContainer container, int32_t qualityLevel) {
    const int level = normalisedLevel(qualityLevel);
    switch (container) {
        case movieContainer::mov:
            switch (level) {
                case 0:
                    return {"rpza",
                            AV_PIX_FMT_RGB555LE,
                            {{"skip_frame_thresh", "8"},
                             {"start_one_color_thresh", "16"},
                             {"continue_one_color_thresh", "16"},
                             {"sixteen_color_thresh", "24"}},
                            4};
                case 2:
                    return {"rpza",
                            AV_PIX_FMT_RGB555LE,
                            {{"skip_frame_thresh", "1"},
                             {"start_one_color_thresh", "1"},
                             {"continue_one_color_thresh", "0"},
                             {"sixteen_color_thresh", "1"}},
                            4};
                case 4: return {"qtrle", AV_PIX_FMT_RGB24, {}};
                case 6: return {"rawvideo", AV_PIX_FMT_RGB24, {}};
                default:
                    return {"rpza",
                            AV_PIX_FMT_RGB555LE,
                            {{"skip_frame_thresh", "2"},
                             {"start_one_color_thresh", "6"},
                             {"continue_one_color_thresh", "6"},
                             {"sixteen_color_thresh", "12"}},
                            4};
            }
        case movieContainer::mp4: {
            static const std::map<int, const char *> rateFactor{
                {0, "28"}, {1, "23"}, {2, "18"}, {4, "12"}, {6, "6"}};
            return {"libx264",
                    AV_PIX_FMT_YUV420P,
                    {{"preset", "fast"}, {"tune", "animation"}, {"crf", rateFactor.at(level)}}};
        }
        case movieContainer::gif: return {"gif", AV_PIX_FMT_PAL8, {}};
    }
    return {};
}

QString errorText(int error) {
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(error, text, sizeof text);
    return QString::fromUtf8(text);
}

// FFmpeg's own errors go to the same log as ours; its chatter (libx264's banner) does not.
void ffmpegLog(void *, int level, const char *format, va_list args) {
    if (level > AV_LOG_ERROR) return;
    char line[1024];
    std::vsnprintf(line, sizeof line, format, args);
    QString text = QString::fromUtf8(line).trimmed();
    if (!text.isEmpty()) qWarning().noquote() << "FFmpeg:" << text;
}

// 8-bit channel to the nearest of the 5-bit levels that decoders expand as (v << 3) | (v >> 2).
const std::array<uint16_t, 256> &fiveBitLevels() {
    static const std::array<uint16_t, 256> table = [] {
        std::array<uint16_t, 256> t{};
        for (int v = 0; v < 256; v++) {
            int best = 0;
            for (int q = 0; q < 32; q++)
                if (std::abs((q << 3 | q >> 2) - v) < std::abs((best << 3 | best >> 2) - v))
                    best = q;
            t[static_cast<size_t>(v)] = static_cast<uint16_t>(best);
        }
        return t;
    }();
    return table;
}

}  // namespace

// The FFmpeg objects of one open movie; the destructor frees them and removes the
// temporary file unless closeMovie renamed it. The part file is named through a descriptor
// of its folder, so it is removed wherever the folder went.
struct slMovieRecord::encoder {
    movieContainer container = movieContainer::mov;
    QString targetPath, tempPath, folderPath;
    int folder = -1;      // descriptor of the target's folder
    QByteArray partName;  // the part file inside folder; empty once renamed or removed
    int partSlot = -1;    // its entry in slPartFiles
    dev_t folderDevice = 0;
    ino_t folderInode = 0;
    AVFormatContext *format = nullptr;
    AVCodecContext *codec = nullptr;
    AVStream *stream = nullptr;
    AVFrame *frame = nullptr;
    AVPacket *packet = nullptr;
    SwsContext *scale = nullptr;
    uint8_t *rgba = nullptr;  // the frame padded to the codec's size, when it is larger
    int rgbaStride = 0;
    slMoviePalette palette;
    int64_t nextPts = 0;
    std::map<int64_t, int64_t> durations;  // pts -> duration of frames inside the encoder
    bool headerWritten = false;

    ~encoder() {
        if (format && format->pb) avio_closep(&format->pb);
        avformat_free_context(format);
        avcodec_free_context(&codec);
        av_frame_free(&frame);
        av_packet_free(&packet);
        sws_freeContext(scale);
        av_free(rgba);
        removePart();
        if (folder >= 0) ::close(folder);
    }

    void removePart() {
        if (!partName.isEmpty()) ::unlinkat(folder, partName.constData(), 0);
        partName.clear();
        slPartFiles::remove(partSlot);
        partSlot = -1;
    }

    // True while the target's folder is still where the recording started: a folder
    // renamed or replaced meanwhile would receive the movie under a path nobody asked for.
    bool folderInPlace() const {
        struct stat now {};
        return ::stat(QFile::encodeName(folderPath).constData(), &now) == 0 &&
               now.st_dev == folderDevice && now.st_ino == folderInode;
    }

    // Fills frame from the caller's rows.
    void convert(const uint8_t *pixels, ptrdiff_t stride, int width, int height);
    // Hands every packet the encoder has ready to the muxer; false (logged) on a failure.
    bool drain();
};

void slMovieRecord::encoder::convert(const uint8_t *pixels, ptrdiff_t stride, int width,
                                     int height) {
    // A codec larger than the frame (even sides for 4:2:0, an encoder's minimum) gets the
    // frame with its last column and row repeated into the padding.
    if (codec->width != width || codec->height != height) {
        const int paddedWidth = codec->width, paddedHeight = codec->height;
        for (int y = 0; y < paddedHeight; y++) {
            uint8_t *row = rgba + y * rgbaStride;
            std::memcpy(row, pixels + std::min(y, height - 1) * stride,
                        static_cast<size_t>(width) * 4);
            for (int x = width; x < paddedWidth; x++)
                std::memcpy(row + x * 4, row + (width - 1) * 4, 4);
        }
        pixels = rgba, stride = rgbaStride, width = paddedWidth, height = paddedHeight;
    }
    switch (codec->pix_fmt) {
        case AV_PIX_FMT_RGB24:
            for (int y = 0; y < height; y++) {
                const uint8_t *source = pixels + y * stride;
                uint8_t *row = frame->data[0] + y * frame->linesize[0];
                for (int x = 0; x < width; x++, source += 4, row += 3)
                    row[0] = source[0], row[1] = source[1], row[2] = source[2];
            }
            break;
        case AV_PIX_FMT_RGB555LE: {
            const std::array<uint16_t, 256> &five = fiveBitLevels();
            for (int y = 0; y < height; y++) {
                const uint8_t *source = pixels + y * stride;
                uint8_t *row = frame->data[0] + y * frame->linesize[0];
                for (int x = 0; x < width; x++, source += 4, row += 2) {
                    const auto value = static_cast<uint16_t>(
                        five[source[0]] << 10 | five[source[1]] << 5 | five[source[2]]);
                    row[0] = static_cast<uint8_t>(value & 0xFF),
                    row[1] = static_cast<uint8_t>(value >> 8);
                }
            }
            break;
        }
        case AV_PIX_FMT_PAL8:
            palette.mapFrame(pixels, stride, width, height, frame->data[0], frame->linesize[0],
                             reinterpret_cast<uint32_t *>(frame->data[1]));
            break;
        default: {
            const uint8_t *const planes[1] = {pixels};
            const int strides[1] = {static_cast<int>(stride)};
            sws_scale(scale, planes, strides, 0, height, frame->data, frame->linesize);
        }
    }
}

bool slMovieRecord::encoder::drain() {
    for (;;) {
        int result = avcodec_receive_packet(codec, packet);
        if (result == AVERROR(EAGAIN) || result == AVERROR_EOF) return true;
        if (result < 0) {
            qWarning().noquote() << QStringLiteral("CompressImage returned error %1: %2")
                                        .arg(result)
                                        .arg(errorText(result));
            return false;
        }
        const auto known = durations.find(packet->pts);
        if (known != durations.end()) {
            packet->duration = known->second;
            durations.erase(known);
        }
        packet->stream_index = stream->index;
        av_packet_rescale_ts(packet, codec->time_base, stream->time_base);
        result = av_interleaved_write_frame(format, packet);
        if (result < 0) {
            qWarning().noquote() << QStringLiteral("AddMediaSample returned error %1: %2")
                                        .arg(result)
                                        .arg(errorText(result));
            return false;
        }
    }
}

slMovieRecord::slMovieRecord() = default;

slMovieRecord::~slMovieRecord() = default;

bool slMovieRecord::fail(const QString &message) {
    theError = message;
    qWarning().noquote() << message;
    return false;
}

bool slMovieRecord::fail(const QString &message, int error) {
    return fail(message + QStringLiteral(": ") + errorText(error));
}

bool slMovieRecord::initWithPath(const QString &path, const QRectF &bounds, int32_t timeScale,
                                 int32_t qualityLevel) {
    static std::once_flag logOnce;
    std::call_once(logOnce, [] { av_log_set_callback(ffmpegLog); });

    // 1. Only once: a second creation leaves the open movie as it was.
    if (initialised) return fail(QStringLiteral("Object already initialized"));

    // 2. The container from the extension, the codec from the level, the defaults.
    // A symbolic link is written through, as every file we write: the movie replaces the
    // file it points to and the link stays.
    const QFileInfo info(slWriteTarget(path));
    const QString suffix = info.suffix().toLower();
    movieContainer container;
    const char *muxer;
    if (suffix == QLatin1String("mov"))
        container = movieContainer::mov, muxer = "mov";
    else if (suffix == QLatin1String("mp4"))
        container = movieContainer::mp4, muxer = "mp4";
    else if (suffix == QLatin1String("gif"))
        container = movieContainer::gif, muxer = "gif";
    else
        return fail(
            QStringLiteral("Error creating movie %1: the name must end in .mov, .mp4 or .gif")
                .arg(path));
    const movieCodec choice = codecFor(container, qualityLevel);
    setDuration(1);
    setRowPadding(0);

    // 3. The frame size and time scale.
    const double boundsWidth = bounds.width(), boundsHeight = bounds.height();
    if (!(boundsWidth >= 1.0 && boundsWidth < maximumSide + 1.0) ||
        !(boundsHeight >= 1.0 && boundsHeight < maximumSide + 1.0))
        return fail(
            QStringLiteral("Error creating movie %1: a frame of %2 x %3 pixels, expected 1 to %4 "
                           "per side")
                .arg(path)
                .arg(boundsWidth)
                .arg(boundsHeight)
                .arg(maximumSide));
    if (timeScale < 1)
        return fail(QStringLiteral("Error creating movie %1: time scale %2, expected 1 or more")
                        .arg(path)
                        .arg(timeScale));
    if (info.isDir())
        return fail(QStringLiteral("Error creating movie %1: it is a folder").arg(path));
    const int width = static_cast<int>(boundsWidth), height = static_cast<int>(boundsHeight);

    auto w = std::make_unique<encoder>();
    w->container = container;
    w->targetPath = info.absoluteFilePath();

    // 4. The hidden temporary file beside the target, made with the permissions of a new
    //    file, held through a descriptor of its folder and registered for removal when a
    //    signal ends the process.
    w->folderPath = info.absolutePath();
    w->folder =
        ::open(QFile::encodeName(w->folderPath).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    struct stat folderStatus {};
    if (w->folder < 0 || ::fstat(w->folder, &folderStatus) != 0)
        return fail(QStringLiteral("Error creating file for %1: %2")
                        .arg(path, QString::fromLocal8Bit(std::strerror(errno))));
    w->folderDevice = folderStatus.st_dev;
    w->folderInode = folderStatus.st_ino;
    slPartFiles::installSignalHandlers();
    for (int attempt = 0; attempt < 100 && w->partName.isEmpty(); attempt++) {
        const QByteArray candidate = QFile::encodeName(
            QStringLiteral(".%1.%2.part")
                .arg(info.fileName())
                .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0')));
        const int fd = ::openat(w->folder, candidate.constData(),
                                O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            ::close(fd);
            w->partName = candidate;
            w->partSlot = slPartFiles::add(w->folder, candidate.constData());
            w->tempPath = w->folderPath + QLatin1Char('/') + QFile::decodeName(candidate);
        } else if (errno != EEXIST) {
            return fail(QStringLiteral("Error creating file for %1: %2")
                            .arg(path, QString::fromLocal8Bit(std::strerror(errno))));
        }
    }
    if (w->partName.isEmpty())
        return fail(QStringLiteral("Error creating file for %1: no free temporary name").arg(path));
    const QByteArray tempName = QFile::encodeName(w->tempPath);

    // 5. The container.
    int result = avformat_alloc_output_context2(&w->format, nullptr, muxer, tempName.constData());
    if (result < 0 || w->format == nullptr)
        return fail(QStringLiteral("Error initializing movies toolbox"),
                    result < 0 ? result : AVERROR(ENOMEM));

    // 6. The encoder: time base 1/timeScale, .mp4 sides rounded up to even.
    const AVCodec *found = avcodec_find_encoder_by_name(choice.encoder);
    w->codec = found ? avcodec_alloc_context3(found) : nullptr;
    if (w->codec == nullptr)
        return fail(QStringLiteral("Error opening the %1 encoder: it is not available")
                        .arg(QLatin1String(choice.encoder)));
    const int codecWidth = std::max(width, choice.minimumSide),
              codecHeight = std::max(height, choice.minimumSide);
    w->codec->width = container == movieContainer::mp4 ? (codecWidth + 1) / 2 * 2 : codecWidth;
    w->codec->height = container == movieContainer::mp4 ? (codecHeight + 1) / 2 * 2 : codecHeight;
    w->codec->pix_fmt = choice.format;
    w->codec->time_base = AVRational{1, timeScale};
    if (container == movieContainer::mp4) {
        w->codec->colorspace = AVCOL_SPC_SMPTE170M;
        w->codec->color_range = AVCOL_RANGE_MPEG;
    }
    if (w->format->oformat->flags & AVFMT_GLOBALHEADER)
        w->codec->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    AVDictionary *codecOptions = nullptr;
    for (const auto &[key, value] : choice.options) av_dict_set(&codecOptions, key, value, 0);
    result = avcodec_open2(w->codec, found, &codecOptions);
    av_dict_free(&codecOptions);
    if (result < 0)
        return fail(QStringLiteral("Error %1 opening the %2 encoder")
                        .arg(result)
                        .arg(QLatin1String(choice.encoder)),
                    result);

    // 7. The frame every picture is converted into, and the packet buffer.
    w->frame = av_frame_alloc();
    if (w->frame) {
        w->frame->format = w->codec->pix_fmt;
        w->frame->width = w->codec->width;
        w->frame->height = w->codec->height;
        result = av_frame_get_buffer(w->frame, 0);
    }
    if (w->frame == nullptr || result < 0)
        return fail(QStringLiteral("Error %1 creating GWorld").arg(result),
                    result < 0 ? result : AVERROR(ENOMEM));
    if (w->codec->width != width || w->codec->height != height) {
        w->rgbaStride = w->codec->width * 4;
        w->rgba = static_cast<uint8_t *>(av_malloc(
            static_cast<size_t>(w->rgbaStride) * static_cast<size_t>(w->codec->height) + 64));
        if (w->rgba == nullptr)
            return fail(QStringLiteral("Error %1 creating GWorld").arg(AVERROR(ENOMEM)),
                        AVERROR(ENOMEM));
    }
    if (container == movieContainer::mp4) {
        w->scale = sws_getContext(w->codec->width, w->codec->height, AV_PIX_FMT_RGBA,
                                  w->codec->width, w->codec->height, AV_PIX_FMT_YUV420P,
                                  SWS_BICUBIC | SWS_ACCURATE_RND, nullptr, nullptr, nullptr);
        if (w->scale == nullptr)
            return fail(QStringLiteral("Error %1 creating GWorld").arg(AVERROR(ENOMEM)),
                        AVERROR(ENOMEM));
    }
    w->packet = av_packet_alloc();
    if (w->packet == nullptr)
        return fail(QStringLiteral("Error allocating memory for compressed movie data"));

    // 8. The one video track.
    w->stream = avformat_new_stream(w->format, nullptr);
    if (w->stream == nullptr)
        return fail(QStringLiteral("Movie error %1 during NewMovieTrack").arg(AVERROR(ENOMEM)),
                    AVERROR(ENOMEM));
    w->stream->time_base = w->codec->time_base;
    result = avcodec_parameters_from_context(w->stream->codecpar, w->codec);
    if (result < 0)
        return fail(QStringLiteral("Movie error %1 after NewTrackMedia").arg(result), result);

    // 9. The file and its header. The QuickTime muxers would otherwise raise the track's
    //    time scale to 10000 or more; .mp4 puts its index first for players on the web.
    result = avio_open(&w->format->pb, tempName.constData(), AVIO_FLAG_WRITE);
    AVDictionary *muxOptions = nullptr;
    if (container != movieContainer::gif)
        av_dict_set_int(&muxOptions, "video_track_timescale", timeScale, 0);
    if (container == movieContainer::mp4) av_dict_set(&muxOptions, "movflags", "+faststart", 0);
    if (result >= 0) result = avformat_write_header(w->format, &muxOptions);
    av_dict_free(&muxOptions);
    if (result < 0)
        return fail(QStringLiteral("Movie error %1 during CreateMovieFile").arg(result), result);
    w->headerWritten = true;

    // 10. Done.
    frameWidth = width;
    frameHeight = height;
    theName = info.fileName();
    theError.clear();
    writer = std::move(w);
    initialised = true;
    return true;
}

int32_t slMovieRecord::addFrameFromRGBAPixels(const uint8_t *pixels) {
    if (writer == nullptr) {
        fail(QStringLiteral("CompressImage returned error -1: no movie is open"));
        return -1;
    }
    if (pixels == nullptr || theRowPadding < 0 || theDuration < 1) {
        fail(QStringLiteral(
                 "CompressImage returned error %1: no pixels, a negative row padding or a "
                 "duration below 1")
                 .arg(AVERROR(EINVAL)));
        return AVERROR(EINVAL);
    }
    encoder &w = *writer;
    if (!w.folderInPlace()) {
        fail(QStringLiteral("CompressImage returned error %1: the folder %2 was moved or "
                            "removed during the recording")
                 .arg(AVERROR(ENOENT))
                 .arg(w.folderPath));
        return AVERROR(ENOENT);
    }
    int result = av_frame_make_writable(w.frame);
    if (result < 0) {
        fail(QStringLiteral("CompressImage returned error %1").arg(result), result);
        return result;
    }
    const ptrdiff_t stride = (static_cast<ptrdiff_t>(frameWidth) + theRowPadding) * 4;
    w.convert(pixels, stride, frameWidth, frameHeight);
    w.frame->pts = w.nextPts;
    w.durations[w.nextPts] = theDuration;
    w.nextPts += theDuration;
    result = avcodec_send_frame(w.codec, w.frame);
    if (result < 0) {
        fail(QStringLiteral("CompressImage returned error %1").arg(result), result);
        return result;
    }
    if (!w.drain()) {
        theError = QStringLiteral("the movie's frame could not be written");
        return -1;
    }
    return 0;
}

int32_t slMovieRecord::closeMovie() {
    if (writer == nullptr) return 0;
    encoder &w = *writer;
    bool ok = true;

    // 1. The frames still inside the encoder.
    int result = avcodec_send_frame(w.codec, nullptr);
    if (result < 0)
        ok = fail(QStringLiteral("Error %1 in EndMediaEdits").arg(result), result);
    else if (!w.drain())
        ok = false;

    // 2. The movie's index. The GIF muxer refuses to finish a file without frames, so
    //    that file is written here: the header with the frame size and the trailer.
    if (w.container == movieContainer::gif && w.nextPts == 0) {
        const uint8_t empty[] = {'G',
                                 'I',
                                 'F',
                                 '8',
                                 '9',
                                 'a',
                                 static_cast<uint8_t>(frameWidth & 0xFF),
                                 static_cast<uint8_t>(frameWidth >> 8),
                                 static_cast<uint8_t>(frameHeight & 0xFF),
                                 static_cast<uint8_t>(frameHeight >> 8),
                                 0,
                                 0,
                                 0,
                                 0x3B};
        avio_write(w.format->pb, empty, sizeof empty);
        result = 0;
    } else {
        result = av_write_trailer(w.format);
    }
    if (result < 0) ok = fail(QStringLiteral("Error %1 in AddMovieResource").arg(result), result);

    // 3. The file, then the rename over the target.
    avio_flush(w.format->pb);
    result = w.format->pb->error;
    const int closed = avio_closep(&w.format->pb);
    if (result >= 0) result = closed;
    if (result < 0) {
        ok = fail(QStringLiteral("Error %1 in CloseMovieFile").arg(result), result);
    } else if (ok && !w.folderInPlace()) {
        ok = fail(QStringLiteral("Error %1 in CloseMovieFile: the folder %2 was moved or removed "
                                 "during the recording")
                      .arg(AVERROR(ENOENT))
                      .arg(w.folderPath));
    } else if (ok) {
        if (::renameat(w.folder, w.partName.constData(), AT_FDCWD,
                       QFile::encodeName(w.targetPath).constData()) == 0) {
            w.partName.clear();
            w.removePart();
        } else {
            ok = fail(QStringLiteral("Error %1 in CloseMovieFile: %2")
                          .arg(-errno)
                          .arg(QString::fromLocal8Bit(std::strerror(errno))));
        }
    }
    writer.reset();
    return ok ? 0 : -1;
}
