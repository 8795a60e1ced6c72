#pragma once

#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <stop_token>

namespace zeft {

/// A blocking call from a worker thread into its owner's thread that a stop request can always
/// end. The worker hands a function to the owner's event loop and waits until it has run
/// there; a stop request ends the wait at once and withdraws the function if it has not begun,
/// so it never runs later. An owner that stops and joins the worker therefore never
/// deadlocks with a call in flight, and nothing reaches it after the join.
/// The synchronisation is plain standard C++; the poster only delivers.
class TOwnerThreadCall {
public:
    /// Delivers a function to the owner thread, where it is to run once (or never, when the
    /// owner goes away first). Called on the worker thread.
    using TPoster = std::function<void(std::function<void()>)>;

    explicit TOwnerThreadCall(TPoster poster = {});
    void SetPoster(TPoster poster) { FPoster = std::move(poster); }

    /// Worker thread: runs fn on the owner thread and waits for it. True when it ran; false
    /// when a stop was requested first (or no poster is set), in which case fn never runs.
    bool Run(std::function<void()> fn, std::stop_token stop);

private:
    enum class TStatus { Waiting, Running, Finished, Withdrawn };
    struct TShared {
        std::mutex Mutex;
        std::condition_variable_any Changed;
    };
    struct TCall {
        TStatus Status = TStatus::Waiting;
        std::function<void()> Function;
    };
    static void RunOnOwner(TShared& shared, TCall& call);

    std::shared_ptr<TShared> FShared;
    TPoster FPoster;
};

} // namespace zeft
