// Runs the graph view's graphing requests on worker threads, so that no equation freezes
// the window: while a request runs, the window repaints and answers, and the old picture
// stays until the new one is ready.
//
// start waits on the calling thread up to the foreground budget, so a quick graph shows at
// once without a frame of the old picture; past it the request runs on in the background.
// After progressDelay a progress indication with a Cancel button shows in the status bar;
// Cancel or Esc stops the request and leaves the previous picture. A newer request
// supersedes one in flight. A stopped or superseded request is asked to stop (the
// renderers' sampling loops check its flag) and its results are thrown away when its
// thread ends.
//
// Threads: every field and every method belongs to the GUI thread. Each worker thread
// owns its job between start and the moment it reports back (a queued call on the GUI
// thread), and touches nothing else; the job's stop flag is the one thing both sides
// touch, and it is atomic. The destructor stops every job and joins every thread.
#pragma once

#include "view/graphViewInterfaces.h"

#include <QObject>
#include <QTimer>

#include <chrono>
#include <cstdint>
#include <functional>
#include <future>
#include <list>
#include <memory>
#include <thread>

class graphGLView;
class QLabel;
class QProgressBar;
class QPushButton;
class QShortcut;
class QStatusBar;
class QWidget;

class graphBackgroundGrapher : public QObject, public graphCompileRunner {
    Q_OBJECT
public:
    // How long a request runs before the progress indication shows.
    static constexpr int progressDelay = 500;  // ms
    // How long start waits for a request on the calling thread before letting it run on.
    static constexpr int defaultForegroundBudget = 100;  // ms

    // The view whose requests run here; the progress indication goes into statusBar, and
    // Esc cancels anywhere in window (floating docks included).
    graphBackgroundGrapher(graphGLView &view, QStatusBar &statusBar, QWidget &window,
                           QObject *parent = nullptr);
    ~graphBackgroundGrapher() override;

    // graphCompileRunner
    void start(std::unique_ptr<graphCompileJob> job) override;
    void stop() override;

    // True from start until the request's results are taken over or it is cancelled.
    bool isGraphing() const { return current != 0; }
    void setForegroundBudget(std::chrono::milliseconds budget) { foregroundBudget = budget; }
    // While this answers false (a movie being recorded), a finished graph waits to be
    // taken over, so the scene does not change under the recording.
    std::function<bool()> mayAdopt;
    // The Cancel button and the progress indication around it, for tests.
    QPushButton &cancelButton() { return *cancel; }
    QWidget &progressIndication() { return *panel; }

public slots:
    // Stops the request in flight; the picture stays as it was.
    void cancelGraphing();

signals:
    // A request ended: taken over (true) or cancelled (false). Not sent for a request
    // superseded by another.
    void graphingFinished(bool adopted);

private:
    struct flight {
        uint64_t id = 0;
        std::unique_ptr<graphCompileJob> job;
        std::future<void> ran;
        std::thread thread;
    };

    // A worker reported that job id ended.
    void landed(uint64_t id);
    // Joins the flight's thread and takes its results over when it is still wanted.
    void finish(std::list<flight>::iterator f);
    void showProgress(bool shown);
    // Takes the finished job over now, or later when mayAdopt forbids it now.
    void adopt(std::unique_ptr<graphCompileJob> job);

    graphGLView &view;
    std::list<flight> flights;
    uint64_t nextId = 1;
    uint64_t current = 0;  // the request being waited for, 0 for none
    std::chrono::milliseconds foregroundBudget{defaultForegroundBudget};
    QTimer progressTimer;
    std::unique_ptr<graphCompileJob> finished;  // a completed job waiting for mayAdopt
    QTimer adoptTimer;
    QWidget *panel = nullptr;
    QProgressBar *bar = nullptr;
    QPushButton *cancel = nullptr;
    QShortcut *escape = nullptr;
};
