#include "platform/archive/slLargeStack.h"

#include <QThread>
#include <exception>
#include <memory>

void slRunWithLargeStack(const std::function<void()> &work) {
    constexpr unsigned kStackBytes = 256u * 1024u * 1024u;  // reserved, touched only as used
    std::exception_ptr failure;
    bool ran = false;
    std::unique_ptr<QThread> thread(QThread::create([&] {
        ran = true;
        try {
            work();
        } catch (...) {
            failure = std::current_exception();
        }
    }));
    thread->setStackSize(kStackBytes);
    thread->start();
    thread->wait();
    // Where no such thread can be made, the work still runs, on the caller's own stack.
    if (!ran) work();
    if (failure) std::rethrow_exception(failure);
}
