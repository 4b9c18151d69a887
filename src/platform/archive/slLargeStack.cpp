#include "platform/archive/slLargeStack.h"

#include <QThread>
#include <exception>
#include <memory>

void slRunWithLargeStack(const std::function<void()> &work) {
    constexpr unsigned kStackBytes = 256u * 1024u * 1024u;  // reserved, touched only as used
    std::exception_ptr failure;
    std::unique_ptr<QThread> thread(QThread::create([&] {
        try {
            work();
        } catch (...) {
            failure = std::current_exception();
        }
    }));
    thread->setStackSize(kStackBytes);
    thread->start();
    thread->wait();
    if (failure) std::rethrow_exception(failure);
}
