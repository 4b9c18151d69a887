#include "movie/slPartFiles.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cstring>
#include <mutex>

static_assert(SIGHUP == 1 && SIGINT == 2 && SIGQUIT == 3 && SIGUSR1 == 10 && SIGUSR2 == 12 &&
              SIGPIPE == 13 && SIGALRM == 14 && SIGTERM == 15);

namespace {

// A slot is published by storing its folder after its name, and freed by storing -1 first.
struct partSlot {
    std::atomic<int> folder{-1};
    char name[256] = {};
};

constexpr int slotCount = 16;
partSlot slots[slotCount];
std::mutex slotLock;  // between threads adding and removing; the handler takes no lock

void onFatalSignal(int number) {
    slPartFiles::unlinkAll();
    ::signal(number, SIG_DFL);
    ::raise(number);
}

}  // namespace

int slPartFiles::add(int folder, const char *name) {
    const size_t length = std::strlen(name);
    if (folder < 0 || length == 0 || length >= sizeof slots[0].name) return -1;
    std::lock_guard<std::mutex> hold(slotLock);
    for (int i = 0; i < slotCount; i++) {
        if (slots[i].folder.load() >= 0) continue;
        std::memcpy(slots[i].name, name, length + 1);
        slots[i].folder.store(folder);
        return i;
    }
    return -1;
}

void slPartFiles::remove(int slot) {
    if (slot < 0 || slot >= slotCount) return;
    std::lock_guard<std::mutex> hold(slotLock);
    slots[slot].folder.store(-1);
}

void slPartFiles::installSignalHandlers() {
    static std::once_flag once;
    std::call_once(once, [] {
        for (const int number : cleanedSignals) {
            struct sigaction current {};
            if (::sigaction(number, nullptr, &current) != 0 || current.sa_handler != SIG_DFL ||
                (current.sa_flags & SA_SIGINFO) != 0)
                continue;
            struct sigaction action {};
            action.sa_handler = onFatalSignal;
            sigemptyset(&action.sa_mask);
            action.sa_flags = SA_RESETHAND;
            ::sigaction(number, &action, nullptr);
        }
    });
}

void slPartFiles::unlinkAll() {
    for (partSlot &slot : slots) {
        const int folder = slot.folder.load();
        if (folder >= 0) ::unlinkat(folder, slot.name, 0);
    }
}
