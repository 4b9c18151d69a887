#include "render/graphStop.h"

namespace {

// The stop flag of the graphing on this thread; null outside any scope.
thread_local const std::atomic<bool> *currentFlag = nullptr;

}  // namespace

graphStopScope::graphStopScope(const std::atomic<bool> &flag) : previous(currentFlag) {
    currentFlag = &flag;
}

graphStopScope::~graphStopScope() {
    currentFlag = previous;
}

bool graphStopRequested() {
    return currentFlag != nullptr && currentFlag->load(std::memory_order_relaxed);
}
