#include "app/graphMovieExport.h"

#include <QCoreApplication>

#include "movie/slKSweep.h"
#include "movie/slMovieRecord.h"

QString graphMovieQuality::message(int row) {
    switch (row) {
        case 0:
            return QCoreApplication::translate("graphMovieQuality",
                                               "Lower quality, better compression");
        case 1:
            return QCoreApplication::translate("graphMovieQuality",
                                               "Moderate quality, moderate compression");
        case 2:
            return QCoreApplication::translate("graphMovieQuality",
                                               "Better quality, lower compression");
        case 4:
            return QCoreApplication::translate("graphMovieQuality",
                                               "Very high quality, very low compression");
        case 6:
            return QCoreApplication::translate("graphMovieQuality",
                                               "Lossless quality, zero compression");
        default: return QString();
    }
}

bool graphMovieQuality::selectable(int row) {
    return row >= 0 && row < rows && row != 3 && row != 5;
}

graphMovieResult graphRecordKMovie(const QString &path, QSize size, int quality, double minK,
                                   double maxK, int steps,
                                   const std::function<const uint8_t *(double k)> &frameAt,
                                   const std::function<bool(size_t done, size_t total)> &progress) {
    graphMovieResult result;
    const std::vector<double> ks = slKSweep(minK, maxK, steps);
    if (ks.empty()) {
        result.error = QCoreApplication::translate(
            "graphMovieQuality",
            "The lower bound of k is not below the upper bound, so there is nothing to record.");
        return result;
    }
    slMovieRecord recorder;
    if (!recorder.initWithPath(path, QRectF(0, 0, size.width(), size.height()), 30, quality)) {
        result.error = recorder.errorString();
        return result;
    }
    const int status = slRecordKSweep(recorder, ks, frameAt, [&](size_t done) {
        result.frames = done;
        return progress ? progress(done, ks.size()) : true;
    });
    // Leaving without closeMovie removes the recorder's temporary file.
    if (status == 1) {
        result.status = graphMovieResult::cancelled;
        return result;
    }
    if (status != 0) {
        result.error =
            recorder.errorString().isEmpty()
                ? QCoreApplication::translate("graphMovieQuality", "The graph could not be drawn.")
                : recorder.errorString();
        return result;
    }
    if (recorder.closeMovie() != 0) {
        result.error = recorder.errorString();
        return result;
    }
    result.status = graphMovieResult::written;
    return result;
}
