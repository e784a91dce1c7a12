// Long work (reading a large file, unpacking an archive) done on a thread of
// its own while the calling thread keeps handling its events, so that the
// window stays responsive and its cancel button is heard.
#pragma once

#include <QtGlobal>
#include <atomic>
#include <functional>

namespace background {

// What a worker tells the waiting thread, and what it is told back. Safe to
// use from both threads.
struct Progress {
    std::atomic<qint64> done{0};
    std::atomic<qint64> total{-1};
    std::atomic<bool> cancel{false};
};

// Runs `work` on a new thread and returns once it has returned. Meanwhile the
// calling thread's events are processed and `poll` is called on the calling
// thread about ten times a second (and once at the end), e.g. to show the
// progress a worker stores and to pass on a cancel request. Without an
// application object `work` simply runs on the calling thread.
void Run(const std::function<void()>& work, const std::function<void()>& poll = {});

} // namespace background
