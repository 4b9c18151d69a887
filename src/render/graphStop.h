// Cooperative stopping of a graphing that runs on a worker thread.
//
// The thread that compiles renderers in the background holds a graphStopScope naming its
// stop flag; the long sampling loops (layers of a grid, cells of an iso-surface) ask
// graphStopRequested between steps and return early once the flag is set. What a stopped
// renderer holds is incomplete and is thrown away by whoever set the flag. On a thread
// without a scope (the GUI thread, the command line) graphStopRequested is always false.
#pragma once

#include <atomic>

class graphStopScope {
public:
    // The flag is read, never written, and must outlive the scope.
    explicit graphStopScope(const std::atomic<bool> &flag);
    ~graphStopScope();
    graphStopScope(const graphStopScope &) = delete;
    graphStopScope &operator=(const graphStopScope &) = delete;

private:
    const std::atomic<bool> *previous;
};

// Whether the graphing on this thread has been asked to stop.
bool graphStopRequested();
