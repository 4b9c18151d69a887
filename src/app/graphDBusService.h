// The application on the session bus: the image and text services for other programs and
// the door through which a second launch hands its files to the running instance.
//
// Every method answers at once. OpenFiles only queues its paths: they are opened after the
// reply, one file per turn of the event loop and never while a modal dialog, a movie
// export or a graphing runs, so no request opens a dialog inside another or swaps the
// equation set under a recording. Files that cannot be opened are gathered into one
// message per batch (the queue running empty), which replaces the previous one. The queue
// holds at most maximumPendingRequests calls of at most maximumPathsPerCall paths each;
// beyond that a call gets an error reply.
//
// GraphImage answers with the graph as drawn. While a graphing request runs, the answer is
// delayed (a delayed D-Bus reply, so the service goes on answering meanwhile) until the
// new graph is shown or cancelled; a graph that takes longer than the image time limit is
// answered with an error instead of a picture.
#pragma once

#include <QByteArray>
#include <QDBusContext>
#include <QDBusMessage>
#include <QDeadlineTimer>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTimer>

#include <deque>
#include <functional>

class graphController;
class QMessageBox;

inline constexpr const char *graphServiceName = "org.plotweave.Plotweave";
inline constexpr const char *graphServicePath = "/org/plotweave/Plotweave";

class graphDBusService : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.plotweave.Plotweave")
public:
    static constexpr int maximumPendingRequests = 100;
    static constexpr int maximumPathsPerCall = 1000;
    // How long a GraphImage call waits for a graph being made before it is answered with
    // an error.
    static constexpr int graphImageTimeLimit = 10000;  // ms

    explicit graphDBusService(graphController &controller, QObject *parent = nullptr);
    ~graphDBusService() override;

    // Registers the object and takes the service name; false when another instance owns
    // it or there is no session bus.
    bool registerOnSessionBus();

    // True while queued files must wait: a modal dialog is open, a movie is being
    // recorded or a graphing runs. Replaced in tests.
    std::function<bool()> busy;
    // Shows the failures of one batch, one line each; by default a non-modal message box
    // over the main window, reused while it is open. Replaced in tests.
    std::function<void(const QStringList &failures)> reportFailures;

    // Paths waiting to be opened, for tests.
    int pendingPaths() const;
    // GraphImage calls waiting for a graph, and their time limit (tests shorten it).
    int waitingImages() const { return static_cast<int>(imageCalls.size()); }
    void setImageTimeLimit(int milliseconds) { imageTimeLimit = milliseconds; }

public slots:
    // TIFF bytes of the graph as currently drawn; an error reply for an empty string.
    QByteArray GraphImage(const QString &text);
    // Reads the string and does nothing more.
    void Graph(const QString &text);
    // Queues each file to be opened as the desktop's open request does, then brings the
    // windows forward.
    void OpenFiles(const QStringList &paths);

private:
    // A GraphImage call answered once the graph is ready, or with an error at deadline.
    struct imageCall {
        QDBusMessage call;
        QDeadlineTimer deadline;
    };
    // Answers every waiting GraphImage call with the graph as now drawn.
    void answerImageCalls();
    // Answers the calls whose time is up with an error.
    void expireImageCalls();
    void openNext();
    bool refuse(const QString &message);
    void showFailures(const QStringList &failures);

    graphController &controller;
    bool registered = false;
    std::deque<QStringList> requests;
    QStringList failures;
    QTimer turn;
    bool opening = false;
    QPointer<QMessageBox> failureBox;
    std::deque<imageCall> imageCalls;  // in the order they came, so the first expires first
    QTimer imageTimer;
    int imageTimeLimit = graphImageTimeLimit;
};

// Hands the files to the instance that owns the service name. True when it took them.
bool graphForwardFilesToRunningInstance(const QStringList &paths);
