// The k movie of the window: the quality choice with its messages, and the recording of
// one sweep of k up and down with progress and cancel. Drawing a frame is the caller's.
#pragma once

#include <QSize>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <functional>

namespace graphMovieQuality {
constexpr int rows = 7;
constexpr int defaultRow = 1;
// The text describing a row; rows 3 and 5 have none and cannot be chosen.
QString message(int row);
bool selectable(int row);
}  // namespace graphMovieQuality

struct graphMovieResult {
    enum Status { written, cancelled, failed } status = failed;
    size_t frames = 0;  // frames recorded
    QString error;      // for failed
};

// Records the frames of the sweep from minK to maxK in steps (2 or less taken as 3) and back
// into path at 30 frames per second. frameAt(k) draws the graph at k and answers its RGBA
// pixels of size (null when it cannot). progress(done, total) follows every frame;
// answering false cancels. A cancelled or failed recording writes nothing and leaves an
// existing file at path as it was; so does an empty range, which has nothing to record.
graphMovieResult graphRecordKMovie(const QString &path, QSize size, int quality, double minK,
                                   double maxK, int steps,
                                   const std::function<const uint8_t *(double k)> &frameAt,
                                   const std::function<bool(size_t done, size_t total)> &progress);
