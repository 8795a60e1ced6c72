#pragma once

#include "zeft_OwnerThreadCall.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>

namespace zeft::test {

/// Stands in for the user-interface thread's event loop, in plain standard C++: functions
/// posted from any thread run on the test's thread while it pumps.
class TOwnerLoop {
public:
    TOwnerThreadCall::TPoster Poster() {
        return [this](std::function<void()> fn) { Post(std::move(fn)); };
    }

    void Post(std::function<void()> fn) {
        {
            std::lock_guard lock(FMutex);
            FQueue.push_back(std::move(fn));
        }
        FPosted.notify_all();
    }

    /// Runs posted functions until done() holds; false when the time limit passed first.
    bool PumpUntil(const std::function<bool()>& done,
                   std::chrono::milliseconds limit = std::chrono::seconds(60)) {
        const auto deadline = std::chrono::steady_clock::now() + limit;
        while (!done()) {
            if (std::chrono::steady_clock::now() > deadline)
                return false;
            std::function<void()> next;
            {
                std::unique_lock lock(FMutex);
                FPosted.wait_for(lock, std::chrono::milliseconds(5),
                                 [this] { return !FQueue.empty(); });
                if (FQueue.empty())
                    continue;
                next = std::move(FQueue.front());
                FQueue.pop_front();
            }
            next();
        }
        return true;
    }

    /// Waits, without running anything, until something is posted.
    bool WaitForPosted(std::chrono::milliseconds limit = std::chrono::seconds(60)) {
        std::unique_lock lock(FMutex);
        return FPosted.wait_for(lock, limit, [this] { return !FQueue.empty(); });
    }

    /// Runs what is queued now.
    void RunPending() {
        std::deque<std::function<void()>> pending;
        {
            std::lock_guard lock(FMutex);
            pending.swap(FQueue);
        }
        for (auto& fn : pending)
            fn();
    }

private:
    std::mutex FMutex;
    std::condition_variable FPosted;
    std::deque<std::function<void()>> FQueue;
};

} // namespace zeft::test
