#include "zeft_USBConnection.h"

#include <algorithm>

namespace zeft {

TUSBConnection::TUSBConnection(QObject* parent)
    : TUSBConnection(CreateDriverLoader(), std::make_unique<TSystemRadioClock>(), parent) {}

TUSBConnection::TUSBConnection(std::unique_ptr<TuTrxLoader> driver,
                               std::unique_ptr<TRadioClock> clock, QObject* parent)
    : QThread(parent), FDriver(std::move(driver)), FClock(std::move(clock)), FRadio(*FDriver),
      FLock(FDriver->Directories()), FTransmitter(FRadio, *FClock),
      FQtPoster(std::make_unique<TQtOwnerThreadPoster>()),
      FOwnerCall(
          [poster = FQtPoster.get()](std::function<void()> fn) { poster->Post(std::move(fn)); }) {}

TUSBConnection::~TUSBConnection() {
    Stop();
}

void TUSBConnection::SetOwnerThreadPoster(TOwnerThreadCall::TPoster poster) {
    FOwnerCall.SetPoster(std::move(poster));
}

std::uint64_t TUSBConnection::RequestTransmission(const THeatingLocation& location) {
    return RequestTransmission(location.Clone());
}

std::uint64_t TUSBConnection::RequestTransmission(std::unique_ptr<THeatingLocation> snapshot) {
    if (!snapshot)
        return 0;
    std::uint64_t replaced = 0;
    std::uint64_t id = 0;
    {
        std::lock_guard lock(FRequestMutex);
        // One on its way is finished and reports what became of it; one waiting is withdrawn.
        if (FPendingLocation && FTransmittingId != FPendingId)
            replaced = FPendingId;
        FPendingLocation = std::move(snapshot);
        id = FPendingId = ++FLastId;
        FFailedAttempts = 0;
        FHeld = false;
        FHeldAsked = false;
    }
    FTransmitPending.store(true, std::memory_order_release);
    if (replaced != 0)
        ReportWithdrawn(replaced);
    return id;
}

bool TUSBConnection::TransmitHeld() const {
    std::lock_guard lock(FRequestMutex);
    return FHeld && FPendingLocation;
}

int TUSBConnection::FailedAttempts() const {
    std::lock_guard lock(FRequestMutex);
    return FPendingLocation ? FFailedAttempts : 0;
}

void TUSBConnection::CancelTransmission() {
    std::uint64_t id = 0;
    {
        std::lock_guard lock(FRequestMutex);
        if (!FPendingLocation)
            return;
        id = FPendingId;
        if (FTransmittingId == id)
            FTransmissionStop.request_stop(); // no frame after this one
        ClearPendingLocked();
    }
    ReportWithdrawn(id);
}

void TUSBConnection::ConfirmTransmission() {
    std::lock_guard lock(FRequestMutex);
    if (!FHeld)
        return;
    FHeld = false;
    FHeldAsked = false;
    FFailedAttempts = 0;
}

void TUSBConnection::Stop() {
    RequestStop();
    if (QThread::currentThread() != this)
        wait();
}

void TUSBConnection::run() {
    const std::stop_token stop = FStop.get_token();
    FLinkState = NoStick;
    FLinkValue = AttemptValue;
    while (!stop.stop_requested())
        RunCycle(stop);
    FRadio.UnloadDriver();
    // Only now may another copy take the stick over.
    FLock.Release();
}

void TUSBConnection::RunCycle(const std::stop_token& stop) {
    if (FLinkState == StickReady) {
        if (TransmitPending()) {
            std::uint64_t id = 0;
            if (auto snapshot = PendingLocation(&id)) {
                Transmit(snapshot, id, stop);
                return;
            }
        }
        if (FClock->Pause(CyclePause, stop))
            Reconnect();
        return;
    }
    // No stick, or a failed transmission being shown: count up to the next attempt.
    if (FLinkValue >= AttemptValue)
        Reconnect();
    else if (FClock->Pause(CyclePause, stop))
        SetStateAndNotify(FLinkState, std::min(FLinkValue + ValueStep, AttemptValue));
}

void TUSBConnection::Reconnect() {
    bool connected = false;
    TNoStickCause cause;
    try {
        FRadio.UnloadDriver();
        // A second copy leaves the stick alone: no search, no set-up, no frame. So does a copy
        // without the lock, which a second copy could not see.
        switch (FLock.TryAcquire()) {
        case TStickLock::TResult::InUse:
            cause.Reason = TNoStickReason::InUse;
            break;
        case TStickLock::TResult::Unavailable:
            cause = {TNoStickReason::NoLockDirectory, FLock.Problem()};
            break;
        case TStickLock::TResult::Owned:
            connected = FRadio.LoadAndConnectStick();
            if (!connected && FRadio.StickAccessDenied())
                cause.Reason = TNoStickReason::NoAccess;
            break;
        }
    } catch (...) {
        // Whatever went wrong while loading counts as a failed attempt.
        connected = false;
    }
    FLinkCause = connected ? TNoStickCause() : cause;
    if (!connected)
        HoldRequest();
    SetStateAndNotify(connected ? StickReady : NoStick, 0);
    if (connected)
        AskForHeldRequest();
}

void TUSBConnection::Transmit(const std::shared_ptr<const THeatingLocation>& snapshot,
                              std::uint64_t id, const std::stop_token& stop) {
    // A cancel ends this transmission only; the end of the thread ends it as well.
    std::stop_source cancel;
    {
        std::lock_guard lock(FRequestMutex);
        // Withdrawn or replaced since it was picked up: it must not go out, and whoever ended
        // it has reported so.
        if (FPendingId != id || !FPendingLocation)
            return;
        FTransmissionStop = cancel;
        FTransmittingId = id;
    }
    const std::stop_callback followThread(stop, [cancel]() mutable { cancel.request_stop(); });
    SetStateAndNotify(Transmitting, 0);
    bool transmitted = false;
    try {
        transmitted = FTransmitter.TransmitWeeklyProgram(
            *snapshot, [this](int percent) { SetStateAndNotify(Transmitting, percent); },
            cancel.get_token());
    } catch (...) {
        transmitted = false;
    }
    // Settled in one step with the end of the transmission: a cancel or a newer request from
    // the owner either came before and is seen here, or finds the request settled. Otherwise
    // both sides could report an outcome for it.
    enum class TEnd { Stopped, Cancelled, Sent, Failed, GivenUp, Replaced };
    TEnd end = TEnd::Stopped;
    {
        std::lock_guard lock(FRequestMutex);
        FTransmittingId = 0;
        if (stop.stop_requested()) {
            end = TEnd::Stopped;
        } else if (cancel.stop_requested()) {
            // CancelTransmission() withdrew it and reported so.
            end = TEnd::Cancelled;
        } else if (FPendingId != id || !FPendingLocation) {
            // A newer request came meanwhile: this one ends here, and says whether it went out.
            end = TEnd::Replaced;
        } else if (transmitted) {
            end = TEnd::Sent;
            ClearPendingLocked();
        } else if (++FFailedAttempts >= MaxAttempts) {
            end = TEnd::GivenUp;
            ClearPendingLocked();
        } else {
            end = TEnd::Failed;
        }
    }
    switch (end) {
    case TEnd::Stopped:
        return;
    case TEnd::Cancelled:
        // Not a failure of the link.
        SetStateAndNotify(StickReady, 0);
        return;
    case TEnd::Replaced:
        PostFinished(id, transmitted ? TRequestOutcome::Sent : TRequestOutcome::Withdrawn);
        SetStateAndNotify(transmitted ? StickReady : TransmissionFailed,
                          transmitted ? 0 : FailureValue);
        return;
    case TEnd::Sent:
        PostFinished(id, TRequestOutcome::Sent);
        SetStateAndNotify(StickReady, 0);
        return;
    case TEnd::GivenUp:
        PostFinished(id, TRequestOutcome::Failed);
        SetStateAndNotify(TransmissionFailed, FailureValue);
        return;
    case TEnd::Failed:
        SetStateAndNotify(TransmissionFailed, FailureValue);
        return;
    }
}

void TUSBConnection::SetStateAndNotify(std::uint8_t state, std::int32_t value) {
    TNoStickCause cause = state == NoStick ? FLinkCause : TNoStickCause();
    if (state == FLinkState && value == FLinkValue && cause == FNotifiedCause)
        return;
    FLinkState = state;
    FLinkValue = value;
    FNotifiedCause = cause;
    FOwnerCall.Run(
        [this, state, value, cause = std::move(cause)] { NotifyOwner(state, value, cause); },
        FStop.get_token());
}

void TUSBConnection::NotifyOwner(std::uint8_t state, std::int32_t value, TNoStickCause cause) {
    FReportedCause = std::move(cause);
    // A copy, so that the handler may even destroy this object.
    if (TStateChangeEvent handler = OnStateChange)
        handler(state, value);
}

std::shared_ptr<const THeatingLocation> TUSBConnection::PendingLocation(std::uint64_t* id) const {
    std::lock_guard lock(FRequestMutex);
    if (FHeld || !FPendingLocation)
        return nullptr;
    *id = FPendingId;
    return FPendingLocation;
}

void TUSBConnection::ClearPendingLocked() {
    FPendingLocation.reset();
    FPendingId = 0;
    FHeld = false;
    FTransmitPending.store(false, std::memory_order_release);
}

void TUSBConnection::PostFinished(std::uint64_t id, TRequestOutcome outcome) {
    FOwnerCall.Run([this, id, outcome] { NotifyFinished(id, outcome); }, FStop.get_token());
}

void TUSBConnection::HoldRequest() {
    std::lock_guard lock(FRequestMutex);
    if (FPendingLocation && !FHeld) {
        FHeld = true;
        FHeldAsked = false;
    }
}

void TUSBConnection::AskForHeldRequest() {
    std::uint64_t id = 0;
    {
        std::lock_guard lock(FRequestMutex);
        if (!FHeld || FHeldAsked || !FPendingLocation)
            return;
        FHeldAsked = true;
        id = FPendingId;
    }
    FOwnerCall.Run(
        [this, id] {
            // The owner may have answered, cancelled or made a newer request while this call
            // was on its way: then there is nothing to ask about.
            {
                std::lock_guard lock(FRequestMutex);
                if (!FHeld || FPendingId != id || !FPendingLocation)
                    return;
            }
            if (auto handler = OnRequestHeld)
                handler(id);
        },
        FStop.get_token());
}

void TUSBConnection::ReportWithdrawn(std::uint64_t id) {
    // The owner has said goodbye with Stop(): nothing reaches it after that, not even from
    // its own calls.
    if (!FStop.stop_requested())
        NotifyFinished(id, TRequestOutcome::Withdrawn);
}

void TUSBConnection::NotifyFinished(std::uint64_t id, TRequestOutcome outcome) {
    // A copy, so that the handler may even destroy this object.
    if (auto handler = OnRequestFinished)
        handler(id, outcome);
}

} // namespace zeft
