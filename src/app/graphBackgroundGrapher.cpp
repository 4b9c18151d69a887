#include "app/graphBackgroundGrapher.h"

#include "view/graphCompileJob.h"
#include "view/graphGLView.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QShortcut>
#include <QStatusBar>

namespace {
// How often a finished graph asks again whether it may be taken over.
constexpr int adoptRetry = 100;  // ms
}  // namespace

graphBackgroundGrapher::graphBackgroundGrapher(graphGLView &view, QStatusBar &statusBar,
                                               QWidget &window, QObject *parent)
    : QObject(parent), view(view) {
    panel = new QWidget(&statusBar);
    panel->setObjectName(QStringLiteral("graphingProgress"));
    auto *layout = new QHBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new QLabel(tr("Graphing\u2026"), panel));
    bar = new QProgressBar(panel);
    bar->setRange(0, 0);  // busy: how long an equation takes is not known in advance
    bar->setMaximumWidth(120);
    bar->setAccessibleName(tr("Graphing"));
    layout->addWidget(bar);
    cancel = new QPushButton(tr("Cancel"), panel);
    cancel->setObjectName(QStringLiteral("cancelGraphing"));
    cancel->setAccessibleName(tr("Cancel graphing"));
    cancel->setToolTip(tr("Stop graphing and keep the previous graph (Esc)"));
    cancel->setFocusPolicy(Qt::NoFocus);  // the keys stay where the user types
    connect(cancel, &QPushButton::clicked, this, &graphBackgroundGrapher::cancelGraphing);
    layout->addWidget(cancel);
    statusBar.addPermanentWidget(panel);
    panel->hide();

    // Esc cancels only while a request runs, so it stays free for everything else.
    escape = new QShortcut(QKeySequence(Qt::Key_Escape), &window);
    escape->setContext(Qt::ApplicationShortcut);
    escape->setEnabled(false);
    connect(escape, &QShortcut::activated, this, &graphBackgroundGrapher::cancelGraphing);

    adoptTimer.setInterval(adoptRetry);
    connect(&adoptTimer, &QTimer::timeout, this, [this] {
        if (finished) adopt(std::move(finished));
    });
    progressTimer.setSingleShot(true);
    progressTimer.setInterval(progressDelay);
    connect(&progressTimer, &QTimer::timeout, this, [this] { showProgress(isGraphing()); });
}

graphBackgroundGrapher::~graphBackgroundGrapher() {
    for (flight &f : flights) f.job->requestStop();
    for (flight &f : flights)
        if (f.thread.joinable()) f.thread.join();
}

void graphBackgroundGrapher::start(std::unique_ptr<graphCompileJob> job) {
    if (!job) return;
    stop();  // superseded: no graphingFinished, the new request takes over at once
    flight &f = flights.emplace_back();
    f.id = nextId++;
    f.job = std::move(job);
    std::promise<void> ran;
    f.ran = ran.get_future();
    current = f.id;
    graphCompileJob *worked = f.job.get();
    const uint64_t id = f.id;
    f.thread = std::thread([this, worked, id, ran = std::move(ran)]() mutable {
        worked->run();
        ran.set_value();
        // The GUI thread takes over from here; the call is dropped if this object is gone,
        // which cannot happen before the destructor has joined this thread.
        QMetaObject::invokeMethod(
            this, [this, id] { landed(id); }, Qt::QueuedConnection);
    });
    escape->setEnabled(true);

    // A quick graph is shown at once.
    if (f.ran.wait_for(foregroundBudget) == std::future_status::ready) {
        finish(std::prev(flights.end()));
        return;
    }
    progressTimer.start();
}

void graphBackgroundGrapher::stop() {
    if (current == 0) return;
    finished.reset();
    adoptTimer.stop();
    for (flight &f : flights)
        if (f.id == current) f.job->requestStop();
    current = 0;
    progressTimer.stop();
    showProgress(false);
    escape->setEnabled(false);
}

void graphBackgroundGrapher::cancelGraphing() {
    if (!isGraphing()) return;
    stop();
    emit graphingFinished(false);
}

void graphBackgroundGrapher::landed(uint64_t id) {
    for (auto f = flights.begin(); f != flights.end(); ++f) {
        if (f->id == id) {
            finish(f);
            return;
        }
    }
}

void graphBackgroundGrapher::finish(std::list<flight>::iterator f) {
    f->thread.join();  // it has finished its work and only posts its report
    std::unique_ptr<graphCompileJob> job = std::move(f->job);
    const bool awaited = f->id == current;
    flights.erase(f);
    if (!awaited) return;  // stopped or superseded: thrown away
    if (job->completed())
        adopt(std::move(job));
    else
        cancelGraphing();  // a job that gave up by itself leaves the graph as it was
}

void graphBackgroundGrapher::adopt(std::unique_ptr<graphCompileJob> job) {
    if (mayAdopt && !mayAdopt()) {
        finished = std::move(job);
        adoptTimer.start();
        return;
    }
    adoptTimer.stop();
    current = 0;
    progressTimer.stop();
    showProgress(false);
    escape->setEnabled(false);
    view.adoptGraph(*job);
    emit graphingFinished(true);
}

void graphBackgroundGrapher::showProgress(bool shown) {
    panel->setVisible(shown);
}
