// "Make K Movie...": asks for a movie file and its quality, then records one sweep of k with
// a progress dialog that counts the frames and can cancel. The windows keep repainting
// while it runs.
#pragma once

#include <QObject>
#include <QSize>
#include <QString>
#include <functional>

#include "app/graphMovieExport.h"

class QComboBox;
class QLabel;
class QProgressDialog;
class QWidget;

// Fills a pop-up with the seven quality rows, rows 3 and 5 as separators that cannot be
// chosen, and keeps message showing the selected row's text.
void graphSetUpMovieQualityPopup(QComboBox *popup, QLabel *message);

class graphKMovieExporter : public QObject {
    Q_OBJECT
public:
    struct choice {
        QString path;  // empty when cancelled
        int quality = graphMovieQuality::defaultRow;
    };

    explicit graphKMovieExporter(QWidget *parent);

    // The save panel with the quality pop-up below it; replaced in tests.
    std::function<choice(QWidget *parent, int quality)> chooseMovie;
    // Tells the user why a movie was not written; replaced in tests.
    std::function<void(QWidget *parent, const QString &text)> warn;
    // Called with the progress dialog once it is shown and after every frame (tests
    // cancel through it).
    std::function<void(QProgressDialog &progress)> progressShown;

    // The whole command: the panel, then the recording. frameAt draws the graph at k off
    // screen at size and answers its RGBA pixels.
    graphMovieResult makeKMovie(double minK, double maxK, int steps, QSize size,
                                const std::function<const uint8_t *(double k)> &frameAt);

    int quality() const { return lastQuality; }
    // True from the movie panel to the end of the recording.
    bool isRecording() const { return recording; }

private:
    bool recording = false;
    QWidget *parentWidget;
    int lastQuality = graphMovieQuality::defaultRow;
};
