#include "zeft_OwnerThreadCall.h"

namespace zeft {

TOwnerThreadCall::TOwnerThreadCall(TPoster poster)
    : FShared(std::make_shared<TShared>()), FPoster(std::move(poster)) {}

bool TOwnerThreadCall::Run(std::function<void()> fn, std::stop_token stop) {
    if (!FPoster || stop.stop_requested())
        return false;
    auto call = std::make_shared<TCall>();
    {
        // Published under the mutex, so the owner sees the function whatever the poster does.
        std::lock_guard lock(FShared->Mutex);
        call->Function = std::move(fn);
    }
    try {
        FPoster([shared = FShared, call] { RunOnOwner(*shared, *call); });
    } catch (...) {
        std::lock_guard lock(FShared->Mutex);
        call->Status = TStatus::Withdrawn;
        return false;
    }
    std::unique_lock lock(FShared->Mutex);
    FShared->Changed.wait(lock, stop, [&] { return call->Status == TStatus::Finished; });
    if (call->Status == TStatus::Waiting)
        call->Status = TStatus::Withdrawn;
    // Running means the owner is inside the call right now, perhaps stopping this very
    // worker: do not wait for it.
    return call->Status == TStatus::Finished;
}

void TOwnerThreadCall::RunOnOwner(TShared& shared, TCall& call) {
    std::function<void()> fn;
    {
        std::lock_guard lock(shared.Mutex);
        if (call.Status != TStatus::Waiting)
            return;
        call.Status = TStatus::Running;
        fn = std::move(call.Function);
    }
    struct TFinish {
        TShared& Shared;
        TCall& Call;
        ~TFinish() {
            {
                std::lock_guard lock(Shared.Mutex);
                Call.Status = TStatus::Finished;
            }
            Shared.Changed.notify_all();
        }
    } finish{shared, call};
    fn();
}

} // namespace zeft
