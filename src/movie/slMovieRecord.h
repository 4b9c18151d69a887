// slMovieRecord: writes equally sized RGBA frames into a movie file with one video track.
// It knows nothing of graphs, only of frame size, time scale, quality level and pixels.
//
// The container follows the file's extension: .mov (QuickTime, the codec chosen by the
// quality level), .mp4 (H.264, yuv420p, odd sizes padded to even) or .gif (a palette built
// from the frames). The track's time base is 1/timeScale and every frame lasts duration()
// units of it. A frame smaller than its encoder takes (rpza: 4 x 4) is padded to that size
// with its last column and row repeated.
//
// The movie is written to a hidden temporary file in the target folder; only a successful
// closeMovie renames it over the path, so a failed or abandoned recording never touches an
// existing file, and a recorder destroyed without closeMovie leaves nothing behind. The
// part file is also removed when a signal ends the process (slPartFiles), and when its
// folder is renamed or removed meanwhile the next frame or closeMovie fails and the part
// file is removed where the folder went.
// Failures are logged with qWarning, FFmpeg's own reason appended.
//
// Calling order: initWithPath once, any number of frames,
// closeMovie, destruction.
#pragma once

#include <QRectF>
#include <QString>

#include <cstdint>
#include <memory>

class slMovieRecord {
public:
    slMovieRecord();
    ~slMovieRecord();
    slMovieRecord(const slMovieRecord &) = delete;
    slMovieRecord &operator=(const slMovieRecord &) = delete;

    // Opens the movie at path with the size of bounds (truncated to whole pixels).
    // Quality levels of .mov: 0, 1, 2 rpza from lower to better quality, 4 QuickTime
    // Animation (lossless), 6 uncompressed RGB; any other level is level 1. For .mp4 the
    // level picks H.264's constant rate factor; .gif ignores it. False (logged) when the
    // recorder is already initialised, the extension, size or time scale is refused, or
    // the file cannot be created; a refused second call leaves the open movie as it was.
    bool initWithPath(const QString &path, const QRectF &bounds, int32_t timeScale,
                      int32_t qualityLevel);

    // Adds one frame: width x height pixels R, G, B, A (alpha ignored), top row first, each
    // row followed by rowPadding() unused pixels. Reads exactly
    // ((width + rowPadding) x (height - 1) + width) x 4 bytes. 0 on success, else a
    // negative status (logged); the movie stays open either way.
    int32_t addFrameFromRGBAPixels(const uint8_t *pixels);

    // Finishes the file and renames it over the path: 0 on success, -1 if any step failed
    // (every step is attempted; the temporary file is removed on failure). With no movie
    // open it does nothing and answers 0.
    int32_t closeMovie();

    int32_t duration() const { return theDuration; }
    void setDuration(int32_t duration) { theDuration = duration; }
    int32_t rowPadding() const { return theRowPadding; }
    void setRowPadding(int32_t padding) { theRowPadding = padding; }
    // The last path component of the movie file.
    const QString &name() const { return theName; }

    int width() const { return frameWidth; }
    int height() const { return frameHeight; }
    // True between a successful initWithPath and closeMovie.
    bool isOpen() const { return writer != nullptr; }
    // The last failure as it was logged, for a caller that reports it to the user.
    const QString &errorString() const { return theError; }

    // The largest frame side accepted, in pixels.
    static constexpr int maximumSide = 8192;

private:
    struct encoder;
    // Logs message (with FFmpeg's text for error) and keeps it as errorString(); false.
    bool fail(const QString &message);
    bool fail(const QString &message, int error);

    std::unique_ptr<encoder> writer;  // the FFmpeg objects of the open movie
    int frameWidth = 0, frameHeight = 0;
    int32_t theRowPadding = 0;
    int32_t theDuration = 1;
    QString theName;
    QString theError;
    bool initialised = false;
};
